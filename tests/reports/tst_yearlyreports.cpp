// The printer surface's own rules, the yearly statement and summary (their
// rows, balances, filters and payments), the printed cells, and the printed
// pages through the recorder (positions in millimetres), with the ruled
// table over pages the summary shares with the book reports.

#include <QTest>

#include "book/bookreports.h"
#include "reports/printtext.h"
#include "reports/recordingsurface.h"
#include "reports/statement.h"
#include "reports/summary.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
Date day(int y, int m, int d) { return Date::fromQDate(QDate(y, m, d)); }

// A previous-year debt, March overpaid, a waste fee without a real date.
Lakas statementFlat() {
    Lakas l = makeLakas("Kovács Péter", "Fő utca", "12", "3");
    l.KKEloiras(13) = 5000;
    l.KKEloiras(3) = 1000, l.KKBefizetes(3) = 1500, l.KKBefizDatum(3) = day(2026, 3, 10);
    l.HEloiras(3) = 800, l.HBefizDatum(3) = day(2000, 1, 1);
    return l;
}

// In debt, overpaid, even, only a previous-year debt (not counted), and a
// debtor of building "B".
std::vector<Lakas> summaryYear() {
    std::vector<Lakas> v{makeLakas("Adós Ádám", "Fő utca", "1", "1"), makeLakas("Túl Tamás", "Fő utca", "10", "2"),
                         makeLakas("Egyen Edit", "Kert utca", "12", ""),
                         makeLakas("Régi Rezső", "Kert utca", "21", "4"), makeLakas("Nagy Nóra", "Fő utca", "3", "5")};
    v[0].KKEloiras(1) = 10000, v[0].HEloiras(2) = 2000, v[0].KKBefizetes(1) = 4000;
    v[1].KKEloiras(1) = 10000, v[1].KKBefizetes(1) = 12000, v[1].HBefizetes(5) = 500;
    v[2].KKEloiras(4) = 3000, v[2].KKBefizetes(4) = 3000;
    v[3].KKEloiras(13) = 5000;
    v[4].KKEloiras(6) = 1500, v[4].Epulet = "B épület";
    return v;
}

summary::Row row(int rec, std::int64_t eloiras = 0, std::int64_t befizetes = 0, std::int64_t egyenleg = 0) {
    return rec ? summary::Row{QStringLiteral("Cím %1").arg(rec), "Lakó", eloiras, befizetes, egyenleg, rec, false}
               : summary::Row{"zz ", "Összesen: ", eloiras, befizetes, egyenleg, 0, true};
}

}  // namespace

class tst_yearlyreports : public QObject {
    Q_OBJECT
private slots:
    // Twips until millimetres are chosen; Tab(n) goes to n - 1 average
    // characters, on the next line when that is left of the position; a new
    // page starts at 0, 0; a document with no output hands nothing over.
    // (";", line ends, pages and documents are proved by the layouts below.)
    void surface() {
        RecordingSurface s;
        const double ch = RecordingSurface::pointsToMm(5), line = RecordingSurface::pointsToMm(12);
        s.line(0, 1440, 2880, 1440);
        s.print({PrintItem::Tab(5), "ab"}, false);
        s.print({PrintItem::Tab(3), "c"}, false);
        s.newPage();
        s.print({"d"});
        QVERIFY(s.endDoc() && s.page() == 1 && RecordingSurface().endDoc());
        QCOMPARE(s.ruled() + s.placed(), (QStringList{"0,25.4-50.8,25.4", QStringLiteral("ab@%1,0").arg(4 * ch),
                                                      QStringLiteral("c@%1,%2").arg(2 * ch).arg(line), "d@0,0"}));
    }

    // Amounts padded to six (longer ones unchanged), "### ##0" in nine and
    // "### ### ##0" in eleven with the minus sign before the first digit; dates
    // only for real days, payment dates only after 2000.01.01.
    void cellTexts() {
        using printtext::grouped;
        // clang-format off
        const QStringList got{printtext::amount6(123), printtext::amount6(-12345), printtext::amount6(1234567),
                              grouped(1234567, "### ##0", 9), grouped(-1500, "### ##0", 9), grouped(-500, "### ##0", 9),
                              grouped(0, "### ##0", 9), grouped(-1234567, "### ### ##0", 11),
                              printtext::date(Date{std::numeric_limits<double>::quiet_NaN()}), printtext::date(Date{1e300}),
                              printtext::paymentDate(day(2000, 1, 1)), printtext::paymentDate(day(2000, 1, 2))};
        // clang-format on
        QCOMPARE(got, (QStringList{"   123", "-12345", "1234567", " 1234 567", "   -1 500", "     -500", "        0",
                                   " -1 234 567", "", "", "", "2000. 01. 02."}));
    }

    // Headers at 25 mm, the March row at 40, the bold totals at 84; the frame
    // from 25 to 84 with a rule under every row; the heading above 25 mm. A
    // row's balance is paid - charged (with the waste fee in the combined
    // mode); the totals' balance is the sum of the rows'.
    void statementPage_data() {
        QTest::addColumn<bool>("withWaste");
        QTest::addColumn<QString>("texts");    // from y = 25 on: headers, March, totals
        QTest::addColumn<QString>("columns");  // the vertical lines
        QTest::addColumn<QString>("listed");   // the window's rows of March, the previous year and the totals
        // clang-format off
        QTest::newRow("common cost") << false
            << "Hónap@25,25|Közösköltség@62,25|Befizetések@94,25|Dátum@126,25|Egyenleg@154,25|Március@25,40|  1000@70,40|"
               "  1500@100,40|2026.03.10.@120,40|   500@160,40|Összesen:@35,84 b|  6000@70,84 b|  1500@100,84 b|"
               " -4500@160,84 b"
            << "10|55|85|115|145|175"
            << "Március|1000|1500|2026. 03. 10.| | ||500/Előző évi|5000|0|| | ||-5000/Összesen:|6000|1500|| | ||-4500";
        QTest::newRow("with waste fee") << true
            << "Hónap@15,25|Közösköltség@33,25|Befizetés@54,25|Dátum@74,25|Szemétdíj@94,25|Befizetés@114,25|Dátum@135,25|"
               "Egyenleg@156,25|Március@12,40|  1000@37,40|  1500@58,40|2026.03.10.@71,40|   800@97,40|     0@117,40|"
               " @131,40|  -300@160,40|Összesen:@15,84 b|  6000@37,84 b|  1500@58,84 b|   800@97,84 b|     0@117,84 b|"
               " -5300@160,84 b"
            << "10|30|50|70|90|110|130|150|175"
            << "Március|1000|1500|2026. 03. 10.|800|0||-300/Előző évi|5000|0||0|0||-5000/Összesen:|6000|1500||800|0||-5300";
        // clang-format on
    }

    void statementPage() {
        QFETCH(bool, withWaste); QFETCH(QString, texts); QFETCH(QString, columns); QFETCH(QString, listed);
        const auto shown = statement::listRows(statement::table(statementFlat(), withWaste), withWaste);
        QCOMPARE(shown.at(2).join('|') + '/' + shown.at(12).join('|') + '/' + shown.at(13).join('|'), listed);
        RecordingSurface s;
        QVERIFY(statement::print(s, statementFlat(), kYear, QDate(2026, 4, 2), withWaste));
        QCOMPARE(s.pages(), 1);
        const QStringList all = s.placed(1, 25);
        QStringList wanted;
        for (const QString& t : all)
            if (QStringList{"25", "40", "84"}.contains(t.section(',', -1).section(' ', 0, 0))) wanted << t;
        QCOMPARE(wanted, texts.split('|'));
        QStringList rows;  // each month's name at 28 + 4i
        for (int i = 1; i <= 13; ++i) rows << QString::number(28 + 4 * i);
        for (const QString& t : all) rows.removeOne(t.section(',', -1));
        QCOMPARE(rows, QStringList());
        QStringList frame{"10,25-175,25"};
        for (const QString& x : columns.split('|')) frame << x + ",25-" + x + ",84";
        frame << "10,31-175,31";
        for (int i = 1; i <= 13; ++i) frame << QStringLiteral("10,%1-175,%1").arg(32 + 4 * i);
        QCOMPARE(s.ruled(), frame);
        // Tab(120) in size 10 and Tab(45) in size 14, one line apart.
        const auto mm = &RecordingSurface::pointsToMm;
        QCOMPARE(s.placed(1).mid(0, 2),
                 (QStringList{QStringLiteral("2026. 04. 02.@%1,0").arg(119 * mm(10 * 0.5)),
                              QStringLiteral("2026. évi kimutatás@%1,%2").arg(44 * mm(14 * 0.5)).arg(mm(10 * 1.2))}));
        QVERIFY(s.ops[3].y + 5 < 25);  // the address line, last of the heading
    }

    // The search's criteria (proved with the register's search) and the
    // debtors or overpayers; the totals row sums the listed apartments only.
    void summaryFilters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hsz");
        QTest::addColumn<QString>("building");
        QTest::addColumn<int>("only");
        QTest::addColumn<QStringList>("listed");  // record numbers, then "charge/paid" of the totals
        const auto row = [](const char* tag, const char* name, const char* hsz, const char* building, summary::Only only,
                            const char* listed) {
            QTest::newRow(tag) << QString::fromUtf8(name) << QString(hsz) << QString::fromUtf8(building) << int(only)
                               << QString(listed).split(' ');
        };
        using O = summary::Only;
        row("all", "", "", "", O::All, "1 2 3 4 5 26500/19500");
        row("debtors", "", "", "", O::Debtors, "1 5 13500/4000");
        row("overpayers", "", "", "", O::Overpayers, "2 10000/12500");
        row("building", "", "", "b ÉP", O::Debtors, "5 1500/0");
        row("nothing", "zzz", "", "", O::All, "0/0");
    }

    void summaryFilters() {
        QFETCH(QString, name); QFETCH(QString, hsz); QFETCH(QString, building); QFETCH(int, only);
        QFETCH(QStringList, listed);
        TestFolder data;
        data.writeApartments(kYear, summaryYear());
        summary::Filter f{SearchCriteria{name, "", "", hsz, building}, summary::Only(only)};
        QStringList got;
        for (const auto& r : summary::rows(data.folder(), kYear, f))
            got << (r.total ? QStringLiteral("%1/%2").arg(r.eloiras).arg(r.befizetes) : QString::number(r.rec));
        QCOMPARE(got, listed);
        QCOMPARE(summary::listTexts(summary::rows(data.folder(), kYear).back()),
                 (QStringList{"zz ", "Összesen: ", "26500", "19500", "-7000", " "}));
        data.writeApartments(kYear, {});
        QVERIFY(summary::rows(data.folder(), kYear).empty());  // no rows, not even the totals
    }

    // The log entries of the apartment's first resident name and house number
    // as stored: one logged under another name or house number is not its own.
    void summaryPayments() {
        TestFolder data;
        data.writeApartments(kYear, summaryYear());
        QByteArray log;
        for (auto [nev, hsz, osszeg, honap] : {std::tuple{"Adós Ádám", "1", 3000, 1}, {"Adós Ádám", "10", 999, 1},
                                               {"Régi Név", "1", 500, 2}, {"Adós Ádám", "1", 1000, 13}}) {
            Befizetes b;
            b.Nev = QString::fromUtf8(nev), b.Hsz = QString::fromUtf8(hsz), b.Osszeg = osszeg, b.Honap = std::int16_t(honap);
            b.Tipus = "Közösköltség", b.Datum = day(2026, 2, 3);
            log += RecordFile<Befizetes>::encode(b);
        }
        data.writeBytes(kYear + "/Befiz.dat", log);
        const auto p = summary::payments(data.folder(), kYear, 1);
        QStringList got;
        for (const auto& r : p.rows) got << QStringList{r.tipus, r.datum, r.idoszak, QString::number(r.osszeg)}.join('|');
        QCOMPARE(got, (QStringList{"Közösköltség|2026. 02. 03.|Január|3000", "Közösköltség|2026. 02. 03.|Előző évi|1000"}));
        QCOMPARE(p.total, std::int64_t(4000));
        QVERIFY(!summary::payments(data.folder(), kYear, 9).found);
    }

    // The ruled table over pages of the summary and the book reports: frame
    // bottoms 35 + 5 per row, 260 for a full page of 45 rows; the next rows on
    // page 2, under the title again and "oldal: 2" in size 12 (page 1: 10).
    void pagedTable_data() {
        QTest::addColumn<bool>("book");
        QTest::addColumn<int>("rows");            // the totals row included
        QTest::addColumn<QList<int>>("bottoms");  // per page
        QTest::newRow("summary, empty") << false << 0 << QList<int>{35};
        QTest::newRow("summary, 45") << false << 45 << QList<int>{260};
        QTest::newRow("summary, 46") << false << 46 << QList<int>{260, 40};
        QTest::newRow("summary, 91") << false << 91 << QList<int>{260, 260, 40};
        QTest::newRow("book, totals only") << true << 1 << QList<int>{40};
        QTest::newRow("book, 47 rows") << true << 47 << QList<int>{260, 45};
    }
    void pagedTable() {
        QFETCH(bool, book); QFETCH(int, rows); QFETCH(QList<int>, bottoms);
        std::vector<summary::Row> list;
        book::List entries;
        for (int i = 1; i <= rows; ++i) list.push_back(row(i < rows ? i : 0));
        for (int i = 1; i < rows; ++i) entries.rows.push_back({i, makeTetel("Ház", 0, 1, QDate(2026, 3, 1), "Tétel")});
        RecordingSurface s;
        QVERIFY(book ? book::printReport(s, book::ListKind::Bevetel, entries, kYear, QDate(2026, 4, 2))
                     : summary::print(s, list, kYear, QDate(2026, 4, 2)));
        QCOMPARE(s.pages(), int(bottoms.size()));
        for (int page = 1; page <= bottoms.size(); ++page) {
            const int b = bottoms[page - 1], onPage = std::min(45, rows - 45 * (page - 1));
            QStringList frame;
            for (int x : book ? QList<int>{10, 50, 160, 195} : QList<int>{10, 80, 120, 150, 175, 210})
                frame << QStringLiteral("%1,30-%1,%2").arg(x).arg(b);
            for (int k = 0; k <= onPage; ++k) frame << QStringLiteral("10,%1-195,%1").arg(34 + 5 * k);
            QCOMPARE(s.ruled(page), frame);
            const auto* number = s.findText(QStringLiteral("oldal: %1").arg(page), page);
            QVERIFY(number && number->x == 170 && number->y == 10 && number->size == (page == 1 ? 10 : 12) && !number->bold);
            QVERIFY(s.findText(book ? "2026. évi kimutatás a bevételekről." : "2026. évi kimutatás", page));
        }
    }

    // The cells of a row and of the totals row (a blank for "zz ", all bold)
    // (their fonts are proved by the PDF test); a print stopped by the
    // progress callback hands nothing over.
    void summaryCellsAndStop() {
        RecordingSurface s;
        summary::print(s, {row(1, 1234567, 0, -1500), row(0, 123)}, kYear, QDate(2026, 4, 2));
        QCOMPARE(s.placed(1, 35), (QStringList{"Cím 1@11,35", "Lakó@82,35", " 1234 567@125,35", "        0@155,35",
                                               "   -1 500@179,35", " @11,40 b", "Összesen: @82,40 b", "      123@125,40 b",
                                               "        0@155,40 b", "        0@179,40 b"}));

        RecordingSurface stopped;
        int calls = 0;
        QVERIFY(!summary::print(stopped, std::vector<summary::Row>(100, row(1)), kYear, QDate(2026, 4, 2),
                                [&](int done, int) { return ++calls, done < 50; }));
        QCOMPARE(calls, 50);
        QCOMPARE(stopped.documents(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_yearlyreports)
#include "tst_yearlyreports.moc"
