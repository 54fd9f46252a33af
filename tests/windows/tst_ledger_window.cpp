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

#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");
const QString kBefiz = QStringLiteral("2026/Befiz.dat");

// Record 1: Kovács Éva, owing February and 5000 from the previous year;
// record 2: Nagy Ilona; record 3: an apartment without a resident.
std::vector<Lakas> house() {
    const auto flat = [](const QString& nev, const char* ajto) {
        return makeLakas(nev, QStringLiteral("Fő utca"), QStringLiteral("1"), QString::fromLatin1(ajto));
    };
    Lakas k = flat(QStringLiteral("Kovács Éva"), "2/5");
    k.KozosKoltseg = 12500;
    k.SzemetDij = 3200;
    k.KKEloiras(1) = k.KKBefizetes(1) = k.KKEloiras(2) = 12500;
    k.KKBefizDatum(1) = Date::fromQDate(QDate(2026, 1, 10));
    k.KKEloiras(13) = 5000;
    k.HEloiras(1) = 3200;
    k.ElozoAllas(1) = 120;  // meter 2 has a previous reading but no last one
    k.ElozoAllas(2) = 5;
    k.HaviFogyasztas1(1) = 10;
    Lakas n = flat(QStringLiteral("Nagy Ilona"), "3/1");
    n.KozosKoltseg = n.KKEloiras(1) = 9000;
    n.SzemetDij = 2800;
    n.ElozoAllas(1) = 45;
    n.UtolsoAllas(1) = 50;
    n.HaviFogyasztas1(2) = 7;
    Lakas u = flat(QString(), "4/1");
    u.KozosKoltseg = 4000;
    return {k, n, u};
}

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKezdo> w;

    Fixture() {
        data.writeApartments(kYear, house());
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
    static QStringList rowTexts(QTreeWidget* list, int row, int columns = 3) {
        QStringList out;
        for (int c = 1; c <= columns; ++c) out << list->topLevelItem(row - 1)->text(c);
        return out;
    }
    // The dialogs shown: kind, title and text; a message by its kind and title.
    QStringList dialogs() const {
        QStringList out;
        for (const auto& d : dlg.shown)
            out << d.kind + QLatin1Char('|') + d.title +
                       (d.kind == QLatin1String("message") ? QString() : QLatin1Char('|') + d.text);
        return out;
    }
};

// The controls of one frame, by the names the program gives them.
struct Side {
    QTreeWidget* list;
    QLabel *own, *all, *otherOwn, *otherAll, *rowName, *chargeMonth, *monthWord;
    QRadioButton *thisOne, *everyone;
    QPushButton *charge, *pay, *previousYear;
    QLineEdit* amount;
    QDateEdit* date;
};
Side side(frmKezdo& w, int which) {
    if (which == 0)
        return {w.ListView3,        w.lbKKTartozas,   w.lbKKOtartozas,         w.lbHullTartozas,   w.lbHullOTartozas,
                w.Label1.at(33),    w.Label1.at(35),  w.Label1.at(34),         w.opEloiras[0],     w.opEloiras[1],
                w.cmdKozoskEloiras, w.cmdKozoskBefiz, w.cmdElozoEviKKFelvitel, w.txtKozoskBefizet, w.DTPKKbefizet};
    return {w.ListView4,        w.lbHullTartozas, w.lbHullOTartozas,      w.lbKKTartozas,     w.lbKKOtartozas,
            w.Label1.at(39),    w.Label1.at(37),  w.Label1.at(38),        w.opEloiras[3],     w.opEloiras[2],
            w.cmdSzemetEloiras, w.cmdSzemetBefiz, w.cmdElozoEviHFelvitel, w.txtSzemetBefizet, w.DTPHbefizet};
}

// A button pressed after its row was clicked, for Kovács Éva.
struct Press {
    int which;       // 0 common cost, 1 waste fee
    QString button;  // charge, pay or debt
    int row;
    QString proposed, typed;  // the amount the row click proposes; the amount typed or the answer to the input
    bool everyone, yes;       // yes: the answer to the question
    QStringList dialogs;
    QString rowAfter, labels;  // the row's cells; own and all; joined by |
    bool enabledAfter;
};

}  // namespace

Q_DECLARE_METATYPE(Press)

class TestLedgerWindow : public QObject {
    Q_OBJECT
private slots:
    void selectionShowsLedgers() {
        Fixture f;
        QCOMPARE(f.w->lbKKOtartozas->text(), QStringLiteral("21500,-Ft"));  // from the list loading, rows 1..12
        f.select(1);
        QCOMPARE(f.rowTexts(f.w->ListView3, 1), (QStringList{"12500", "12500", "2026. 01. 10."}));
        QCOMPARE(f.rowTexts(f.w->ListView3, 2), (QStringList{"12500", " ", " "}));
        QCOMPARE(f.rowTexts(f.w->ListView4, 1), (QStringList{"3200", " ", " "}));
        QCOMPARE((QStringList{f.w->lbKKTartozas->text(), f.w->lbKKOtartozas->text(), f.w->lbHullTartozas->text()}),
                 (QStringList{"17500,-Ft", "21500,-Ft", "3200,-Ft"}));  // own: rows 1..13
        // The meter list shows January to March, the month of today's reading date.
        QCOMPARE(f.rowTexts(f.w->ListView5, 1, 5), (QStringList{"10", "0", "0", "0", "10"}));
        QCOMPARE(f.rowTexts(f.w->ListView5, 4, 5), QStringList(5, QString()));
        QCOMPARE(f.w->lbLakasEvesVizFogy->text(), QStringLiteral("10"));
    }

    // Each button of each frame once: the row click before it, the dialogs,
    // the row and the labels shown afterwards, and the button's state. A row
    // shown unchanged means nothing may have been written.
    void buttons_data() {
        QTest::addColumn<Press>("c");
        const QString ask = QStringLiteral("question|%1|Biztos mehet \n%2");
        const auto kk = QStringLiteral("közösköltség"), h = QStringLiteral("hulladékdíj");
        const auto chargeQ = [&](const QString& title, const QString& noun, const QString& whom) {
            return QStringList{ask.arg(
                title, QStringLiteral("Március hónapra a ") + noun + QStringLiteral("\nelőírás rögzítése") + whom)};
        };
        const auto payQ = [&](const QString& title, const QString& month, const QString& noun) {
            return QStringList{ask.arg(title, month + QStringLiteral(" hónapra a ") + noun +
                                                  QStringLiteral("\nbefizetés rögzítése\n2026. 03. 10. dátummal?"))};
        };
        const auto debt = [&](const QString& noun, bool asked) {
            const QString input = QStringLiteral("input|Előző évi tartozás felvitele!|Kérem adja meg, az előző évi \n");
            QStringList out{input + noun + QStringLiteral(" tartozás összegét.")};
            if (asked)
                out << ask.arg(QStringLiteral("Előző évi ") + noun,
                               QStringLiteral("az előző évi ") + noun + QStringLiteral(" tartozás\nrögzítése?"));
            return out;
        };
        const QString blank = QStringLiteral(" | | "), kkLabels = QStringLiteral("17500,-Ft|21500,-Ft"),
                      hLabels = QStringLiteral("3200,-Ft|3200,-Ft");
        const QStringList refusedPay{QStringLiteral("message|Közösköltség befizetés")};
        const auto row = [](const char* name, const Press& c) { QTest::newRow(name) << c; };
        row("common cost charge, this apartment, rows 1..12",
            {0, "charge", 3, " 0", "", false, true, chargeQ("Közösköltség előírás", kk, "?"), "12500| | ",
             "25000,-Ft|34000,-Ft", false});
        row("common cost charge answered No",
            {0, "charge", 3, " 0", "", false, false, chargeQ("Közösköltség előírás", kk, "?"), blank, kkLabels, true});
        row("waste fee charge, every apartment",
            {1, "charge", 3, " 0", "", true, true, chargeQ("Szemétdíj előírás", "szemétdíj", " MINDEN lakónak?"),
             "3200| | ", "6400,-Ft|9200,-Ft", false});
        row("common cost 1000 for February, rows 1..13",
            {0, "pay", 2, " 12500", "1000", false, true, payQ("Közösköltség befizetés", "Február", kk),
             "12500|1000|2026. 03. 10.", "16500,-Ft|20500,-Ft", false});
        row("waste fee, empty clears January",
            {1, "pay", 1, " 3200", "", false, true, payQ("Szemétdíj befizetés", "Január", h), "3200|0|2026. 03. 10.",
             hLabels, false});
        row("payment 1000 Ft refused before the question",
            {0, "pay", 2, " 12500", "1000 Ft", false, true, refusedPay, "12500| | ", kkLabels, true});
        row("common cost debt 7000",
            {0, "debt", 13, " 5000", "7000", false, true, debt(kk, true), "7000| | ", "19500,-Ft|21500,-Ft", true});
        row("waste fee debt 1500.6",
            {1, "debt", 13, " 0", "1500.6", false, true, debt(h, true), "1501| | ", "4701,-Ft|3200,-Ft", true});
        row("common cost debt 1500.6 refused",
            {0, "debt", 13, " 5000", "1500.6", false, true, debt(kk, false) << "message|Előző évi tartozás felvitele!",
             "5000| | ", kkLabels, true});
        row("debt 0 stops without a word",
            {1, "debt", 13, " 0", "0", false, true, debt(h, false), blank, hLabels, true});
    }
    void buttons() {
        QFETCH(Press, c);
        Fixture f;
        f.select(1);
        const Side s = side(*f.w, c.which);
        const QStringList otherLabels{s.otherOwn->text(), s.otherAll->text()};
        QVERIFY(!s.charge->isEnabled() && !s.pay->isEnabled() && !s.previousYear->isEnabled());
        f.clickRow(s.list, c.row);
        const bool month = c.row <= 12;
        QCOMPARE(s.rowName->text(), s.list->topLevelItem(c.row - 1)->text(0));
        QCOMPARE(s.chargeMonth->text(), s.rowName->text() + QStringLiteral(" hónapra"));
        QCOMPARE((QList<bool>{s.chargeMonth->isVisible(), s.monthWord->isVisible(), s.charge->isEnabled(),
                              s.previousYear->isEnabled(), s.pay->isEnabled(), s.thisOne->isChecked()}),
                 (QList<bool>{month, month, month, !month, true, true}));
        QCOMPARE(s.amount->text(), c.proposed);

        const QString rowBefore = f.rowTexts(s.list, c.row).join(QLatin1Char('|'));
        const QByteArray before = f.data.bytes(kLakasok);
        if (c.everyone) s.everyone->setChecked(true);
        s.date->setDate(QDate(2026, 3, 10));
        QPushButton* b = c.button == QLatin1String("charge") ? s.charge
                         : c.button == QLatin1String("pay")  ? s.pay
                                                             : s.previousYear;
        if (b == s.pay) s.amount->setText(c.typed);
        f.dlg.inputs = {c.typed};
        f.dlg.answers = {c.yes};
        b->click();
        QCOMPARE(f.dialogs(), c.dialogs);
        QCOMPARE(f.rowTexts(s.list, c.row).join(QLatin1Char('|')), c.rowAfter);
        QCOMPARE(s.own->text() + QLatin1Char('|') + s.all->text(), c.labels);
        QCOMPARE((QStringList{s.otherOwn->text(), s.otherAll->text()}), otherLabels);
        QCOMPARE(b->isEnabled(), c.enabledAfter);
        const bool written = c.rowAfter != rowBefore;
        QCOMPARE(f.data.bytes(kLakasok) != before, written);
        QCOMPARE(f.data.exists(kBefiz), written && b == s.pay);
        if (b == s.pay) QCOMPARE(s.amount->text(), c.typed.isEmpty() ? QStringLiteral("0") : c.typed);
        // Another apartment: the row must be chosen again.
        f.select(2);
        QVERIFY(!s.charge->isEnabled() && !s.pay->isEnabled() && !s.previousYear->isEnabled());
    }

    // Without a resident a row can be charged but not paid.
    void rowWithoutResident() {
        Fixture f;
        f.select(3);
        const Side s = side(*f.w, 0);
        f.clickRow(s.list, 2);
        QCOMPARE(s.amount->text(), QStringLiteral(" 0"));
        QVERIFY(s.charge->isEnabled());
        QVERIFY(!s.pay->isEnabled() && !s.thisOne->isEnabled() && !s.thisOne->isChecked());
    }

    void meterPage() {
        Fixture f;
        f.select(1);
        f.w->txtUtolso[1]->setText(QStringLiteral("135"));
        f.w->txtUtolso[2]->setText(QStringLiteral("abc"));
        const QByteArray before = f.data.bytes(kLakasok);
        f.dlg.answers = {true};
        f.w->cmdKozmuModosit->click();
        QCOMPARE(f.dialogs(), QStringList{"message|Vízóraállás módosítása"});  // refused before the question
        QVERIFY(f.dlg.last()->text.contains(QStringLiteral("H2 (hidegvíz)")));
        QCOMPARE(f.data.bytes(kLakasok), before);

        f.w->txtUtolso[2]->setText(QStringLiteral("0"));
        f.w->cmdKozmuModosit->click();
        QCOMPARE(f.dialogs().last(),
                 QStringLiteral(
                     "question|Vízóraállás módosítása|Biztos mehet a(z)\n     3. havi\nvízóra állás módosítása?\n"));
        QCOMPARE((QStringList{f.w->lbvizfogy[1]->text(), f.w->lbvizfogy[2]->text(), f.w->lbLakasFogy->text(),
                              f.w->lbHo[0]->text(), f.w->lbLakasEvesVizFogy->text()}),
                 (QStringList{"15", "0", "15", "3.", "25"}));
        QCOMPARE(f.rowTexts(f.w->ListView5, 3, 5), (QStringList{"15", "0", "0", "0", "15"}));
        // The list loaded again: the house totals.
        QCOMPARE((QStringList{f.w->lbHazFogy->text(), f.w->lbHazEvesVizFogy->text()}), (QStringList{"20", "32"}));
        QVERIFY(!f.w->cmdKozmuModosit->isEnabled());
        QCOMPARE(f.data.readApartments(kYear)[0].LeadasDatum, Date::fromQDate(QDate(2026, 3, 15)));

        // Another reading date shows that month's consumption.
        f.w->DTPLeadas->setDate(QDate(2026, 1, 20));
        QCOMPARE((QStringList{f.w->lbLakasFogy->text(), f.w->lbHazFogy->text(), f.w->lbHo[0]->text()}),
                 (QStringList{"10", "10", "1"}));
        f.w->DTPLeadas->setDate(QDate(2026, 2, 20));
        QCOMPARE((QStringList{f.w->lbLakasFogy->text(), f.w->lbHazFogy->text()}), (QStringList{"0", "7"}));

        // "Leadás" for this apartment moves meter 1, which has a last reading; for all, Nagy Ilona's too.
        const auto meters = [&] {
            return QStringList{f.w->txtElozo[1]->text(), f.w->txtUtolso[1]->text(), f.w->lbvizfogy[1]->text(),
                               f.w->lbvizfogy[2]->text()};
        };
        f.w->cmdLeadas->click();
        QCOMPARE(meters(), (QStringList{"135", "0", "", "0"}));
        QCOMPARE(f.data.readApartments(kYear)[1].ElozoAllas(1), std::int16_t(45));
        f.w->opVizLeadas[1]->setChecked(true);
        f.w->cmdLeadas->click();
        QCOMPARE(meters(), (QStringList{"135", "0", "", ""}));
        QCOMPARE(f.data.readApartments(kYear)[1].ElozoAllas(1), std::int16_t(50));
        QCOMPARE(f.dlg.shown.size(), size_t(2));  // "Leadás" asks nothing
    }
};

QTEST_MAIN(TestLedgerWindow)
#include "tst_ledger_window.moc"
