// The main window: opening, the year controls, exit, the apartment list,
// selection, sorting and clearing the form.

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "app/startup.h"
#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {
const QDate kToday(2026, 12, 6);

QByteArray setDat(const char* year4) { return QByteArray(year4, 4) + QByteArray("\0\0", 2); }

QStringList column(const QTreeWidget* list, int c) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(c);
    return out;
}

QTreeWidgetItem* rowOfRecord(const QTreeWidget* list, int rec) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(4).toInt() == rec) return list->topLevelItem(i);
    return nullptr;
}

// A fully filled apartment, to see every field come back on the pages.
Lakas fullApartment() {
    Lakas l = makeLakas(QStringLiteral("Őri Űrsula"), QStringLiteral("Rózsa utca"), QStringLiteral("12/B"),
                        QStringLiteral("3/11"));
    l.Irsz = 4025;
    l.Helyseg = QStringLiteral("Debrecen");
    l.Epulet = QStringLiteral("Rózsa ház");
    l.Alapterulet = 53;
    l.Pince = true;
    l.PinceDij = 1500;
    l.Garazs = true;
    l.KozosKoltseg = 17400;
    l.SzemetDij = 3200;
    l.Telefon = QStringLiteral("06-52-123456");
    l.Email = QStringLiteral("uri@example.hu");
    l.Megj = QStringLiteral("Kulcs a gondnoknál.");
    const QStringList serials{QStringLiteral("H-1"), QStringLiteral("H-2"), QStringLiteral("M-1"), QStringLiteral("M-2")};
    for (int k = 1; k <= 4; ++k) l.VizoraSzam(k) = serials[k - 1];
    l.ElozoAllas(1) = 120;
    l.UtolsoAllas(1) = 135;  // 15
    l.ElozoAllas(2) = 50;
    l.UtolsoAllas(2) = 40;  // negative: shown as 0
    l.ElozoAllas(3) = 30;
    l.UtolsoAllas(3) = 0;  // no reading: shown as 0, not counted
    l.LeadasDatum = Date::fromQDate(QDate(2026, 3, 14));
    l.Lakok.Statusz(1) = QStringLiteral("tulajdonos");
    l.Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1));
    l.Lakok.AnyjaNeve(1) = QStringLiteral("Szabó Mária");
    l.Lakok.SzulHelye(1) = QStringLiteral("Eger");
    l.Lakok.SzulIdeje(1) = QStringLiteral("1961.05.01");
    l.Lakok.Nev(2) = QStringLiteral("Őri Ádám");
    l.Lakok.Statusz(2) = QStringLiteral("családtag");
    l.Lakok.Bejelentve(2) = Date::fromQDate(QDate(2020, 9, 15));
    l.Lakok.Nev(4) = QStringLiteral("Nem látszik");  // after a blank slot
    return l;
}
}  // namespace

class TestFrmKezdo : public QObject {
    Q_OBJECT
private slots:
    void init() { appclock::setNow(QDateTime(kToday, QTime(10, 0))); }
    void cleanup() { appclock::setNow(QDateTime()); }
    void cleanupTestCase() { m_named.reset(); }

    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void menusAndPages();
    void firstStartInEmptyFolder();
    void storedYearIsOpened_data();
    void storedYearIsOpened();
    void yearTyping();
    void spinButtons_data();
    void spinButtons();
    void exitAsksFirst();
    void closingStoresTheYearAsTyped();
    void listRowsAndTotals();
    void selectionShowsTheApartment();
    void readingDateBefore2000ShowsToday_data();
    void readingDateBefore2000ShowsToday();
    void apartmentWithoutCellar();
    void firstApartmentKeepsItsBuildingAtStart();
    void sortByEachColumn_data();
    void sortByEachColumn();
    void mezoDelKeepsTheHouse();
    void secondCopyTouchesNothing();

private:
    // One window for the object-name rows.
    struct Named {
        TestFolder folder;
        ScriptedDialogs dialogs;
        frmKezdo window{folder.folder()};
    };
    std::unique_ptr<Named> m_named;
};

void TestFrmKezdo::everyControlIsNamed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    const QStringList names = {
        "txtEv|QLineEdit", "UpDown1|QAbstractSpinBox", "cmdUjEv|QPushButton", "ListView1|QTreeWidget",
        "Frame6|QGroupBox", "txtNevKeres|QLineEdit", "txtHelysegKeres|QLineEdit", "txtUtcaKeres|QLineEdit",
        "txtHszKeres|QLineEdit", "txtÉpületKeres|QComboBox", "cmdKeres|QPushButton", "SSTab1|QTabWidget",
        "Frame2|QGroupBox", "txtHelyseg|QLineEdit", "txtIrsz|QLineEdit", "txtUtca|QLineEdit", "txtHsz|QLineEdit",
        "txtAjto|QLineEdit", "txtÉpület|QComboBox", "txtAlapterulet|QLineEdit", "cmbPince|QComboBox",
        "txtPinceDij|QLineEdit", "Label1(53)|QLabel", "cmbGarazs|QComboBox", "txtkozoskoltseg|QLineEdit",
        "txtSzemetdij|QLineEdit", "txtMegj|QPlainTextEdit", "lbKarakter|QLabel", "Frame1(0)|QGroupBox",
        "txtNev|QLineEdit", "cmbStatus|QComboBox", "DTPBejelentve|QDateEdit", "txtAnyjaNeve|QLineEdit",
        "txtSzulHelye|QLineEdit", "DTPSzulIdeje|QLineEdit", "txtTelefon|QLineEdit", "txtEmail|QLineEdit",
        "cmdMail|QPushButton", "cmdNevRogzit|QPushButton", "ListView2|QTreeWidget", "Frame3(0)|QGroupBox",
        "txtHideg1|QLineEdit", "txtHideg2|QLineEdit", "txtMeleg1|QLineEdit", "txtMeleg2|QLineEdit",
        "cmdAdatokRogzitese|QPushButton", "cmdModosit|QPushButton", "cmdUjLakas|QPushButton",
        "cmd1LakoDel|QPushButton", "cmdOsszeLakoDel|QPushButton", "Frame7|QGroupBox", "Frame5(0)|QGroupBox",
        "Frame5(1)|QGroupBox", "ListView3|QTreeWidget", "ListView4|QTreeWidget", "lbKKTartozas|QLabel",
        "lbKKOtartozas|QLabel", "lbHullTartozas|QLabel", "lbHullOTartozas|QLabel", "opEloiras(0)|QRadioButton",
        "opEloiras(1)|QRadioButton", "opEloiras(2)|QRadioButton", "opEloiras(3)|QRadioButton",
        "cmdKozoskEloiras|QPushButton", "txtKozoskBefizet|QLineEdit", "DTPKKbefizet|QDateEdit",
        "cmdKozoskBefiz|QPushButton", "cmdElozoEviKKFelvitel|QPushButton", "cmdSzemetEloiras|QPushButton",
        "txtSzemetBefizet|QLineEdit", "DTPHbefizet|QDateEdit", "cmdSzemetBefiz|QPushButton",
        "cmdElozoEviHFelvitel|QPushButton", "Label1(31)|QLabel", "Label1(33)|QLabel", "Label1(34)|QLabel",
        "Label1(35)|QLabel", "Label1(37)|QLabel", "Label1(38)|QLabel", "Label1(39)|QLabel", "Label1(41)|QLabel",
        "Frame8|QGroupBox", "Frame3(1)|QGroupBox", "DTPLeadas|QDateEdit", "txtElozo(1)|QLineEdit",
        "txtElozo(4)|QLineEdit", "txtUtolso(1)|QLineEdit", "txtUtolso(4)|QLineEdit", "lbvizfogy(1)|QLabel",
        "lbvizfogy(4)|QLabel", "txtHideg11|QLineEdit", "txtHideg22|QLineEdit", "txtMeleg11|QLineEdit",
        "txtMeleg22|QLineEdit", "lbLakasFogy|QLabel", "lbHazFogy|QLabel", "lbHo(0)|QLabel", "lbHo(1)|QLabel",
        "lbLakasEvesVizFogy|QLabel", "lbHazEvesVizFogy|QLabel", "ListView5|QTreeWidget",
        "cmdKozmuModosit|QPushButton", "cmdLeadas|QPushButton", "opVizLeadas(0)|QRadioButton",
        "opVizLeadas(1)|QRadioButton", "Frame4|QGroupBox", "txtStatu|QLineEdit", "List1|QListWidget",
        "cmdStatuszFelv|QPushButton", "Frame9|QGroupBox", "txtÉpületNeve|QLineEdit", "txtKKperNm|QLineEdit",
        "cmdÉpületFelvétele|QPushButton", "cmdÉpületDel|QPushButton", "ListView6|QTreeWidget", "lbDelCim|QLabel",
        "cmdLakásDel|QPushButton", "lbNev(0)|QLabel", "lbNev(1)|QLabel", "lbCim(0)|QLabel", "lbCim(1)|QLabel"};
    for (const QString& n : names) {
        const QStringList parts = n.split(QLatin1Char('|'));
        QTest::newRow(qPrintable(parts[0])) << parts[0] << parts[1];
    }
}

void TestFrmKezdo::everyControlIsNamed() {
    QFETCH(QString, name);
    QFETCH(QString, type);
    if (!m_named) m_named = std::make_unique<Named>();
    const frmKezdo& w = m_named->window;
    const QList<QWidget*> found = w.findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QVERIFY2(found[0]->inherits(qPrintable(type)), qPrintable(found[0]->metaObject()->className()));
    // An input control is named by a visible label, for the keyboard and for screen readers.
    if (type == QLatin1String("QLineEdit") || type == QLatin1String("QComboBox") || type == QLatin1String("QDateEdit")) {
        bool labelled = false;
        for (const QLabel* l : w.findChildren<QLabel*>())
            labelled = labelled || l->buddy() == found[0];
        // Grid cells without a label of their own carry an accessible name.
        QVERIFY2(labelled || !found[0]->accessibleName().isEmpty(), "nothing names this control");
    }
}

void TestFrmKezdo::menusAndPages() {
    TestFolder t;
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    QCOMPARE(w.windowTitle(), QStringLiteral("Domoria program"));
    const QStringList bar = [&] {
        QStringList out;
        for (QAction* a : w.menuBar()->actions()) out << a->text();
        return out;
    }();
    QCOMPARE(bar, (QStringList{"&Kilépés", "&Nyomtatás", "&Egyenleg értesítő", "Kiadás-&Bevétel", "Adatok"}));
    const QList<std::pair<QString, QString>> items{{"mnuPrintEvesKimutatas", "É&ves kimutatás"},
                                                   {"mnuPrintListamezoOsszesito", "Év&es kimutatás összesítő"},
                                                   {"mnuListaPrint", "&Lista nyomtatása"},
                                                   {"mnuEgyenlegErtesito", "&Egyenleg értesítő"},
                                                   {"mnuKiadBevét", "Kiadás-&Bevétel"},
                                                   {"mnuAdatMentes", "Adatok mentése"},
                                                   {"mnuAdatVisszatoltes", "Adatok visszatöltése"}};
    for (const auto& [name, text] : items) {
        auto* a = w.findChild<QAction*>(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), text);
    }
    QVERIFY(w.findChild<QAction*>(QStringLiteral("mnuKilep"))->isEnabled());
    QCOMPARE(w.SSTab1->count(), 4);
    QCOMPARE(w.SSTab1->tabText(0), QStringLiteral("Alap adatok"));
    QCOMPARE(w.SSTab1->tabText(1), QStringLiteral("Közösköltség, Hulladék"));
    QCOMPARE(w.SSTab1->tabText(2), QStringLiteral("Vízóra"));
    QCOMPARE(w.SSTab1->tabText(3), QStringLiteral("Egyéb"));
    QCOMPARE(w.ListView1->headerItem()->text(3), QStringLiteral("Em./ajtó"));
    // The window fits a 1366 x 768 screen.
    QVERIFY(w.minimumSizeHint().width() <= 1366);
    QVERIFY(w.minimumSizeHint().height() <= 740);
}

void TestFrmKezdo::firstStartInEmptyFolder() {
    TestFolder t;
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    for (const char* f : {"Set.dat", "Stat.dat", "Epuletek.dat", "2026/Lakasok.dat"}) {
        QVERIFY2(t.exists(QString::fromLatin1(f)), f);
        QCOMPARE(t.bytes(QString::fromLatin1(f)).size(), 0);
    }
    QCOMPARE(w.txtEv->text(), QStringLiteral("2026"));
    QCOMPARE(w.AktualisEv(), QStringLiteral("2026"));
    QCOMPARE(w.cmdUjEv->text(), QStringLiteral("Új év létrehozása 2027. évre"));
    QVERIFY(w.cmdUjEv->isEnabled());
    QCOMPARE(w.ListView1->topLevelItemCount(), 0);
    QCOMPARE(w.ListView6->topLevelItemCount(), 0);
    QCOMPARE(w.List1->count(), 0);
    QCOMPARE(w.cmbStatus->count(), 0);
    QCOMPARE(w.txtEpulet->count(), 0);
    QCOMPARE(w.txtEpuletKeres->count(), 1);  // the single-blank "any building" item
    QCOMPARE(w.txtEpuletKeres->itemText(0), QStringLiteral(" "));
    QCOMPARE(w.lbKKOtartozas->text(), QStringLiteral("0,-Ft"));
    QCOMPARE(w.lbHullOTartozas->text(), QStringLiteral("0,-Ft"));
    QCOMPARE(w.lbHazFogy->text(), QStringLiteral("0"));
    QCOMPARE(w.lbHazEvesVizFogy->text(), QStringLiteral("0"));
    for (QComboBox* c : {w.cmbPince, w.cmbGarazs}) {
        QCOMPARE(c->count(), 2);
        QCOMPARE(c->itemText(0), QStringLiteral("Van"));
        QCOMPARE(c->currentText(), QStringLiteral("Nincs"));
    }
    for (QDateEdit* d : {w.DTPBejelentve, w.DTPLeadas, w.DTPKKbefizet, w.DTPHbefizet}) QCOMPARE(d->date(), kToday);
    for (QTreeWidget* l : {w.ListView3, w.ListView4, w.ListView5}) QCOMPARE(l->topLevelItemCount(), 13);
    QCOMPARE(w.ListView3->topLevelItem(0)->text(0), QStringLiteral("Január"));
    QCOMPARE(w.ListView4->topLevelItem(11)->text(0), QStringLiteral("December"));
    QCOMPARE(w.ListView3->topLevelItem(12)->text(0), QStringLiteral("Előző évi"));
    QCOMPARE(w.ListView4->topLevelItem(12)->text(0), QStringLiteral("Előző évi"));
    QCOMPARE(w.ListView5->topLevelItem(4)->text(0), QStringLiteral("Május"));
    QCOMPARE(w.ListView5->topLevelItem(12)->text(0), QString());
    QVERIFY(w.cmdAdatokRogzitese->isEnabled());
    QVERIFY(!w.cmdModosit->isEnabled());
    QVERIFY(!w.cmdLakasDel->isEnabled());
    QVERIFY(dlg.shown.empty());
}

void TestFrmKezdo::storedYearIsOpened_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("folder");
    QTest::newRow("last used year") << setDat("2024") << "2024"
                                    << "2024";
    QTest::newRow("blank year: calendar year") << setDat("    ") << "2026"
                                               << "2026";
    QTest::newRow("not a number: calendar year") << setDat("abcd") << "2026"
                                                 << "2026";
    QTest::newRow("two digits stored padded") << setDat("20  ") << "20  "
                                              << "20";
}

void TestFrmKezdo::storedYearIsOpened() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(QString, folder);
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), stored);
    t.writeApartments(QStringLiteral("2024"), {makeLakas(QStringLiteral("Régi"), QStringLiteral("U"), QStringLiteral("1"),
                                                         QStringLiteral("1"))});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    QCOMPARE(w.txtEv->text(), shown);
    QCOMPARE(w.AktualisEv(), folder);
    QVERIFY(t.exists(folder + QStringLiteral("/Lakasok.dat")));
    QCOMPARE(w.ListView1->topLevelItemCount(), folder == QLatin1String("2024") ? 1 : 0);
}

void TestFrmKezdo::yearTyping() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    t.writeApartments(QStringLiteral("2026"), {makeLakas(QStringLiteral("Idei"), QStringLiteral("U"), QStringLiteral("1"),
                                                         QStringLiteral("1"))});
    t.writeApartments(QStringLiteral("2025"),
                      {makeLakas(QStringLiteral("Tavalyi B"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1")),
                       makeLakas(QStringLiteral("Tavalyi A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("2"))});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};

    w.txtEv->setText(QStringLiteral("202"));
    QVERIFY(!w.cmdUjEv->isEnabled());
    QCOMPARE(w.AktualisEv(), QStringLiteral("2026"));
    QCOMPARE(column(w.ListView1, 0), QStringList{QStringLiteral("Idei")});

    w.txtEv->setText(QStringLiteral("2025"));
    QVERIFY(w.cmdUjEv->isEnabled());
    QCOMPARE(w.AktualisEv(), QStringLiteral("2025"));
    QCOMPARE(w.cmdUjEv->text(), QStringLiteral("Új év létrehozása 2026. évre"));
    QCOMPARE(column(w.ListView1, 0), (QStringList{QStringLiteral("Tavalyi A"), QStringLiteral("Tavalyi B")}));
    // The first entry becomes the selected apartment.
    QCOMPARE(w.ListView1->currentItem(), w.ListView1->topLevelItem(0));
    QCOMPARE(w.AktualisLakas(), 2);
    QCOMPARE(w.txtAjto->text(), QStringLiteral("2"));

    // A blank and three digits are four characters: trimmed to "202".
    w.txtEv->setText(QStringLiteral(" 202"));
    QVERIFY(w.cmdUjEv->isEnabled());
    QCOMPARE(w.AktualisEv(), QStringLiteral("202"));
    QVERIFY(t.exists(QStringLiteral("202/Lakasok.dat")));
    QCOMPARE(w.ListView1->topLevelItemCount(), 0);
    QVERIFY(dlg.shown.empty());
}

void TestFrmKezdo::spinButtons_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("after");
    QTest::newRow("up") << "2020" << 1 << "2021";
    QTest::newRow("down") << "2020" << -1 << "2019";
    QTest::newRow("text counts as 0, up") << "xx" << 1 << "1";
    QTest::newRow("text counts as 0, down") << "xx" << -1 << "-1";
}

void TestFrmKezdo::spinButtons() {
    QFETCH(QString, before);
    QFETCH(int, steps);
    QFETCH(QString, after);
    TestFolder t;
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.txtEv->setText(before);
    w.UpDown1->stepBy(steps);
    QCOMPARE(w.txtEv->text(), after);
    // The arrow keys in the year box do the same.
    w.txtEv->setText(before);
    QTest::keyClick(w.txtEv, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(w.txtEv->text(), after);
}

void TestFrmKezdo::exitAsksFirst() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2024"));
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.show();
    w.txtEv->setText(QStringLiteral("2025"));

    dlg.answers = {false};
    w.mnuKilep->trigger();
    QCOMPARE(dlg.shown.size(), size_t(1));
    QCOMPARE(dlg.shown[0].title, QStringLiteral(" Kilépés "));
    QCOMPARE(dlg.shown[0].text, QStringLiteral("Biztos hogy Befejezed?\n\n"));
    QCOMPARE(dlg.shown[0].kind, QStringLiteral("question"));
    QVERIFY(w.isVisible());
    QCOMPARE(t.bytes(QStringLiteral("Set.dat")), setDat("2024"));

    dlg.answers = {true};
    w.mnuKilep->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(t.bytes(QStringLiteral("Set.dat")), setDat("2025"));
}

void TestFrmKezdo::closingStoresTheYearAsTyped() {
    TestFolder t;
    QByteArray stored = setDat("2024");
    stored[4] = '\x12';  // the reserved bytes are written back as read
    stored[5] = '\x34';
    t.writeBytes(QStringLiteral("Set.dat"), stored);
    ScriptedDialogs dlg;
    {
        frmKezdo w{t.folder()};
        w.show();
        w.txtEv->setText(QStringLiteral("20"));
        w.close();
    }
    QCOMPARE(t.bytes(QStringLiteral("Set.dat")), QByteArray("20  \x12\x34", 6));
    frmKezdo next{t.folder()};
    QCOMPARE(next.txtEv->text(), QStringLiteral("20  "));
    QVERIFY(next.cmdUjEv->isEnabled());
    QVERIFY(dlg.shown.empty());
}

void TestFrmKezdo::listRowsAndTotals() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    Lakas a = makeLakas(QStringLiteral("Bíró Anna"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("1"));
    a.KKEloiras(1) = 10000;
    a.KKBefizetes(1) = 4000;
    a.KKEloiras(13) = 7000;  // not part of the house arrears
    a.HEloiras(2) = 3000;
    a.ElozoAllas(1) = 100;
    a.UtolsoAllas(1) = 112;
    a.HaviFogyasztas1(2) = 12;
    Lakas b = makeLakas(QStringLiteral("Antal Béla"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2"));
    b.HBefizetes(2) = 3300;
    b.ElozoAllas(3) = 10;
    b.UtolsoAllas(3) = 15;
    b.HaviFogyasztas3(5) = 5;
    t.writeApartments(QStringLiteral("2026"), {a, b});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    QCOMPARE(column(w.ListView1, 0), (QStringList{QStringLiteral("Antal Béla"), QStringLiteral("Bíró Anna")}));
    QCOMPARE(column(w.ListView1, 4), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    QCOMPARE(w.lbKKOtartozas->text(), QStringLiteral("6000,-Ft"));
    QCOMPARE(w.lbHullOTartozas->text(), QStringLiteral("-300,-Ft"));
    QCOMPARE(w.lbHazFogy->text(), QStringLiteral("17"));
    QCOMPARE(w.lbHazEvesVizFogy->text(), QStringLiteral("17"));
}

void TestFrmKezdo::selectionShowsTheApartment() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    t.writeApartments(QStringLiteral("2026"),
                      {makeLakas(QStringLiteral("Első"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1")),
                       fullApartment()});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.ListView1->setCurrentItem(rowOfRecord(w.ListView1, 2));

    QCOMPARE(w.AktualisLakas(), 2);
    QVERIFY(!w.cmdAdatokRogzitese->isEnabled());
    QVERIFY(w.cmdModosit->isEnabled());
    QVERIFY(!w.cmd1LakoDel->isEnabled());
    QVERIFY(w.cmdLakasDel->isEnabled());
    QVERIFY(w.cmdKozmuModosit->isEnabled());

    const QList<std::pair<QLineEdit*, QString>> texts{
        {w.txtTelefon, "06-52-123456"}, {w.txtEmail, "uri@example.hu"}, {w.txtIrsz, "4025"},
        {w.txtHelyseg, "Debrecen"},     {w.txtUtca, "Rózsa utca"},      {w.txtHsz, "12/B"},
        {w.txtAjto, "3/11"},            {w.txtAlapterulet, "53"},       {w.txtPinceDij, "1500"},
        {w.txtkozoskoltseg, "17400"},   {w.txtSzemetdij, "3200"},       {w.txtHideg1, "H-1"},
        {w.txtHideg2, "H-2"},           {w.txtMeleg1, "M-1"},           {w.txtMeleg2, "M-2"},
        {w.txtHideg11, "H-1"},          {w.txtHideg22, "H-2"},          {w.txtMeleg11, "M-1"},
        {w.txtMeleg22, "M-2"},          {w.txtElozo[1], "120"},         {w.txtUtolso[1], "135"},
        {w.txtElozo[2], "50"},          {w.txtUtolso[2], "40"},         {w.txtElozo[3], "30"},
        {w.txtUtolso[3], "0"}};
    for (const auto& [edit, expected] : texts) QCOMPARE(edit->text(), expected);
    QVERIFY(w.cmdMail->isEnabled());
    QCOMPARE(w.cmbGarazs->currentText(), QStringLiteral("Van"));
    QCOMPARE(w.cmbPince->currentText(), QStringLiteral("Van"));
    QVERIFY(!w.txtPinceDij->isHidden());
    QCOMPARE(w.txtEpulet->currentText(), QStringLiteral("Rózsa ház"));
    QCOMPARE(w.txtMegj->toPlainText(), QStringLiteral("Kulcs a gondnoknál."));
    QCOMPARE(w.lbDelCim->text(), QStringLiteral("Rózsa utca 12/B 3/11"));
    QCOMPARE(w.DTPLeadas->date(), QDate(2026, 3, 14));
    for (QLabel* l : w.lbHo) QCOMPARE(l->text(), QStringLiteral("3."));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(w.lbNev[i]->text(), QStringLiteral("Őri Űrsula"));
        QCOMPARE(w.lbCim[i]->text(), QStringLiteral("4025 Debrecen, Rózsa utca 12/B 3/11"));
    }
    QCOMPARE(w.lbvizfogy[1]->text(), QStringLiteral("15"));
    QCOMPARE(w.lbvizfogy[2]->text(), QStringLiteral("0"));
    QCOMPARE(w.lbvizfogy[3]->text(), QStringLiteral("0"));
    QCOMPARE(w.lbLakasFogy->text(), QStringLiteral("15"));

    // Residents up to the first blank slot.
    QCOMPARE(w.ListView2->topLevelItemCount(), 2);
    const QTreeWidgetItem* first = w.ListView2->topLevelItem(0);
    const QStringList expected{"Őri Űrsula", "tulajdonos", "2019. 04. 01.", "Szabó Mária", "Eger", "1961.05.01"};
    for (int c = 0; c < 6; ++c) QCOMPARE(first->text(c), expected[c]);
    QCOMPARE(w.ListView2->topLevelItem(1)->text(2), QStringLiteral("2020. 09. 15."));

    // Another apartment without e-mail disables the mail button.
    w.ListView1->setCurrentItem(rowOfRecord(w.ListView1, 1));
    QVERIFY(!w.cmdMail->isEnabled());
    QCOMPARE(w.AktualisLakas(), 1);
    QVERIFY(dlg.shown.empty());
}

void TestFrmKezdo::readingDateBefore2000ShowsToday_data() {
    QTest::addColumn<QDate>("stored");
    QTest::addColumn<QDate>("shown");
    QTest::newRow("empty date") << QDate() << kToday;
    QTest::newRow("1999-12-31") << QDate(1999, 12, 31) << kToday;
    QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << QDate(2000, 1, 1);
}

void TestFrmKezdo::readingDateBefore2000ShowsToday() {
    QFETCH(QDate, stored);
    QFETCH(QDate, shown);
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    Lakas l = makeLakas(QStringLiteral("A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1"));
    l.LeadasDatum = Date::fromQDate(stored);
    t.writeApartments(QStringLiteral("2026"), {l});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    QCOMPARE(w.DTPLeadas->date(), shown);
    QCOMPARE(w.lbHo[0]->text(), QString::number(shown.month()) + QLatin1Char('.'));
}

void TestFrmKezdo::apartmentWithoutCellar() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    Lakas l = makeLakas(QString(), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1"));
    l.Pince = false;
    l.PinceDij = 900;
    t.writeApartments(QStringLiteral("2026"), {l});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.show();
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    QCOMPARE(w.cmbPince->currentText(), QStringLiteral("Nincs"));
    QVERIFY(w.txtPinceDij->isHidden());
    QVERIFY(w.Label1.at(53)->isHidden());
    QCOMPARE(w.txtPinceDij->text(), QStringLiteral("0"));
    QCOMPARE(w.lbNev[0]->text(), QString());
    QCOMPARE(w.ListView2->topLevelItemCount(), 0);
}

void TestFrmKezdo::firstApartmentKeepsItsBuildingAtStart() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    t.writeBuildings({makeEpulet(QStringLiteral("Rózsa ház"), 300), makeEpulet(QStringLiteral("Másik ház"), 250)});
    Lakas l = makeLakas(QStringLiteral("A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1"));
    l.Epulet = QStringLiteral("Rózsa ház");
    l.Pince = true;
    l.PinceDij = 800;
    l.Garazs = true;
    l.LeadasDatum = Date::fromQDate(QDate(2026, 3, 14));
    t.writeApartments(QStringLiteral("2026"), {l});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    // The year handling selected the first apartment; what the opening fills
    // afterwards must not overwrite what it shows.
    QCOMPARE(w.AktualisLakas(), 1);
    QCOMPARE(w.txtEpulet->currentText(), QStringLiteral("Rózsa ház"));
    QCOMPARE(w.txtEpulet->count(), 2);
    QCOMPARE(w.cmbPince->currentText(), QStringLiteral("Van"));
    QCOMPARE(w.txtPinceDij->text(), QStringLiteral("800"));
    QCOMPARE(w.cmbGarazs->currentText(), QStringLiteral("Van"));
    QCOMPARE(w.DTPLeadas->date(), QDate(2026, 3, 14));
    QCOMPARE(w.lbHo[0]->text(), QStringLiteral("3."));
    QCOMPARE(w.ListView1->currentItem(), w.ListView1->topLevelItem(0));
}

void TestFrmKezdo::sortByEachColumn_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("order");  // texts of that column, top to bottom
    QTest::newRow("name, Hungarian collation") << 0 << QStringList{"ábel", "Ágnes", "Bors", "Cecil", "Czakó", "Csaba",
                                                                   "Oszkár", "Ödön", "Zoé", "Zsolt"};
    QTest::newRow("street") << 1 << QStringList{"A", "A", "B", "B", "B", "C", "C", "C", "Ó", "Ú"};
    QTest::newRow("house number as text") << 2 << QStringList{"1", "10", "11", "12", "13", "2", "3", "4", "5", "6"};
    QTest::newRow("door") << 3 << QStringList{"a", "a", "a", "a", "a", "b", "b", "b", "b", "b"};
    QTest::newRow("rec as text: 10 before 9") << 4 << QStringList{"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"};
}

void TestFrmKezdo::sortByEachColumn() {
    QFETCH(int, column);
    QFETCH(QStringList, order);
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    const QStringList names{"Zsolt", "Ödön", "Csaba", "ábel", "Czakó", "Bors", "Ágnes", "Oszkár", "Cecil", "Zoé"};
    const QStringList streets{"B", "A", "C", "Ú", "B", "A", "C", "Ó", "B", "C"};
    const QStringList houses{"1", "2", "3", "4", "5", "6", "10", "11", "12", "13"};
    std::vector<Lakas> flats;
    for (int i = 0; i < 10; ++i)
        flats.push_back(makeLakas(names[i], streets[i], houses[i], i % 2 ? QStringLiteral("a") : QStringLiteral("b")));
    t.writeApartments(QStringLiteral("2026"), flats);
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.show();
    if (column != 0) {
        QTest::mouseClick(w.ListView1->header()->viewport(), Qt::LeftButton, {},
                          QPoint(w.ListView1->header()->sectionViewportPosition(column) + 5, 5));
        // A second click keeps the ascending order.
        QTest::mouseClick(w.ListView1->header()->viewport(), Qt::LeftButton, {},
                          QPoint(w.ListView1->header()->sectionViewportPosition(column) + 5, 5));
    }
    QCOMPARE(::column(w.ListView1, column), order);
    // The order holds across a refill.
    w.LakasokBeolvas();
    QCOMPARE(::column(w.ListView1, column), order);
}

void TestFrmKezdo::mezoDelKeepsTheHouse() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2026"));
    t.writeApartments(QStringLiteral("2026"), {fullApartment()});
    ScriptedDialogs dlg;
    frmKezdo w{t.folder()};
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    w.txtNev->setText(QStringLiteral("valaki"));
    w.MezoDel();
    for (QLineEdit* e : {w.txtNev, w.txtHsz, w.txtAjto, w.txtTelefon, w.txtEmail, w.txtHideg1, w.txtMeleg22,
                         w.txtAlapterulet, w.txtkozoskoltseg, w.txtSzemetdij, w.txtAnyjaNeve, w.txtSzulHelye,
                         w.DTPSzulIdeje, w.txtElozo[1], w.txtUtolso[4]})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(w.txtMegj->toPlainText(), QString());
    QCOMPARE(w.lbvizfogy[1]->text(), QString());
    QCOMPARE(w.lbNev[0]->text(), QString());
    QCOMPARE(w.lbCim[1]->text(), QString());
    QCOMPARE(w.lbLakasFogy->text(), QStringLiteral("0"));
    QCOMPARE(w.cmbPince->currentText(), QStringLiteral("Nincs"));
    QCOMPARE(w.cmbGarazs->currentText(), QStringLiteral("Nincs"));
    QCOMPARE(w.ListView2->topLevelItemCount(), 0);
    QVERIFY(!w.cmdModosit->isEnabled());
    QVERIFY(!w.cmd1LakoDel->isEnabled());
    QVERIFY(w.cmdLakasDel->isEnabled());  // unchanged
    QCOMPARE(QApplication::focusWidget(), w.txtHsz);
    // The house stays for the next apartment.
    QCOMPARE(w.txtHelyseg->text(), QStringLiteral("Debrecen"));
    QCOMPARE(w.txtIrsz->text(), QStringLiteral("4025"));
    QCOMPARE(w.txtUtca->text(), QStringLiteral("Rózsa utca"));
    QCOMPARE(w.txtEpulet->currentText(), QStringLiteral("Rózsa ház"));
}

void TestFrmKezdo::secondCopyTouchesNothing() {
    TestFolder t;
    t.writeBytes(QStringLiteral("Set.dat"), setDat("2024"));
    auto first = startup::lockDataFolder(t.path());
    QVERIFY(first);
    const QStringList before = QDir(t.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ScriptedDialogs dlg;
    QCOMPARE(startup::run(*qApp, t.path()), 1);
    QCOMPARE(dlg.shown.size(), size_t(1));
    QCOMPARE(dlg.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(dlg.shown[0].text, startup::alreadyRunningText(t.path()));
    QCOMPARE(QDir(t.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(t.bytes(QStringLiteral("Set.dat")), setDat("2024"));
    first.reset();
    QVERIFY(startup::lockDataFolder(t.path()));  // free again once the first copy is gone
}

QTEST_MAIN(TestFrmKezdo)
#include "tst_frmkezdo.moc"
