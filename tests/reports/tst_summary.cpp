// The yearly summary: which apartments each filter lists and with what
// totals, the payments of one apartment from the payment log, and the
// printed pages through the recorder (45 rows a page, frame bottoms, page
// numbers, the bold totals row, amounts in nine characters).

#include <QTest>

#include "reports/recordingsurface.h"
#include "reports/summary.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

// Five apartments: in debt, overpaid, even, only a previous-year debt, and a
// debtor whose third resident is "Kovács Anna".
std::vector<Lakas> sampleYear() {
    std::vector<Lakas> v{makeLakas("Adós Ádám", "Fő utca", "1", "1"), makeLakas("Túl Tamás", "Fő utca", "10", "2"),
                         makeLakas("Egyen Edit", "Kert utca", "12", ""),
                         makeLakas("Régi Rezső", "Kert utca", "21", "4"), makeLakas("Nagy Nóra", "Fő utca", "3", "5")};
    v[0].KKEloiras(1) = 10000, v[0].HEloiras(2) = 2000, v[0].KKBefizetes(1) = 4000;    // -8000
    v[1].KKEloiras(1) = 10000, v[1].KKBefizetes(1) = 12000, v[1].HBefizetes(5) = 500;  // +2500
    v[2].KKEloiras(4) = 3000, v[2].KKBefizetes(4) = 3000;                              // 0
    v[3].KKEloiras(13) = 5000;                                                         // row 13 not counted
    v[4].KKEloiras(6) = 1500, v[4].Lakok.Nev(3) = "Kovács Anna";                       // -1500
    v[4].Epulet = "B épület";
    return v;
}

QStringList recs(const std::vector<summary::Row>& rows) {
    QStringList out;
    for (const auto& r : rows)
        out << (r.total ? QStringLiteral("T%1/%2").arg(r.eloiras).arg(r.befizetes) : QString::number(r.rec));
    return out;
}

}  // namespace

class tst_summary : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void emptyYearAndListTexts();
    void payments();
    void printedPages_data();
    void printedPages();
    void rowTexts();
    void stopping();
};

// The filters in the order the search applies them; the totals row sums the
// listed apartments only.
void tst_summary::filters_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hsz");
    QTest::addColumn<QString>("building");
    QTest::addColumn<int>("only");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("all") << ""
                         << ""
                         << "" << int(summary::Only::All) << QStringList{"1", "2", "3", "4", "5", "T26500/19500"};
    QTest::newRow("debtors") << ""
                             << ""
                             << "" << int(summary::Only::Debtors) << QStringList{"1", "5", "T13500/4000"};
    QTest::newRow("overpayers") << ""
                                << ""
                                << "" << int(summary::Only::Overpayers) << QStringList{"2", "T10000/12500"};
    QTest::newRow("name in any resident") << "kov"
                                          << ""
                                          << "" << int(summary::Only::All) << QStringList{"5", "T1500/0"};
    QTest::newRow("house number 1") << ""
                                    << "1"
                                    << "" << int(summary::Only::All) << QStringList{"1", "2", "3", "4", "T25000/19500"};
    QTest::newRow("building, blank = none")
        << ""
        << ""
        << " " << int(summary::Only::All) << QStringList{"1", "2", "3", "4", "5", "T26500/19500"};
    QTest::newRow("building") << ""
                              << ""
                              << "b ÉP" << int(summary::Only::Debtors) << QStringList{"5", "T1500/0"};
    QTest::newRow("nothing") << "zzz"
                             << ""
                             << "" << int(summary::Only::All) << QStringList{"T0/0"};
}

void tst_summary::filters() {
    QFETCH(QString, name);
    QFETCH(QString, hsz);
    QFETCH(QString, building);
    QFETCH(int, only);
    QFETCH(QStringList, listed);
    TestFolder data;
    data.writeApartments(kYear, sampleYear());
    summary::Filter f;
    f.search.nev = name, f.search.hsz = hsz, f.search.epulet = building;
    f.only = summary::Only(only);
    QCOMPARE(recs(summary::rows(data.folder(), kYear, f)), listed);
}

void tst_summary::emptyYearAndListTexts() {
    TestFolder data;
    data.writeApartments(kYear, {});
    QVERIFY(summary::rows(data.folder(), kYear).empty());  // not even a totals row
    QCOMPARE(recs(summary::rows(data.folder(), kYear, summary::Filter{})), QStringList{"T0/0"});
    data.writeApartments(kYear, sampleYear());
    const auto rows = summary::rows(data.folder(), kYear);
    QCOMPARE(summary::listTexts(rows[0]), (QStringList{"1111 Budapest, Fő utca 1. 1", "Adós Ádám" + QString(21, ' '),
                                                       "12000", "4000", "-8000", "1"}));
    QCOMPARE(summary::listTexts(rows.back()), (QStringList{"zz ", "Összesen: ", "26500", "19500", "-7000", " "}));
}

// The log entries of the apartment's first resident name and house number,
// compared as stored: an entry logged under an earlier name is not shown.
void tst_summary::payments() {
    TestFolder data;
    data.writeApartments(kYear, sampleYear());
    const auto entry = [](const char* nev, const char* hsz, int osszeg, int honap, const char* tipus) {
        Befizetes b;
        b.Nev = QString::fromUtf8(nev), b.Hsz = QString::fromUtf8(hsz), b.Osszeg = osszeg,
        b.Honap = std::int16_t(honap);
        b.Tipus = QString::fromUtf8(tipus), b.Datum = Date::fromQDate(QDate(2026, 2, 3));
        return RecordFile<Befizetes>::encode(b);
    };
    data.writeBytes("2026/Befiz.dat", entry("Adós Ádám", "1", 3000, 1, "Közösköltség") +
                                          entry("Adós Ádám", "10", 999, 1, "x") + entry("Régi Név", "1", 500, 2, "x") +
                                          entry("Adós Ádám", "1", 1000, 13, "Hulladék"));
    const auto p = summary::payments(data.folder(), kYear, 1);
    QVERIFY(p.found);
    QCOMPARE(p.rows.size(), size_t(2));
    QCOMPARE((QStringList{p.rows[0].tipus, p.rows[0].datum, p.rows[0].idoszak}),
             (QStringList{"Közösköltség", "2026. 02. 03.", "Január"}));
    QCOMPARE(p.rows[1].idoszak, QStringLiteral("Előző évi"));
    QCOMPARE(p.total, std::int64_t(4000));
    QVERIFY(!summary::payments(data.folder(), kYear, 9).found);
}

// Frame bottoms: 35 + 5 per row up to 45 rows, 260 for a full page; a 46th
// row goes alone onto page 2 (frame to 40) under "oldal: 2" in size 12.
void tst_summary::printedPages_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<double>>("bottoms");  // per page
    QTest::newRow("empty") << 0 << QList<double>{35};
    QTest::newRow("45") << 45 << QList<double>{260};
    QTest::newRow("46") << 46 << QList<double>{260, 40};
    QTest::newRow("91") << 91 << QList<double>{260, 260, 40};
}

void tst_summary::printedPages() {
    QFETCH(int, rows);
    QFETCH(QList<double>, bottoms);
    std::vector<summary::Row> list;
    for (int i = 1; i < rows; ++i)
        list.push_back(summary::Row{QStringLiteral("1111 Cím %1").arg(i), "Lakó", 0, 0, 0, i, false});
    if (rows > 0) list.push_back(summary::Row{"zz ", "Összesen: ", 0, 0, 0, 0, true});
    RecordingSurface s;
    QVERIFY(summary::print(s, list, kYear, QDate(2026, 4, 2)));
    QCOMPARE(s.pages(), int(bottoms.size()));
    for (int page = 1; page <= bottoms.size(); ++page) {
        QList<double> verticals;
        for (const auto& ln : s.lines(page))
            if (ln.x == ln.x2) {
                QCOMPARE(ln.y, 30.0);
                QCOMPARE(ln.y2, bottoms[page - 1]);
                verticals << ln.x;
            }
        QCOMPARE(verticals, (QList<double>{10, 80, 120, 150, 175, 210}));
        const auto* number = s.findText(QStringLiteral("oldal: %1").arg(page), page);
        QVERIFY(number && number->x == 170 && number->y == 10 && number->size == (page == 1 ? 10 : 12) &&
                !number->bold);
        const auto* title = s.findText(QStringLiteral("2026. évi kimutatás"), page);
        QVERIFY(title && title->x == 10 && title->y == 10 && title->bold && title->size == 12);
        const auto* header = s.findText(QStringLiteral("Egyenleg"), page);
        QVERIFY(header && header->x == 177 && header->y == 30 && header->bold && header->size == 10);
        // Rows 1 below their upper separator, every 5 mm from 34.
        const int onPage = std::min(45, rows - 45 * (page - 1));
        const auto seps = s.lines(page);
        QCOMPARE(int(seps.size()), 6 + 1 + onPage);
        QCOMPARE(seps.back().y, 34.0 + 5 * onPage);
    }
    QCOMPARE(s.findText(QStringLiteral("2026. 04. 02."))->page, 1);
}

// The cells of a row: the address at 11 and the name at 82 in Times New
// Roman CE 9, the amounts in Courier New at 125, 155 and 179; the totals row
// prints a blank for "zz " and is bold throughout.
void tst_summary::rowTexts() {
    RecordingSurface s;
    summary::print(s,
                   {summary::Row{"1111 Fő utca 1. 1", "Kiss Ő", 1234567, 0, -1500, 1, false},
                    summary::Row{"zz ", "Összesen: ", 123, 0, 0, 0, true}},
                   kYear, QDate(2026, 4, 2));
    QStringList got;
    for (const auto& op : s.ops)
        if (op.kind == RecordingSurface::Op::Text && op.y > 34)
            got << QStringLiteral("%1@%2,%3 %4%5")
                       .arg(op.text)
                       .arg(op.x)
                       .arg(op.y)
                       .arg(op.font)
                       .arg(op.bold ? " bold" : "");
    QCOMPARE(got, (QStringList{"1111 Fő utca 1. 1@11,35 Times New Roman CE", "Kiss Ő@82,35 Times New Roman CE",
                               " 1234 567@125,35 Courier New", "        0@155,35 Courier New",
                               "   -1 500@179,35 Courier New", " @11,40 Times New Roman CE bold",
                               "Összesen: @82,40 Times New Roman CE bold", "      123@125,40 Courier New bold",
                               "        0@155,40 Courier New bold", "        0@179,40 Courier New bold"}));
}

// A print stopped through the progress callback hands nothing over.
void tst_summary::stopping() {
    std::vector<summary::Row> list(100, summary::Row{"cím", "lakó", 1, 1, 0, 1, false});
    RecordingSurface s;
    int calls = 0;
    QVERIFY(!summary::print(s, list, kYear, QDate(2026, 4, 2), [&](int done, int total) {
        ++calls;
        return !(done == 50 && total == 100);
    }));
    QCOMPARE(calls, 50);
    QCOMPARE(s.documents(), 0);
}

QTEST_GUILESS_MAIN(tst_summary)
#include "tst_summary.moc"
