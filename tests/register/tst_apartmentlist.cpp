// The apartment list of a year and its house-wide totals.

#include <QDir>
#include <QtTest>

#include "register/apartmentlist.h"
#include "support/testfolder.h"

class TestApartmentList : public QObject {
    Q_OBJECT
private slots:
    void rowsInRecordOrderTrimmed();
    void totals_data();
    void totals();
    void chargeSumsDoNotWrap();
    void missingYearIsCreatedEmpty();
    void yearWithoutNumberMakesNothing();
    void trailingPartialRecordIgnored();
    void readOneApartment();
};

void TestApartmentList::rowsInRecordOrderTrimmed() {
    TestFolder t;
    Lakas noResident = makeLakas(QString(), QStringLiteral("Fő út"), QStringLiteral("3"), QStringLiteral("1/2"));
    t.writeApartments(QStringLiteral("2026"),
                      {makeLakas(QStringLiteral("Zöld Ödön"), QStringLiteral("Rózsa utca"), QStringLiteral("12"),
                                 QStringLiteral("fsz 1")),
                       noResident});
    const ApartmentList list = readApartmentList(t.folder(), QStringLiteral("2026"));
    QVERIFY(list.opened);
    QCOMPARE(list.rows.size(), size_t(2));
    QCOMPARE(list.rows[0].rec, 1);
    QCOMPARE(list.rows[0].nev, QStringLiteral("Zöld Ödön"));
    QCOMPARE(list.rows[0].utca, QStringLiteral("Rózsa utca"));
    QCOMPARE(list.rows[0].hsz, QStringLiteral("12"));
    QCOMPARE(list.rows[0].ajto, QStringLiteral("fsz 1"));
    QCOMPARE(list.rows[1].rec, 2);
    QCOMPARE(list.rows[1].nev, QString());  // no resident: an empty first column
}

// Each case is one apartment's readings and ledger; the house totals must
// come out as given.
void TestApartmentList::totals_data() {
    QTest::addColumn<QList<int>>("elozo");      // previous readings 1..4
    QTest::addColumn<QList<int>>("utolso");     // last readings 1..4
    QTest::addColumn<QList<int>>("march");      // monthly consumption of meters 1..4 in March
    QTest::addColumn<int>("january");           // meter 1 in January
    QTest::addColumn<qint64>("water");
    QTest::addColumn<qint64>("yearly");

    QTest::newRow("plain difference") << QList<int>{120, 0, 0, 0} << QList<int>{135, 0, 0, 0}
                                      << QList<int>{15, 0, 0, 0} << 0 << qint64(15) << qint64(15);
    QTest::newRow("last reading 0 counts nothing") << QList<int>{50, 40, 0, 0} << QList<int>{0, 45, 0, 0}
                                                   << QList<int>{0, 5, 0, 0} << 0 << qint64(5) << qint64(5);
    QTest::newRow("negative difference lowers the house total")
        << QList<int>{100, 0, 0, 0} << QList<int>{90, 0, 0, 0} << QList<int>{0, 0, 0, 0} << 0 << qint64(-10) << qint64(0);
    QTest::newRow("month beyond 16 bits is left out")
        << QList<int>{0, 0, 0, 0} << QList<int>{0, 0, 0, 0} << QList<int>{20000, 20000, 0, 0} << 7 << qint64(0)
        << qint64(7);  // only the 7 of January counts
}

void TestApartmentList::totals() {
    QFETCH(QList<int>, elozo);
    QFETCH(QList<int>, utolso);
    QFETCH(QList<int>, march);
    QFETCH(int, january);
    QFETCH(qint64, water);
    QFETCH(qint64, yearly);
    TestFolder t;
    Lakas l = makeLakas(QStringLiteral("A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1"));
    for (int k = 1; k <= 4; ++k) {
        l.ElozoAllas(k) = static_cast<std::int16_t>(elozo[k - 1]);
        l.UtolsoAllas(k) = static_cast<std::int16_t>(utolso[k - 1]);
    }
    l.HaviFogyasztas1(3) = static_cast<std::int16_t>(march[0]);
    l.HaviFogyasztas2(3) = static_cast<std::int16_t>(march[1]);
    l.HaviFogyasztas3(3) = static_cast<std::int16_t>(march[2]);
    l.HaviFogyasztas4(3) = static_cast<std::int16_t>(march[3]);
    l.HaviFogyasztas1(1) = static_cast<std::int16_t>(january);
    // Ledger: charged 10000 + 2000, paid 3000 in the months; the previous
    // year's row is never part of the house totals.
    l.KKEloiras(1) = 10000;
    l.KKEloiras(12) = 2000;
    l.KKBefizetes(2) = 3000;
    l.KKEloiras(13) = 5000;
    l.HEloiras(5) = 1200;
    l.HBefizetes(5) = 1500;
    l.HBefizetes(13) = 999;
    t.writeApartments(QStringLiteral("2026"), {l, makeLakas(QStringLiteral("B"), QStringLiteral("U"),
                                                            QStringLiteral("1"), QStringLiteral("2"))});

    const HouseTotals tot = readApartmentList(t.folder(), QStringLiteral("2026")).totals;
    QCOMPARE(tot.waterConsumption, water);
    QCOMPARE(tot.yearlyWaterConsumption, yearly);
    QCOMPARE(tot.kkArrears(), qint64(9000));
    QCOMPARE(tot.hArrears(), qint64(-300));
}

void TestApartmentList::chargeSumsDoNotWrap() {
    TestFolder t;
    std::vector<Lakas> flats(3, makeLakas(QStringLiteral("A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1")));
    for (Lakas& l : flats) l.KKEloiras(1) = 2'000'000'000;
    t.writeApartments(QStringLiteral("2026"), flats);
    QCOMPARE(readApartmentList(t.folder(), QStringLiteral("2026")).totals.kkArrears(), qint64(6'000'000'000));
}

void TestApartmentList::missingYearIsCreatedEmpty() {
    TestFolder t;
    const ApartmentList list = readApartmentList(t.folder(), QStringLiteral("2031"));
    QVERIFY(list.opened);
    QVERIFY(list.rows.empty());
    QCOMPARE(list.totals.kkArrears(), qint64(0));
    QVERIFY(t.exists(QStringLiteral("2031/Lakasok.dat")));
    QCOMPARE(t.bytes(QStringLiteral("2031/Lakasok.dat")).size(), 0);
}

void TestApartmentList::yearWithoutNumberMakesNothing() {
    TestFolder t;
    for (const QString& year : {QStringLiteral("abcd"), QStringLiteral("0"), QStringLiteral("1/.."), QString()}) {
        const ApartmentList list = readApartmentList(t.folder(), year);
        QVERIFY(!list.opened);
        QVERIFY(list.rows.empty());
    }
    QVERIFY(QDir(t.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestApartmentList::trailingPartialRecordIgnored() {
    TestFolder t;
    t.writeApartments(QStringLiteral("2026"),
                      {makeLakas(QStringLiteral("A"), QStringLiteral("U"), QStringLiteral("1"), QStringLiteral("1"))});
    QByteArray bytes = t.bytes(QStringLiteral("2026/Lakasok.dat"));
    bytes += QByteArray(100, '\xff');
    t.writeBytes(QStringLiteral("2026/Lakasok.dat"), bytes);
    QCOMPARE(readApartmentList(t.folder(), QStringLiteral("2026")).rows.size(), size_t(1));
}

void TestApartmentList::readOneApartment() {
    TestFolder t;
    Lakas l = makeLakas(QStringLiteral("Kiss Ő"), QStringLiteral("Űr utca"), QStringLiteral("7"), QStringLiteral("2/5"));
    l.Irsz = 4025;
    l.Helyseg = QStringLiteral("Debrecen");
    t.writeApartments(QStringLiteral("2026"), {makeLakas(QStringLiteral("X"), {}, {}, {}), l});
    const auto read = readApartment(t.folder(), QStringLiteral("2026"), 2);
    QVERIFY(read.has_value());
    QCOMPARE(read->Lakok.Nev(1).text(), QStringLiteral("Kiss Ő"));
    QCOMPARE(addressLine(*read), QStringLiteral("4025 Debrecen, Űr utca 7 2/5"));
    QCOMPARE(deleteCaption(*read), QStringLiteral("Űr utca 7 2/5"));
    QVERIFY(!readApartment(t.folder(), QStringLiteral("2026"), 3).has_value());
    QVERIFY(!readApartment(t.folder(), QStringLiteral("2026"), 0).has_value());
}

QTEST_GUILESS_MAIN(TestApartmentList)
#include "tst_apartmentlist.moc"
