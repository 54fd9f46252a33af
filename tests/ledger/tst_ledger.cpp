// The money rules of the two ledgers: payments and their log, charges for one
// apartment or all, the typed amounts, arrears, and that every refusal or
// failed write leaves the files as they were.

#include <QDir>
#include <QTest>

#include "ledger/ledger.h"
#include "store/conversions.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using ledger::Kind;
using Status = ledger::Amount::Status;

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");
const QString kBefiz = QStringLiteral("2026/Befiz.dat");

QDate day(int d) {
    return QDate(2026, 3, d);
}

Lakas flat(const char* nev, const char* ajto, int kozosKoltseg, int szemetDij) {
    Lakas l =
        makeLakas(QString::fromUtf8(nev), QStringLiteral("Fő utca"), QStringLiteral("1"), QString::fromUtf8(ajto));
    l.KozosKoltseg = kozosKoltseg;
    l.SzemetDij = szemetDij;
    return l;
}

// Three apartments; the current one is record 2, whose monthly amounts are 0.
std::vector<Lakas> house() {
    Lakas a = flat("Első Aladár", "1/1", 3000, 900);
    a.KKEloiras(1) = a.HEloiras(1) = 4000;
    a.KKEloiras(3) = 2500;
    a.KKBefizetes(3) = 1000;
    a.KKBefizDatum(3) = Date::fromQDate(day(2));
    Lakas b = flat("Kovács Éva", "2/5", 0, 0);
    b.KKEloiras(3) = b.HEloiras(3) = 1500;
    b.KKEloiras(13) = b.HEloiras(13) = 5000;
    b.KKBefizetes(3) = b.HBefizetes(3) = 500;
    return {a, b, flat("Őri Ödön", "3/1", 4500, 1200)};
}

// Rows 1..13 of a ledger column, 0 but for the given (row, amount) pairs.
QList<int> rows(std::initializer_list<std::pair<int, int>> set) {
    QList<int> out(13, 0);
    for (const auto& [row, amount] : set) out[row - 1] = amount;
    return out;
}

using Call = FaultySystem::Call;

enum class Typed { Payment, CommonCostDebt, WasteFeeDebt };

// The rows of a data-driven test: each case under its name, in one column.
template <class T>
void cases(std::initializer_list<std::pair<const char*, T>> rows) {
    QTest::addColumn<T>("c");
    for (const auto& [name, c] : rows) QTest::newRow(name) << c;
}

struct Payments {
    Kind kind;
    int row, before, paid;  // before and after the payments, paid on the row
    QList<int> amounts;
    qint64 own, all;  // rows 1..13 of the current apartment, rows 1..12 of every apartment
    QByteArray tipus;
};
struct Typing {
    Typed typed;
    QString text;
    Status status;
    int value;
};
struct Charge {
    Kind kind;
    bool everyone;
    qint64 own, all;  // rows 1..12 only: the previous-year debt is left out
};
struct Arrears {
    QList<int> charges, paids;  // rows 1..13
    QString own, afterCharge;   // rows 1..13, rows 1..12
};
struct Proposal {
    QString charge, paid, proposed;
};
struct Refusal {
    QString operation, failing;  // pay, charge, chargeAll or debt; the file whose writes fail
    int rec, row;
    bool refused;
};

}  // namespace

Q_DECLARE_METATYPE(Payments)
Q_DECLARE_METATYPE(Typing)
Q_DECLARE_METATYPE(Charge)
Q_DECLARE_METATYPE(Arrears)
Q_DECLARE_METATYPE(Proposal)
Q_DECLARE_METATYPE(Refusal)

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void payments_data() {
        const QByteArray kk("K\xF6z\xF6sk\xF6lts\xE9g"), h("Szem\xE9td\xEDj   ");
        const Kind k = Kind::KozosKoltseg;
        const qint64 max = 2147483647;
        // The current apartment owes 1500 for March (500 paid) and 5000 from the previous year; the first
        // apartment owes 5500 (common cost) or 4000 (waste fee) over the months.
        cases<Payments>({{"1000 then 500", {k, 3, 0, 1500, {1000, 500}, 5000, 5500, kk}},
                         {"paying 0 clears", {k, 3, 500, 0, {0}, 6500, 7000, kk}},
                         {"previous-year row", {k, 13, 0, 2000, {2000}, 4000, 6500, kk}},
                         {"up to the 32-bit limit", {k, 5, 2147483000, int(max), {647}, 6000 - max, 6500 - max, kk}},
                         {"waste fee 1000 then 500", {Kind::Szemetdij, 3, 0, 1500, {1000, 500}, 5000, 4000, h}}});
    }
    void payments() {
        QFETCH(Payments, c);
        const ledger::Fields& f = ledger::fields(c.kind);
        TestFolder tf;
        auto flats = house();
        (flats[1].*f.paid)(c.row) = c.before;
        tf.writeApartments(kYear, flats);

        ledger::Result r;
        for (int i = 0; i < c.amounts.size(); ++i) {
            r = ledger::pay(tf.folder(), kYear, 2, c.kind, c.row, c.amounts[i], day(10 + i));
            QVERIFY2(r.ok(), qPrintable(r.error));
        }
        auto expected = flats;
        (expected[1].*f.paid)(c.row) = c.paid;
        (expected[1].*f.date)(c.row) = Date::fromQDate(day(10 + int(c.amounts.size()) - 1));
        QCOMPARE(tf.readApartments(kYear), expected);  // nothing else changed, the other kind included
        QCOMPARE(r.record, std::optional<Lakas>(expected[1]));
        QCOMPARE(r.arrears->own, c.own);
        QCOMPARE(r.arrears->all, c.all);

        const auto log = RecordFile<Befizetes>(tf.folder().yearFile(kYear, files::Befiz)).readAll();
        QVERIFY(log);
        QCOMPARE(int(log->size()), int(c.amounts.size()));
        for (int i = 0; i < c.amounts.size(); ++i) {
            const Befizetes& b = (*log)[size_t(i)];
            QCOMPARE(b.Osszeg, c.amounts[i]);
            QCOMPARE(b.Datum, Date::fromQDate(day(10 + i)));
            QCOMPARE(b.Honap, std::int16_t(c.row));
            QCOMPARE((QStringList{b.Nev.text(), b.Helyseg.text(), b.Utca.text(), b.Hsz.text(), b.Ajto.text()}),
                     (QStringList{"Kovács Éva", "Budapest", "Fő utca", "1", "2/5"}));
        }
        QCOMPARE(tf.bytes(kBefiz).mid(12, 12), c.tipus);  // the kind as stored, blank-padded
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
            for (const char* stop : {"", "0", "abc"}) row(t, stop, Status::Stop, 0);  // "" when cancelled
            row(t, "3000000000", Status::Refused, 0);
        }
        for (const char* refused : {"1500.6", "1500 Ft", "1 500"}) row(kk, refused, Status::Refused, 0);
        row(h, "1500.6", Status::Ok, 1501);
        row(h, "1500.5", Status::Ok, 1500);  // halves to even
        row(h, "1500 Ft", Status::Ok, 1500);
        row(h, "1 500", Status::Ok, 1500);
    }
    void amounts() {
        QFETCH(Typing, c);
        const Kind k = c.typed == Typed::CommonCostDebt ? Kind::KozosKoltseg : Kind::Szemetdij;
        const auto a =
            c.typed == Typed::Payment ? ledger::paymentAmount(c.text) : ledger::previousYearAmount(k, c.text);
        QCOMPARE(a.status, c.status);
        QCOMPARE(a.value, c.value);
        QCOMPARE(a.error.isEmpty(), c.status != Status::Refused);
    }

    void charge_data() {
        // March: a 3000 (paid 1000), b 0 (paid 500), c 4500; common cost a also has January 4000.
        cases<Charge>({{"common cost, this apartment", {Kind::KozosKoltseg, false, -500, 5000}},
                       {"common cost, every apartment", {Kind::KozosKoltseg, true, -500, 10000}},
                       {"waste fee, this apartment", {Kind::Szemetdij, false, -500, 3500}},
                       {"waste fee, every apartment", {Kind::Szemetdij, true, -500, 5600}}});
    }
    void charge() {
        QFETCH(Charge, c);
        const ledger::Fields& f = ledger::fields(c.kind);
        TestFolder tf;
        const auto flats = house();
        tf.writeApartments(kYear, flats);
        const auto r = ledger::charge(tf.folder(), kYear, 2, c.kind, 3, c.everyone);
        QVERIFY2(r.ok(), qPrintable(r.error));

        auto expected = flats;  // each its own amount, replacing the charge (the current one's 0 included)
        for (size_t i = 0; i < expected.size(); ++i)
            if (c.everyone || i == 1) (expected[i].*f.charge)(3) = expected[i].*f.monthly;
        QCOMPARE(tf.readApartments(kYear), expected);  // payments, dates and the other kind kept
        QCOMPARE(r.record, std::optional<Lakas>(expected[1]));
        QCOMPARE(r.arrears->own, c.own);
        QCOMPARE(r.arrears->all, c.all);
        QVERIFY(!tf.exists(kBefiz));  // a charge logs nothing
    }

    void arrearsLabels_data() {
        cases<Arrears>(
            {{"previous-year debt 5000 alone", {rows({{13, 5000}}), rows({}), "5000,-Ft", "0,-Ft"}},
             {"overpayment", {rows({{6, 1000}}), rows({{6, 1300}}), "-300,-Ft", "-300,-Ft"}},
             {"no wrap beyond 32 bits", {QList<int>(13, 2147483647), rows({}), "27917287411,-Ft", "25769803764,-Ft"}}});
    }
    void arrearsLabels() {
        QFETCH(Arrears, c);
        for (Kind k : {Kind::KozosKoltseg, Kind::Szemetdij}) {
            Lakas l;
            for (int i = 1; i <= 13; ++i) {
                (l.*ledger::fields(k).charge)(i) = c.charges[i - 1];
                (l.*ledger::fields(k).paid)(i) = c.paids[i - 1];
            }
            QCOMPARE(conv::forintText(ledger::arrears(l, k, 13)), c.own);
            QCOMPARE(conv::forintText(ledger::arrears(l, k, 12)), c.afterCharge);
            const Kind other = k == Kind::KozosKoltseg ? Kind::Szemetdij : Kind::KozosKoltseg;
            QCOMPARE(ledger::arrears(l, other, 13), qint64(0));
        }
    }

    void proposedPayment_data() {
        cases<Proposal>({{"partly paid", {"12500", "10000", " 2500"}},
                         {"blank row", {" ", " ", " 0"}},
                         {"overpaid", {"1000", "1300", "-300"}}});
    }
    void proposedPayment() {
        QFETCH(Proposal, c);
        QCOMPARE(ledger::proposedPayment(c.charge, c.paid), c.proposed);
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
                        {"debt, ledger not writable", {"debt", lakasok, 2, 13, false}}});
    }
    void nothingWritten() {
        QFETCH(Refusal, c);
        TestFolder tf;
        auto flats = house();
        flats[1].KKBefizetes(4) = 2147483000;
        tf.writeApartments(kYear, flats);
        QVERIFY(ledger::pay(tf.folder(), kYear, 1, Kind::KozosKoltseg, 1, 100, day(1)).ok());
        const QByteArray lakasok = tf.bytes(kLakasok), befiz = tf.bytes(kBefiz);
        FaultySystem sys;
        if (!c.failing.isEmpty()) sys.failOn(Call::Pwrite, c.failing);
        const DataFolder folder = tf.folder(sys.layer());

        ledger::Result r;
        if (c.operation == QLatin1String("pay"))
            r = ledger::pay(folder, kYear, c.rec, Kind::KozosKoltseg, c.row, 1000, day(20));
        else if (c.operation.startsWith(QLatin1String("charge")))
            r = ledger::charge(folder, kYear, c.rec, Kind::Szemetdij, c.row, c.operation == QLatin1String("chargeAll"));
        else
            r = ledger::setPreviousYearDebt(folder, kYear, c.rec, Kind::Szemetdij, 7000);
        QVERIFY(!r.ok());
        QCOMPARE(r.refused, c.refused);
        QVERIFY(!r.record);
        QCOMPARE(tf.bytes(kLakasok), lakasok);
        QCOMPARE(tf.bytes(kBefiz), befiz);
    }

    // A charge for every apartment replaces the file in one step: when the
    // write fails midway the old file stays, byte for byte, and no stray
    // file is left beside it.
    void chargeAllFailsMidway() {
        TestFolder tf;
        std::vector<Lakas> flats;
        for (int i = 1; i <= 600; ++i) {  // 1.3 MB: more than one chunk
            flats.push_back(flat("Lakó", "1", 1000 + i, 0));
            flats.back().KKEloiras(5) = 7;
        }
        tf.writeApartments(kYear, flats);
        const QByteArray before = tf.bytes(kLakasok);
        const auto entries = [&] { return QDir(tf.folder().yearFolder(kYear)).entryList(QDir::Files | QDir::Hidden); };
        const QStringList entriesBefore = entries();
        FaultySystem sys;
        sys.failOn(Call::Pwrite, files::Lakasok + QStringLiteral(".tmp"), 1);
        QVERIFY(!ledger::charge(tf.folder(sys.layer()), kYear, 1, Kind::KozosKoltseg, 5, true).ok());
        QCOMPARE(std::count(sys.history.begin(), sys.history.end(), Call::Pwrite), 2);
        QVERIFY(tf.bytes(kLakasok) == before);
        QCOMPARE(entries(), entriesBefore);

        QVERIFY(ledger::charge(tf.folder(), kYear, 1, Kind::KozosKoltseg, 5, true).ok());
        const auto after = tf.readApartments(kYear);
        QCOMPARE(after.size(), flats.size());
        QCOMPARE(after.back().KKEloiras(5), 1600);
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
