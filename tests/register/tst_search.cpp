// The search over a year's apartments: substring matches on the upper-cased
// fields, untrimmed criteria, the name over all ten slots, and the totals of
// the apartments found.

#include <QTest>

#include "register/search.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

// Five apartments (name, town, street, house number, building), each with
// arrears of 700 + 150, a consumption of 10 and a yearly one of 9.
std::vector<Lakas> fixture() {
    const char* rows[][5] = {{"Kovács Péter", "Budapest", "Rózsa utca", "1", "Rózsa ház"},
                             {"Nagy Ilona", "Budapest", "Rózsa", "12", "Rózsa ház"},
                             {"Őri Árpád", "Győr", "Fő utca", "21", "Tölgy"},
                             {"Szűcs Erzsébet", "Budapest", "Rózsa utca", "3", "Tölgy"},
                             {"", "Debrecen", "Kossuth tér", "1/A", ""}};
    std::vector<Lakas> v;
    for (const auto& r : rows) {
        Lakas l = makeLakas(r[0], r[2], r[3], QStringLiteral("1"));
        l.Helyseg = r[1], l.Epulet = r[4];
        l.KKEloiras(1) = 1000, l.KKBefizetes(2) = 300, l.KKEloiras(13) = 99999;  // month 13 stays out
        l.HEloiras(3) = 200, l.HBefizetes(3) = 50, l.HEloiras(13) = 77777;
        l.UtolsoAllas(1) = 110, l.ElozoAllas(1) = 100, l.ElozoAllas(2) = 40;  // no last reading: left out
        l.HaviFogyasztas1(1) = 9;
        v.push_back(l);
    }
    v[1].Lakok.Nev(5) = QStringLiteral("Szakovics Ödön");
    v[3].Lakok.Nev(6) = QStringLiteral("Weiß Jenő");
    return v;
}

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    // The found apartments in record order; the consumption and arrears are
    // summed over them only, the yearly water total not at all.
    void criteria_data() {
        QTest::addColumn<QStringList>("typed");  // name, town, street, house number, building
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("blank building item") << QStringList{" ", "  ", "", "", " "} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("any case, at the start and inside") << QStringList{"kov", "", "", "", ""} << QList<int>{1, 2};
        QTest::newRow("name in slot 5") << QStringList{"ödön", "", "", "", ""} << QList<int>{2};
        QTest::newRow("accented capitals") << QStringList{"őri árpád", "", "", "", ""} << QList<int>{3};
        QTest::newRow("accented inside") << QStringList{"ŰCS", "", "", "", ""} << QList<int>{4};
        QTest::newRow("ß is upper-cased to SS") << QStringList{"weiss", "", "", "", ""} << QList<int>{4};
        QTest::newRow("accents are letters of their own") << QStringList{"a", "", "", "", "Tölgy"} << QList<int>{};
        QTest::newRow("trailing blank counts") << QStringList{"", "", "rózsa ", "", ""} << QList<int>{1, 4};
        QTest::newRow("house number 1 finds 1, 12, 21") << QStringList{"", "", "", "1", ""} << QList<int>{1, 2, 3, 5};
        QTest::newRow("house number within a town") << QStringList{"", "buda", "", "1", ""} << QList<int>{1, 2};
        QTest::newRow("name and building") << QStringList{"e", "", "", "", "tölgy"} << QList<int>{4};
    }
    void criteria() {
        QFETCH(QStringList, typed); QFETCH(QList<int>, found);
        TestFolder tf;
        tf.writeApartments(kYear, fixture());
        const ApartmentList list =
            searchApartments(tf.folder(), kYear, SearchCriteria{typed[0], typed[1], typed[2], typed[3], typed[4]});
        QList<int> recs;
        for (const ApartmentRow& r : list.rows) recs << r.rec;
        QVERIFY(list.opened);
        QCOMPARE(recs, found);
        const HouseTotals& t = list.totals;
        QCOMPARE((QList<qint64>{t.kkArrears(), t.hArrears(), t.waterConsumption, t.yearlyWaterConsumption}),
                 (QList<qint64>{700 * found.size(), 150 * found.size(), 10 * found.size(), 0}));
    }
};

QTEST_APPLESS_MAIN(TestSearch)
#include "tst_search.moc"
