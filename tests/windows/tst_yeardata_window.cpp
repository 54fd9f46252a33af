// The main window's year data: the book window from the menu, the new year
// with its dialogs, backup and restore with the restore window. The rules of
// the roll-over, backup and restore are tested on the engine.

#include "support/mainwindow.h"
#include "windows/frmKiadBevet.h"
#include "windows/frmVisszatoltes.h"

namespace {

Lakas flat(const char* nev) { return makeLakas(QString::fromUtf8(nev), "Fő utca", "1", "1"); }

// The main window on the stored year and the apartments of the folders
// given; "today" is 15 March 10:00, a backup's folder "3 15-10.0".
struct Fixture : MainWindow {
    Fixture(const char* year, const std::vector<std::pair<const char*, std::vector<Lakas>>>& years) {
        data.writeBytes("Set.dat", QByteArray(year, 4) + QByteArray("\0\0", 2));
        for (const auto& [folder, flats] : years) data.writeApartments(QString::fromUtf8(folder), flats);
        open();
    }
    QString native(const char* relative) const { return QDir::toNativeSeparators(QDir(data.path()).filePath(relative)); }
};

}  // namespace

class TestYearDataWindow : public QObject {
    Q_OBJECT
private slots:
    void bookFromTheMenu() {
        Fixture f("2026", {});
        QString year;
        QVERIFY(onModal<frmKiadBevet>([&] { f.w->mnuKiadBevet->trigger(); }, [&](frmKiadBevet& b) { year = b.lbEv->text(); }) &&
                year == "Aktuális év: 2026.");
    }

    // Year 2021 is current and 2022 has two apartments; the answer is typed.
    void newYear_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("inUse");  // 2023 already has an apartment
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("yearAfter");
        const QString t = QStringLiteral("Lakók másolása !");
        QTest::newRow("2023 rolls from 2022") << "2023" << false << false << QStringList{t, t} << "2023";
        QTest::newRow("cancelled") << "" << false << false << QStringList{t} << "2021";
        QTest::newRow("not a year") << "23" << false << false << QStringList{t, "Hiba"} << "2021";
        QTest::newRow("year in use, No") << "2023" << true << false << QStringList{t, t} << "2021";
        QTest::newRow("year in use, Yes") << "2023" << true << true << QStringList{t, t, t} << "2023";
    }
    void newYear() {
        QFETCH(QString, answer); QFETCH(bool, inUse); QFETCH(bool, yes); QFETCH(QStringList, shown); QFETCH(QString, yearAfter);
        Fixture f("2021", {{"2022", {flat("Kovács Éva"), flat("Nagy Ilona")}}, {"2023", {}}});
        if (inUse) f.data.writeApartments("2023", {flat("Régi Lakó")});
        const QByteArray before = f.data.bytes("2023/Lakasok.dat");
        f.dlg.inputs = {answer};
        f.dlg.answers = {yes};
        QTest::mouseClick(f.w->cmdUjEv, Qt::LeftButton);
        QCOMPARE(f.dlg.titles() << f.dlg.shown[0].text, shown << "Add meg az új évszámot");
        if (inUse) QVERIFY(f.dlg.shown[1].kind == "question" && f.dlg.shown[1].byDefault == Dialogs::Default::No);
        QCOMPARE((QStringList{f.w->txtEv->text(), f.w->AktualisEv(), f.w->cmdUjEv->text()}),
                 (QStringList{yearAfter, yearAfter, QStringLiteral("Új év létrehozása %1. évre").arg(yearAfter.toInt() + 1)}));
        const bool made = yearAfter == "2023";
        QVERIFY(f.w->listedRecords().size() == (made ? 2u : 0u) && (f.data.bytes("2023/Lakasok.dat") == before) == !made);
        QCOMPARE(f.data.exists("2023/Mentések/3 15-10.0"), made && inUse);
    }

    void backupFromTheMenu() {
        Fixture f("2026", {{"2026", {flat("Kovács Éva")}}});
        f.w->mnuAdatMentes->trigger();
        QVERIFY(f.dlg.titles() == QStringList{"Mentés"} && f.dlg.last()->text.startsWith("A mentés sikeresen befejeződött\n"));
        QCOMPARE(f.data.bytes("2026/Mentések/3 15-10.0/Lakasok.dat"), f.data.bytes("2026/Lakasok.dat"));
    }

    // What is pressed in the restore window, and the answer to the question.
    void restoreFromTheMenu_data() {
        QTest::addColumn<QString>("press");  // "restore", "cancel" or "root" (restore without choosing)
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("restored") << "restore" << true << QStringList{"Adatok visszatöltése", "Mentés"};
        QTest::newRow("answered No") << "restore" << false << QStringList{"Adatok visszatöltése"};
        QTest::newRow("Mégsem") << "cancel" << true << QStringList{};
        QTest::newRow("no backup files") << "root" << true << QStringList{"Mentés"};
    }
    void restoreFromTheMenu() {
        QFETCH(QString, press); QFETCH(bool, yes); QFETCH(QStringList, shown);
        Fixture f("2026", {{"2026/Mentések/2 1-8.30", {flat("Kovács Éva"), flat("Nagy Ilona")}}, {"2026", {flat("Kovács Éva")}}});
        const QByteArray before = f.data.bytes("2026/Lakasok.dat");
        f.dlg.answers = {yes};
        const bool chosen = press == "restore";
        QStringList window;  // its caption, the folder named and the files shown
        QVERIFY(onModal<frmVisszatoltes>([&] { f.w->mnuAdatVisszatoltes->trigger(); }, [&](frmVisszatoltes& r) {
            if (chosen) r.Dir1->setCurrentItem(r.Dir1->topLevelItem(1));
            window << r.windowTitle() << r.Label1->text() << QString::number(r.File1->count());
            QTest::mouseClick(press == "cancel" ? r.Command2 : r.Command1, Qt::LeftButton);
        }));
        QCOMPARE(window, (QStringList{"Form1", f.native(chosen ? "2026/Mentések/2 1-8.30" : "2026/Mentések"), chosen ? "1" : "0"}));
        QCOMPARE(f.dlg.titles(), shown);
        if (chosen)
            QVERIFY(f.dlg.shown[0].byDefault == Dialogs::Default::No && f.dlg.shown[0].text.contains(f.native("2026/Mentések/2 1-8.30")) &&
                    f.dlg.shown[0].text.contains("ebbe az évbe: 2026"));
        if (press == "root") QVERIFY(f.dlg.last()->text.contains("nincs visszatölthető"));
        const bool restored = chosen && yes;
        if (restored) QVERIFY(f.dlg.last()->text.startsWith("A visszatöltés sikeresen befejeződött"));
        QCOMPARE(f.data.bytes("2026/Lakasok.dat") == before, !restored);
        QCOMPARE(f.w->listedRecords().size(), restored ? size_t(2) : size_t(1));  // the list is read again
    }
};

QTEST_MAIN(TestYearDataWindow)
#include "tst_yeardata_window.moc"
