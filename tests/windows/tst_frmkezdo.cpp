// The main window: opening (also on a damaged data folder), the year
// controls, exit, the apartment list, selection, sorting, the in-place
// refresh and the keyboard.

#include <sys/stat.h>

#include "support/mainwindow.h"

namespace {

// An action on the selected apartment, done with the window's controls.
using Action = std::function<void(frmKezdo&)>;

// What the list side shows: every column of the list, then the totals.
QStringList listSide(const frmKezdo& w) {
    QStringList out;
    for (int c = 0; c < 5; ++c) out << listColumn(w, c).join('|');
    return out << w.lbHazFogy->text() << w.lbKKOtartozas->text() << w.lbHullOTartozas->text() << w.lbHazEvesVizFogy->text();
}

// A fully filled apartment, to see every field come back on the pages.
Lakas fullApartment() {
    Lakas l = makeLakas("Őri Űrsula", "Rózsa utca", "12/B", "3/11");
    l.Irsz = 4025, l.Helyseg = "Debrecen", l.Epulet = "Rózsa ház", l.Alapterulet = 53, l.Pince = true;
    l.PinceDij = 1500, l.Garazs = true, l.KozosKoltseg = 17400, l.SzemetDij = 3200;
    l.Telefon = "06-52-123456", l.Email = "uri@example.hu", l.Megj = "Kulcs\r\na gondnoknál.";
    for (int k = 1; k <= 4; ++k) l.VizoraSzam(k) = QStringLiteral("S-%1").arg(k);
    l.ElozoAllas(1) = 120, l.UtolsoAllas(1) = 135, l.ElozoAllas(2) = 50, l.UtolsoAllas(2) = 40, l.ElozoAllas(3) = 30;
    l.LeadasDatum = Date::fromQDate(QDate(2026, 2, 14));
    l.Lakok.Statusz(1) = "tulajdonos", l.Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1));
    l.Lakok.AnyjaNeve(1) = "Szabó Mária", l.Lakok.SzulHelye(1) = "Eger", l.Lakok.SzulIdeje(1) = "1961.05.01";
    l.Lakok.Nev(2) = "Őri Ádám";
    l.Lakok.Nev(4) = "Nem látszik";  // after a blank slot
    return l;
}

}  // namespace

Q_DECLARE_METATYPE(Action)

class TestFrmKezdo : public QObject {
    Q_OBJECT
private slots:
    // First start in an empty folder: every input named, the caption and
    // icon; the calendar year and its files, empty lists, the search on any
    // building, nothing asked.
    void firstStart() {
        MainWindow f;
        QFile::remove(f.data.folder().file(files::Set));
        frmKezdo& w = f.open();
        QVERIFY(unnamedInputs(&w).isEmpty() && w.windowTitle() == "Domoria program" && !w.windowIcon().pixmap(32).isNull());
        QCOMPARE(w.txtEv->text() + '|' + w.AktualisEv() + '|' + QString::number(w.txtEpuletKeres->count()) + w.txtEpuletKeres->currentText(),
                 QStringLiteral("2026|2026|1 "));
        for (const char* file : {"Set.dat", "Stat.dat", "Epuletek.dat", "2026/Lakasok.dat"}) QVERIFY(f.data.exists(file));
        QVERIFY(listColumn(w, 0).isEmpty() && !w.ListView6->topLevelItemCount() && !w.cmbStatus->count());
        QVERIFY(w.cmdAdatokRogzitese->isEnabled() && !w.cmdModosit->isEnabled() && !w.cmdLakasDel->isEnabled() && f.dlg.shown.empty());
    }

    // At start the first row is selected and every field of its apartment
    // shows on the pages, with its own building (not the last one read).
    // Four characters load another year and select its first apartment;
    // fewer keep the list. Another year's list leaves nothing of the
    // apartment shown before: no selection, a cleared form, every button
    // that acts on an apartment disabled.
    void selectionAndYearChange() {
        MainWindow f;
        f.data.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Másik ház", 250)});
        f.data.writeApartments("2026", {fullApartment()});
        f.data.writeApartments("2025", {makeLakas("Tavalyi B", "U", "1", "1"), makeLakas("Tavalyi A", "U", "1", "2")});
        frmKezdo& w = f.open();
        QVERIFY(currentRecord(w) == 1 && w.AktualisLakas() == 1 && !w.cmdAdatokRogzitese->isEnabled() && !w.cmd1LakoDel->isEnabled());
        QVERIFY(w.cmdModosit->isEnabled() && w.cmdLakasDel->isEnabled() && w.cmdKozmuModosit->isEnabled() && w.cmdMail->isEnabled());
        QCOMPARE(pageTexts(w),
                 QStringLiteral("lbDelCim=Rózsa utca 12/B 3/11 lbNev(1)=Őri Űrsula lbCim(1)=4025 Debrecen, Rózsa utca 12/B 3/11 "
                                "txtHideg11=S-1 txtElozo(1)=120 txtUtolso(1)=135 lbvizfogy(1)=15 txtHideg22=S-2 txtElozo(2)=50 "
                                "txtUtolso(2)=40 lbvizfogy(2)=0 txtMeleg11=S-3 txtElozo(3)=30 txtUtolso(3)=0 lbvizfogy(3)=0 "
                                "txtMeleg22=S-4 txtElozo(4)=0 txtUtolso(4)=0 lbvizfogy(4)=0 lbHo(0)=2. lbLakasFogy=15 "
                                "lbHo(1)=2. lbHazFogy=5 lbLakasEvesVizFogy=0 lbHazEvesVizFogy=0 lbNev(0)=Őri Űrsula "
                                "lbCim(0)=4025 Debrecen, Rózsa utca 12/B 3/11 lbKKTartozas=0,-Ft lbKKOtartozas=0,-Ft "
                                "lbHullTartozas=0,-Ft lbHullOTartozas=0,-Ft txtHelyseg=Debrecen txtIrsz=4025 "
                                "txtUtca=Rózsa utca txtHsz=12/B txtAjto=3/11 txtAlapterulet=53 txtPinceDij=1500 "
                                "txtkozoskoltseg=17400 txtSzemetdij=3200 lbKarakter=280 txtTelefon=06-52-123456 "
                                "txtEmail=uri@example.hu txtHideg1=S-1 txtHideg2=S-2 txtMeleg1=S-3 txtMeleg2=S-4"));
        QCOMPARE(w.cmbGarazs->currentText() + w.cmbPince->currentText() + w.txtEpulet->currentText() + '|' + w.txtMegj->toPlainText(),
                 QStringLiteral("VanVanRózsa ház|Kulcs\na gondnoknál."));
        QVERIFY(w.DTPLeadas->date() == QDate(2026, 2, 14) && w.txtPinceDij->isVisible() && w.ListView2->topLevelItemCount() == 2);
        QStringList resident;  // up to the first blank slot
        for (int c = 0; c < 6; ++c) resident << w.ListView2->topLevelItem(0)->text(c);
        QCOMPARE(resident.join('|'), QStringLiteral("Őri Űrsula|tulajdonos|2019. 04. 01.|Szabó Mária|Eger|1961.05.01"));

        w.txtEv->setText("202");
        QVERIFY(!w.cmdUjEv->isEnabled() && w.AktualisEv() == "2026" && listColumn(w, 0) == QStringList{"Őri Űrsula"});
        w.txtEv->setText("2025");
        QCOMPARE(listColumn(w, 0) << QString::number(currentRecord(w)) + QString::number(w.AktualisLakas()) + w.txtAjto->text(),
                 (QStringList{"Tavalyi A", "Tavalyi B", "222"}));
        QVERIFY(w.cmdUjEv->isEnabled() && w.txtPinceDij->isHidden() && w.Label1.at(53)->isHidden() && !w.cmdMail->isEnabled());

        w.txtEv->setText("2026");
        clickRow(w.ListView3, 1);
        QVERIFY(w.cmdKozoskBefiz->isEnabled() && w.cmdModosit->isEnabled());
        w.txtEv->setText(" 202");  // four characters, trimmed: an empty year
        QVERIFY(w.AktualisEv() == "202" && f.data.exists("202/Lakasok.dat") && listColumn(w, 0).isEmpty() && w.AktualisLakas() == 0);
        for (const char* b : {"cmdModosit", "cmdKozmuModosit", "cmdLakásDel", "cmd1LakoDel", "cmdMail",
                              "cmdKozoskEloiras", "cmdKozoskBefiz", "cmdSzemetBefiz", "cmdElozoEviKKFelvitel"})
            QVERIFY2(!f.button(b)->isEnabled(), b);
        QVERIFY(!w.ListView3->currentItem() && w.ListView2->topLevelItemCount() == 0);
        QCOMPARE(pageTexts(w), QStringLiteral("lbHo(0)=2. lbLakasFogy=0 lbHo(1)=2. lbHazFogy=0 lbLakasEvesVizFogy=0 lbHazEvesVizFogy=0 "
                                              "lbKKTartozas=0,-Ft lbKKOtartozas=0,-Ft txtKozoskBefizet= 0 lbHullTartozas=0,-Ft "
                                              "lbHullOTartozas=0,-Ft txtHelyseg=Debrecen txtIrsz=4025 txtUtca=Rózsa utca "
                                              "txtPinceDij=1500 lbKarakter=300"));
        QVERIFY(f.dlg.shown.empty());
    }

    // A damaged data folder: the notices of the shared files and of the
    // year; a stored year that names no folder falls back to the calendar
    // year without making one.
    void damagedFolder() {
        MainWindow f;
        f.data.writeBytes(files::Set, QByteArray("9e99\0\0", 6));
        QCOMPARE(mkfifo(QFile::encodeName(f.data.folder().file(files::Epuletek)).constData(), 0600), 0);
        f.data.writeApartments("2026", {makeLakas("Kovács Éva", "Fő utca", "1", "2")});
        f.data.writeBytes("2026/domoria.jnl", "not a journal");
        const frmKezdo& w = f.open();
        QVERIFY(w.txtEv->text() == "2026" && w.listedRecords() == std::vector<int>{1});
        QCOMPARE(f.dlg.shown.size(), size_t(2));
        QVERIFY(f.dlg.shown[0].text.contains("Epuletek.dat") && f.dlg.shown[1].text.contains("nem került be"));
        QVERIFY(f.dlg.shown[1].icon == Dialogs::Icon::Warning && !f.data.exists("9e99") && !f.data.exists("2026/domoria.jnl"));
    }

    // The spin buttons and the arrow keys step the year; a text counts as 0.
    void spinButtons() {
        MainWindow f;
        frmKezdo& w = f.open();
        w.txtEv->setText("2020");
        w.UpDown1->stepBy(1);
        QTest::keyClick(w.txtEv, Qt::Key_Down), QTest::keyClick(w.txtEv, Qt::Key_Down);
        const QString stepped = w.txtEv->text();
        w.txtEv->setText("xx");
        QTest::keyClick(w.txtEv, Qt::Key_Up);
        QCOMPARE(stepped + '|' + w.txtEv->text(), QStringLiteral("2019|1"));
    }

    // "Kilépés" asks first; closing stores the year as typed, keeping the
    // record's other bytes, and the next start shows it and reads its folder.
    void exitAndClose() {
        MainWindow f;
        f.data.writeBytes(files::Set, QByteArray("2024\x12\x34", 6));
        f.data.writeApartments("20", {makeLakas("Régi", "U", "1", "1")});
        frmKezdo& w = f.open();
        QCOMPARE(w.AktualisEv(), QStringLiteral("2024"));
        w.txtEv->setText("20");
        w.mnuKilep->trigger();  // answered No
        QVERIFY(w.isVisible() && f.data.bytes(files::Set) == QByteArray("2024\x12\x34", 6));
        f.dlg.answers = {true};
        w.mnuKilep->trigger();
        QVERIFY(!w.isVisible() && f.data.bytes(files::Set) == QByteArray("20  \x12\x34", 6));
        QCOMPARE(f.dlg.texts(), QStringList(2, "question| Kilépés |Biztos hogy Befejezed?\n\n"));
        const frmKezdo& again = f.open();
        QCOMPARE(again.txtEv->text() + '|' + listColumn(again, 0).join(""), QStringLiteral("20  |Régi"));
    }

    // An action on one apartment refreshes its row and the totals as reading
    // the list again would show them (the totals stay where the action
    // shows none); the row stays selected, in the list's sort order.
    void refreshInPlace_data() {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("totalsShown");
        const auto ledger = [](int month, const char* amount, QPushButton* frmKezdo::*button) {
            return Action([=](frmKezdo& w) {
                w.SSTab1->setCurrentIndex(1);
                w.ListView3->setCurrentItem(w.ListView3->topLevelItem(month - 1));
                if (amount) w.txtKozoskBefizet->setText(amount);
                (w.*button)->click();
            });
        };
        QTest::newRow("water reading") << Action([](frmKezdo& w) { w.txtUtolso[1]->setText("170"), w.cmdKozmuModosit->click(); }) << true;
        QTest::newRow("payment") << ledger(2, "2500", &frmKezdo::cmdKozoskBefiz) << true;
        QTest::newRow("charge") << ledger(4, nullptr, &frmKezdo::cmdKozoskEloiras) << true;
        QTest::newRow("modify: the row moves") << Action([](frmKezdo& w) { w.txtUtca->setText("Alma utca"), w.cmdModosit->click(); }) << true;
        QTest::newRow("Leadás") << Action([](frmKezdo& w) { w.opVizLeadas[0]->setChecked(true), w.cmdLeadas->click(); }) << false;
    }
    void refreshInPlace() {
        QFETCH(Action, action); QFETCH(bool, totalsShown);
        MainWindow f;
        std::vector<Lakas> flats;
        for (const char* street : {"Fő utca", "Kert sor", "Rózsa utca", "Béke tér"}) {
            flats.push_back(makeLakas(QStringLiteral("Lakó %1").arg(flats.size() + 1), street, "1", "2"));
            Lakas& l = flats.back();
            l.KozosKoltseg = 9000, l.KKEloiras(1) = 9000, l.HEloiras(1) = 3000, l.HaviFogyasztas1(2) = 4;
            l.ElozoAllas(1) = 100, l.UtolsoAllas(1) = 130;
        }
        f.data.writeApartments("2026", flats);
        frmKezdo& w = f.open();
        clickHeader(w, 1), clickHeader(w, 1);  // ascending also when clicked again
        QCOMPARE(listColumn(w, 1), (QStringList{"Béke tér", "Fő utca", "Kert sor", "Rózsa utca"}));
        selectRecord(w, 3);
        const QStringList before = listSide(w);
        f.dlg.answers = {true};
        action(w);
        QVERIFY2(f.dlg.texts().filter(QRegularExpression("^message")).isEmpty(), qPrintable(f.dlg.texts().join('\n')));
        QCOMPARE(currentRecord(w), 3);
        QVERIFY(w.ListView1->selectionModel()->isRowSelected(w.ListView1->currentIndex().row(), {}));
        const QStringList shown = listSide(w);
        w.LakasokBeolvas();
        const QStringList read = listSide(w);
        QVERIFY(read != before);
        QCOMPARE(shown.mid(0, 5), read.mid(0, 5));
        QCOMPARE(shown.mid(5), totalsShown ? read.mid(5) : before.mid(5));
    }

    // Every Alt+letter does one thing on every page (the menus' win: Alt+K
    // exits); Ctrl+Tab and Ctrl+PgDown change the page from the list too.
    void keyboard() {
        MainWindow f;
        f.data.writeApartments("2026", {fullApartment()});
        frmKezdo& w = f.open();
        for (int page = 0; page < w.SSTab1->count(); ++page) {
            w.SSTab1->setCurrentIndex(page);
            QStringList captions;
            for (QAction* a : w.menuBar()->actions()) captions << a->text();
            for (int i = 0; i < w.SSTab1->count(); ++i) captions << w.SSTab1->tabText(i);
            for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) if (b->isVisible()) captions << b->text();
            for (QLabel* l : w.findChildren<QLabel*>()) if (l->isVisible() && l->buddy()) captions << l->text();
            QStringList letters;
            for (const QString& c : captions) {
                const auto m = QRegularExpression("&([^&])").match(c);
                if (m.hasMatch()) letters << m.captured(1).toLower();
            }
            QVERIFY2(letters.removeDuplicates() == 0, qPrintable(captions.join('|')));
        }
        w.ListView1->setFocus();
        QTest::keyClick(&w, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(f.dlg.texts(), QStringList{"question| Kilépés |Biztos hogy Befejezed?\n\n"});
        w.SSTab1->setCurrentIndex(0);
        w.ListView1->setFocus();
        for (const auto key : {Qt::Key_Tab, Qt::Key_PageDown}) QTest::keyClick(w.ListView1, key, Qt::ControlModifier);
        QCOMPARE(w.SSTab1->currentIndex(), 2);
        QTest::keyClick(w.txtElozo[1], Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(w.txtStatu, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.SSTab1->currentIndex(), 2);
    }
};

QTEST_MAIN(TestFrmKezdo)
#include "tst_frmkezdo.moc"
