// The main window opened on a damaged data folder: it shows the notices of
// the shared files and of the year, and a stored year that names no folder
// falls back to the calendar year without making one.

#include <sys/stat.h>

#include "support/mainwindow.h"

class TestDamagedStart : public QObject {
    Q_OBJECT
private slots:
    void noticesAndYearFallBack() {
        MainWindow f;
        f.data.writeBytes(files::Set, QByteArray("9e99\0\0", 6));
        QCOMPARE(mkfifo(QFile::encodeName(f.data.folder().file(files::Epuletek)).constData(), 0600), 0);
        f.data.writeApartments("2026", {makeLakas("Kovács Éva", "Fő utca", "1", "2")});
        f.data.writeBytes("2026/domoria.jnl", "not a journal");
        const frmKezdo& w = f.open();
        QVERIFY(w.txtEv->text() == "2026" && w.listedRecords() == std::vector<int>{1});
        QCOMPARE(f.dlg.shown.size(), size_t(2));
        QVERIFY(f.dlg.shown[0].text.contains("Epuletek.dat") && f.dlg.shown[1].text.contains("nem került be"));
        QCOMPARE(f.dlg.shown[1].icon, Dialogs::Icon::Warning);
        QVERIFY(!f.data.exists("9e99") && !f.data.exists("2026/domoria.jnl"));
    }
};

QTEST_MAIN(TestDamagedStart)
#include "tst_damaged_start.moc"
