// The register controls of the main window: each button and list bound to
// its operation, with the exact questions and messages, the focus, the
// enabled states afterwards and the records as written.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "store/clock.h"
#include "store/recordfile.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {

const QString kModifyTitle = QStringLiteral("Lakás adatok módosítása");

std::vector<Lakas> sampleFlats() {
    std::vector<Lakas> v;
    const char* rows[][4] = {{"Kovács Péter", "Rózsa utca", "1", "Rózsa ház"}, {"Nagy Ilona", "Rózsa utca", "12", "Rózsa ház"},
                             {"Őri Árpád", "Fő utca", "3", "Tölgy"}, {"Szűcs Erzsébet", "Rózsa utca", "21", "Rózsa ház"}};
    for (const auto& r : rows) {
        Lakas l = makeLakas(r[0], r[1], r[2], QStringLiteral("1"));
        l.Epulet = r[3];
        l.Alapterulet = 50;
        l.KozosKoltseg = 15000;
        l.Email = QStringLiteral("lako@example.hu");
        l.Lakok.Statusz(1) = QStringLiteral("tulajdonos");
        for (int m = 1; m <= 3; ++m) l.KKEloiras(m) = 15000, l.HEloiras(m) = 3200;
        l.KKBefizetes(1) = 15000;
        l.KKEloiras(13) = 5000;
        l.UtolsoAllas(1) = 135, l.ElozoAllas(1) = 120;
        l.LeadasDatum = Date::fromQDate(QDate(2026, 2, 28));
        v.push_back(l);
    }
    v[0].Lakok.Nev(2) = QStringLiteral("Kovács Anna");
    v[0].Lakok.Nev(3) = QStringLiteral("Kovács Bence");
    v[0].Pince = true;
    v[0].PinceDij = 1000;
    return v;
}

// A window over four apartments, two buildings and two statuses, with
// apartment 1 selected.
struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKezdo> w;

    Fixture() {
        data.writeBuildings({makeEpulet(QStringLiteral("Rózsa ház"), 300), makeEpulet(QStringLiteral("Tölgy"), 250)});
        data.writeStatuses({QStringLiteral("tulajdonos"), QStringLiteral("bérlő")});
        data.writeApartments(QStringLiteral("2026"), sampleFlats());
        data.writeBytes(files::Set, QByteArray("2026\0\0", 6));
        appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        w = std::make_unique<frmKezdo>(data.folder());
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
        select(1);
    }
    ~Fixture() { appclock::setNow(QDateTime()); }

    template <class T = QLineEdit>
    T* find(const char* name) const {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QString text(const char* name) const { return find(name)->text(); }
    QTreeWidgetItem* row(int rec) const {
        const auto found = w->ListView1->findItems(QString::number(rec), Qt::MatchExactly, 4);
        return found.isEmpty() ? nullptr : found.first();
    }
    void select(int rec) const { w->ListView1->setCurrentItem(row(rec)); }
    static void clickRow(QTreeWidget* list, int index) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(index)).center());
    }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    std::vector<Lakas> stored() const { return data.readApartments(QStringLiteral("2026")); }
    QByteArray bytes() const { return data.bytes(QStringLiteral("2026/Lakasok.dat")); }
    bool lastError(const QString& message) const {
        const auto* s = dlg.last();
        return s && s->kind == QStringLiteral("message") && s->title == QStringLiteral("Hiba") && s->text == message &&
               s->icon == Dialogs::Icon::Critical;
    }

    // cmdUjLakas, then a new apartment in "Rózsa ház" with one resident.
    void enterNewApartment() const {
        button("cmdUjLakas")->click();
        find("txtIrsz")->setText(QStringLiteral("1111"));
        find("txtHsz")->setText(QStringLiteral("7"));
        find("txtAjto")->setText(QStringLiteral("2/5"));
        find("txtAlapterulet")->setText(QStringLiteral("52.6"));
        find("txtNev")->setText(QStringLiteral("Új Lakó"));
        find<QComboBox>("cmbStatus")->setCurrentText(QStringLiteral("bérlő"));
        button("cmdNevRogzit")->click();
    }
    void typeResident(const QString& nev, const QString& statusz) const {
        find("txtNev")->setText(nev);
        find<QComboBox>("cmbStatus")->setCurrentText(statusz);
    }
};

using Edit = std::function<void(Fixture&)>;

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestRegisterWindow : public QObject {
    Q_OBJECT
private slots:
    // cmdUjLakas clears the form; a resident added then only changes the
    // screen and allows the add, which asks and appends a zeroed record.
    void addApartment() {
        Fixture f;
        const QByteArray before = f.bytes();
        f.button("cmdUjLakas")->click();
        QVERIFY(!f.button("cmdAdatokRogzitese")->isEnabled() && !f.button("cmdModosit")->isEnabled());
        QVERIFY(f.button("cmdLakásDel")->isEnabled());
        QVERIFY(!f.find("txtPinceDij")->isVisible());
        QCOMPARE(f.text("txtPinceDij"), QStringLiteral("0"));
        QCOMPARE(f.focused(), QStringLiteral("txtHsz"));
        f.enterNewApartment();
        QVERIFY(f.dlg.shown.empty());
        QCOMPARE(f.bytes(), before);
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("15780"));
        QVERIFY(f.button("cmdAdatokRogzitese")->isEnabled());
        QCOMPARE(f.focused(), QStringLiteral("txtNev"));

        f.dlg.answers = {true};
        QTest::mouseClick(f.button("cmdAdatokRogzitese"), Qt::LeftButton);
        QCOMPARE(f.dlg.shown.size(), size_t(1));
        QCOMPARE(f.dlg.shown[0].title, QStringLiteral("Lakás felvétele"));
        QCOMPARE(f.dlg.shown[0].text, QStringLiteral("Biztos mehet \naz új lakás felvétele?\n"));
        const Lakas l = f.stored().at(4);
        QCOMPARE(l.Lakok.Nev(1).text() + l.Lakok.Statusz(1).text(), QStringLiteral("Új Lakóbérlő"));
        QCOMPARE(l.Lakok.Bejelentve(1), Date::fromQDate(QDate(2026, 3, 15)));
        QCOMPARE(l.Helyseg.text() + l.Utca.text() + l.Epulet.text(), QStringLiteral("BudapestRózsa utcaRózsa ház"));
        QCOMPARE(int(l.Alapterulet), 53);
        QCOMPARE(l.KozosKoltseg, 15780);
        QCOMPARE(l.KKEloiras, Lakas{}.KKEloiras);
        QCOMPARE(f.w->ListView1->topLevelItemCount(), 5);
        QVERIFY(f.text("txtHsz").isEmpty());
        QCOMPARE(f.text("txtUtca"), QStringLiteral("Rózsa utca"));
    }

    // A refusal focuses the field it names and writes nothing.
    void addRefused_data() {
        QTest::addColumn<Edit>("change");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("town") << Edit([](Fixture& f) { f.find("txtHelyseg")->clear(); }) << "Nincs megadva helységnév!"
                              << "txtHelyseg";
        QTest::newRow("building") << Edit([](Fixture& f) { f.w->txtEpulet->setCurrentText(QStringLiteral(" ")); })
                                  << "Nincs megadva Épület!" << "txtÉpület";
        QTest::newRow("no resident") << Edit([](Fixture& f) { f.w->ListView2->clear(); }) << "Nincs lakó rögzítve!"
                                     << "txtNev";
        QTest::newRow("common cost") << Edit([](Fixture& f) { f.find("txtkozoskoltseg")->setText(QStringLiteral("1,5")); })
                                     << "A közösköltség összege csak egész szám lehet, -2147483648 és 2147483647 között!"
                                     << "txtkozoskoltseg";
    }
    void addRefused() {
        QFETCH(Edit, change); QFETCH(QString, message); QFETCH(QString, focus);
        Fixture f;
        f.enterNewApartment();
        change(f);
        const QByteArray before = f.bytes();
        f.button("cmdAdatokRogzitese")->click();
        QCOMPARE(f.dlg.shown.size(), size_t(1));
        QVERIFY(f.lastError(message));
        QCOMPARE(f.focused(), focus);
        QCOMPARE(f.bytes(), before);
    }

    // No writes nothing; Yes keeps the ledger, updates the list row and
    // clears the resident inputs.
    void modifyApartment() {
        Fixture f;
        f.select(2);
        f.find("txtUtca")->setText(QStringLiteral("Rózsa köz"));
        f.find("txtSzemetdij")->setText(QStringLiteral(" "));
        const QByteArray before = f.bytes();
        f.button("cmdModosit")->click();
        QCOMPARE(f.bytes(), before);
        QVERIFY(f.button("cmdModosit")->isEnabled());

        f.dlg.answers = {true};
        f.button("cmdModosit")->click();
        QCOMPARE(f.dlg.last()->title, kModifyTitle);
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos mehet \na kijelölt lakás módosítása?\n"));
        Lakas expected = sampleFlats()[1];
        expected.Utca = QStringLiteral("Rózsa köz");
        QCOMPARE(f.stored()[1], expected);
        QCOMPARE(f.text("txtSzemetdij"), QStringLiteral("0"));
        QCOMPARE(f.row(2)->text(1), QStringLiteral("Rózsa köz"));
        QVERIFY(!f.button("cmdModosit")->isEnabled());
        QVERIFY(f.text("txtEmail").isEmpty());
        QCOMPARE(f.focused(), QStringLiteral("txtNev"));
    }

    // A resident added to the selected apartment is stored after the modify
    // question, in the next slot.
    void addResident() {
        Fixture f;
        f.typeResident(QStringLiteral("  Kovács Dóra "), QStringLiteral("családtag"));
        f.dlg.answers = {true};
        f.button("cmdNevRogzit")->click();
        QCOMPARE(f.dlg.titles(), QStringList{kModifyTitle});
        const Lakas l = f.stored()[0];
        QCOMPARE(l.Lakok.Nev(4).text() + l.Lakok.Statusz(4).text(), QStringLiteral("Kovács Dóracsaládtag"));
        QCOMPARE(l.KKEloiras(13), 5000);
        QVERIFY(f.text("txtNev").isEmpty());
        QCOMPARE(f.focused(), QStringLiteral("txtNev"));
    }

    void addResidentRefused_data() {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("statusz");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no name") << " " << "bérlő" << 3 << "Nincs megadva a lakó neve!" << "txtNev";
        QTest::newRow("no status") << "Kiss Éva" << "" << 3 << "Nincs megadva lakó státusza!" << "cmbStatus";
        QTest::newRow("eleventh") << "Kiss Éva" << "bérlő" << 10 << "Egy lakásban legfeljebb 10 lakó lehet!" << "txtNev";
    }
    void addResidentRefused() {
        QFETCH(QString, nev); QFETCH(QString, statusz); QFETCH(int, rows); QFETCH(QString, message); QFETCH(QString, focus);
        Fixture f;
        while (f.w->ListView2->topLevelItemCount() < rows) new QTreeWidgetItem(f.w->ListView2, {QStringLiteral("Lakó")});
        f.typeResident(nev, statusz);
        const QByteArray before = f.bytes();
        f.button("cmdNevRogzit")->click();
        QCOMPARE(f.dlg.shown.size(), size_t(1));
        QVERIFY(f.lastError(message));
        QCOMPARE(f.focused(), focus);
        QCOMPARE(f.w->ListView2->topLevelItemCount(), rows);
        QCOMPARE(f.bytes(), before);
    }

    // A click shows the resident; removing it moves the later ones up.
    void showAndRemoveResident() {
        Fixture f;
        QVERIFY(!f.button("cmd1LakoDel")->isEnabled());
        Fixture::clickRow(f.w->ListView2, 0);
        QCOMPARE(f.find<QComboBox>("cmbStatus")->currentText(), QStringLiteral("tulajdonos"));
        Fixture::clickRow(f.w->ListView2, 1);
        QCOMPARE(f.text("txtNev"), QStringLiteral("Kovács Anna"));
        QVERIFY(f.button("cmd1LakoDel")->isEnabled());
        f.dlg.answers = {true};
        f.button("cmd1LakoDel")->click();
        QCOMPARE(f.dlg.titles(), QStringList{kModifyTitle});
        const Lakas l = f.stored()[0];
        QCOMPARE(l.Lakok.Nev(2).text(), QStringLiteral("Kovács Bence"));
        QVERIFY(l.Lakok.Nev(3).isBlank());
        QVERIFY(!f.button("cmd1LakoDel")->isEnabled());
    }

    // All residents go, and with them the telephone and e-mail boxes.
    void removeAllResidents() {
        Fixture f;
        f.dlg.answers = {true};
        f.button("cmdOsszeLakoDel")->click();
        QCOMPARE(f.dlg.titles(), QStringList{kModifyTitle});
        const Lakas l = f.stored()[0];
        QVERIFY(l.Lakok.Nev(1).isBlank() && l.Email.isBlank());
        QCOMPARE(l.KKBefizetes(1), 15000);
        QVERIFY(!f.button("cmdAdatokRogzitese")->isEnabled());
        QCOMPARE(f.w->ListView2->topLevelItemCount(), 0);
    }

    // The common cost follows the area, the building choice and the cellar
    // fee; the cellar choice shows or hides the fee; the remark is counted.
    void computedCommonCost() {
        Fixture f;  // apartment 1: 50 m2 in "Rózsa ház" (300), cellar fee 1000
        auto* pince = f.find<QComboBox>("cmbPince");
        auto* fee = f.find("txtPinceDij");
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("15000"));  // the stored amount is shown last
        f.find("txtAlapterulet")->setText(QStringLiteral("52.6"));
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("16780"));
        QTest::keyClick(fee, Qt::Key_Backspace);
        QTest::keyClick(fee, Qt::Key_Backspace);
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("15790"));
        QTest::keyClick(pince, Qt::Key_Down);
        QVERIFY(!fee->isVisible() && !f.w->Label1.at(53)->isVisible());
        QCOMPARE(fee->text(), QStringLiteral("0"));
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("15780"));
        QTest::keyClick(pince, Qt::Key_Up);
        QVERIFY(fee->isVisible());
        QTest::keyClick(f.w->txtEpulet, Qt::Key_Down);  // "Tölgy", 250
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("13150"));
        QVERIFY(f.dlg.shown.empty());

        f.w->txtEpulet->setCurrentText(QString());
        QTest::keyClicks(fee, QStringLiteral("1"));
        QVERIFY(f.lastError(QStringLiteral("Nincs épüet kijelülve!\nPótold...")));
        QCOMPARE(f.focused(), QStringLiteral("txtÉpület"));
        QCOMPARE(f.text("txtkozoskoltseg"), QStringLiteral("13150"));

        f.find<QPlainTextEdit>("txtMegj")->setPlainText(QString(310, QLatin1Char('x')));
        QCOMPARE(f.find<QLabel>("lbKarakter")->text(), QStringLiteral("-10"));
    }

    void mail_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("stored address") << "" << "mailto:lako@example.hu";
        QTest::newRow("blank inside") << "a b@c.hu" << "";
    }
    void mail() {
        QFETCH(QString, address); QFETCH(QString, opened);
        Fixture f;
        QVERIFY(f.button("cmdMail")->isEnabled());
        if (!address.isEmpty()) f.find("txtEmail")->setText(address);
        f.button("cmdMail")->click();
        QCOMPARE(f.dlg.opened.size(), size_t(opened.isEmpty() ? 0 : 1));
        if (!opened.isEmpty()) {
            QCOMPARE(f.dlg.opened[0].toString(), opened);
            return;
        }
        QVERIFY(f.lastError(QStringLiteral("Hibás e-mail cím!\nA cím nem lehet üres, és nem lehet benne szóköz vagy "
                                           "vezérlő karakter.")));
        QCOMPARE(f.focused(), QStringLiteral("txtEmail"));
    }

    void addStatus() {
        Fixture f;
        auto* add = f.button("cmdStatuszFelv");
        f.find("txtStatu")->setText(QStringLiteral("  "));
        QVERIFY(!add->isEnabled());
        f.find("txtStatu")->setText(QStringLiteral("albérlő"));
        add->click();
        QCOMPARE(f.data.bytes(files::Stat).size(), 3 * StatuszRec::Length);
        QCOMPARE(f.find<QListWidget>("List1")->item(2)->text(), QStringLiteral("albérlő"));
        QCOMPARE(f.find<QComboBox>("cmbStatus")->count(), 3);
        QVERIFY(f.text("txtStatu").isEmpty() && !add->isEnabled());
    }

    // A building is added with its rate rounded (an overlong rate refused),
    // the lists refilled; a row click allows its delete, which renumbers.
    void buildings() {
        Fixture f;
        f.w->SSTab1->setCurrentIndex(3);
        auto* add = f.button("cmdÉpületFelvétele");
        auto* del = f.button("cmdÉpületDel");
        auto* list = f.find<QTreeWidget>("ListView6");
        f.find("txtÉpületNeve")->setText(QStringLiteral(" "));
        QVERIFY(add->isEnabled() && !del->isEnabled());
        f.find("txtÉpületNeve")->setText(QStringLiteral("Új ház"));
        f.find("txtKKperNm")->setText(QStringLiteral("40000"));
        const QByteArray before = f.data.bytes(files::Epuletek);
        add->click();
        QVERIFY(f.lastError(QStringLiteral("A közösköltség díja csak -32768 és 32767 közötti szám lehet!")));
        QCOMPARE(f.focused(), QStringLiteral("txtKKperNm"));
        QCOMPARE(f.data.bytes(files::Epuletek), before);

        f.find("txtKKperNm")->setText(QStringLiteral("250.6"));
        add->click();
        std::vector<Epulet> expected{makeEpulet(QStringLiteral("Rózsa ház"), 300), makeEpulet(QStringLiteral("Tölgy"), 250),
                                     makeEpulet(QStringLiteral("Új ház"), 251)};
        const auto readBack = [&] { return RecordFile<Epulet>(f.data.folder().file(files::Epuletek)).readAll().value(); };
        QCOMPARE(readBack(), expected);
        QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("251"));
        QCOMPARE(f.find<QComboBox>("txtÉpületKeres")->itemText(3), QStringLiteral(" "));
        QCOMPARE(f.w->txtEpulet->currentText(), QStringLiteral("Új ház"));
        QVERIFY(!add->isEnabled() && f.text("txtÉpületNeve").isEmpty() && f.text("txtKKperNm").isEmpty());

        Fixture::clickRow(list, 1);
        QVERIFY(del->isEnabled());
        del->click();
        expected.erase(expected.begin() + 1);
        QCOMPARE(readBack(), expected);
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("2"));
        QVERIFY(!del->isEnabled());
        QCOMPARE(f.stored()[2].Epulet.text(), QStringLiteral("Tölgy"));
    }

    // The delete names the apartment; No only disables the button; Yes
    // removes the record and leaves no apartment selected.
    void deleteApartment() {
        Fixture f;
        f.select(3);
        f.w->SSTab1->setCurrentIndex(3);
        auto* del = f.button("cmdLakásDel");
        const QByteArray before = f.bytes();
        del->click();
        QCOMPARE(f.dlg.last()->title, QStringLiteral("Lakás TÖRLÉSE"));
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos mehet a kijelölt lakás:\n\nFő utca 3 1\n\nVÉGLEGES TÖRLÉSE?"));
        QVERIFY(!del->isEnabled());
        QCOMPARE(f.bytes(), before);

        f.select(1), f.select(3);
        f.dlg.answers = {true, true};
        del->click();
        auto expected = sampleFlats();
        expected.erase(expected.begin() + 2);
        QCOMPARE(f.stored(), expected);
        QCOMPARE(f.w->ListView1->topLevelItemCount(), 3);
        QVERIFY(f.find<QLabel>("lbDelCim")->text().isEmpty());
        QVERIFY(!del->isEnabled() && !f.button("cmdModosit")->isEnabled());
        // A resident added now cannot reach the apartment that became number 3.
        f.typeResident(QStringLiteral("Valaki"), QStringLiteral("bérlő"));
        f.button("cmdNevRogzit")->click();
        QCOMPARE(f.stored(), expected);
    }

    // The search narrows the list, shows the found apartments' totals and
    // selects the first row; the yearly water total stays.
    void search() {
        Fixture f;
        const QString yearly = f.find<QLabel>("lbHazEvesVizFogy")->text();
        f.find("txtHszKeres")->setText(QStringLiteral("1"));
        f.find("txtUtcaKeres")->setText(QStringLiteral("rózsa "));
        f.button("cmdKeres")->click();
        QStringList found;
        for (int i = 0; i < f.w->ListView1->topLevelItemCount(); ++i) found << f.w->ListView1->topLevelItem(i)->text(4);
        QCOMPARE(found, (QStringList{"1", "2", "4"}));
        QCOMPARE(f.find<QLabel>("lbKKOtartozas")->text(), QStringLiteral("90000,-Ft"));
        QCOMPARE(f.find<QLabel>("lbHullOTartozas")->text(), QStringLiteral("28800,-Ft"));
        QCOMPARE(f.find<QLabel>("lbHazFogy")->text(), QStringLiteral("45"));
        QCOMPARE(f.find<QLabel>("lbHazEvesVizFogy")->text(), yearly);
        QCOMPARE(f.focused(), QStringLiteral("ListView1"));
        QCOMPARE(f.w->ListView1->currentItem(), f.w->ListView1->topLevelItem(0));

        f.find("txtNevKeres")->setText(QStringLiteral("xyz"));
        QTest::keyClick(f.find("txtNevKeres"), Qt::Key_Return);
        QCOMPARE(f.w->ListView1->topLevelItemCount(), 0);
        QCOMPARE(f.find<QLabel>("lbKKOtartozas")->text(), QStringLiteral("0,-Ft"));
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_register_window.moc"
