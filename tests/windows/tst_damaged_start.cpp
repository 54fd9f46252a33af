// The main window opened on a damaged data folder: it shows the notices of
// the shared files and of the year, and a stored year that names no folder
// falls back to the calendar year without making one.

#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>

#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

class TestDamagedStart : public QObject {
    Q_OBJECT
private slots:
    void noticesAndYearFallBack() {
        appclock::setNow(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
        TestFolder tf;
        tf.writeBytes(files::Set, QByteArray("9e99\0\0", 6));
        QCOMPARE(mkfifo(QFile::encodeName(tf.folder().file(files::Epuletek)).constData(), 0600), 0);
        tf.writeApartments(QStringLiteral("2026"), {makeLakas("Kovács Éva", "Fő utca", "1", "2")});
        tf.writeBytes(QStringLiteral("2026/domoria.jnl"), QByteArray("not a journal"));
        ScriptedDialogs dialogs;
        {
            frmKezdo window{tf.folder()};
            QCOMPARE(window.txtEv->text(), QStringLiteral("2026"));
            QCOMPARE(window.listedRecords(), std::vector<int>{1});
        }
        QCOMPARE(dialogs.shown.size(), size_t(2));
        QVERIFY(dialogs.shown[0].text.contains(QStringLiteral("Epuletek.dat")));
        QVERIFY(dialogs.shown[1].text.contains(QStringLiteral("nem került be")));
        QCOMPARE(dialogs.shown[1].icon, Dialogs::Icon::Warning);
        QVERIFY(!tf.exists(QStringLiteral("9e99")));
        QVERIFY(!tf.exists(QStringLiteral("2026/domoria.jnl")));
        appclock::setNow(QDateTime());
    }
};

QTEST_MAIN(TestDamagedStart)
#include "tst_damaged_start.moc"
