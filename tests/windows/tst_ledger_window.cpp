// The ledger and meter pages of the main window: each button and row click
// asks the right question, shows what the operation stored, and leaves the
// buttons in the right state. The money rules themselves are tested on the
// engine.

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "ledger/ledger.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "store/recordfile.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");
const QString kBefiz = QStringLiteral("2026/Befiz.dat");

Date on(int month, int d) {
    return Date::fromQDate(QDate(2026, month, d));
}

// Record 1: Kovács Éva, owing February and 5000 from the previous year;
// record 2: Nagy Ilona; record 3: an apartment without a resident.
std::vector<Lakas> house() {
    Lakas k =
        makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2/5"));
    k.KozosKoltseg = 12500;
    k.SzemetDij = 3200;
    k.KKEloiras(1) = 12500;
    k.KKBefizetes(1) = 12500;
    k.KKBefizDatum(1) = on(1, 10);
    k.KKEloiras(2) = 12500;
    k.KKEloiras(13) = 5000;
    k.HEloiras(1) = 3200;
    k.ElozoAllas(1) = 120;
    k.ElozoAllas(2) = 5;
    k.HaviFogyasztas1(1) = 10;
    Lakas n =
        makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("3/1"));
    n.KozosKoltseg = 9000;
    n.SzemetDij = 2800;
    n.KKEloiras(1) = 9000;
    n.ElozoAllas(1) = 45;
    n.UtolsoAllas(1) = 50;
    n.HaviFogyasztas1(2) = 7;
    Lakas u = makeLakas(QString(), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("4/1"));
    u.KozosKoltseg = 4000;
    return {k, n, u};
}

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKezdo> w;

    explicit Fixture(const std::vector<Lakas>& flats = house()) {
        data.writeApartments(kYear, flats);
        data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
        appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        w = std::make_unique<frmKezdo>(data.folder());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }

    void select(int rec) {
        for (int i = 0; i < w->ListView1->topLevelItemCount(); ++i)
            if (w->ListView1->topLevelItem(i)->text(4) == QString::number(rec))
                w->ListView1->setCurrentItem(w->ListView1->topLevelItem(i));
        QCOMPARE(w->AktualisLakas(), rec);
    }
    // Clicks a ledger row with the mouse, as the user does.
    void clickRow(QTreeWidget* list, int row) {
        for (QWidget* p = list; p; p = p->parentWidget())
            if (w->SSTab1->indexOf(p) >= 0) w->SSTab1->setCurrentWidget(p);
        QApplication::processEvents();
        const QRect r = list->visualItemRect(list->topLevelItem(row - 1));
        QVERIFY(r.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    QStringList rowTexts(QTreeWidget* list, int row) const {
        QStringList out;
        for (int c = 1; c < list->columnCount(); ++c) out << list->topLevelItem(row - 1)->text(c);
        return out;
    }
    std::vector<Lakas> stored() const { return data.readApartments(kYear); }
    std::vector<Befizetes> log() const {
        return RecordFile<Befizetes>(data.folder().yearFile(kYear, files::Befiz))
            .readAll()
            .value_or(std::vector<Befizetes>{});
    }
};

// The controls of one frame, by the names the program gives them.
struct Side {
    QTreeWidget* list;
    QLabel *own, *all, *otherOwn, *otherAll, *rowName, *chargeMonth, *monthWord;
    QRadioButton *thisOne, *everyone;
    QPushButton *charge, *pay, *previousYear;
    QLineEdit* amount;
};
Side side(frmKezdo& w, int which) {
    if (which == 0)
        return {w.ListView3,        w.lbKKTartozas,   w.lbKKOtartozas,         w.lbHullTartozas,  w.lbHullOTartozas,
                w.Label1.at(33),    w.Label1.at(35),  w.Label1.at(34),         w.opEloiras[0],    w.opEloiras[1],
                w.cmdKozoskEloiras, w.cmdKozoskBefiz, w.cmdElozoEviKKFelvitel, w.txtKozoskBefizet};
    return {w.ListView4,        w.lbHullTartozas, w.lbHullOTartozas,      w.lbKKTartozas,    w.lbKKOtartozas,
            w.Label1.at(39),    w.Label1.at(37),  w.Label1.at(38),        w.opEloiras[3],    w.opEloiras[2],
            w.cmdSzemetEloiras, w.cmdSzemetBefiz, w.cmdElozoEviHFelvitel, w.txtSzemetBefizet};
}

}  // namespace

class TestLedgerWindow : public QObject {
    Q_OBJECT
private slots:
    void selectionShowsLedgers() {
        Fixture f;
        QCOMPARE(f.w->lbKKOtartozas->text(), QStringLiteral("21500,-Ft"));  // from the list loading, rows 1..12
        f.select(1);
        QCOMPARE(f.rowTexts(f.w->ListView3, 1), (QStringList{"12500", "12500", "2026. 01. 10."}));
        QCOMPARE(f.rowTexts(f.w->ListView3, 2), (QStringList{"12500", " ", " "}));
        QCOMPARE(f.rowTexts(f.w->ListView3, 13), (QStringList{"5000", " ", " "}));
        QCOMPARE(f.rowTexts(f.w->ListView4, 2), (QStringList{" ", " ", " "}));
        QCOMPARE(f.w->lbKKTartozas->text(), QStringLiteral("17500,-Ft"));  // rows 1..13
        QCOMPARE(f.w->lbHullTartozas->text(), QStringLiteral("3200,-Ft"));
        QCOMPARE(f.w->lbKKOtartozas->text(), QStringLiteral("21500,-Ft"));
        // The meter list shows January to March, the month of today's reading date.
        QCOMPARE(f.w->ListView5->topLevelItem(0)->text(1), QStringLiteral("10"));
        QCOMPARE(f.w->ListView5->topLevelItem(2)->text(5), QStringLiteral("0"));
        QCOMPARE(f.w->ListView5->topLevelItem(3)->text(1), QString());
        QCOMPARE(f.w->lbLakasEvesVizFogy->text(), QStringLiteral("10"));
    }

    void rowClick_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("rec");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<bool>("canPay");
        QTest::newRow("common cost February") << 0 << 1 << 2 << "Február"
                                              << " 12500" << true;
        QTest::newRow("common cost January, paid") << 0 << 1 << 1 << "Január"
                                                   << " 0" << true;
        QTest::newRow("common cost previous year") << 0 << 1 << 13 << "Előző évi"
                                                   << " 5000" << true;
        QTest::newRow("waste fee January") << 1 << 1 << 1 << "Január"
                                           << " 3200" << true;
        QTest::newRow("no resident name") << 0 << 3 << 2 << "Február"
                                          << " 0" << false;
    }
    void rowClick() {
        QFETCH(int, which);
        QFETCH(int, rec);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, proposed);
        QFETCH(bool, canPay);
        Fixture f;
        f.select(rec);
        const Side s = side(*f.w, which);
        QVERIFY(!s.charge->isEnabled() && !s.pay->isEnabled() && !s.previousYear->isEnabled());
        f.clickRow(s.list, row);
        const bool month = row <= 12;
        QCOMPARE(s.rowName->text(), name);
        QCOMPARE(s.chargeMonth->text(), name + QStringLiteral(" hónapra"));
        QCOMPARE(s.chargeMonth->isVisible(), month);
        QCOMPARE(s.monthWord->isVisible(), month);
        QCOMPARE(s.amount->text(), proposed);
        QCOMPARE(s.charge->isEnabled(), month);
        QCOMPARE(s.previousYear->isEnabled(), !month);
        QCOMPARE(s.pay->isEnabled(), canPay);
        QCOMPARE(s.thisOne->isEnabled(), canPay);
        QCOMPARE(s.thisOne->isChecked(), canPay);  // a charge goes to this apartment until the user chooses
        QVERIFY(!s.everyone->isChecked());
        // Another apartment: the row must be chosen again.
        f.select(rec == 1 ? 2 : 1);
        QVERIFY(!s.charge->isEnabled() && !s.pay->isEnabled() && !s.previousYear->isEnabled());
    }

    void charge_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("everyone");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("all");
        QTest::newRow("common cost, this apartment")
            << 0 << false << "Közösköltség előírás"
            << "Biztos mehet \nMárcius hónapra a közösköltség\nelőírás rögzítése?"
            << "12500"
            << "25000,-Ft"
            << "34000,-Ft";
        QTest::newRow("waste fee, every apartment")
            << 1 << true << "Szemétdíj előírás"
            << "Biztos mehet \nMárcius hónapra a szemétdíj\nelőírás rögzítése MINDEN lakónak?"
            << "3200"
            << "6400,-Ft"
            << "9200,-Ft";
    }
    void charge() {
        QFETCH(int, which);
        QFETCH(bool, everyone);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, own);
        QFETCH(QString, all);
        Fixture f;
        f.select(1);
        const Side s = side(*f.w, which);
        const QString otherOwn = s.otherOwn->text(), otherAll = s.otherAll->text();
        f.clickRow(s.list, 3);
        if (everyone) s.everyone->setChecked(true);
        const QByteArray before = f.data.bytes(kLakasok);
        s.charge->click();  // No
        QCOMPARE(f.data.bytes(kLakasok), before);
        QVERIFY(s.charge->isEnabled());
        f.dlg.answers = {true};
        s.charge->click();
        QCOMPARE(f.dlg.shown.size(), size_t(2));
        QCOMPARE(f.dlg.last()->kind, QStringLiteral("question"));
        QCOMPARE(f.dlg.last()->title, title);
        QCOMPARE(f.dlg.last()->text, text);
        QCOMPARE(s.list->topLevelItem(2)->text(1), shown);
        QCOMPARE(s.own->text(), own);  // rows 1..12: the previous-year debt is left out
        QCOMPARE(s.all->text(), all);
        QCOMPARE(s.otherOwn->text(), otherOwn);
        QCOMPARE(s.otherAll->text(), otherAll);
        QVERIFY(!s.charge->isEnabled());
        const auto after = f.stored();
        const ledger::Fields& fl = ledger::fields(which == 0 ? ledger::Kind::KozosKoltseg : ledger::Kind::Szemetdij);
        QCOMPARE((after[0].*fl.charge)(3), after[0].*fl.monthly);
        QCOMPARE((after[1].*fl.charge)(3), everyone ? after[1].*fl.monthly : 0);
    }

    void payment_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rowAfter");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("all");
        QTest::addColumn<int>("logged");
        QTest::newRow("common cost 1000 for February")
            << 0 << 2 << "1000"
            << "Közösköltség befizetés"
            << "Biztos mehet \nFebruár hónapra a közösköltség\nbefizetés rögzítése\n2026. 03. 10. dátummal?"
            << QStringList{"12500", "1000", "2026. 03. 10."} << "16500,-Ft"
            << "20500,-Ft" << 1000;
        QTest::newRow("waste fee, empty clears January")
            << 1 << 1 << ""
            << "Szemétdíj befizetés"
            << "Biztos mehet \nJanuár hónapra a hulladékdíj\nbefizetés rögzítése\n2026. 03. 10. dátummal?"
            << QStringList{"3200", "0", "2026. 03. 10."} << "3200,-Ft"
            << "3200,-Ft" << 0;
    }
    void payment() {
        QFETCH(int, which);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QStringList, rowAfter);
        QFETCH(QString, own);
        QFETCH(QString, all);
        QFETCH(int, logged);
        Fixture f;
        f.select(1);
        const Side s = side(*f.w, which);
        const QString otherOwn = s.otherOwn->text(), otherAll = s.otherAll->text();
        f.clickRow(s.list, row);
        s.amount->setText(typed);
        (which == 0 ? f.w->DTPKKbefizet : f.w->DTPHbefizet)->setDate(QDate(2026, 3, 10));
        f.dlg.answers = {true};
        s.pay->click();
        QCOMPARE(f.dlg.shown.size(), size_t(1));
        QCOMPARE(f.dlg.last()->title, title);
        QCOMPARE(f.dlg.last()->text, text);
        QCOMPARE(s.amount->text(), typed.isEmpty() ? QStringLiteral("0") : typed);
        QCOMPARE(f.rowTexts(s.list, row), rowAfter);
        QCOMPARE(s.own->text(), own);  // rows 1..13
        QCOMPARE(s.all->text(), all);
        QCOMPARE(s.otherOwn->text(), otherOwn);
        QCOMPARE(s.otherAll->text(), otherAll);
        QVERIFY(!s.pay->isEnabled());
        const auto log = f.log();
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].Osszeg, logged);
        QCOMPARE(log[0].Honap, std::int16_t(row));
        QCOMPARE(log[0].Tipus.text(), which == 0 ? QStringLiteral("Közösköltség") : QStringLiteral("Szemétdíj"));
    }

    void paymentRefused() {
        Fixture f;
        f.select(1);
        f.clickRow(f.w->ListView3, 2);
        f.w->txtKozoskBefizet->setText(QStringLiteral("1000 Ft"));
        const QByteArray before = f.data.bytes(kLakasok);
        f.dlg.answers = {true};
        f.w->cmdKozoskBefiz->click();
        QCOMPARE(f.dlg.shown.size(), size_t(1));
        QCOMPARE(f.dlg.last()->kind, QStringLiteral("message"));
        QCOMPARE(f.dlg.last()->title, QStringLiteral("Közösköltség befizetés"));
        QVERIFY(f.dlg.last()->text.contains(QStringLiteral("egész szám")));
        QCOMPARE(f.data.bytes(kLakasok), before);
        QVERIFY(!f.data.exists(kBefiz));
        QCOMPARE(f.rowTexts(f.w->ListView3, 2), (QStringList{"12500", " ", " "}));
        QVERIFY(f.w->cmdKozoskBefiz->isEnabled());  // the amount can be corrected and paid
    }

    void previousYear_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");  // of the confirmation; empty: refused before it
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("own");
        QTest::newRow("common cost 7000") << 0 << "7000"
                                          << "Kérem adja meg, az előző évi \nközösköltség tartozás összegét."
                                          << "Előző évi közösköltség"
                                          << "Biztos mehet \naz előző évi közösköltség tartozás\nrögzítése?"
                                          << "7000"
                                          << "19500,-Ft";
        QTest::newRow("waste fee 1500.6") << 1 << "1500.6"
                                          << "Kérem adja meg, az előző évi \nhulladékdíj tartozás összegét."
                                          << "Előző évi hulladékdíj"
                                          << "Biztos mehet \naz előző évi hulladékdíj tartozás\nrögzítése?"
                                          << "1501"
                                          << "4701,-Ft";
        QTest::newRow("common cost 1500.6 refused") << 0 << "1500.6"
                                                    << "Kérem adja meg, az előző évi \nközösköltség tartozás összegét."
                                                    << ""
                                                    << ""
                                                    << "5000"
                                                    << "17500,-Ft";
        QTest::newRow("0 stops without a word") << 1 << "0"
                                                << "Kérem adja meg, az előző évi \nhulladékdíj tartozás összegét."
                                                << ""
                                                << ""
                                                << " "
                                                << "3200,-Ft";
    }
    void previousYear() {
        QFETCH(int, which);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, own);
        Fixture f;
        f.select(1);
        const Side s = side(*f.w, which);
        f.clickRow(s.list, 13);
        const QByteArray before = f.data.bytes(kLakasok);
        f.dlg.inputs = {answer};
        f.dlg.answers = {true};
        s.previousYear->click();
        QCOMPARE(f.dlg.shown[0].kind, QStringLiteral("input"));
        QCOMPARE(f.dlg.shown[0].title, QStringLiteral("Előző évi tartozás felvitele!"));
        QCOMPARE(f.dlg.shown[0].text, prompt);
        const bool refused = title.isEmpty() && conv::numericValue(answer) != 0;
        QCOMPARE(f.dlg.shown.size(), size_t(title.isEmpty() && !refused ? 1 : 2));
        if (!title.isEmpty()) {
            QCOMPARE(f.dlg.shown[1].title, title);
            QCOMPARE(f.dlg.shown[1].text, text);
        } else {
            if (refused) QCOMPARE(f.dlg.shown[1].kind, QStringLiteral("message"));
            QCOMPARE(f.data.bytes(kLakasok), before);
        }
        QCOMPARE(s.list->topLevelItem(12)->text(1), shown);
        QCOMPARE(s.own->text(), own);  // rows 1..13
        QVERIFY(s.previousYear->isEnabled());
    }

    void recordReadings() {
        Fixture f;
        f.select(1);
        QCOMPARE(f.w->lbHo[0]->text(), QStringLiteral("3."));
        f.w->txtUtolso[1]->setText(QStringLiteral("135"));
        f.w->txtUtolso[2]->setText(QStringLiteral("abc"));
        const QByteArray before = f.data.bytes(kLakasok);
        f.dlg.answers = {true};
        f.w->cmdKozmuModosit->click();
        QCOMPARE(f.dlg.shown.size(), size_t(1));  // refused before the question
        QCOMPARE(f.dlg.last()->kind, QStringLiteral("message"));
        QVERIFY(f.dlg.last()->text.contains(QStringLiteral("H2 (hidegvíz)")));
        QCOMPARE(f.data.bytes(kLakasok), before);

        f.w->txtUtolso[2]->setText(QStringLiteral("0"));
        f.w->cmdKozmuModosit->click();
        QCOMPARE(f.dlg.last()->kind, QStringLiteral("question"));
        QCOMPARE(f.dlg.last()->title, QStringLiteral("Vízóraállás módosítása"));
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos mehet a(z)\n     3. havi\nvízóra állás módosítása?\n"));
        QCOMPARE(f.w->lbvizfogy[1]->text(), QStringLiteral("15"));
        QCOMPARE(f.w->lbvizfogy[2]->text(), QStringLiteral("0"));
        QCOMPARE(f.w->lbLakasFogy->text(), QStringLiteral("15"));
        QCOMPARE(f.w->ListView5->topLevelItem(2)->text(1), QStringLiteral("15"));
        QCOMPARE(f.w->ListView5->topLevelItem(2)->text(5), QStringLiteral("15"));
        QCOMPARE(f.w->ListView5->topLevelItem(3)->text(1), QString());
        QCOMPARE(f.w->lbLakasEvesVizFogy->text(), QStringLiteral("25"));
        QCOMPARE(f.w->lbHazEvesVizFogy->text(), QStringLiteral("32"));
        QCOMPARE(f.w->lbHazFogy->text(), QStringLiteral("20"));
        QCOMPARE(f.w->lbHo[1]->text(), QStringLiteral("3."));
        QVERIFY(!f.w->cmdKozmuModosit->isEnabled());
        const Lakas l = f.stored()[0];
        QCOMPARE(l.HaviFogyasztas1(3), std::int16_t(15));
        QCOMPARE(l.UtolsoAllas(1), std::int16_t(135));
        QCOMPARE(l.LeadasDatum, on(3, 15));

        // Another reading date shows that month's consumption.
        f.w->DTPLeadas->setDate(QDate(2026, 1, 20));
        QCOMPARE(f.w->lbLakasFogy->text(), QStringLiteral("10"));
        QCOMPARE(f.w->lbHazFogy->text(), QStringLiteral("10"));
        QCOMPARE(f.w->lbHo[0]->text(), QStringLiteral("1"));
        f.w->DTPLeadas->setDate(QDate(2026, 2, 20));
        QCOMPARE(f.w->lbLakasFogy->text(), QStringLiteral("0"));
        QCOMPARE(f.w->lbHazFogy->text(), QStringLiteral("7"));
    }

    void leadas_data() {
        QTest::addColumn<bool>("everyone");
        QTest::newRow("this apartment") << false;
        QTest::newRow("every apartment") << true;
    }
    void leadas() {
        QFETCH(bool, everyone);
        auto flats = house();
        flats[0].UtolsoAllas(1) = 135;
        Fixture f(flats);
        f.select(1);
        QCOMPARE(f.w->lbvizfogy[1]->text(), QStringLiteral("15"));
        f.w->opVizLeadas[everyone ? 1 : 0]->setChecked(true);
        f.w->cmdLeadas->click();
        QVERIFY(f.dlg.shown.empty());
        QCOMPARE(f.w->txtElozo[1]->text(), QStringLiteral("135"));
        QCOMPARE(f.w->txtUtolso[1]->text(), QStringLiteral("0"));
        QCOMPARE(f.w->lbvizfogy[1]->text(), QString());
        QCOMPARE(f.w->lbvizfogy[2]->text(), everyone ? QString() : QStringLiteral("0"));  // meter 2 had no reading
        const auto after = f.stored();
        QCOMPARE(after[0].ElozoAllas(1), std::int16_t(135));
        QCOMPARE(after[0].ElozoAllas(2), std::int16_t(5));
        QCOMPARE(after[1].ElozoAllas(1), std::int16_t(everyone ? 50 : 45));
    }
};

QTEST_MAIN(TestLedgerWindow)
#include "tst_ledger_window.moc"
