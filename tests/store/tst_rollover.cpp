// The roll-over into a new year: the apartments' balances carried into the
// previous-year rows, the buildings' carry-over entries, the checks of the
// answer, a second roll-over over a year in use, and failed steps that leave
// every file as it was.

#include <QTest>

#include "book/book.h"
#include "store/rollover.h"
#include "support/testfolder.h"

namespace {

const QString k2022 = QStringLiteral("2022"), k2023 = QStringLiteral("2023");
const QDate kDay(2023, 1, 2);

Date date(int month, int day) { return Date::fromQDate(QDate(2022, month, day)); }

// Kovács: charged 10 000 and paid 8 000 over the months, 1 500 owed from
// before, the waste fee overpaid by 2 000, with meter readings. Nagy:
// overpaid 2 000 of common cost.
std::vector<Lakas> oldFlats() {
    Lakas k = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), "1", "2/5");
    for (int m = 1; m <= 4; ++m) {
        k.KKEloiras(m) = 2500, k.KKBefizetes(m) = 2000, k.KKBefizDatum(m) = date(m, 10);
        k.HaviFogyasztas1(m) = k.HaviFogyasztas4(m) = 7;
    }
    k.KKEloiras(13) = 1500, k.HEloiras(1) = 3000, k.HBefizetes(1) = 5000;
    k.ElozoAllas(1) = 120, k.UtolsoAllas(1) = 135, k.LeadasDatum = date(11, 30), k.HaviFogyasztas2(12) = 9;
    Lakas n = makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Fő utca"), "1", "3/1");
    n.KKEloiras(12) = 6000, n.KKBefizetes(12) = 8000;
    return {k, n};
}

// The same apartments in the new year: everything kept but the ledgers and
// the consumptions.
std::vector<Lakas> rolledFlats() {
    auto flats = oldFlats();
    for (Lakas& l : flats) {
        l.KKEloiras = l.KKBefizetes = l.HEloiras = l.HBefizetes = {};
        l.KKBefizDatum = {}, l.HaviFogyasztas1 = l.HaviFogyasztas2 = l.HaviFogyasztas4 = {};
    }
    flats[0].KKEloiras(13) = 3500, flats[0].HEloiras(13) = -2000, flats[1].KKEloiras(13) = -2000;
    return flats;
}

const QString kLong = QStringLiteral("Hosszú nevű épület 1");  // 20 characters

KonyvTetel entry(const char* epulet, int kiadas, int bevetel) {
    return makeTetel(QString::fromUtf8(epulet), kiadas, bevetel, QDate(2022, 6, 1), QStringLiteral("tétel"));
}

// Year 2022 with its apartments and book (incomes 50 000 and expenses 65 000
// for the first building; "Rózsák" is not "Rózsa"), and the buildings.
void oldYear(const TestFolder& tf) {
    tf.writeApartments(k2022, oldFlats());
    tf.writeBuildings({makeEpulet("Rózsa utca 12.", 300), makeEpulet("Tölgyfa sor", 250), makeEpulet("Rózsa", 100),
                       makeEpulet(kLong, 200)});
    tf.writeBook(k2022, {entry("Rózsa utca 12.", 0, 30000), entry("Rózsa utca 12.", 65000, 0),
                         entry("Rózsa utca 12.", 0, 20000), entry("Tölgyfa sor", 0, 1000), entry("Rózsák", 5, 0)});
}

std::vector<KonyvTetel> carryOvers(const QDate& day) {
    return {book::carryOverEntry("Rózsa utca 12.", k2022, -15000, day),
            book::carryOverEntry("Tölgyfa sor", k2022, 1000, day), book::carryOverEntry("Rózsa", k2022, 0, day),
            book::carryOverEntry(kLong, k2022, 0, day)};
}

rollover::Result run(const DataFolder& folder, const QDate& day) {
    return rollover::run(folder, rollover::check(folder, k2023), QDateTime(day, QTime(8, 30)));
}

}  // namespace

class TestRollover : public QObject {
    Q_OBJECT
private slots:
    // The new year; then, with year 2023 in use, a second roll-over: 2023 is
    // backed up first, its own book entries stay and the carry-overs are
    // replaced, not doubled.
    void newYearTwice() {
        TestFolder tf;
        oldYear(tf);
        const auto before = tf.yearFiles(k2022);
        QVERIFY(!rollover::check(tf.folder(), k2023).replaces);
        const rollover::Result r = run(tf.folder(), kDay);
        QVERIFY2(r.ok() && r.backupFolder.isEmpty(), qPrintable(r.error));
        QCOMPARE(tf.readApartments(k2023), rolledFlats());
        const auto book = tf.readBook(k2023);
        QCOMPARE(book, carryOvers(kDay));
        QCOMPARE((QList<int>{book[0].Kiadas, book[0].Bevetel, book[1].Bevetel}), (QList<int>{15000, 0, 1000}));
        QCOMPARE(book[0].Megnevezes.text(), QStringLiteral("Rózsa utca 12. Épület egyenleg áthozat 2022. évből"));
        QCOMPARE(book[3].Megnevezes.text(), QStringLiteral("Hosszú nevű épület 1 Épület egyenleg áthozat 2022."));
        QCOMPARE(book[1].Datum, Date::fromQDate(kDay));
        QVERIFY(!tf.exists("2023/Befiz.dat") && !tf.exists("2023/Naplo.dat"));
        QCOMPARE(tf.yearFiles(k2022), before);  // the old year is left as it was

        const KonyvTetel own = entry("Tölgyfa sor", 400, 0);
        QCOMPARE(book::writeEntry(tf.folder(), k2023, 0, own).rec, 5);
        auto changed = tf.readApartments(k2023);
        changed[0].KKBefizetes(1) = 999;
        tf.writeApartments(k2023, changed);
        const auto used = tf.yearFiles(k2023);
        QVERIFY(rollover::check(tf.folder(), k2023).replaces);
        const rollover::Result second = run(tf.folder(), QDate(2023, 2, 1));
        QVERIFY2(second.ok(), qPrintable(second.error));
        QCOMPARE(second.backupFolder, QDir(tf.path()).filePath(QStringLiteral("2023/Mentések/2 1-8.30")));
        QCOMPARE(tf.yearFiles(QStringLiteral("2023/Mentések/2 1-8.30")), used);
        QCOMPARE(tf.readApartments(k2023), rolledFlats());
        auto expected = carryOvers(QDate(2023, 2, 1));
        expected.push_back(own);
        QCOMPARE(tf.readBook(k2023), expected);
    }

    // The answer must be a four-digit year whose previous year has apartments.
    void check() {
        TestFolder tf;
        oldYear(tf);
        QCOMPARE(rollover::check(tf.folder(), QStringLiteral(" 2023 ")).oldYear, k2022);
        for (const char* bad : {"abc", "202", "02023", "2023.", "２０２３", "2025"})
            QVERIFY2(rollover::check(tf.folder(), bad).error.contains(QStringLiteral("nem jött létre")), bad);
    }

    // A failed step stops the roll-over, names the file or apartment, and
    // leaves both years as they were.
    void failures_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("named");
        QTest::newRow("apartments not written") << "2023/Lakasok.dat" << "Lakasok.dat";
        QTest::newRow("book not written: apartments put back") << "2023/Kiadások.dat" << "Kiadások.dat";
        QTest::newRow("backup of 2023 fails") << "Mentések" << "Kiadások.dat";
        QTest::newRow("balance beyond 32 bits") << "\n" << "Kovács Éva";
    }
    void failures() {
        QFETCH(QString, failing); QFETCH(QString, named);
        TestFolder tf;
        oldYear(tf);
        if (failing == "\n") {
            auto flats = oldFlats();
            for (int j = 1; j <= 13; ++j) flats[0].KKEloiras(j) = 2147483647;
            tf.writeApartments(k2022, flats);
        }
        tf.writeApartments(k2023, {makeLakas(QStringLiteral("Új Lakó"), "Kert utca", "2", "1")});
        tf.writeBook(k2023, {entry("Rózsa", 1, 0)});
        const auto old = tf.yearFiles(k2022), current = tf.yearFiles(k2023);
        FailingReplace fs;
        fs.failing = failing;
        const rollover::Result r = run(tf.folder(fs), kDay);
        QVERIFY2(r.error.contains(named) && r.error.contains(QStringLiteral("nem jött létre")), qPrintable(r.error));
        QCOMPARE(tf.yearFiles(k2022), old);
        QCOMPARE(tf.yearFiles(k2023), current);
    }
};

QTEST_GUILESS_MAIN(TestRollover)
#include "tst_rollover.moc"
