// The register controls of the main window: each button bound to its
// operation, with the exact questions (and their default buttons) and
// messages, the focus, the enabled states afterwards and the records written.

#include "register/buildings.h"
#include "register/statuses.h"
#include "support/mainwindow.h"

namespace {

// Four apartments with an e-mail address, a remark of two lines, a period's
// charges and readings; the first has three residents and a cellar, the
// third is in the "Tölgy" building.
std::vector<Lakas> sampleFlats() {
    std::vector<Lakas> v;
    const char* rows[][4] = {{"Kovács Péter", "Rózsa utca", "1", "Rózsa ház"},
                             {"Nagy Ilona", "Rózsa utca", "12", "Rózsa ház"},
                             {"Őri Árpád", "Fő utca", "3", "Tölgy"},
                             {"Szűcs Erzsébet", "Rózsa utca", "21", "Rózsa ház"}};
    for (const auto& r : rows) {
        v.push_back(makeLakas(r[0], r[1], r[2], "1"));
        v.back().Epulet = r[3], v.back().Email = "lako@example.hu", v.back().Megj = "Első sor\r\nmásodik";
        v.back().KKEloiras(1) = 30000, v.back().HEloiras(2) = 9600;
        v.back().UtolsoAllas(1) = 135, v.back().ElozoAllas(1) = 120;
    }
    v[0].Lakok.Nev(2) = "Kovács Anna", v[0].Lakok.Nev(3) = "Kovács Bence", v[0].Pince = true, v[0].PinceDij = 1000;
    return v;
}

// The window over those apartments, two buildings and two statuses, with
// apartment 1 selected.
struct Fixture : MainWindow {
    Fixture() {
        data.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Tölgy", 250)});
        data.writeStatuses({"tulajdonos", "bérlő"});
        data.writeApartments("2026", sampleFlats());
        open();
        selectRecord(*w, 1);
    }
    void typeResident(const QString& nev, const QString& statusz) const {
        w->txtNev->setText(nev);
        w->cmbStatus->setCurrentText(statusz);
    }
    // cmdUjLakas, then a new apartment in "Rózsa ház" with one resident.
    void enterNewApartment() const {
        w->cmdUjLakas->click();
        w->txtHsz->setText("7");
        w->txtAjto->setText("2/5");
        w->txtAlapterulet->setText("52.6");
        typeResident("Új Lakó", "bérlő");
        w->cmdNevRogzit->click();
    }
};

using Edit = std::function<void(Fixture&)>;
using Flats = std::function<void(std::vector<Lakas>&)>;

}  // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Flats)

class TestRegisterWindow : public QObject {
    Q_OBJECT
private slots:
    // Each button that writes or refuses shows one dialog. A refusal or a No
    // writes nothing and leaves the button as given; a refusal focuses its
    // field and keeps the resident list. Yes writes the records expected,
    // refreshes the list, focuses the field given and disables the buttons
    // given.
    void buttons_data() {
        QTest::addColumn<Edit>("prepare");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("enabledAfterNo");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<Flats>("expected");  // none: a refusal
        QTest::addColumn<QStringList>("disabled");
        const auto row = [](const char* name, Edit prepare, const char* button, const QString& dialog,
                            bool enabledAfterNo, const char* focus, Flats expected = {}, QStringList disabled = {}) {
            QTest::newRow(name) << prepare << QString::fromUtf8(button) << dialog << enabledAfterNo
                                << QString::fromUtf8(focus) << expected << disabled;
        };
        const auto error = [](const char* text) { return QStringLiteral("message|Hiba|") + QString::fromUtf8(text); };
        const QString modify = "question|Lakás adatok módosítása|Biztos mehet \na kijelölt lakás módosítása?\n";
        const Date today = Date::fromQDate(QDate(2026, 3, 15));
        // The resident entered for the new apartment asks nothing: cmdModosit is off.
        row("add apartment", [](Fixture& f) { f.enterNewApartment(); }, "cmdAdatokRogzitese",
            "question|Lakás felvétele|Biztos mehet \naz új lakás felvétele?\n", true, "txtHsz", [today](auto& v) {
                Lakas l = makeLakas("Új Lakó", "Rózsa utca", "7", "2/5");
                l.Epulet = "Rózsa ház", l.Alapterulet = 53, l.KozosKoltseg = 15780;
                l.Lakok.Statusz(1) = "bérlő", l.Lakok.Bejelentve(1) = today;
                v.push_back(l);
            }, {"cmdModosit"});
        row("add, no resident", [](Fixture& f) { f.enterNewApartment(), f.w->ListView2->clear(); },
            "cmdAdatokRogzitese", error("Nincs lakó rögzítve!"), true, "txtNev");
        // The remark's line break stays CR LF.
        row("modify", [](Fixture& f) {
                selectRecord(*f.w, 2);
                f.w->txtUtca->setText("Rózsa köz");
                f.w->txtSzemetdij->setText(" ");
            }, "cmdModosit", modify, true, "txtNev", [](auto& v) { v[1].Utca = "Rózsa köz"; }, {"cmdModosit"});
        row("modify, building", [](Fixture& f) { f.w->txtEpulet->setCurrentText(" "); }, "cmdModosit",
            error("Nincs megadva Épület!"), true, "txtÉpület");
        row("add resident", [](Fixture& f) { f.typeResident("  Kovács Dóra ", "családtag"); }, "cmdNevRogzit", modify,
            true, "txtNev", [today](auto& v) {
                v[0].Lakok.Nev(4) = "Kovács Dóra", v[0].Lakok.Statusz(4) = "családtag";
                v[0].Lakok.Bejelentve(4) = today;
            }, {"cmdModosit"});
        row("resident, no status", [](Fixture& f) { f.typeResident("Kiss Éva", ""); }, "cmdNevRogzit",
            error("Nincs megadva lakó státusza!"), true, "cmbStatus");
        row("remove the last resident", [](Fixture& f) {
                f.w->ListView2->setCurrentItem(f.w->ListView2->topLevelItem(2));
                QCOMPARE(f.w->txtNev->text(), QStringLiteral("Kovács Bence"));
            }, "cmd1LakoDel", modify, false, "", [](auto& v) { v[0].Lakok.Nev(3) = ""; }, {"cmd1LakoDel", "cmdModosit"});
        row("remove all residents", [](Fixture&) {}, "cmdOsszeLakoDel", "question/Nem" + modify.mid(8), true, "",
            [](auto& v) { v[0].Lakok = LakokBlokk{}, v[0].Email = ""; }, {"cmdAdatokRogzitese", "cmdModosit"});
        // The question names the apartment as stored, not the edited form.
        row("delete apartment", [](Fixture& f) {
                selectRecord(*f.w, 3);
                f.w->txtUtca->setText("Másik utca");
                f.w->cmdKozoskBefiz->setEnabled(true);  // as after a ledger row's click
                f.w->SSTab1->setCurrentIndex(3);
            }, "cmdLakásDel",
            "question/Nem|Lakás TÖRLÉSE|Biztos mehet a kijelölt lakás:\n\nFő utca 3 1\n\nVÉGLEGES TÖRLÉSE?", false, "",
            [](auto& v) { v.erase(v.begin() + 2); }, {"cmdLakásDel", "cmdModosit", "cmdKozmuModosit", "cmdKozoskBefiz"});
        row("mail, blank inside", [](Fixture& f) { f.w->txtEmail->setText("a b@c.hu"); }, "cmdMail",
            error("Hibás e-mail cím!\nA cím nem lehet üres, és nem lehet benne szóköz vagy vezérlő karakter."), true,
            "txtEmail");
    }
    void buttons() {
        QFETCH(Edit, prepare); QFETCH(QString, button); QFETCH(QString, dialog); QFETCH(bool, enabledAfterNo);
        QFETCH(QString, focus); QFETCH(Flats, expected); QFETCH(QStringList, disabled);
        for (const bool yes : {false, true}) {
            if (yes && !expected) break;  // a refusal asks nothing
            Fixture f;
            prepare(f);
            const QByteArray before = f.bytes();
            const int residents = f.w->ListView2->topLevelItemCount();
            f.dlg.answers = {yes};
            f.button(button)->click();
            QCOMPARE(f.dlg.texts(), QStringList{dialog});
            if (!yes) {
                QVERIFY(f.bytes() == before && f.button(button)->isEnabled() == enabledAfterNo && f.dlg.opened.empty());
                if (!expected) QVERIFY(f.focused() == focus && f.w->ListView2->topLevelItemCount() == residents);
                continue;
            }
            auto flats = sampleFlats();
            expected(flats);
            QCOMPARE(f.stored(), flats);
            QStringList rows, shown;  // name and street of each row
            for (const QString& rec : listColumn(*f.w, 4)) rows << flats.at(rec.toUInt() - 1).Lakok.Nev(1).text() + flats.at(rec.toUInt() - 1).Utca.text();
            for (int i = 0; i < rows.size(); ++i) shown << listColumn(*f.w, 0)[i] + listColumn(*f.w, 1)[i];
            QCOMPARE(shown, rows);
            if (!focus.isEmpty()) QCOMPARE(f.focused(), focus);
            for (const QString& b : disabled) QVERIFY2(!f.button(b)->isEnabled(), qPrintable(b));
            // After a delete the record number names the next apartment: none stays selected.
            if (button == "cmdLakásDel") QVERIFY(!f.w->AktualisLakas() && f.w->lbDelCim->text().isEmpty());
        }
    }

    // cmdUjLakas clears the apartment's own fields, keeps the house's and
    // disallows the add; the common cost follows the area, the cellar fee
    // and the building choice; the cellar choice shows or hides the fee; the
    // remark is counted.
    void formReactions() {
        Fixture f;
        QLineEdit* fee = f.w->txtPinceDij;
        const auto cost = [&] { return f.w->txtkozoskoltseg->text(); };
        QVERIFY(fee->isVisible());  // apartment 1 has a cellar
        f.w->cmdAdatokRogzitese->setEnabled(true);
        f.w->cmdUjLakas->click();
        QCOMPARE(pageTexts(*f.w), QStringLiteral("lbDelCim=Rózsa utca 1 1 lbHo(0)=3. lbLakasFogy=0 lbHo(1)=3. lbHazFogy=60 "
                                                 "lbLakasEvesVizFogy=0 lbHazEvesVizFogy=0 lbKKTartozas=30000,-Ft "
                                                 "lbKKOtartozas=120000,-Ft lbHullTartozas=9600,-Ft lbHullOTartozas=38400,-Ft "
                                                 "txtHelyseg=Budapest txtIrsz=1111 txtUtca=Rózsa utca txtPinceDij=0 txtkozoskoltseg=0 lbKarakter=300"));
        QVERIFY(f.w->txtEpulet->currentText() == "Rózsa ház" && !f.w->ListView2->topLevelItemCount() && f.w->txtMegj->toPlainText().isEmpty());
        QVERIFY(!f.w->cmdAdatokRogzitese->isEnabled() && !f.w->cmdModosit->isEnabled() && !fee->isVisible() && f.focused() == "txtHsz");
        f.w->txtAlapterulet->setText("52.6");
        QStringList costs{cost()};
        QTest::keyClick(f.w->cmbPince, Qt::Key_Up);
        QVERIFY(fee->isVisible());
        fee->clear();
        QTest::keyClicks(fee, "1000");
        costs << cost();
        QTest::keyClick(f.w->txtEpulet, Qt::Key_Down);  // "Tölgy", 250
        costs << cost();
        QTest::keyClick(f.w->cmbPince, Qt::Key_Down);
        QCOMPARE(costs << cost() << fee->text(), (QStringList{"15780", "16780", "14150", "13150", "0"}));
        QVERIFY(!fee->isVisible() && f.dlg.shown.empty());

        QTest::keyClick(f.w->cmbPince, Qt::Key_Up);
        f.w->txtEpulet->setCurrentText(QString());
        QTest::keyClicks(fee, "1");
        f.w->txtMegj->setPlainText(QString(310, 'x'));
        QCOMPARE(f.dlg.texts() << f.focused() << cost() << f.w->lbKarakter->text(),
                 (QStringList{"message|Hiba|Nincs épüet kijelülve!\nPótold...", "txtÉpület", "13150", "-10"}));
    }

    // cmdMail hands the address to the desktop; a status is appended to
    // Stat.dat and both lists refilled, its button enabled only by a name.
    void mailAndStatus() {
        Fixture f;
        f.w->cmdMail->click();
        QCOMPARE(f.dlg.opened, (std::vector<QUrl>{QUrl("mailto:lako@example.hu")}));
        f.w->txtStatu->setText("  ");
        QVERIFY(!f.w->cmdStatuszFelv->isEnabled());
        f.w->txtStatu->setText("albérlő");
        f.w->cmdStatuszFelv->click();
        QVERIFY(readStatuses(f.data.folder()) == (QStringList{"tulajdonos", "bérlő", "albérlő"}) && f.w->cmbStatus->count() == 3);
        QVERIFY(f.w->List1->item(2)->text() == "albérlő" && f.w->txtStatu->text().isEmpty() && !f.w->cmdStatuszFelv->isEnabled() && f.dlg.shown.empty());
    }

    // Any name allows a building's add. A row click allows its delete, which
    // asks first, naming the building and its apartments of the year, and
    // renumbers; the apartments keep the name. Every refill leaves the shown
    // apartment's building in its box (a modify stores it unchanged) and the
    // search on any building.
    void buildings() {
        Fixture f;
        f.w->SSTab1->setCurrentIndex(3);
        QPushButton *add = f.w->cmdEpuletFelvetele, *del = f.w->cmdEpuletDel;
        f.w->txtEpuletNeve->setText(" ");
        QVERIFY(add->isEnabled() && !del->isEnabled());
        f.w->txtEpuletNeve->setText("Új ház");
        f.w->txtKKperNm->setText("250.6");
        add->click();
        std::vector<Epulet> expected{makeEpulet("Rózsa ház", 300), makeEpulet("Tölgy", 250), makeEpulet("Új ház", 251)};
        QVERIFY(readBuildings(f.data.folder()) == expected && f.w->ListView6->topLevelItem(2)->text(1) == "251");
        QVERIFY(!add->isEnabled() && f.w->txtEpuletNeve->text().isEmpty() && f.w->txtKKperNm->text().isEmpty());
        const auto boxes = [&] { return f.w->txtEpulet->currentText() + '|' + f.w->txtEpuletKeres->currentText(); };
        QCOMPARE(boxes(), QStringLiteral("Rózsa ház| "));
        f.dlg.answers = {true};
        f.w->cmdModosit->click();
        QCOMPARE(f.stored(), sampleFlats());

        f.w->ListView6->setCurrentItem(f.w->ListView6->topLevelItem(0));
        del->click();  // No
        f.dlg.answers = {true};
        del->click();
        const QString ask = "question/Nem|Épület törlése|Biztos mehet \naz épület törlése?\n\nRózsa ház\n\nA(z) 2026. évben "
                            "3 lakás tartozik ehhez az épülethez; a lakások megtartják az épület nevét.";
        QCOMPARE(f.dlg.texts().mid(1), (QStringList{ask, ask}));
        expected.erase(expected.begin());
        QVERIFY(readBuildings(f.data.folder()) == expected && f.w->ListView6->topLevelItem(1)->text(2) == "2" && !del->isEnabled());
        QVERIFY(f.stored()[0].Epulet.text() == "Rózsa ház" && boxes() == "Rózsa ház| ");
    }

    // No criteria list every apartment, of any building; the search narrows
    // the list, shows the found apartments' totals and selects the first
    // row; the yearly water total stays. Enter searches too.
    void search() {
        Fixture f;
        const QString yearly = f.w->lbHazEvesVizFogy->text();
        f.w->cmdKeres->click();
        QCOMPARE(listColumn(*f.w, 4).size(), 4);
        f.w->txtHszKeres->setText("1");
        f.w->txtUtcaKeres->setText("rózsa ");
        f.w->cmdKeres->click();
        QCOMPARE(listColumn(*f.w, 4) << f.w->lbKKOtartozas->text() << f.w->lbHullOTartozas->text() << f.w->lbHazFogy->text()
                                     << f.w->lbHazEvesVizFogy->text(), (QStringList{"1", "2", "4", "90000,-Ft", "28800,-Ft", "45", yearly}));
        QVERIFY(f.focused() == "ListView1" && currentRecord(*f.w) == listColumn(*f.w, 4)[0].toInt());
        f.w->txtNevKeres->setText("xyz");
        QTest::keyClick(f.w->txtNevKeres, Qt::Key_Return);
        QVERIFY(listColumn(*f.w, 0).isEmpty() && f.w->lbKKOtartozas->text() == "0,-Ft");
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_register_window.moc"
