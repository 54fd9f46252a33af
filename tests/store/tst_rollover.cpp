// The roll-over into a new year: the apartments' balances carried into the
// previous-year rows, the buildings' carry-over entries, the checks of the
// answer, a second roll-over over a year in use, and failed steps that leave
// every file as it was.

#include <QTest>

#include "book/book.h"
#include "store/rollover.h"
#include "support/testfolder.h"

namespace {

const QDate kDay(2023, 1, 2);
const QDateTime kNow(kDay, QTime(10, 0));

Date date(int month, int day) { return Date::fromQDate(QDate(2022, month, day)); }

// Kovács: charged 10 000 and paid 8 000 over the months, 1 500 owed from
// before; waste fee overpaid by 2 000. Nagy: overpaid 2 000 of common cost.
std::vector<Lakas> oldFlats() {
    Lakas k = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), "2/5");
    for (int m = 1; m <= 4; ++m) {
        k.KKEloiras(m) = 2500;
        k.KKBefizetes(m) = 2000;
        k.KKBefizDatum(m) = date(m, 10);
        k.HaviFogyasztas1(m) = k.HaviFogyasztas4(m) = 7;
    }
    k.KKEloiras(13) = 1500;
    k.KKBefizetes(13) = 0;
    k.HEloiras(1) = 3000;
    k.HBefizetes(1) = 5000;
    k.HBefizDatum(1) = date(1, 15);
    k.KozosKoltseg = 2500;
    k.SzemetDij = 3000;
    k.VizoraSzam(1) = QStringLiteral("HV-1");
    k.ElozoAllas(1) = 120;
    k.UtolsoAllas(1) = 135;
    k.LeadasDatum = date(11, 30);
    k.Fenntartott = 7;  // kept as read
    Lakas n = makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Fő utca"), QStringLiteral("1"), "3/1");
    n.KKEloiras(12) = 6000;
    n.KKBefizetes(12) = 8000;
    n.KKBefizDatum(12) = date(12, 1);
    return {k, n};
}

std::vector<Lakas> rolledFlats() {
    auto flats = oldFlats();
    for (Lakas& l : flats) {
        for (int j = 1; j <= 13; ++j) {
            l.KKEloiras(j) = l.KKBefizetes(j) = l.HEloiras(j) = l.HBefizetes(j) = 0;
            l.KKBefizDatum(j) = l.HBefizDatum(j) = Date{};
        }
        for (int m = 1; m <= 12; ++m) l.HaviFogyasztas1(m) = l.HaviFogyasztas4(m) = 0;
    }
    flats[0].KKEloiras(13) = 3500;
    flats[0].HEloiras(13) = -2000;
    flats[1].KKEloiras(13) = -2000;
    return flats;
}

const char* const kLong = "Hosszú nevű épület 1";  // 20 characters

std::vector<Epulet> buildings() {
    return {makeEpulet("Rózsa utca 12.", 300), makeEpulet("Tölgyfa sor", 250), makeEpulet("Rózsa", 100),
            makeEpulet(kLong, 200)};
}

KonyvTetel entry(const char* epulet, int kiadas, int bevetel, const char* megnevezes = "tétel") {
    return makeTetel(QString::fromUtf8(epulet), kiadas, bevetel, QDate(2022, 6, 1), QString::fromUtf8(megnevezes));
}

// Year 2022 with its apartments and book, and the buildings.
void oldYear(const TestFolder& tf) {
    tf.writeApartments(QStringLiteral("2022"), oldFlats());
    tf.writeBuildings(buildings());
    tf.writeBook(QStringLiteral("2022"), {entry("Rózsa utca 12.", 0, 30000), entry("Rózsa utca 12.", 65000, 0),
                          entry("Rózsa utca 12.", 0, 20000), entry("Tölgyfa sor", 0, 1000), entry("Rózsák", 5, 0)});
}

std::vector<KonyvTetel> carryOvers(const QDate& day) {
    const QString y = QStringLiteral("2022");
    return {book::carryOverEntry("Rózsa utca 12.", y, -15000, day), book::carryOverEntry("Tölgyfa sor", y, 1000, day),
            book::carryOverEntry("Rózsa", y, 0, day), book::carryOverEntry(kLong, y, 0, day)};
}

// The four files of a year (or of a backup folder) as hex texts; "" for a missing one.
QStringList yearFiles(const TestFolder& tf, const QString& year) {
    QStringList out;
    for (const char* name : {"Lakasok.dat", "Befiz.dat", "Kiadások.dat", "Naplo.dat"})
        out << QString::fromLatin1(tf.bytes(year + QLatin1Char('/') + QString::fromUtf8(name)).toHex());
    return out;
}

// Fails the whole-file replacements of the paths that hold `failing`.
class FailingReplace : public FileLayer {
public:
    QString failing;
    bool replace(const QString& path, const QByteArray& data) override {
        return !path.contains(failing) && FileLayer::replace(path, data);
    }
};

}  // namespace

class TestRollover : public QObject {
    Q_OBJECT
private slots:
    void newYear() {
        TestFolder tf;
        oldYear(tf);
        const QStringList before = yearFiles(tf, QStringLiteral("2022"));
        const rollover::Plan p = rollover::check(tf.folder(), QStringLiteral("2023"));
        QVERIFY(p.ok() && !p.replaces);
        const rollover::Result r = rollover::run(tf.folder(), p, kNow);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE((QList<int>{r.apartments, r.buildings}), (QList<int>{2, 4}));
        QVERIFY(r.backupFolder.isEmpty());

        QCOMPARE(tf.readApartments(QStringLiteral("2023")), rolledFlats());
        const auto book = tf.readBook(QStringLiteral("2023"));
        QCOMPARE(book, carryOvers(kDay));
        QCOMPARE(book[0].Kiadas, 15000);  // incomes 50 000, expenses 65 000
        QCOMPARE(book[0].Megnevezes.text(), QStringLiteral("Rózsa utca 12. Épület egyenleg áthozat 2022. évből"));
        QCOMPARE(book[3].Megnevezes.text(), QStringLiteral("Hosszú nevű épület 1 Épület egyenleg áthozat 2022."));
        QCOMPARE(book[1].Datum, Date::fromQDate(kDay));
        QVERIFY(!tf.exists(QStringLiteral("2023/Befiz.dat")) && !tf.exists(QStringLiteral("2023/Naplo.dat")));
        QCOMPARE(yearFiles(tf, QStringLiteral("2022")), before);  // the old year is left as it was
    }

    // The answer must be a four-digit year whose previous year has apartments.
    void check_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("oldYear");  // empty: refused
        QTest::newRow("2023") << "2023" << "2022";
        QTest::newRow("blanks around") << " 2023 " << "2022";
        for (const char* bad : {"abc", "202", "20233", "2023.", "２０２３"}) QTest::newRow(bad) << bad << "";
        QTest::newRow("no apartments in 2024") << "2025" << "";
    }
    void check() {
        QFETCH(QString, answer);
        QFETCH(QString, oldYear);
        TestFolder tf;
        ::oldYear(tf);
        const rollover::Plan p = rollover::check(tf.folder(), answer);
        QCOMPARE(p.ok() ? p.oldYear : QString(), oldYear);
        if (!p.ok()) QVERIFY(p.error.contains(QStringLiteral("nem jött létre")));
        QVERIFY(!tf.exists(QStringLiteral("2023")));
    }

    // Year 2023 in use: it is backed up first, its own book entries stay and
    // the carry-overs are replaced, not doubled.
    void secondRollOver() {
        TestFolder tf;
        oldYear(tf);
        const DataFolder folder = tf.folder();
        QVERIFY(rollover::run(folder, rollover::check(folder, QStringLiteral("2023")), kNow).ok());
        const KonyvTetel own = entry("Tölgyfa sor", 400, 0, "tetőjavítás");
        QCOMPARE(book::writeEntry(folder, QStringLiteral("2023"), 0, own).rec, 5);
        auto changed = tf.readApartments(QStringLiteral("2023"));
        changed[0].KKBefizetes(1) = 999;
        tf.writeApartments(QStringLiteral("2023"), changed);
        const QStringList before = yearFiles(tf, QStringLiteral("2023"));

        const rollover::Plan p = rollover::check(folder, QStringLiteral("2023"));
        QVERIFY(p.ok() && p.replaces);
        QVERIFY(rollover::replaceQuestion(p).startsWith(QStringLiteral("Biztos mehet \n")));
        const QDate later(2023, 2, 1);
        const rollover::Result r = rollover::run(folder, p, QDateTime(later, QTime(8, 30)));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.backupFolder, QDir(tf.path()).filePath(QStringLiteral("2023/Mentések/2 1-8.30")));
        QCOMPARE(yearFiles(tf, QStringLiteral("2023/Mentések/2 1-8.30")), before);
        QCOMPARE(tf.readApartments(QStringLiteral("2023")), rolledFlats());
        auto expected = carryOvers(later);
        expected.push_back(own);
        QCOMPARE(tf.readBook(QStringLiteral("2023")), expected);
    }

    // A failed step stops the roll-over, names the file and leaves both
    // years as they were.
    void failures_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("overflow");
        QTest::addColumn<QString>("named");
        QTest::newRow("apartments not written") << "2023/Lakasok.dat" << false << "Lakasok.dat";
        QTest::newRow("book not written: apartments put back") << "2023/Kiadások.dat" << false << "Kiadások.dat";
        QTest::newRow("backup of 2023 fails") << "Mentések" << false << "Kiadások.dat";
        QTest::newRow("balance beyond 32 bits") << "" << true << "Kovács Éva";
    }
    void failures() {
        QFETCH(QString, failing);
        QFETCH(bool, overflow);
        QFETCH(QString, named);
        TestFolder tf;
        oldYear(tf);
        if (overflow) {
            auto flats = oldFlats();
            for (int j = 1; j <= 13; ++j) flats[0].KKEloiras(j) = 2147483647;
            tf.writeApartments(QStringLiteral("2022"), flats);
        }
        tf.writeApartments(QStringLiteral("2023"), {makeLakas(QStringLiteral("Új Lakó"), "Kert utca", "2", "1")});
        tf.writeBook(QStringLiteral("2023"), {entry("Rózsa", 1, 0)});
        const QStringList old = yearFiles(tf, QStringLiteral("2022")), current = yearFiles(tf, QStringLiteral("2023"));
        FailingReplace fs;
        fs.failing = failing.isEmpty() ? QStringLiteral("\n") : failing;
        const DataFolder folder = tf.folder(fs);
        const rollover::Result r = rollover::run(folder, rollover::check(folder, QStringLiteral("2023")), kNow);
        QVERIFY(!r.ok());
        QVERIFY2(r.error.contains(named) && r.error.contains(QStringLiteral("nem jött létre")), qPrintable(r.error));
        QCOMPARE(yearFiles(tf, QStringLiteral("2022")), old);
        QCOMPARE(yearFiles(tf, QStringLiteral("2023")), current);
    }
};

QTEST_GUILESS_MAIN(TestRollover)
#include "tst_rollover.moc"
