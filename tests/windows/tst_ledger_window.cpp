// The ledger and meter pages of the main window: each button and row click
// asks the right question, shows what the operation stored, and leaves the
// buttons in the right state. The money rules are tested on the engine.

#include "support/mainwindow.h"

namespace {

// Record 1: Kovács Éva, owing February and 5000 from the previous year;
// record 2: Nagy Ilona; record 3: an apartment without a resident.
std::vector<Lakas> house() {
    Lakas k = makeLakas("Kovács Éva", "Fő utca", "1", "2/5");
    k.KozosKoltseg = 12500, k.SzemetDij = 3200, k.KKEloiras(1) = k.KKBefizetes(1) = k.KKEloiras(2) = 12500;
    k.KKBefizDatum(1) = Date::fromQDate(QDate(2026, 1, 10)), k.KKEloiras(13) = 5000, k.HEloiras(1) = 3200;
    k.ElozoAllas(1) = 120, k.ElozoAllas(2) = 5, k.HaviFogyasztas1(1) = 10;  // meter 2: no last reading
    Lakas n = makeLakas("Nagy Ilona", "Fő utca", "1", "3/1");
    n.KozosKoltseg = n.KKEloiras(1) = 9000, n.SzemetDij = 2800, n.ElozoAllas(1) = 45, n.UtolsoAllas(1) = 50;
    n.HaviFogyasztas1(2) = 7;
    Lakas u = makeLakas("", "Fő utca", "1", "4/1");
    u.KozosKoltseg = 4000;
    return {k, n, u};
}

struct Fixture : MainWindow {
    Fixture() {
        data.writeApartments("2026", house());
        open();
    }
    static QString cells(QTreeWidget* list, int row, int columns = 3) {
        QStringList out;
        for (int c = 1; c <= columns; ++c) out << list->topLevelItem(row - 1)->text(c);
        return out.join('|');
    }
    // The dialogs shown; a message by its kind and title only.
    QStringList dialogs() const {
        QStringList out;
        for (const QString& d : dlg.texts()) out << (d.startsWith("message") ? d.section('|', 0, 1) : d);
        return out;
    }
};

// The controls of the two frames by name: list, own and all arrears, charge,
// pay, previous year, amount, date, "this apartment", "every apartment".
const char* const kSides[2][9] = {
    {"ListView3", "lbKKTartozas", "lbKKOtartozas", "cmdKozoskEloiras", "cmdKozoskBefiz", "cmdElozoEviKKFelvitel",
     "txtKozoskBefizet", "opEloiras(0)", "opEloiras(1)"},
    {"ListView4", "lbHullTartozas", "lbHullOTartozas", "cmdSzemetEloiras", "cmdSzemetBefiz", "cmdElozoEviHFelvitel",
     "txtSzemetBefizet", "opEloiras(3)", "opEloiras(2)"}};

// A button (3 charge, 4 pay, 5 previous year) pressed for Kovács Éva after
// a click on its row, which proposes an amount; then the amount typed or
// answered, the dialogs, the row's cells and the two arrears afterwards.
struct Press {
    int which, button, row;
    QString proposed, typed;
    bool everyone;
    QStringList dialogs;
    QString rowAfter, labels;
};

}  // namespace

Q_DECLARE_METATYPE(Press)

class TestLedgerWindow : public QObject {
    Q_OBJECT
private slots:
    void selectionShowsLedgers() {
        Fixture f;
        QCOMPARE(f.w->lbKKOtartozas->text(), QStringLiteral("21500,-Ft"));  // from the list loading, rows 1..12
        selectRecord(*f.w, 1);
        // The meter list shows January to March, the month of today's reading date.
        QCOMPARE((QStringList{f.cells(f.w->ListView3, 1), f.cells(f.w->ListView3, 2), f.cells(f.w->ListView4, 1),
                              f.w->lbKKTartozas->text() + f.w->lbHullTartozas->text(), f.cells(f.w->ListView5, 1, 5),
                              f.cells(f.w->ListView5, 4, 5), f.w->lbLakasEvesVizFogy->text()}),
                 (QStringList{"12500|12500|2026. 01. 10.", "12500| | ", "3200| | ", "17500,-Ft3200,-Ft", "10|0|0|0|10", "||||", "10"}));
        // Without a resident a row can be charged but not paid.
        selectRecord(*f.w, 3);
        clickRow(f.w->ListView3, 1);
        QVERIFY(f.w->cmdKozoskEloiras->isEnabled() && !f.w->cmdKozoskBefiz->isEnabled() && !f.w->opEloiras[0]->isChecked());
    }

    // Each button of each frame: No writes nothing and keeps the button; Yes
    // shows what was stored and disables it (a debt's stays). A refusal or a
    // stop asks nothing; a refused payment puts the focus back in its box.
    void buttons_data() {
        QTest::addColumn<Press>("c");
        const QString ask = "question|%1|Biztos mehet \n%2", kk = "közösköltség", h = "hulladékdíj";
        const auto charge = [&](const QString& title, const QString& noun, const QString& whom) {
            return QStringList{ask.arg(title, "Március hónapra a " + noun + "\nelőírás rögzítése" + whom)};
        };
        const auto pay = [&](const QString& title, const QString& month, const QString& noun) {
            return QStringList{ask.arg(title, month + " hónapra a " + noun + "\nbefizetés rögzítése\n2026. 03. 10. dátummal?")};
        };
        const auto debt = [&](const QString& noun, bool asked) {
            QStringList out{"input|Előző évi tartozás felvitele!|Kérem adja meg, az előző évi \n" + noun + " tartozás összegét."};
            if (asked) out << ask.arg("Előző évi " + noun, "az előző évi " + noun + " tartozás\nrögzítése?");
            return out;
        };
        const auto row = [](const char* name, const Press& c) { QTest::newRow(name) << c; };
        row("common cost charge, this apartment, rows 1..12",
            {0, 3, 3, " 0", "", false, charge("Közösköltség előírás", kk, "?"), "12500| | ", "25000,-Ft|34000,-Ft"});
        row("waste fee charge, every apartment",
            {1, 3, 3, " 0", "", true, charge("Szemétdíj előírás", "szemétdíj", " MINDEN lakónak?"), "3200| | ",
             "6400,-Ft|9200,-Ft"});
        row("common cost 1000 for February, rows 1..13",
            {0, 4, 2, " 12500", "1000", false, pay("Közösköltség befizetés", "Február", kk), "12500|1000|2026. 03. 10.",
             "16500,-Ft|20500,-Ft"});
        row("waste fee, empty clears January",
            {1, 4, 1, " 3200", "", false, pay("Szemétdíj befizetés", "Január", h), "3200|0|2026. 03. 10.", "3200,-Ft|3200,-Ft"});
        row("payment 1000 Ft refused", {0, 4, 2, " 12500", "1000 Ft", false, {"message|Közösköltség befizetés"},
                                        "12500| | ", "17500,-Ft|21500,-Ft"});
        row("common cost debt 7000", {0, 5, 13, " 5000", "7000", false, debt(kk, true), "7000| | ", "19500,-Ft|21500,-Ft"});
        row("common cost debt 1500.6 refused",
            {0, 5, 13, " 5000", "1500.6", false, debt(kk, false) << "message|Előző évi tartozás felvitele!", "5000| | ",
             "17500,-Ft|21500,-Ft"});
        row("debt 0 stops without a word", {1, 5, 13, " 0", "0", false, debt(h, false), " | | ", "3200,-Ft|3200,-Ft"});
    }
    void buttons() {
        QFETCH(Press, c);
        const bool asks = c.dialogs.last().startsWith("question");
        for (const bool yes : {false, true}) {
            if (!yes && !asks) continue;
            Fixture f;
            const auto side = [&](int i) { return f.w->findChild<QWidget*>(kSides[c.which][i]); };
            auto* list = static_cast<QTreeWidget*>(side(0));
            auto* b = static_cast<QPushButton*>(side(c.button));
            auto* amount = static_cast<QLineEdit*>(side(6));
            selectRecord(*f.w, 1);
            clickRow(list, c.row - 1);
            QCOMPARE(amount->text(), c.proposed);
            QVERIFY(side(3)->isEnabled() == (c.row <= 12) && side(5)->isEnabled() == (c.row == 13) && side(4)->isEnabled());
            QVERIFY(static_cast<QRadioButton*>(side(7))->isChecked());
            if (c.everyone) static_cast<QRadioButton*>(side(8))->setChecked(true);
            static_cast<QDateEdit*>(f.w->findChild<QWidget*>(c.which ? "DTPHbefizet" : "DTPKKbefizet"))->setDate(QDate(2026, 3, 10));
            const auto labels = [&] { return static_cast<QLabel*>(side(1))->text() + '|' + static_cast<QLabel*>(side(2))->text(); };
            const QString rowBefore = f.cells(list, c.row), labelsBefore = labels();
            const QByteArray before = f.bytes();
            if (c.button == 4) amount->setText(c.typed);
            f.dlg.inputs = {c.typed};
            f.dlg.answers = {yes};
            b->click();
            const QString after = yes ? c.rowAfter : rowBefore;
            QCOMPARE(f.dialogs() << f.cells(list, c.row) << labels(), c.dialogs + (QStringList{after, yes ? c.labels : labelsBefore}));
            QCOMPARE(b->isEnabled(), !yes || c.button == 5 || after == rowBefore);
            QCOMPARE(f.bytes() != before, after != rowBefore);
            QCOMPARE(f.data.exists("2026/Befiz.dat"), after != rowBefore && c.button == 4);
            if (c.button == 4 && !asks) QCOMPARE(f.focused(), amount->objectName());
            // Another apartment: no row stays chosen.
            selectRecord(*f.w, 2);
            QVERIFY(!side(3)->isEnabled() && !side(4)->isEnabled() && !side(5)->isEnabled() && !list->currentItem());
        }
    }

    void meterPage() {
        Fixture f;
        selectRecord(*f.w, 1);
        f.w->txtUtolso[1]->setText("135");
        f.w->txtUtolso[2]->setText("abc");
        const QByteArray before = f.bytes();
        f.dlg.answers = {true};
        f.w->cmdKozmuModosit->click();  // refused before the question
        QVERIFY(f.dialogs() == QStringList{"message|Vízóraállás módosítása"} && f.dlg.shown.back().text.contains("H2 (hidegvíz)") && f.bytes() == before);
        f.w->txtUtolso[2]->setText("0");
        f.w->cmdKozmuModosit->click();
        QCOMPARE((QStringList{f.dialogs().last(), f.w->lbvizfogy[1]->text(), f.w->lbvizfogy[2]->text(), f.w->lbLakasFogy->text(),
                              f.w->lbHo[0]->text(), f.w->lbLakasEvesVizFogy->text(), f.cells(f.w->ListView5, 3, 5)}),
                 (QStringList{"question|Vízóraállás módosítása|Biztos mehet a(z)\n     3. havi\nvízóra állás módosítása?\n",
                              "15", "0", "15", "3.", "25", "15|0|0|0|15"}));
        QVERIFY(!f.w->cmdKozmuModosit->isEnabled() && f.stored()[0].LeadasDatum == Date::fromQDate(QDate(2026, 3, 15)));
        // Another reading date shows that month's consumption.
        f.w->DTPLeadas->setDate(QDate(2026, 2, 20));
        QCOMPARE(f.w->lbLakasFogy->text() + '|' + f.w->lbHazFogy->text() + '|' + f.w->lbHo[0]->text(), QStringLiteral("0|7|2"));

        // "Leadás" for this apartment moves meter 1, which has a last reading; for every
        // apartment, after a question naming how many change, Nagy Ilona's too.
        const auto meters = [&] { return f.w->txtElozo[1]->text() + '|' + f.w->txtUtolso[1]->text() + '|' + f.w->lbvizfogy[1]->text(); };
        QStringList steps;  // the meter shown, Nagy Ilona's stored previous reading
        const auto step = [&] { f.w->cmdLeadas->click(), steps << meters() + '|' + QString::number(f.stored()[1].ElozoAllas(1)); };
        step();
        f.w->opVizLeadas[1]->setChecked(true);
        step();  // No
        f.dlg.answers = {true};
        step();
        QCOMPARE(steps, (QStringList{"135|0||45", "135|0||45", "135|0||50"}));
        const QString all = "question/Nem|Leadás|Biztos mehet \naz utolsó mérőállások előzőre állítása\n1 lakásnál?\n\n"
                            "Ez nem vonható vissza.";
        QCOMPARE(f.dlg.texts().mid(2), (QStringList{all, all}));  // "Leadás" for one apartment asks nothing
    }
};

QTEST_MAIN(TestLedgerWindow)
#include "tst_ledger_window.moc"
