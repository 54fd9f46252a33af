// The yearly statement: the rows, balances and totals of both modes, the
// search by address and name, and the printed page through the recorder
// (heading above the table, rows at 32 ... 80 mm, totals at 84 mm, the
// columns where the two tables put them, amounts padded to six characters).

#include <QTest>

#include "ledger/months.h"
#include "reports/printtext.h"
#include "reports/recordingsurface.h"
#include "reports/statement.h"
#include "support/testfolder.h"

namespace {
Date day(int y, int m, int d) {
    return Date::fromQDate(QDate(y, m, d));
}
}  // namespace

class tst_statement : public QObject {
    Q_OBJECT
private slots:
    void rowsAndBalances_data();
    void rowsAndBalances();
    void cellTexts_data();
    void cellTexts();
    void search();
    void printedPage_data();
    void printedPage();
};

// Row 13 is the previous year's debt; a row's balance is paid minus charged,
// the total balance the sum of the row balances; the waste fee counts only
// in the combined mode.
void tst_statement::rowsAndBalances_data() {
    QTest::addColumn<bool>("withWaste");
    QTest::addColumn<int>("row");  // 1..13, 14 = totals
    QTest::addColumn<QStringList>("texts");
    const QString b = QStringLiteral(" ");
    QTest::newRow("KK previous year") << false << 13 << QStringList{"Előző évi", "5000", "0", "", b, b, "", "-5000"};
    QTest::newRow("KK March overpaid") << false << 3
                                       << QStringList{"Március", "1000", "1500", "2026. 03. 10.", b, b, "", "500"};
    QTest::newRow("KK empty month") << false << 1 << QStringList{"Január", "0", "0", "", b, b, "", "0"};
    QTest::newRow("KK totals") << false << 14 << QStringList{"Összesen:", "6000", "1500", "", b, b, "", "-4500"};
    QTest::newRow("KKSZ March") << true << 3
                                << QStringList{"Március", "1000", "1500", "2026. 03. 10.", "800", "0", "", "-300"};
    QTest::newRow("KKSZ totals") << true << 14 << QStringList{"Összesen:", "6000", "1500", "", "800", "0", "", "-5300"};
}

void tst_statement::rowsAndBalances() {
    QFETCH(bool, withWaste);
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    Lakas l = makeLakas("Kovács Péter", "Fő utca", "12", "3");
    l.KKEloiras(13) = 5000;
    l.KKEloiras(3) = 1000, l.KKBefizetes(3) = 1500, l.KKBefizDatum(3) = day(2026, 3, 10);
    l.HEloiras(3) = 800, l.HBefizDatum(3) = day(2000, 1, 1);  // no later than 2000.01.01: no date
    const auto rows = statement::listRows(statement::table(l, withWaste), withWaste);
    QCOMPARE(rows.size(), size_t(14));
    QCOMPARE(rows[static_cast<size_t>(row - 1)], texts);
}

// Printed cells: amounts padded to six characters (longer ones unchanged),
// the summary's "### ##0" in nine and the book's "### ### ##0" in eleven,
// a minus sign kept before the first digit; dates only for real days.
void tst_statement::cellTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using printtext::grouped;
    QTest::newRow("123") << printtext::amount6(123) << "   123";
    QTest::newRow("-12345") << printtext::amount6(-12345) << "-12345";
    QTest::newRow("1234567") << printtext::amount6(1234567) << "1234567";
    QTest::newRow("9: 123") << grouped(123, "### ##0", 9) << "      123";
    QTest::newRow("9: 1234567") << grouped(1234567, "### ##0", 9) << " 1234 567";
    QTest::newRow("9: -1500") << grouped(-1500, "### ##0", 9) << "   -1 500";
    QTest::newRow("9: -500") << grouped(-500, "### ##0", 9) << "     -500";
    QTest::newRow("9: 0") << grouped(0, "### ##0", 9) << "        0";
    QTest::newRow("11: 1234567") << grouped(1234567, "### ### ##0", 11) << "  1 234 567";
    QTest::newRow("11: -1234567") << grouped(-1234567, "### ### ##0", 11) << " -1 234 567";
    QTest::newRow("date empty") << printtext::date(Date{}) << "";
    QTest::newRow("date damaged") << printtext::date(Date{std::numeric_limits<double>::quiet_NaN()}) << "";
    QTest::newRow("date huge") << printtext::date(Date{1e300}) << "";
    QTest::newRow("payment 2000.01.01") << printtext::paymentDate(day(2000, 1, 1)) << "";
    QTest::newRow("payment 2000.01.02") << printtext::paymentDate(day(2000, 1, 2)) << "2000. 01. 02.";
}

void tst_statement::cellTexts() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

// The address text and the first resident name find the first apartment
// that has them, exactly; the search lists hold one entry per record.
void tst_statement::search() {
    TestFolder data;
    const QString year = QStringLiteral("2026");
    data.writeApartments(year,
                         {makeLakas("Kiss Anna", "Fő utca", "1", "2"), makeLakas("Nagy Béla", "Fő utca", "1", "2"),
                          makeLakas("Nagy Béla", "Kert utca", "5", "")});
    const DataFolder f = data.folder();
    const QString address = QStringLiteral("1111 Budapest, Fő utca 1. 2");
    QCOMPARE(statement::searchLists(f, year).addresses.value(0), address);
    QCOMPARE(statement::searchLists(f, year).names, (QStringList{"Kiss Anna", "Nagy Béla", "Nagy Béla"}));
    QCOMPARE(statement::findByAddress(f, year, address), 1);
    QCOMPARE(statement::findByAddress(f, year, QStringLiteral("1111 Budapest, Kert utca 5. ")), 3);
    QCOMPARE(statement::findByName(f, year, QStringLiteral("Nagy Béla")), 2);
    QCOMPARE(statement::findByName(f, year, QStringLiteral("nagy béla")), 0);
    QCOMPARE(statement::apartmentCount(f, year), 3);
    QCOMPARE(statement::apartmentCount(f, QStringLiteral("2025")), 0);
}

void tst_statement::printedPage_data() {
    QTest::addColumn<bool>("withWaste");
    QTest::addColumn<QList<double>>("verticals");
    QTest::addColumn<QStringList>("headers");  // text@x, printed at y 25
    QTest::addColumn<QStringList>("march");    // text@x, printed at y 40
    QTest::addColumn<QStringList>("totals");   // text@x, printed bold at y 84
    QTest::newRow("KK") << false << QList<double>{10, 55, 85, 115, 145, 175}
                        << QStringList{"Hónap@25", "Közösköltség@62", "Befizetések@94", "Dátum@126", "Egyenleg@154"}
                        << QStringList{"Március@25", "  1000@70", "  1500@100", "2026.03.10.@120", "   500@160"}
                        << QStringList{"Összesen:@35", "  6000@70", "  1500@100", " -4500@160"};
    QTest::newRow("KKSZ") << true << QList<double>{10, 30, 50, 70, 90, 110, 130, 150, 175}
                          << QStringList{"Hónap@15",     "Közösköltség@33", "Befizetés@54", "Dátum@74",
                                         "Szemétdíj@94", "Befizetés@114",   "Dátum@135",    "Egyenleg@156"}
                          << QStringList{"Március@12", "  1000@37",  "  1500@58", "2026.03.10.@71",
                                         "   800@97",  "     0@117", " @131",     "  -300@160"}
                          << QStringList{"Összesen:@15", "  6000@37",  "  1500@58",
                                         "   800@97",    "     0@117", " -5300@160"};
}

void tst_statement::printedPage() {
    QFETCH(bool, withWaste);
    QFETCH(QList<double>, verticals);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, march);
    QFETCH(QStringList, totals);
    Lakas l = makeLakas("Kovács Péter", "Fő utca", "12", "3");
    l.KKEloiras(13) = 5000;
    l.KKEloiras(3) = 1000, l.KKBefizetes(3) = 1500, l.KKBefizDatum(3) = day(2026, 3, 10);
    l.HEloiras(3) = 800;
    RecordingSurface s;
    QVERIFY(statement::print(s, l, QStringLiteral("2026"), QDate(2026, 4, 2), withWaste));
    QCOMPARE(s.documents(), 1);
    QCOMPARE(s.pages(), 1);

    // The heading: four lines above the table, placed by tab columns.
    const QStringList heading{"2026. 04. 02.", "2026. évi kimutatás", l.Lakok.Nev(1).padded(),
                              "1111 Budapest, Fő utca 12. 3"};
    QCOMPARE(s.texts().mid(0, 4), heading);
    for (int k = 0; k < 4; ++k) QVERIFY(s.ops[static_cast<size_t>(k)].y + 5 < 25);
    QCOMPARE(s.ops[1].x, 44 * RecordingSurface::pointsToMm(7));  // Tab(45) in size 14

    // Texts at (x, y) in size 8: the first of a list in "Times New Roman",
    // the cells after it in "Courier New" (the headers all in Times).
    const auto at = [&](const QStringList& cells, double y, bool bold, bool courierCells) {
        QStringList wrong;
        for (qsizetype k = 0; k < cells.size(); ++k) {
            const QString text = cells[k].section('@', 0, 0);
            const double x = cells[k].section('@', 1).toDouble();
            const QString font =
                courierCells && k > 0 ? QStringLiteral("Courier New") : QStringLiteral("Times New Roman");
            bool ok = false;
            for (const auto& op : s.ops)
                ok = ok || (op.kind == RecordingSurface::Op::Text && op.text == text && qFuzzyCompare(op.x, x) &&
                            qFuzzyCompare(op.y, y) && op.bold == bold && op.size == 8 && op.font == font);
            if (!ok) wrong << cells[k];
        }
        return wrong;
    };
    QCOMPARE(at(headers, 25, false, false), QStringList());
    QCOMPARE(at(march, 40, false, true), QStringList());
    QCOMPARE(at(totals, 84, true, true), QStringList());
    // Thirteen rows from 32 to 80 mm, each followed by its rule.
    for (int i = 1; i <= 13; ++i) {
        const auto* name = s.findText(monthName(i));
        QVERIFY(name && qFuzzyCompare(name->y, 28.0 + 4 * i));
    }

    // The frame: top rule, header rule, one rule under every row, and the
    // vertical lines from 25 to 84 mm.
    QList<double> rules, xs;
    for (const auto& ln : s.lines()) {
        if (ln.y == ln.y2) {
            QVERIFY(ln.x == 10 && ln.x2 == 175);
            rules << ln.y;
        } else {
            QVERIFY(ln.y == 25 && ln.y2 == 84);
            xs << ln.x;
        }
    }
    QCOMPARE(rules, (QList<double>{25, 31, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84}));
    QCOMPARE(xs, verticals);
}

QTEST_GUILESS_MAIN(tst_statement)
#include "tst_statement.moc"
