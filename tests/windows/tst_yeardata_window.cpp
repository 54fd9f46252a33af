// The main window's year data: the book window from the menu, the new year
// with its dialogs, backup and restore with the restore window. The rules of
// the roll-over, backup and restore are tested on the engine.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

#include "store/clock.h"
#include "store/recordfile.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/frmKiadBevet.h"
#include "windows/frmVisszatoltes.h"

namespace {

const QDateTime kNow(QDate(2026, 3, 15), QTime(9, 7));
const QString kStamp = QStringLiteral("3 15-9.7");

Lakas flat(const char* nev) { return makeLakas(QString::fromUtf8(nev), QStringLiteral("Fő utca"), "1", "1"); }

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKezdo> w;

    explicit Fixture(const char* year) {
        appclock::setNow(kNow);
        data.writeBytes(QStringLiteral("Set.dat"), QByteArray(year, 4) + QByteArray("\0\0", 2));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }
    void open() {
        w = std::make_unique<frmKezdo>(data.folder());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    // Runs `inside` on the modal window that `action` opens.
    template <class W>
    bool withModal(QAction* action, const std::function<void(W&)>& inside) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* m = qobject_cast<W*>(QApplication::activeModalWidget())) {
                seen = true;
                inside(*m);
            }
            if (QWidget* still = QApplication::activeModalWidget()) still->close();
        });
        action->trigger();
        return seen;
    }
    QString path(const QString& relative) const { return QDir(data.path()).filePath(relative); }
};

}  // namespace

class TestYearDataWindow : public QObject {
    Q_OBJECT
private slots:
    void bookFromTheMenu() {
        Fixture f("2026");
        f.open();
        QVERIFY(f.w->mnuKiadBevet->isEnabled());
        QString year;
        QVERIFY(f.withModal<frmKiadBevet>(f.w->mnuKiadBevet, [&](frmKiadBevet& b) {
            year = b.lbEv->text();
            b.mnuVissza->trigger();
        }));
        QCOMPARE(year, QStringLiteral("Aktuális év: 2026."));
    }

    // Year 2021 is current and 2022 has apartments; the answer is typed.
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
        QFETCH(QString, answer);
        QFETCH(bool, inUse);
        QFETCH(bool, yes);
        QFETCH(QStringList, shown);
        QFETCH(QString, yearAfter);
        Fixture f("2021");
        f.data.writeApartments(QStringLiteral("2022"), {flat("Kovács Éva"), flat("Nagy Ilona")});
        if (inUse) f.data.writeApartments(QStringLiteral("2023"), {flat("Régi Lakó")});
        const QByteArray before = f.data.bytes(QStringLiteral("2023/Lakasok.dat"));
        f.open();
        f.dlg.inputs = {answer};
        f.dlg.answers = {yes};
        QTest::mouseClick(f.w->cmdUjEv, Qt::LeftButton);

        QCOMPARE(f.dlg.titles(), shown);
        QCOMPARE(f.dlg.shown[0].text, QStringLiteral("Add meg az új évszámot"));
        if (inUse) QVERIFY(f.dlg.shown[1].kind == QLatin1String("question") && f.dlg.shown[1].defaultNo);
        QCOMPARE(f.w->txtEv->text(), yearAfter);
        QCOMPARE(f.w->AktualisEv(), yearAfter);
        const bool made = yearAfter == QLatin1String("2023");
        QCOMPARE(f.w->listedRecords().size(), made ? size_t(2) : size_t(0));
        QCOMPARE(f.w->cmdUjEv->text(), QStringLiteral("Új év létrehozása %1. évre").arg(yearAfter.toInt() + 1));
        if (!made) QCOMPARE(f.data.bytes(QStringLiteral("2023/Lakasok.dat")), before);
        QCOMPARE(f.data.exists(QStringLiteral("2023/Mentések/") + kStamp), made && inUse);
    }

    void backupFromTheMenu() {
        Fixture f("2026");
        f.data.writeApartments(QStringLiteral("2026"), {flat("Kovács Éva")});
        f.open();
        f.w->mnuAdatMentes->trigger();
        QCOMPARE(f.dlg.titles(), QStringList{"Mentés"});
        QVERIFY(f.dlg.last()->text.startsWith(QStringLiteral("A mentés sikeresen befejeződött\n")));
        QCOMPARE(f.data.bytes(QStringLiteral("2026/Mentések/") + kStamp + QStringLiteral("/Lakasok.dat")),
                 f.data.bytes(QStringLiteral("2026/Lakasok.dat")));
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
        QFETCH(QString, press);
        QFETCH(bool, yes);
        QFETCH(QStringList, shown);
        Fixture f("2026");
        f.data.writeApartments(QStringLiteral("2026/Mentések/2 1-8.30"), {flat("Kovács Éva"), flat("Nagy Ilona")});
        f.data.writeApartments(QStringLiteral("2026"), {flat("Kovács Éva")});
        const QByteArray before = f.data.bytes(QStringLiteral("2026/Lakasok.dat"));
        f.open();
        f.dlg.answers = {yes};
        QVERIFY(f.withModal<frmVisszatoltes>(f.w->mnuAdatVisszatoltes, [&](frmVisszatoltes& r) {
            if (press == QLatin1String("restore")) r.Dir1->setCurrentItem(r.Dir1->topLevelItem(1));
            QTest::mouseClick(press == QLatin1String("cancel") ? r.Command2 : r.Command1, Qt::LeftButton);
        }));

        QCOMPARE(f.dlg.titles(), shown);
        const bool restored = press == QLatin1String("restore") && yes;
        if (press == QLatin1String("restore")) {
            QVERIFY(f.dlg.shown[0].defaultNo);
            QVERIFY(f.dlg.shown[0].text.contains(QDir::toNativeSeparators(f.path("2026/Mentések/2 1-8.30"))));
            QVERIFY(f.dlg.shown[0].text.contains(QStringLiteral("ebbe az évbe: 2026")));
        }
        if (press == QLatin1String("root")) QVERIFY(f.dlg.last()->text.contains(QStringLiteral("nincs visszatölthető")));
        if (restored) QVERIFY(f.dlg.last()->text.startsWith(QStringLiteral("A visszatöltés sikeresen befejeződött")));
        QCOMPARE(f.data.bytes(QStringLiteral("2026/Lakasok.dat")) == before, !restored);
        QCOMPARE(f.w->listedRecords().size(), restored ? size_t(2) : size_t(1));  // the list is read again
    }

    void restoreWindow() {
        Fixture f("2026");
        f.data.writeApartments(QStringLiteral("2026/Mentések/2 1-8.30"), {flat("Kovács Éva")});
        frmVisszatoltes r(f.data.folder(), QStringLiteral("2026"));
        QCOMPARE(r.windowTitle(), QStringLiteral("Form1"));
        const QString root = QDir::toNativeSeparators(f.path("2026/Mentések"));
        QCOMPARE(r.Label1->text(), root);
        QCOMPARE(r.Dir1->topLevelItemCount(), 2);  // ".." and the backup
        r.Dir1->setCurrentItem(r.Dir1->topLevelItem(1));
        QCOMPARE(r.Label1->text(), root + QDir::separator() + QStringLiteral("2 1-8.30"));
        QCOMPARE(r.File1->count(), 1);
        emit r.Dir1->itemActivated(r.Dir1->topLevelItem(0), 0);  // ".." goes up
        QCOMPARE(r.Label1->text(), QDir::toNativeSeparators(f.path("2026")));

        frmVisszatoltes none(f.data.folder(), QStringLiteral("2027"));  // no backups yet
        QVERIFY(none.Label1->text().isEmpty());
        QTest::mouseClick(none.Command1, Qt::LeftButton);
        QVERIFY(none.ValasztottMentes().isEmpty());
    }
};

QTEST_MAIN(TestYearDataWindow)
#include "tst_yeardata_window.moc"
