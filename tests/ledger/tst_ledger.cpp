// The money rules of the two ledgers: payments and their log, charges for one
// apartment or all, the typed amounts, arrears, and that every refusal or
// failed write leaves the files as they were.

#include <QDir>
#include <QSaveFile>
#include <QTest>
#include <map>

#include "ledger/ledger.h"
#include "store/conversions.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

using ledger::Kind;

Q_DECLARE_METATYPE(ledger::Kind)
Q_DECLARE_METATYPE(ledger::Amount::Status)

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");
const QString kBefiz = QStringLiteral("2026/Befiz.dat");

QDate day(int d) {
    return QDate(2026, 3, d);
}

// Three apartments; the current one is record 2.
std::vector<Lakas> house() {
    Lakas a =
        makeLakas(QStringLiteral("Első Aladár"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("1/1"));
    a.KozosKoltseg = 3000;
    a.SzemetDij = 900;
    a.KKEloiras(1) = 4000;
    a.HEloiras(1) = 4000;
    a.KKEloiras(3) = 2500;
    a.KKBefizetes(3) = 1000;
    a.KKBefizDatum(3) = Date::fromQDate(day(2));
    Lakas b =
        makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2/5"));
    b.KozosKoltseg = 0;
    b.SzemetDij = 0;
    b.KKEloiras(3) = 1500;
    b.HEloiras(3) = 1500;
    b.KKEloiras(13) = 5000;
    b.HEloiras(13) = 5000;
    b.KKBefizetes(3) = 500;
    b.HBefizetes(3) = 500;
    Lakas c =
        makeLakas(QStringLiteral("Őri Ödön"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("3/1"));
    c.KozosKoltseg = 4500;
    c.SzemetDij = 1200;
    return {a, b, c};
}

std::vector<Befizetes> logOf(const TestFolder& tf) {
    return RecordFile<Befizetes>(tf.folder().yearFile(kYear, files::Befiz))
        .readAll()
        .value_or(std::vector<Befizetes>{});
}

// Fails the writes in place of the named files once `allowed` writes have
// gone through, and the n-th chunk of a whole-file replacement.
class FailingLayer : public FileLayer {
public:
    std::map<QString, int> allowed;  // file name -> writes that still succeed
    int failChunk = 0;
    int chunks = 0;
    bool writeAt(const QString& path, qint64 offset, const QByteArray& data) override {
        const auto it = allowed.find(QFileInfo(path).fileName());
        if (it != allowed.end() && it->second-- <= 0) return false;
        return FileLayer::writeAt(path, offset, data);
    }

protected:
    bool writeChunk(QSaveFile& file, const char* data, qint64 len) override {
        if (++chunks == failChunk) return false;
        return FileLayer::writeChunk(file, data, len);
    }
};

}  // namespace

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void payments_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("before");  // already paid on the row
        QTest::addColumn<QList<int>>("amounts");
        QTest::addColumn<int>("paid");
        QTest::addColumn<qint64>("own");  // rows 1..13 of the current apartment
        QTest::addColumn<qint64>("all");  // rows 1..12 of every apartment
        QTest::addColumn<QByteArray>("tipus");
        const QByteArray kk("K\xF6z\xF6sk\xF6lts\xE9g");
        const QByteArray h("Szem\xE9td\xEDj   ");
        // The current apartment owes 1500 for March (500 paid) and 5000 from the previous year; the first
        // apartment owes 5500 (common cost) or 4000 (waste fee) over the months.
        QTest::newRow("1000 then 500 for March")
            << Kind::KozosKoltseg << 3 << 0 << QList<int>{1000, 500} << 1500 << qint64(5000) << qint64(5500) << kk;
        QTest::newRow("paying 0 clears") << Kind::KozosKoltseg << 3 << 500 << QList<int>{0} << 0 << qint64(6500)
                                         << qint64(7000) << kk;
        QTest::newRow("0 after two payments")
            << Kind::KozosKoltseg << 3 << 0 << QList<int>{700, 300, 0} << 0 << qint64(6500) << qint64(7000) << kk;
        QTest::newRow("previous-year row")
            << Kind::KozosKoltseg << 13 << 0 << QList<int>{2000} << 2000 << qint64(4000) << qint64(6500) << kk;
        QTest::newRow("a negative payment corrects")
            << Kind::KozosKoltseg << 3 << 500 << QList<int>{-200} << 300 << qint64(6200) << qint64(6700) << kk;
        QTest::newRow("up to the 32-bit limit")
            << Kind::KozosKoltseg << 5 << 2147483000 << QList<int>{647} << 2147483647 << qint64(6000 - 2147483647LL)
            << qint64(6500 - 2147483647LL) << kk;
        QTest::newRow("waste fee 1000 then 500")
            << Kind::Szemetdij << 3 << 0 << QList<int>{1000, 500} << 1500 << qint64(5000) << qint64(4000) << h;
    }
    void payments() {
        QFETCH(Kind, kind);
        QFETCH(int, row);
        QFETCH(int, before);
        QFETCH(QList<int>, amounts);
        QFETCH(int, paid);
        QFETCH(qint64, own);
        QFETCH(qint64, all);
        QFETCH(QByteArray, tipus);
        const ledger::Fields& f = ledger::fields(kind);
        TestFolder tf;
        auto flats = house();
        (flats[1].*f.paid)(row) = before;
        tf.writeApartments(kYear, flats);

        ledger::Result r;
        for (int i = 0; i < amounts.size(); ++i) {
            r = ledger::pay(tf.folder(), kYear, 2, kind, row, amounts[i], day(10 + i));
            QVERIFY2(r.ok(), qPrintable(r.error));
        }
        const auto stored = tf.readApartments(kYear);
        Lakas expected = flats[1];
        (expected.*f.paid)(row) = paid;
        (expected.*f.date)(row) = Date::fromQDate(day(10 + int(amounts.size()) - 1));
        QCOMPARE(stored[1], expected);  // nothing else of the apartment changed, the other kind included
        QCOMPARE(stored[0], flats[0]);
        QCOMPARE(stored[2], flats[2]);
        QCOMPARE(r.record, std::optional<Lakas>(expected));
        QCOMPARE(r.arrears->own, own);
        QCOMPARE(r.arrears->all, all);

        const auto log = logOf(tf);
        QCOMPARE(int(log.size()), int(amounts.size()));
        for (int i = 0; i < amounts.size(); ++i) {
            const Befizetes& b = log[size_t(i)];
            QCOMPARE(b.Osszeg, amounts[i]);
            QCOMPARE(b.Datum, Date::fromQDate(day(10 + i)));
            QCOMPARE(b.Honap, std::int16_t(row));
            QCOMPARE(b.Nev.text(), QStringLiteral("Kovács Éva"));
            QCOMPARE(b.Helyseg.text(), QStringLiteral("Budapest"));
            QCOMPARE(b.Utca.text(), QStringLiteral("Fő utca"));
            QCOMPARE(b.Hsz.text(), QStringLiteral("1"));
            QCOMPARE(b.Ajto.text(), QStringLiteral("2/5"));
        }
        QCOMPARE(tf.bytes(kBefiz).mid(12, 12), tipus);  // the kind as stored, blank-padded
    }

    void paymentAmount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ledger::Amount::Status>("status");
        QTest::addColumn<int>("value");
        using S = ledger::Amount::Status;
        QTest::newRow("1000") << "1000" << S::Ok << 1000;
        QTest::newRow("proposed with its leading blank") << " 12500" << S::Ok << 12500;
        QTest::newRow("negative") << "-300" << S::Ok << -300;
        QTest::newRow("empty clears") << "" << S::Ok << 0;
        QTest::newRow("blanks clear") << "   " << S::Ok << 0;
        QTest::newRow("0 clears") << "0" << S::Ok << 0;
        QTest::newRow("largest") << "2147483647" << S::Ok << 2147483647;
        QTest::newRow("letters") << "abc" << S::Refused << 0;
        QTest::newRow("1000 Ft") << "1000 Ft" << S::Refused << 0;
        QTest::newRow("decimal point") << "1000.5" << S::Refused << 0;
        QTest::newRow("inner blank") << "1 000" << S::Refused << 0;
        QTest::newRow("beyond 32 bits") << "2147483648" << S::Refused << 0;
    }
    void paymentAmount() {
        QFETCH(QString, text);
        QFETCH(ledger::Amount::Status, status);
        QFETCH(int, value);
        const auto a = ledger::paymentAmount(text);
        QCOMPARE(a.status, status);
        QCOMPARE(a.value, value);
        QCOMPARE(a.error.isEmpty(), status != ledger::Amount::Status::Refused);
    }

    void previousYearAmount_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<ledger::Amount::Status>("status");
        QTest::addColumn<int>("value");
        using S = ledger::Amount::Status;
        const Kind kk = Kind::KozosKoltseg, h = Kind::Szemetdij;
        for (Kind k : {kk, h}) {
            const char* p = k == kk ? "common cost " : "waste fee ";
            QTest::addRow("%s5000", p) << k << "5000" << S::Ok << 5000;
            QTest::addRow("%snegative", p) << k << "-200" << S::Ok << -200;
            QTest::addRow("%sempty or cancelled", p) << k << "" << S::Stop << 0;
            QTest::addRow("%s0", p) << k << "0" << S::Stop << 0;
            QTest::addRow("%sno number", p) << k << "abc" << S::Stop << 0;
            QTest::addRow("%sbeyond 32 bits", p) << k << "3000000000" << S::Refused << 0;
        }
        QTest::newRow("common cost 1500.6") << kk << "1500.6" << S::Refused << 0;
        QTest::newRow("common cost 1500 Ft") << kk << "1500 Ft" << S::Refused << 0;
        QTest::newRow("common cost inner blank") << kk << "1 500" << S::Refused << 0;
        QTest::newRow("waste fee 1500.6") << h << "1500.6" << S::Ok << 1501;
        QTest::newRow("waste fee 1500 Ft") << h << "1500 Ft" << S::Ok << 1500;
        QTest::newRow("waste fee half to even down") << h << "1500.5" << S::Ok << 1500;
        QTest::newRow("waste fee 1 500 reads 1500") << h << "1 500" << S::Ok << 1500;
    }
    void previousYearAmount() {
        QFETCH(Kind, kind);
        QFETCH(QString, answer);
        QFETCH(ledger::Amount::Status, status);
        QFETCH(int, value);
        const auto a = ledger::previousYearAmount(kind, answer);
        QCOMPARE(a.status, status);
        QCOMPARE(a.value, value);
        QCOMPARE(a.error.isEmpty(), status != ledger::Amount::Status::Refused);
    }

    void charge_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("everyone");
        QTest::addColumn<qint64>("own");  // rows 1..12 only: the previous-year debt is left out
        QTest::addColumn<qint64>("all");
        // March: a 3000 (paid 1000), b 0 (paid 500), c 4500; common cost a also has January 4000.
        QTest::newRow("common cost, this apartment") << Kind::KozosKoltseg << false << qint64(-500) << qint64(5000);
        QTest::newRow("common cost, every apartment") << Kind::KozosKoltseg << true << qint64(-500) << qint64(10000);
        QTest::newRow("waste fee, this apartment") << Kind::Szemetdij << false << qint64(-500) << qint64(3500);
        QTest::newRow("waste fee, every apartment") << Kind::Szemetdij << true << qint64(-500) << qint64(5600);
    }
    void charge() {
        QFETCH(Kind, kind);
        QFETCH(bool, everyone);
        QFETCH(qint64, own);
        QFETCH(qint64, all);
        const ledger::Fields& f = ledger::fields(kind);
        TestFolder tf;
        const auto flats = house();
        tf.writeApartments(kYear, flats);
        const auto r = ledger::charge(tf.folder(), kYear, 2, kind, 3, everyone);
        QVERIFY2(r.ok(), qPrintable(r.error));

        auto expected = flats;
        for (size_t i = 0; i < expected.size(); ++i)
            if (everyone || i == 1) (expected[i].*f.charge)(3) = expected[i].*f.monthly;  // replaced, 0 included
        QCOMPARE(tf.readApartments(kYear), expected);  // payments, dates and the other kind kept
        QCOMPARE((expected[1].*f.charge)(3), 0);
        QCOMPARE(r.record, std::optional<Lakas>(expected[1]));
        QCOMPARE(r.arrears->own, own);
        QCOMPARE(r.arrears->all, all);
        QVERIFY(!tf.exists(kBefiz));  // a charge logs nothing
    }

    void arrearsLabels_data() {
        QTest::addColumn<QList<int>>("charges");  // rows 1..13
        QTest::addColumn<QList<int>>("paids");
        QTest::addColumn<QString>("own");          // rows 1..13
        QTest::addColumn<QString>("afterCharge");  // rows 1..12
        const QList<int> none(13, 0);
        QList<int> debt = none;
        debt[12] = 5000;
        QTest::newRow("nothing recorded") << none << none << "0,-Ft"
                                          << "0,-Ft";
        QTest::newRow("previous-year debt 5000 alone") << debt << none << "5000,-Ft"
                                                       << "0,-Ft";
        QList<int> june = none, junePaid = none;
        june[5] = 1000;
        junePaid[5] = 1300;
        QTest::newRow("overpayment") << june << junePaid << "-300,-Ft"
                                     << "-300,-Ft";
        QList<int> owed = debt, owedPaid = none;
        owed[0] = 12500;
        owed[1] = 12500;
        owedPaid[0] = 12500;
        owedPaid[12] = 2000;
        QTest::newRow("months and debt") << owed << owedPaid << "15500,-Ft"
                                         << "12500,-Ft";
        QList<int> huge = none;
        for (int i = 0; i < 13; ++i) huge[i] = 2147483647;
        QTest::newRow("no wrap beyond 32 bits") << huge << none << "27917287411,-Ft"
                                                << "25769803764,-Ft";
    }
    void arrearsLabels() {
        QFETCH(QList<int>, charges);
        QFETCH(QList<int>, paids);
        QFETCH(QString, own);
        QFETCH(QString, afterCharge);
        for (Kind k : {Kind::KozosKoltseg, Kind::Szemetdij}) {
            Lakas l;
            for (int i = 1; i <= 13; ++i) {
                (l.*ledger::fields(k).charge)(i) = charges[i - 1];
                (l.*ledger::fields(k).paid)(i) = paids[i - 1];
            }
            QCOMPARE(conv::forintText(ledger::arrears(l, k, 13)), own);
            QCOMPARE(conv::forintText(ledger::arrears(l, k, 12)), afterCharge);
            const Kind other = k == Kind::KozosKoltseg ? Kind::Szemetdij : Kind::KozosKoltseg;
            QCOMPARE(ledger::arrears(l, other, 13), qint64(0));
        }
    }

    void proposedPayment_data() {
        QTest::addColumn<QString>("charge");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("nothing paid") << "12500"
                                      << " "
                                      << " 12500";
        QTest::newRow("partly paid") << "12500"
                                     << "10000"
                                     << " 2500";
        QTest::newRow("blank row") << " "
                                   << " "
                                   << " 0";
        QTest::newRow("overpaid") << "1000"
                                  << "1300"
                                  << "-300";
        QTest::newRow("paid, never charged") << " "
                                             << "1500"
                                             << "-1500";
    }
    void proposedPayment() {
        QFETCH(QString, charge);
        QFETCH(QString, paid);
        QFETCH(QString, proposed);
        QCOMPARE(ledger::proposedPayment(charge, paid), proposed);
    }

    // Every refusal and every failed write leaves Lakasok.dat and Befiz.dat
    // exactly as they were.
    void nothingWritten_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("rec");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("failing");  // files whose writes fail
        QTest::addColumn<bool>("refused");
        QTest::newRow("payment beyond 32 bits") << "pay" << 2 << 4 << QStringList{} << true;
        QTest::newRow("payment without a row") << "pay" << 2 << 0 << QStringList{} << true;
        QTest::newRow("payment for row 14") << "pay" << 2 << 14 << QStringList{} << true;
        QTest::newRow("charge of the previous-year row") << "charge" << 2 << 13 << QStringList{} << true;
        QTest::newRow("charge of every apartment without a row") << "chargeAll" << 2 << 0 << QStringList{} << true;
        QTest::newRow("payment, no apartment selected") << "pay" << 0 << 3 << QStringList{} << false;
        QTest::newRow("payment, record past the end") << "pay" << 9 << 3 << QStringList{} << false;
        QTest::newRow("charge, record past the end") << "charge" << 9 << 3 << QStringList{} << false;
        QTest::newRow("debt, no apartment selected") << "debt" << 0 << 13 << QStringList{} << false;
        QTest::newRow("payment, ledger not writable") << "pay" << 2 << 3 << QStringList{files::Lakasok} << false;
        QTest::newRow("payment, log not writable: ledger put back")
            << "pay" << 2 << 3 << QStringList{files::Befiz} << false;
        QTest::newRow("charge, ledger not writable") << "charge" << 2 << 3 << QStringList{files::Lakasok} << false;
        QTest::newRow("debt, ledger not writable") << "debt" << 2 << 13 << QStringList{files::Lakasok} << false;
    }
    void nothingWritten() {
        QFETCH(QString, operation);
        QFETCH(int, rec);
        QFETCH(int, row);
        QFETCH(QStringList, failing);
        QFETCH(bool, refused);
        TestFolder tf;
        auto flats = house();
        flats[1].KKBefizetes(4) = 2147483000;
        tf.writeApartments(kYear, flats);
        QVERIFY(ledger::pay(tf.folder(), kYear, 1, Kind::KozosKoltseg, 1, 100, day(1)).ok());
        const QByteArray lakasok = tf.bytes(kLakasok), befiz = tf.bytes(kBefiz);
        FailingLayer fs;
        for (const QString& name : failing) fs.allowed[name] = 0;
        const DataFolder folder = tf.folder(fs);

        ledger::Result r;
        if (operation == QLatin1String("pay"))
            r = ledger::pay(folder, kYear, rec, Kind::KozosKoltseg, row, 1000, day(20));
        else if (operation == QLatin1String("charge"))
            r = ledger::charge(folder, kYear, rec, Kind::KozosKoltseg, row, false);
        else if (operation == QLatin1String("chargeAll"))
            r = ledger::charge(folder, kYear, rec, Kind::Szemetdij, row, true);
        else
            r = ledger::setPreviousYearDebt(folder, kYear, rec, Kind::Szemetdij, 7000);
        QVERIFY(!r.ok());
        QCOMPARE(r.refused, refused);
        QVERIFY(!r.record);
        QCOMPARE(tf.bytes(kLakasok), lakasok);
        QCOMPARE(tf.bytes(kBefiz), befiz);
    }

    // The log cannot be written and neither can the ledger be put back: the
    // message says where the payment may be, never that it was recorded.
    void paymentHalfWritten() {
        TestFolder tf;
        tf.writeApartments(kYear, house());
        FailingLayer fs;
        fs.allowed[files::Befiz] = 0;
        fs.allowed[files::Lakasok] = 1;
        const auto r = ledger::pay(tf.folder(fs), kYear, 2, Kind::KozosKoltseg, 3, 1000, day(20));
        QVERIFY(!r.ok());
        QVERIFY(!r.refused);
        QVERIFY2(r.error.contains(QStringLiteral("ellenőrizze")), qPrintable(r.error));
        QCOMPARE(tf.readApartments(kYear)[1].KKBefizetes(3), 1500);
    }

    // A charge for every apartment replaces the file in one step: when the
    // write fails midway the old file stays, byte for byte, and no stray
    // file is left beside it.
    void chargeAllFailsMidway() {
        TestFolder tf;
        std::vector<Lakas> flats;
        for (int i = 1; i <= 600; ++i) {  // 1.3 MB: more than one chunk
            Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), QStringLiteral("Fő utca"), QStringLiteral("1"),
                                QString::number(i));
            l.KozosKoltseg = 1000 + i;
            l.KKEloiras(5) = 7;
            flats.push_back(l);
        }
        tf.writeApartments(kYear, flats);
        const QByteArray before = tf.bytes(kLakasok);
        const QStringList entries = QDir(tf.folder().yearFolder(kYear)).entryList(QDir::Files | QDir::Hidden);
        FailingLayer fs;
        fs.failChunk = 2;
        const auto r = ledger::charge(tf.folder(fs), kYear, 1, Kind::KozosKoltseg, 5, true);
        QVERIFY(!r.ok());
        QCOMPARE(fs.chunks, 2);
        QVERIFY(tf.bytes(kLakasok) == before);
        QCOMPARE(QDir(tf.folder().yearFolder(kYear)).entryList(QDir::Files | QDir::Hidden), entries);

        const auto done = ledger::charge(tf.folder(), kYear, 1, Kind::KozosKoltseg, 5, true);
        QVERIFY(done.ok());
        const auto after = tf.readApartments(kYear);
        QCOMPARE(after.size(), flats.size());
        QCOMPARE(after.back().KKEloiras(5), 1600);
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
