// The money and meter rules on the year's files: payments and their log,
// charges for one apartment or all, the previous-year debt, the typed amounts,
// arrears, meter readings and "Leadás", and that every refusal or failed
// write leaves the files as they were.

#include <QTest>

#include "ledger/ledger.h"
#include "ledger/water.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using ledger::Kind;
using Status = ledger::Amount::Status;
using Four = QList<int>;

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");
const QString kBefiz = QStringLiteral("2026/Befiz.dat");

QDate day(int d) { return QDate(2026, 3, d); }

// The year's totals after an operation, as the window keeps them: those
// before it with the operation's report applied.
HouseTotals after(HouseTotals before, const ledger::Result& r) {
    if (r.totals) before = *r.totals;
    if (r.change) before += r.change->delta;
    return before;
}

Lakas flat(const char* nev, const char* ajto, int kozosKoltseg, int szemetDij) {
    Lakas l = makeLakas(nev, "Fő utca", "1", ajto);
    l.KozosKoltseg = kozosKoltseg, l.SzemetDij = szemetDij;
    return l;
}

// Three apartments; the current one is record 2, whose monthly amounts are 0.
std::vector<Lakas> house() {
    Lakas a = flat("Első Aladár", "1/1", 3000, 900);
    a.KKEloiras(1) = a.HEloiras(1) = 4000, a.KKEloiras(3) = 2500, a.KKBefizetes(3) = 1000;
    a.KKBefizDatum(3) = Date::fromQDate(day(2));
    Lakas b = flat("Kovács Éva", "2/5", 0, 0);
    b.KKEloiras(3) = b.HEloiras(3) = 1500, b.KKEloiras(13) = b.HEloiras(13) = 5000, b.KKBefizetes(3) = b.HBefizetes(3) = 500;
    return {a, b, flat("Őri Ödön", "3/1", 4500, 1200)};
}

// An apartment with these previous and last readings of meters 1..4.
Lakas metered(const Four& elozo, const Four& utolso) {
    Lakas l = flat("Kovács Éva", "2", 0, 0);
    for (int k = 1; k <= 4; ++k) l.ElozoAllas(k) = std::int16_t(elozo[k - 1]), l.UtolsoAllas(k) = std::int16_t(utolso[k - 1]);
    return l;
}

void setMonth(Lakas& l, int m, const Four& v) {
    l.HaviFogyasztas1(m) = std::int16_t(v[0]), l.HaviFogyasztas2(m) = std::int16_t(v[1]);
    l.HaviFogyasztas3(m) = std::int16_t(v[2]), l.HaviFogyasztas4(m) = std::int16_t(v[3]);
}

enum class Typed { Payment, CommonCostDebt, WasteFeeDebt };

// The rows of a data-driven test: each case under its name, in one column.
template <class T>
void cases(std::initializer_list<std::pair<const char*, T>> rows) {
    QTest::addColumn<T>("c");
    for (const auto& [name, c] : rows) QTest::newRow(name) << c;
}

// pay (paid on the row before and after), charge, chargeAll or debt (of
// amounts[0]); own: the current apartment's arrears over rows 1..12 after a
// charge, 1..13 otherwise; all: rows 1..12 of every apartment.
struct Change { QString operation; Kind kind; int row, before, stored; QList<int> amounts; qint64 own, all; };
struct Typing { Typed typed; QString text; Status status; int value; };
// Readings as typed, the month of the reading date, the consumptions stored
// for it, the period's consumption; or words the refusal must hold.
struct Readings { QStringList elozo, utolso; int month; Four stored; qint64 period; QString refusal; };
// pay, charge, chargeAll, readings, forward or forwardAll; the file whose writes fail.
struct Refusal { QString operation, failing; int rec, row; bool refused; };

}  // namespace

Q_DECLARE_METATYPE(Typing)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(Readings)

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    // Payments (a day apart) on a row of the current apartment, a charge of
    // March (each apartment's own monthly amount over the month's charge, the
    // current one's 0 included), or the previous-year debt replacing row 13 (a
    // credit as well). Payments, dates and the other kind stay; a payment alone
    // is logged, one record per payment with the apartment's texts.
    void changes_data() {
        const Kind k = Kind::KozosKoltseg, h = Kind::Szemetdij;
        const qint64 max = 2147483647;
        // The current apartment owes 1500 for March (500 paid) and 5000 from the previous year; the first
        // apartment owes 5500 (common cost) or 4000 (waste fee) over the months, a 3000 and c 4500 a month.
        cases<Change>({{"1000 then 500", {"pay", k, 3, 0, 1500, {1000, 500}, 5000, 5500}},
                       {"paying 0 clears", {"pay", k, 3, 500, 0, {0}, 6500, 7000}},
                       {"previous-year row", {"pay", k, 13, 0, 2000, {2000}, 4000, 6500}},
                       {"up to the 32-bit limit", {"pay", k, 5, 2147483000, int(max), {647}, 6000 - max, 6500 - max}},
                       {"waste fee 1000 then 500", {"pay", h, 3, 0, 1500, {1000, 500}, 5000, 4000}},
                       {"common cost, this apartment", {"charge", k, 3, 0, 0, {}, -500, 5000}},
                       {"common cost, every apartment", {"chargeAll", k, 3, 0, 0, {}, -500, 10000}},
                       {"waste fee, this apartment", {"charge", h, 3, 0, 0, {}, -500, 3500}},
                       {"waste fee, every apartment", {"chargeAll", h, 3, 0, 0, {}, -500, 5600}},
                       {"common cost debt, a credit", {"debt", k, 13, 0, 0, {-5000}, -4000, 6500}},
                       {"waste fee debt", {"debt", h, 13, 0, 0, {7000}, 8000, 5000}}});
    }
    void changes() {
        QFETCH(Change, c);
        const ledger::Fields& f = ledger::fields(c.kind);
        const bool pay = c.operation == "pay", debt = c.operation == "debt", every = c.operation == "chargeAll";
        TestFolder tf;
        auto flats = house();
        if (pay) (flats[1].*f.paid)(c.row) = c.before;
        tf.writeApartments(kYear, flats);
        HouseTotals year = readApartmentList(tf.folder(), kYear).totals;
        ledger::Result r;
        std::vector<Befizetes> log;
        for (int i = 0; i < (pay ? int(c.amounts.size()) : 1); ++i) {
            r = pay    ? ledger::pay(tf.folder(), kYear, 2, c.kind, c.row, c.amounts[i], day(10 + i))
                : debt ? ledger::setPreviousYearDebt(tf.folder(), kYear, 2, c.kind, c.amounts[0])
                       : ledger::charge(tf.folder(), kYear, 2, c.kind, c.row, every);
            QVERIFY2(r.ok(), qPrintable(r.error));
            year = after(year, r);
            if (!pay) continue;
            Befizetes& b = log.emplace_back();
            b.Osszeg = c.amounts[i], b.Datum = Date::fromQDate(day(10 + i)), b.Honap = std::int16_t(c.row);
            b.Tipus = ledger::logKind(c.kind), b.Nev = "Kovács Éva", b.Helyseg = "Budapest", b.Utca = "Fő utca", b.Hsz = "1", b.Ajto = "2/5";
        }
        auto expected = flats;
        if (pay) (expected[1].*f.paid)(c.row) = c.stored, (expected[1].*f.date)(c.row) = log.back().Datum;
        for (size_t i = 0; i < expected.size(); ++i)
            if (debt && i == 1) (expected[i].*f.charge)(13) = c.amounts[0];
            else if (!pay && !debt && (i == 1 || every)) (expected[i].*f.charge)(3) = expected[i].*f.monthly;
        QCOMPARE(tf.readApartments(kYear), expected);
        QCOMPARE(r.record, std::optional<Lakas>(expected[1]));
        QCOMPARE(r.own, c.own);
        QCOMPARE(ledger::allArrears(year, c.kind), c.all);
        if (pay) QCOMPARE(RecordFile<Befizetes>(tf.folder().yearFile(kYear, files::Befiz)).readAll(), std::optional(log));
        else QVERIFY(!tf.exists(kBefiz));
    }

    // A typed payment, and the previous-year debt answer of each kind.
    void amounts_data() {
        QTest::addColumn<Typing>("c");
        const auto row = [](Typed t, const char* text, Status s, int v) {
            static const char* const names[] = {"payment", "common cost debt", "waste fee debt"};
            QTest::addRow("%s \"%s\"", names[int(t)], text) << Typing{t, QString::fromUtf8(text), s, v};
        };
        const Typed p = Typed::Payment, kk = Typed::CommonCostDebt, h = Typed::WasteFeeDebt;
        row(p, " 12500", Status::Ok, 12500);  // proposed with its leading blank
        row(p, "-300", Status::Ok, -300);
        row(p, "", Status::Ok, 0);  // clears the row
        row(p, "2147483647", Status::Ok, 2147483647);
        for (const char* refused : {"abc", "1000 Ft", "1000.5", "1 000", "2147483648"})
            row(p, refused, Status::Refused, 0);
        for (Typed t : {kk, h}) {
            row(t, "5000", Status::Ok, 5000);
            row(t, "-5000", Status::Ok, -5000);  // a credit
            for (const char* stop : {"", "0", "abc"}) row(t, stop, Status::Stop, 0);  // "" when cancelled
            row(t, "3000000000", Status::Refused, 0);
        }
        for (const char* refused : {"1500.6", "1500 Ft", "1 500"}) row(kk, refused, Status::Refused, 0);
        row(h, "1500.6", Status::Ok, 1501);
        row(h, "1500.5", Status::Ok, 1500);  // halves to even
    }
    void amounts() {
        QFETCH(Typing, c);
        const Kind k = c.typed == Typed::CommonCostDebt ? Kind::KozosKoltseg : Kind::Szemetdij;
        const auto a = c.typed == Typed::Payment ? ledger::paymentAmount(c.text) : ledger::previousYearAmount(k, c.text);
        QVERIFY(a.status == c.status && a.error.isEmpty() == (c.status != Status::Refused));
        QCOMPARE(a.value, c.value);
    }

    // Arrears never wrap; the proposed payment is the amount still due.
    void arrearsAndProposal() {
        Lakas l;
        for (int i = 1; i <= 13; ++i) l.HEloiras(i) = 2147483647;
        l.HBefizetes(6) = -1;
        QCOMPARE(ledger::arrears(l, Kind::Szemetdij, 13), qint64(2147483647) * 13 + 1);
        QCOMPARE(ledger::arrears(l, Kind::Szemetdij, 12), qint64(2147483647) * 12 + 1);
        QCOMPARE(ledger::arrears(l, Kind::KozosKoltseg, 13), qint64(0));
        QCOMPARE(ledger::proposedPayment("12500", "10000") + ledger::proposedPayment(" ", " ") + ledger::proposedPayment("1000", "1300"),
                 QStringLiteral(" 2500 0-300"));
    }

    // Every refusal and every failed write leaves Lakasok.dat and Befiz.dat
    // exactly as they were.
    void nothingWritten_data() {
        const QString none, lakasok = files::Lakasok, befiz = files::Befiz;
        cases<Refusal>({{"payment beyond 32 bits", {"pay", none, 2, 4, true}},
                        {"payment without a row", {"pay", none, 2, 0, true}},
                        {"payment for row 14", {"pay", none, 2, 14, true}},
                        {"charge of the previous-year row", {"charge", none, 2, 13, true}},
                        {"charge of every apartment without a row", {"chargeAll", none, 2, 0, true}},
                        {"payment, no apartment selected", {"pay", none, 0, 3, false}},
                        {"charge, record past the end", {"charge", none, 9, 3, false}},
                        {"payment, ledger not writable", {"pay", lakasok, 2, 3, false}},
                        {"payment, log not writable: ledger put back", {"pay", befiz, 2, 3, false}},
                        {"charge, ledger not writable", {"charge", lakasok, 2, 3, false}},
                        {"charge of every apartment, file not replaced", {"chargeAll", lakasok, 2, 3, false}},
                        {"readings, record past the end", {"readings", none, 5, 0, false}},
                        {"readings, file not writable", {"readings", lakasok, 1, 0, false}},
                        {"Leadás, file not writable", {"forward", lakasok, 1, 0, false}},
                        {"Leadás for all, file not replaced", {"forwardAll", lakasok, 1, 0, false}}});
    }
    void nothingWritten() {
        QFETCH(Refusal, c);
        TestFolder tf;
        auto flats = house();
        flats[1].KKBefizetes(4) = 2147483000;
        tf.writeApartments(kYear, flats);
        QVERIFY(ledger::pay(tf.folder(), kYear, 1, Kind::KozosKoltseg, 1, 100, day(1)).ok());
        const QByteArray lakasok = tf.bytes(kLakasok), befiz = tf.bytes(kBefiz);
        FaultySystem sys;  // the file's writes fail, in place and into its replacement
        for (const QString& file : {c.failing, c.failing + ".tmp"})
            if (!c.failing.isEmpty()) sys.failOn(FaultySystem::Call::Pwrite, file);
        const DataFolder folder = tf.folder(sys.layer());
        const QString& op = c.operation;
        bool ok = false, refused = false, record = false;
        if (op.startsWith("readings") || op.startsWith("forward")) {
            const water::Result r = op == "readings" ? water::recordReadings(folder, kYear, c.rec, water::Readings{}, day(1))
                                                     : water::setForward(folder, kYear, c.rec, op == "forwardAll");
            ok = r.ok(), record = r.record.has_value();
        } else {
            const ledger::Result r =
                op == "pay" ? ledger::pay(folder, kYear, c.rec, Kind::KozosKoltseg, c.row, 1000, day(20))
                            : ledger::charge(folder, kYear, c.rec, Kind::Szemetdij, c.row, op == "chargeAll");
            ok = r.ok(), refused = r.refused, record = r.record.has_value();
        }
        QVERIFY(!ok && !record && refused == c.refused);
        QVERIFY(tf.bytes(kLakasok) == lakasok && tf.bytes(kBefiz) == befiz);
    }

    // Typed readings are checked, then stored with each meter's consumption
    // under the month of the reading date (a meter without a last reading and
    // one below its previous reading store 0); the other records stay.
    void readings_data() {
        const QStringList zeros{"0", "0", "0", "0"};
        cases<Readings>({
            {"H1 120 to 135 in March", {{"120", "0", "0", "0"}, {"135", "0", "0", "0"}, 3, {15, 0, 0, 0}, 15, ""}},
            {"a last reading of 0 stores 0", {{"50", "0", "0", "0"}, zeros, 3, {0, 0, 0, 0}, 0, ""}},
            {"below the previous stores 0", {{"200", "0", "0", "0"}, {"150", "0", "0", "0"}, 7, {0, 0, 0, 0}, 0, ""}},
            {"four meters in December, blanks, largest difference",
             {{" 10", "20 ", "-5", "40"}, {"15", "27", "32762", "52"}, 12, {5, 7, 32767, 12}, 32791, ""}},
            {"letters", {{"0", "abc", "0", "0"}, zeros, 3, {}, 0, "H2 (hidegvíz)|előző|abc"}},
            {"empty box", {zeros, {"0", "0", "", "0"}, 3, {}, 0, "M1 (melegvíz)|utolsó"}},
            {"decimal", {zeros, {"12.5", "0", "0", "0"}, 3, {}, 0, "H1 (hidegvíz)|utolsó"}},
            {"beyond 16 bits", {zeros, {"0", "0", "0", "40000"}, 3, {}, 0, "M2 (melegvíz)|40000"}},
            {"difference beyond 16 bits", {{"-30000", "0", "0", "0"}, {"30000", "0", "0", "0"}, 3, {}, 0, "H1 (hidegvíz)|60000"}},
        });
    }
    void readings() {
        QFETCH(Readings, c);
        const auto check = water::checkReadings({c.elozo[0], c.elozo[1], c.elozo[2], c.elozo[3]},
                                                {c.utolso[0], c.utolso[1], c.utolso[2], c.utolso[3]});
        QCOMPARE(bool(check.readings), c.refusal.isEmpty());
        for (const QString& word : c.refusal.split('|', Qt::SkipEmptyParts)) QVERIFY2(check.error.contains(word), qPrintable(check.error));
        if (!check.readings) return;
        TestFolder tf;
        Lakas before = metered({1, 1, 1, 1}, {2, 2, 2, 2});
        for (int m = 1; m <= 12; ++m) setMonth(before, m, {99, 98, 97, 96});  // the month's values are overwritten
        const Lakas other = metered({0, 0, 0, 0}, {9, 9, 9, 9});
        tf.writeApartments(kYear, {other, before});
        const QDate date(2026, c.month, 28);
        const auto r = water::recordReadings(tf.folder(), kYear, 2, *check.readings, date);
        QVERIFY2(r.ok(), qPrintable(r.error));
        Lakas e = before;
        for (int k = 1; k <= 4; ++k)
            e.ElozoAllas(k) = std::int16_t(c.elozo[k - 1].trimmed().toInt()), e.UtolsoAllas(k) = std::int16_t(c.utolso[k - 1].trimmed().toInt());
        setMonth(e, c.month, c.stored);
        e.LeadasDatum = Date::fromQDate(date);
        QCOMPARE(tf.readApartments(kYear), (std::vector<Lakas>{other, e}));
        QCOMPARE(r.record, std::optional<Lakas>(e));
        QCOMPARE(water::periodConsumption(e), c.period);
    }

    // The monthly list up to the month of the reading date (a negative value
    // from an old file shows as 0), the yearly sum of all twelve months, and
    // the reading date shown: the stored one, or today before 2000.
    void yearView() {
        Lakas l;
        for (int m = 1; m <= 12; ++m) setMonth(l, m, {m, 2 * m, 0, 1});
        setMonth(l, 2, {-4, 3, 0, 0});
        const auto v = water::yearView(l, 5);
        QStringList rows;
        for (int m : {2, 5, 6}) rows << QStringLiteral("%1:%2,%3,%4").arg(v.months(m).shown).arg(v.months(m).values(1)).arg(v.months(m).values(2)).arg(v.months(m).total);
        QCOMPARE(rows.join(' '), QStringLiteral("1:0,3,3 1:5,10,16 0:6,12,19"));
        QCOMPARE(v.yearly, qint64(3 + (78 - 2) * 3 + 11));
        const QDate today(2026, 3, 15);
        for (const QDate& stored : {QDate(), QDate(1999, 12, 31), QDate(2000, 1, 1)}) {
            l.LeadasDatum = Date::fromQDate(stored);
            QCOMPARE(water::shownReadingDate(l, today), stored.year() < 2000 ? today : stored);
        }
    }

    // "Leadás": only meters with a last reading above 0 move; the question
    // before it counts the apartments that would change.
    void setForward_data() {
        QTest::addColumn<bool>("everyone");
        QTest::newRow("this apartment") << false;
        QTest::newRow("every apartment") << true;
    }
    void setForward() {
        QFETCH(bool, everyone);
        TestFolder tf;
        const std::vector<Lakas> flats{metered({120, 7, 40, 9}, {135, 0, 50, -3}), metered({5, 6, 7, 8}, {0, 0, 0, 0}),
                                       metered({1, 2, 3, 4}, {0, 20, 0, 40})};
        tf.writeApartments(kYear, flats);
        QCOMPARE(water::apartmentsToSetForward(tf.folder(), kYear), std::optional<int>(2));
        const auto r = water::setForward(tf.folder(), kYear, 1, everyone);
        QVERIFY2(r.ok(), qPrintable(r.error));
        const std::vector<Lakas> expected{metered({135, 7, 50, 9}, {0, 0, 0, -3}), flats[1],
                                          everyone ? metered({1, 20, 3, 40}, {0, 0, 0, 0}) : flats[2]};
        QCOMPARE(tf.readApartments(kYear), expected);
        QCOMPARE(r.record, std::optional<Lakas>(expected[0]));
        QCOMPARE((QList<bool>{r.moved(1), r.moved(2), r.moved(3), r.moved(4)}), (QList<bool>{true, false, true, false}));
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
