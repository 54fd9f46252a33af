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
    for (int i = 1; i <= n; ++i) v.push_back(makeLakas(QStringLiteral("Lakó %1").arg(i), "Fő utca", "1", "1/2"));
    return v;
}
}  // namespace

class tst_residentlist : public QObject {
    Q_OBJECT
private slots:
    void pages_data() {
        QTest::addColumn<int>("apartments");
        QTest::addColumn<QList<int>>("bottoms");  // frame bottom per page
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("3") << 3 << QList<int>{55} << QList<int>{3};
        QTest::newRow("20") << 20 << QList<int>{191} << QList<int>{20};
        QTest::newRow("25") << 25 << QList<int>{191, 70} << QList<int>{20, 5};
        QTest::newRow("41") << 41 << QList<int>{191, 198} << QList<int>{20, 21};
        QTest::newRow("42") << 42 << QList<int>{191, 193, 38} << QList<int>{20, 21, 1};
    }

    void pages() {
        QFETCH(int, apartments); QFETCH(QList<int>, bottoms); QFETCH(QList<int>, perPage);
        RecordingSurface s;
        QVERIFY(printResidentList(s, flats(apartments), QStringLiteral("1111 Budapest ")));
        QCOMPARE(s.pages(), int(bottoms.size()));
        for (int page = 1; page <= bottoms.size(); ++page) {
            QStringList frame{"9,25-280,25", "9,29-280,29", QStringLiteral("9,25-9,%1").arg(bottoms[page - 1]),
                              QStringLiteral("280,25-280,%1").arg(bottoms[page - 1])};
            for (int k = 1; k <= perPage[page - 1]; ++k) frame << QStringLiteral("9,%1-280,%1").arg(30 + 8 * k);
            QCOMPARE(s.ruled(page), frame);
            QVERIFY(s.placed(page).contains("1111 Budapest @10,15") && s.placed(page).contains("E-mail@225,26 b"));
        }
        for (const auto& op : s.ops) QCOMPARE(op.orientation, int(PrinterSurface::Landscape));
    }

    // Every field trimmed at its X on the data line, "Megjegyzés: " bold on the
    // remark line even for an empty remark, an unset registration date as an
    // empty cell; a record number that names no record is left out.
    void oneApartment() {
        TestFolder data;
        std::vector<Lakas> v = flats(3);
        v[2].Telefon = "06-1-234-5678", v[2].Email = "kiss@example.hu", v[2].Megj = "Kulcs a gondnoknál.";
        v[2].Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1));
        data.writeApartments(QStringLiteral("2026"), v);
        const auto listed = listedApartments(data.folder(), QStringLiteral("2026"), {3, 9, 1});
        RecordingSurface s;
        QVERIFY(printResidentList(s, listed, QString()));
        QCOMPARE(s.placed(1, 30),
                 (QStringList{
                     "Fő utca@10,30", "A épület@50,30", "1@90,30", "1/2@110,30", "Lakó 3@130,30", "06-1-234-5678@180,30",
                     "2019. 04. 01.@205,30", "kiss@example.hu@225,30", "Megjegyzés: @15,34 b",
                     QStringLiteral("Kulcs a gondnoknál.@%1,34").arg(15 + 12 * RecordingSurface::pointsToMm(8 * 0.5)),
                     "Fő utca@10,38", "A épület@50,38", "1@90,38", "1/2@110,38", "Lakó 1@130,38", "Megjegyzés: @15,42 b"}));
        QCOMPARE(residentListHeading(v[0]), QStringLiteral("1111 Budapest "));
    }
};

QTEST_GUILESS_MAIN(tst_residentlist)
#include "tst_residentlist.moc"
