// The printed resident list through the recorder: landscape pages, 20
// apartments on the first and 21 on every further one, the frame bottoms,
// each apartment's data line, remark line and rule 8 mm apart; and the
// apartments read for the list, in list order.

#include <QTest>

#include "register/residentlist.h"
#include "reports/recordingsurface.h"
#include "support/testfolder.h"

namespace {
std::vector<Lakas> flats(int n) {
    std::vector<Lakas> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(makeLakas(QStringLiteral("Lakó %1").arg(i), "Fő utca", QString::number(i), "1/2"));
    return v;
}
}  // namespace

class tst_residentlist : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void oneApartment();
    void listedApartments();
};

void tst_residentlist::pages_data() {
    QTest::addColumn<int>("apartments");
    QTest::addColumn<QList<double>>("bottoms");  // frame bottom per page
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("3") << 3 << QList<double>{55} << QList<int>{3};
    QTest::newRow("20") << 20 << QList<double>{191} << QList<int>{20};
    QTest::newRow("25") << 25 << QList<double>{191, 70} << QList<int>{20, 5};
    QTest::newRow("41") << 41 << QList<double>{191, 198} << QList<int>{20, 21};
    QTest::newRow("42") << 42 << QList<double>{191, 193, 38} << QList<int>{20, 21, 1};
}

void tst_residentlist::pages() {
    QFETCH(int, apartments);
    QFETCH(QList<double>, bottoms);
    QFETCH(QList<int>, perPage);
    RecordingSurface s;
    QVERIFY(printResidentList(s, flats(apartments), QStringLiteral("1111 Budapest ")));
    QCOMPARE(s.pages(), int(bottoms.size()));
    for (int page = 1; page <= bottoms.size(); ++page) {
        QList<double> sides, rules;
        for (const auto& ln : s.lines(page)) {
            if (ln.x == ln.x2) {
                QVERIFY(ln.y == 25 && ln.y2 == bottoms[page - 1]);
                sides << ln.x;
            } else {
                QVERIFY(ln.x == 9 && ln.x2 == 280);
                rules << ln.y;
            }
        }
        QCOMPARE(sides, (QList<double>{9, 280}));
        QList<double> expected{25, 29};
        for (int k = 1; k <= perPage[page - 1]; ++k) expected << 30 + 8 * k;
        QCOMPARE(rules, expected);
        const auto* heading = s.findText(QStringLiteral("1111 Budapest "), page);
        QVERIFY(heading && heading->x == 10 && heading->y == 15 && heading->size == 12);
        const auto* column = s.findText(QStringLiteral("E-mail"), page);
        QVERIFY(column && column->x == 225 && column->y == 26 && column->bold && column->size == 8);
    }
    for (const auto& op : s.ops) QCOMPARE(op.orientation, int(PrinterSurface::Landscape));
}

// One apartment: its data line at 30 mm, the remark line at 34 (with
// "Megjegyzés: " even for an empty remark), every field trimmed at its X, an
// unset registration date as an empty cell.
void tst_residentlist::oneApartment() {
    Lakas l = makeLakas("Kiss Ödön", "Rózsa utca", "12", "2/5");
    l.Telefon = "06-1-234-5678", l.Email = "kiss@example.hu", l.Epulet = "Rózsa ház";
    Lakas other = l;
    other.Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1));
    other.Megj = "Kulcs a gondnoknál.";
    RecordingSurface s;
    QVERIFY(printResidentList(s, {l, other}, QString()));
    QStringList got;
    for (const auto& op : s.ops)
        if (op.kind == RecordingSurface::Op::Text && op.y >= 30)
            got << QStringLiteral("%1@%2,%3%4").arg(op.text).arg(op.x).arg(op.y).arg(op.bold ? " bold" : "");
    QCOMPARE(got.mid(0, 8),
             (QStringList{"Rózsa utca@10,30", "Rózsa ház@50,30", "12@90,30", "2/5@110,30", "Kiss Ödön@130,30",
                          "06-1-234-5678@180,30", "kiss@example.hu@225,30", "Megjegyzés: @15,34 bold"}));
    QVERIFY(got.contains("2019. 04. 01.@205,38"));
    const auto* remark = s.findText(QStringLiteral("Kulcs a gondnoknál."));
    QVERIFY(remark && remark->y == 42 && !remark->bold && remark->x > 15);
    QCOMPARE(residentListHeading(l), QStringLiteral("1111 Budapest "));
}

// The list's record numbers in list order; one that names no record is left
// out rather than printed with another apartment's data.
void tst_residentlist::listedApartments() {
    TestFolder data;
    data.writeApartments(QStringLiteral("2026"), flats(4));
    const auto got = ::listedApartments(data.folder(), QStringLiteral("2026"), {3, 9, 1, 4});
    QStringList names;
    for (const auto& l : got) names << l.Lakok.Nev(1).text();
    QCOMPARE(names, (QStringList{"Lakó 3", "Lakó 1", "Lakó 4"}));
}

QTEST_GUILESS_MAIN(tst_residentlist)
#include "tst_residentlist.moc"
