// The apartment list of a year and its house-wide totals.

#include <QDir>
#include <QtTest>

#include <functional>

#include "ledger/ledger.h"
#include "ledger/water.h"
#include "register/apartmentform.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

// An operation that changes apartment 2 (reporting its change) or every
// apartment (reporting the year's totals).
struct Operation {
    std::function<std::optional<ListChange>(const DataFolder&)> one;
    std::function<std::optional<HouseTotals>(const DataFolder&)> every;
};

ApartmentForm renamedForm() {
    ApartmentForm f{"Budapest", "1111", "Liget sor", "7", "2/4", "A épület", "50", "Nincs", "0", "Nincs", "9000",
                    "2500", {}, "", "", "", {}};
    f.lakok.push_back(ResidentRow{"Ábel Ágnes", "", "", "", "", ""});
    return f;
}

}  // namespace

Q_DECLARE_METATYPE(Operation)

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
    void changesMatchReading_data();
    void changesMatchReading();
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

void TestApartmentList::changesMatchReading_data() {
    using K = ledger::Kind;
    const QDate day(2026, 5, 10);
    QTest::addColumn<Operation>("op");
    const auto one = [](const char* name, auto fn) {
        QTest::newRow(name) << Operation{[fn](const DataFolder& f) { return fn(f).change; }, {}};
    };
    const auto every = [](const char* name, auto fn) {
        QTest::newRow(name) << Operation{{}, [fn](const DataFolder& f) { return fn(f).totals; }};
    };
    one("modify", [](const DataFolder& f) { return modifyApartment(f, kYear, 2, renamedForm()); });
    one("payment", [=](const DataFolder& f) { return ledger::pay(f, kYear, 2, K::KozosKoltseg, 3, 1234, day); });
    one("payment cleared", [=](const DataFolder& f) { return ledger::pay(f, kYear, 2, K::Szemetdij, 5, 0, day); });
    one("charge", [](const DataFolder& f) { return ledger::charge(f, kYear, 2, K::Szemetdij, 6, false); });
    one("previous-year debt",
        [](const DataFolder& f) { return ledger::setPreviousYearDebt(f, kYear, 2, K::KozosKoltseg, 700); });
    one("water reading", [=](const DataFolder& f) {
        water::Readings r;
        r.elozo(1) = 300, r.utolso(1) = 340, r.elozo(2) = 50, r.utolso(2) = 20, r.utolso(3) = 15;
        return water::recordReadings(f, kYear, 2, r, day);
    });
    one("Leadás", [](const DataFolder& f) { return water::setForward(f, kYear, 2, false); });
    every("charge for all", [](const DataFolder& f) { return ledger::charge(f, kYear, 2, K::KozosKoltseg, 4, true); });
    every("Leadás for all", [](const DataFolder& f) { return water::setForward(f, kYear, 2, true); });
}

// What an operation reports, applied to the list read before it, gives the
// list read after it.
void TestApartmentList::changesMatchReading() {
    QFETCH(Operation, op);
    TestFolder t;
    std::vector<Lakas> flats;
    for (int i = 1; i <= 3; ++i) {
        Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), QStringLiteral("Fő utca"), QString::number(i), "1");
        l.KozosKoltseg = 10000 * i, l.SzemetDij = 2000 + i;
        for (int m = 1; m <= 13; ++m) {
            l.KKEloiras(m) = 100 * m + i, l.KKBefizetes(m) = 90 * m;
            l.HEloiras(m) = 30 * m, l.HBefizetes(m) = 20 * m + i;
        }
        l.ElozoAllas(1) = 100, l.UtolsoAllas(1) = static_cast<std::int16_t>(120 + i), l.ElozoAllas(2) = 80;
        l.HaviFogyasztas1(5) = 7, l.HaviFogyasztas2(5) = 3, l.HaviFogyasztas4(1) = static_cast<std::int16_t>(i);
        flats.push_back(l);
    }
    t.writeApartments(kYear, flats);
    const ApartmentList before = readApartmentList(t.folder(), kYear);

    const auto change = op.one ? op.one(t.folder()) : std::nullopt;
    const auto totals = op.every ? op.every(t.folder()) : std::nullopt;
    const ApartmentList after = readApartmentList(t.folder(), kYear);
    if (op.every) {
        QVERIFY(totals);
        QCOMPARE(*totals, after.totals);
        QCOMPARE(after.rows, before.rows);
        return;
    }
    QVERIFY(change);
    QCOMPARE(change->rec, 2);
    QCOMPARE(change->before, before.rows[1]);
    QCOMPARE(change->after, after.rows[1]);
    HouseTotals applied = before.totals;
    applied += change->delta;
    QCOMPARE(applied, after.totals);
}

QTEST_GUILESS_MAIN(TestApartmentList)
#include "tst_apartmentlist.moc"
