// The main window: its controls, opening, the year controls, exit, the
// apartment list, selection, sorting, clearing the form and the keyboard.

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>

#include "support/mainwindow.h"

namespace {

QByteArray setDat(const char* year4) { return QByteArray(year4, 4) + QByteArray("\0\0", 2); }

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
    l.ElozoAllas(1) = 120, l.UtolsoAllas(1) = 135;  // 15
    l.ElozoAllas(2) = 50, l.UtolsoAllas(2) = 40;    // below the previous: shown as 0
    l.ElozoAllas(3) = 30;                            // no reading: not counted
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
    // Every input control is named by a visible label or an accessible
    // name; the window has its caption and the program's icon.
    void controlsAndIcon() {
        MainWindow f;
        frmKezdo& w = f.open();
        const auto labels = w.findChildren<QLabel*>();
        for (QWidget* input : w.findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(input) && !qobject_cast<QComboBox*>(input) && !qobject_cast<QPlainTextEdit*>(input)) continue;
            if (qobject_cast<QComboBox*>(input->parentWidget()) || qobject_cast<QAbstractSpinBox*>(input->parentWidget())) continue;
            const bool labelled = std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == input; });
            QVERIFY2(labelled || !input->accessibleName().isEmpty(), qPrintable(input->objectName()));
        }
        QCOMPARE(w.windowTitle(), QStringLiteral("Domoria program"));
        QVERIFY(!w.windowIcon().pixmap(32).isNull());
    }

    // First start in an empty folder: the calendar year and its files, empty
    // lists, the search on any building, nothing asked.
    void firstStart() {
        MainWindow f;
        QFile::remove(f.data.folder().file(files::Set));
        frmKezdo& w = f.open();
        QCOMPARE(w.txtEv->text() + '|' + w.AktualisEv(), QStringLiteral("2026|2026"));
        for (const char* file : {"Set.dat", "Stat.dat", "Epuletek.dat", "2026/Lakasok.dat"}) QVERIFY(f.data.exists(file));
        QVERIFY(listColumn(w, 0).isEmpty() && !w.ListView6->topLevelItemCount() && !w.cmbStatus->count() && !w.txtEpulet->count());
        QCOMPARE(QString::number(w.txtEpuletKeres->count()) + w.txtEpuletKeres->currentText(), QStringLiteral("1 "));
        QCOMPARE(w.lbKKOtartozas->text() + w.lbHullOTartozas->text() + w.lbHazFogy->text(), QStringLiteral("0,-Ft0,-Ft0"));
        QVERIFY(w.cmdAdatokRogzitese->isEnabled() && !w.cmdModosit->isEnabled() && !w.cmdLakasDel->isEnabled());
        QVERIFY(w.DTPLeadas->date() == QDate(2026, 3, 15) && f.dlg.shown.empty());
    }

    void storedYear_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("folder");
        QTest::newRow("last used year") << setDat("2024") << "2024" << "2024";
        QTest::newRow("blank: calendar year") << setDat("    ") << "2026" << "2026";
        QTest::newRow("not a number: calendar year") << setDat("abcd") << "2026" << "2026";
        QTest::newRow("two digits stored padded") << setDat("20  ") << "20  " << "20";
    }
    void storedYear() {
        QFETCH(QByteArray, stored); QFETCH(QString, shown); QFETCH(QString, folder);
        MainWindow f;
        f.data.writeBytes(files::Set, stored);
        f.data.writeApartments("2024", {makeLakas("Régi", "U", "1", "1")});
        frmKezdo& w = f.open();
        QCOMPARE(w.txtEv->text() + '|' + w.AktualisEv(), shown + '|' + folder);
        QVERIFY(f.data.exists(folder + "/Lakasok.dat"));
        QCOMPARE(listColumn(w, 0).size(), folder == "2024" ? 1 : 0);
    }

    // Four characters load the year and select its first apartment; fewer
    // keep the list. Another year's list leaves nothing of the apartment
    // shown before: no selection, a cleared form, every button that acts on
    // an apartment disabled.
    void yearChange() {
        MainWindow f;
        f.data.writeApartments("2026", {fullApartment()});
        f.data.writeApartments("2025", {makeLakas("Tavalyi B", "U", "1", "1"), makeLakas("Tavalyi A", "U", "1", "2")});
        frmKezdo& w = f.open();
        w.txtEv->setText("202");
        QVERIFY(!w.cmdUjEv->isEnabled() && w.AktualisEv() == "2026" && listColumn(w, 0) == QStringList{"Őri Űrsula"});
        w.txtEv->setText("2025");
        QVERIFY(w.cmdUjEv->isEnabled());
        QCOMPARE(w.cmdUjEv->text(), QStringLiteral("Új év létrehozása 2026. évre"));
        QCOMPARE(listColumn(w, 0), (QStringList{"Tavalyi A", "Tavalyi B"}));
        QCOMPARE(currentRecord(w), 2);
        QVERIFY(w.AktualisLakas() == 2 && w.txtAjto->text() == "2");

        w.txtEv->setText("2026");
        w.SSTab1->setCurrentIndex(1);
        QTest::mouseClick(w.ListView3->viewport(), Qt::LeftButton, {},
                          w.ListView3->visualItemRect(w.ListView3->topLevelItem(1)).center());
        QVERIFY(w.cmdKozoskBefiz->isEnabled() && w.cmdModosit->isEnabled());
        w.txtEv->setText(" 202");  // four characters, trimmed: an empty year
        QCOMPARE(w.AktualisEv(), QStringLiteral("202"));
        QVERIFY(f.data.exists("202/Lakasok.dat") && listColumn(w, 0).isEmpty());
        QCOMPARE(w.AktualisLakas(), 0);
        for (const char* b : {"cmdModosit", "cmdKozmuModosit", "cmdLakásDel", "cmd1LakoDel", "cmdMail",
                              "cmdKozoskEloiras", "cmdKozoskBefiz", "cmdSzemetBefiz", "cmdElozoEviKKFelvitel"})
            QVERIFY2(!f.button(b)->isEnabled(), b);
        QVERIFY(!w.ListView3->currentItem() && w.ListView2->topLevelItemCount() == 0);
        QCOMPARE((QStringList{w.txtHsz->text(), w.lbNev[0]->text(), w.lbDelCim->text(), w.txtElozo[1]->text(),
                              w.ListView3->topLevelItem(0)->text(1).trimmed(), w.ListView5->topLevelItem(0)->text(1),
                              w.lbKKTartozas->text()}),
                 (QStringList{"", "", "", "", "", "", "0,-Ft"}));
        QVERIFY(f.dlg.shown.empty());
    }

    // The spin buttons and the arrow keys step the year; a text counts as 0.
    void spinButtons() {
        MainWindow f;
        frmKezdo& w = f.open();
        for (const QString c : {"2020|1|2021", "2020|-1|2019", "xx|1|1", "xx|-1|-1"}) {
            w.txtEv->setText(c.section('|', 0, 0));
            w.UpDown1->stepBy(c.section('|', 1, 1).toInt());
            QCOMPARE(w.txtEv->text(), c.section('|', 2));
            w.txtEv->setText(c.section('|', 0, 0));
            QTest::keyClick(w.txtEv, c.section('|', 1, 1) == "1" ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(w.txtEv->text(), c.section('|', 2));
        }
    }

    // "Kilépés" asks first; closing stores the year as typed, keeping the
    // record's other bytes, and the next start shows it.
    void exitAndClose() {
        MainWindow f;
        f.data.writeBytes(files::Set, QByteArray("2024\x12\x34", 6));
        frmKezdo& w = f.open();
        w.txtEv->setText("20");
        w.mnuKilep->trigger();  // answered No
        QCOMPARE(f.dlg.texts(), QStringList{"question| Kilépés |Biztos hogy Befejezed?\n\n"});
        QVERIFY(w.isVisible() && f.data.bytes(files::Set) == QByteArray("2024\x12\x34", 6));
        f.dlg.answers = {true};
        w.mnuKilep->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(f.data.bytes(files::Set), QByteArray("20  \x12\x34", 6));
        QCOMPARE(f.open().txtEv->text(), QStringLiteral("20  "));
    }

    // The list rows and house totals, and every field of the selected
    // apartment on the pages; at start the first row is selected and shows
    // its own building, not the last one read.
    void selection() {
        MainWindow f;
        f.data.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Másik ház", 250)});
        Lakas first = makeLakas("Antal Béla", "Fő utca", "1", "2");
        first.Epulet = "Rózsa ház", first.KKEloiras(1) = 10000, first.KKBefizetes(1) = 4000, first.HBefizetes(2) = 300;
        first.HaviFogyasztas1(2) = 12;
        f.data.writeApartments("2026", {first, fullApartment()});
        frmKezdo& w = f.open();
        QCOMPARE(listColumn(w, 0), (QStringList{"Antal Béla", "Őri Űrsula"}));
        QCOMPARE(currentRecord(w), 1);
        QCOMPARE(w.txtEpulet->currentText() + '|' + w.txtPinceDij->text(), QStringLiteral("Rózsa ház|0"));
        QVERIFY(w.txtPinceDij->isHidden() && w.Label1.at(53)->isHidden() && !w.cmdMail->isEnabled());
        QCOMPARE((QStringList{w.lbKKOtartozas->text(), w.lbHullOTartozas->text(), w.lbHazFogy->text(),
                              w.lbHazEvesVizFogy->text()}),
                 (QStringList{"6000,-Ft", "-300,-Ft", "5", "12"}));  // 15 - 10: a negative difference counts

        selectRecord(w, 2);
        QCOMPARE(w.AktualisLakas(), 2);
        QVERIFY(!w.cmdAdatokRogzitese->isEnabled() && w.cmdModosit->isEnabled() && !w.cmd1LakoDel->isEnabled());
        QVERIFY(w.cmdLakasDel->isEnabled() && w.cmdKozmuModosit->isEnabled() && w.cmdMail->isEnabled());
        QStringList texts;
        for (QLineEdit* e : {w.txtTelefon, w.txtEmail, w.txtIrsz, w.txtHelyseg, w.txtUtca, w.txtHsz, w.txtAjto,
                             w.txtAlapterulet, w.txtPinceDij, w.txtkozoskoltseg, w.txtSzemetdij, w.txtHideg1,
                             w.txtMeleg2, w.txtHideg11, w.txtMeleg22, w.txtElozo[1], w.txtUtolso[2]})
            texts << e->text();
        QCOMPARE(texts.join('|'), QStringLiteral("06-52-123456|uri@example.hu|4025|Debrecen|Rózsa utca|12/B|3/11|53|"
                                                 "1500|17400|3200|S-1|S-4|S-1|S-4|120|40"));
        QCOMPARE(w.cmbGarazs->currentText() + w.cmbPince->currentText() + w.txtEpulet->currentText(),
                 QStringLiteral("VanVanRózsa ház"));
        QVERIFY(!w.txtPinceDij->isHidden());
        QCOMPARE(w.txtMegj->toPlainText(), QStringLiteral("Kulcs\na gondnoknál."));
        QCOMPARE(w.lbKarakter->text(), QStringLiteral("280"));  // the break counts two, as stored
        QCOMPARE(w.lbDelCim->text(), QStringLiteral("Rózsa utca 12/B 3/11"));
        QCOMPARE(w.DTPLeadas->date(), QDate(2026, 2, 14));
        QCOMPARE(w.lbHo[0]->text() + w.lbHo[1]->text(), QStringLiteral("2.2."));
        QCOMPARE(w.lbNev[1]->text() + '|' + w.lbCim[0]->text(), QStringLiteral("Őri Űrsula|4025 Debrecen, Rózsa utca 12/B 3/11"));
        QCOMPARE(w.lbvizfogy[1]->text() + w.lbvizfogy[2]->text() + w.lbvizfogy[3]->text() + '|' + w.lbLakasFogy->text(),
                 QStringLiteral("1500|15"));
        QCOMPARE(w.ListView2->topLevelItemCount(), 2);  // up to the first blank slot
        QStringList resident;
        for (int c = 0; c < 6; ++c) resident << w.ListView2->topLevelItem(0)->text(c);
        QCOMPARE(resident.join('|'), QStringLiteral("Őri Űrsula|tulajdonos|2019. 04. 01.|Szabó Mária|Eger|1961.05.01"));
        QVERIFY(f.dlg.shown.empty());
    }

    // A header click sorts by that column, ascending, as text with Hungarian
    // collation; the order holds across a refill.
    void sortByColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("name") << 0 << QStringList{"ábel", "Ágnes", "Bors", "Cecil", "Czakó", "Csaba", "Oszkár", "Ödön", "Zoé", "Zsolt"};
        QTest::newRow("house number") << 2 << QStringList{"1", "10", "11", "12", "13", "2", "3", "4", "5", "6"};
        QTest::newRow("rec: 10 before 9") << 4 << QStringList{"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"};
    }
    void sortByColumn() {
        QFETCH(int, column); QFETCH(QStringList, order);
        MainWindow f;
        const QStringList names{"Zsolt", "Ödön", "Csaba", "ábel", "Czakó", "Bors", "Ágnes", "Oszkár", "Cecil", "Zoé"};
        const QStringList houses{"1", "2", "3", "4", "5", "6", "10", "11", "12", "13"};
        std::vector<Lakas> flats;
        for (int i = 0; i < 10; ++i) flats.push_back(makeLakas(names[i], "Fő utca", houses[i], "1"));
        f.data.writeApartments("2026", flats);
        frmKezdo& w = f.open();
        if (column) clickHeader(w, column), clickHeader(w, column);  // a second click keeps it ascending
        QCOMPARE(listColumn(w, column), order);
        w.LakasokBeolvas();
        QCOMPARE(listColumn(w, column), order);
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
        clickHeader(w, 1);
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

    // MezoDel clears the apartment's own fields and keeps the house's.
    void mezoDel() {
        MainWindow f;
        f.data.writeApartments("2026", {fullApartment()});
        frmKezdo& w = f.open();
        w.txtNev->setText("valaki");
        w.MezoDel();
        for (QLineEdit* e : {w.txtNev, w.txtHsz, w.txtAjto, w.txtTelefon, w.txtEmail, w.txtHideg1, w.txtMeleg22, w.txtAlapterulet,
                             w.txtkozoskoltseg, w.txtSzemetdij, w.txtAnyjaNeve, w.txtSzulHelye, w.DTPSzulIdeje, w.txtElozo[1], w.txtUtolso[4]})
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
        QVERIFY(w.txtMegj->toPlainText().isEmpty() && w.lbvizfogy[1]->text().isEmpty() && w.lbNev[0]->text().isEmpty());
        QVERIFY(w.lbCim[1]->text().isEmpty() && w.lbLakasFogy->text() == "0" && !w.ListView2->topLevelItemCount());
        QVERIFY(w.cmbGarazs->currentText() == "Nincs" && !w.cmdModosit->isEnabled() && w.cmdLakasDel->isEnabled() && f.focused() == "txtHsz");
        QCOMPARE(w.txtHelyseg->text() + '|' + w.txtIrsz->text() + '|' + w.txtUtca->text() + '|' + w.txtEpulet->currentText(),
                 QStringLiteral("Debrecen|4025|Rózsa utca|Rózsa ház"));
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
