// Record files on disk: counting, reading, writing in place, appending,
// deleting by copy, the data folder's year folders and the stored year of
// Set.dat. Failures at every step are in tst_journal.

#include <QDir>
#include <QTest>

#include "store/datafolder.h"
#include "store/recordfile.h"
#include "store/settings.h"
#include "support/testfolder.h"

namespace {

Epulet building(int i) { return makeEpulet(QStringLiteral("Épület %1").arg(i), static_cast<std::int16_t>(100 + i)); }

// The bytes of these buildings (0: the one given as `other`).
QByteArray bytesOf(std::vector<int> numbers, const Epulet& other = {}) {
    QByteArray out;
    for (int i : numbers) out += RecordFile<Epulet>::encode(i ? building(i) : other);
    return out;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    // A missing file counts and reads nothing; appending makes it. A trailing
    // partial record is not counted, and the next append goes where it lay.
    void readWriteAppend() {
        TestFolder tf;
        RecordFile<Epulet> f(tf.folder().file(files::Epuletek));
        QVERIFY(f.count() == 0 && !f.read(1) && !f.deleteByCopy(1) && !tf.exists(files::Epuletek));
        QVERIFY(f.open() && tf.exists(files::Epuletek) && f.readAll().value().empty());
        QCOMPARE(f.append(building(1)), std::optional<int>(1));
        QCOMPARE(tf.bytes(files::Epuletek), bytesOf({1}));
        tf.writeBytes(files::Epuletek, bytesOf({1, 2}) + "tail!");
        QCOMPARE(f.count(), 2);
        std::vector<int> seen;
        QVERIFY(f.forEach([&](int n, const Epulet& e) { seen.push_back(e == building(n) ? n : -n); }));
        QCOMPARE(seen, (std::vector<int>{1, 2}));
        QVERIFY(!f.read(3) && !f.read(0));
        QCOMPARE(f.append(building(3)), std::optional<int>(3));
        const Epulet x = makeEpulet(QStringLiteral("Új ház"), -5);
        QVERIFY(f.write(2, x) && !f.write(0, x) && !f.write(5, x));
        QCOMPARE(tf.bytes(files::Epuletek), bytesOf({1, 0, 3}, x));
        QCOMPARE(f.read(2), std::optional<Epulet>(x));
        QCOMPARE(f.readAll().value(), (std::vector<Epulet>{building(1), x, building(3)}));
    }

    // Record k goes and the later ones move down, in the file's own place;
    // a k outside the file changes nothing.
    void deleteByCopy_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        for (const auto& [n, k] : {std::pair{1, 1}, {5, 1}, {5, 3}, {5, 5}, {5, 0}, {5, 6}, {0, 1}})
            QTest::addRow("%d of %d", k, n) << n << k;
    }
    void deleteByCopy() {
        QFETCH(int, n); QFETCH(int, k);
        TestFolder tf;
        std::vector<int> numbers;
        for (int i = 1; i <= n; ++i) numbers.push_back(i);
        const QByteArray before = bytesOf(numbers) + "tail!";
        tf.writeBytes(files::Epuletek, before);
        const bool inRange = k >= 1 && k <= n;
        QCOMPARE(RecordFile<Epulet>(tf.folder().file(files::Epuletek)).deleteByCopy(k), inRange);
        if (inRange) numbers.erase(numbers.begin() + (k - 1));
        QCOMPARE(tf.bytes(files::Epuletek), inRange ? bytesOf(numbers) : before);
        QCOMPARE(entries(tf.path()), QStringList{files::Epuletek});
    }

    // A year text names a folder only when it is a whole number from 1 to
    // 9999: it then gets its folder (an existing one is fine) and an empty
    // file; any other touches nothing.
    void yearFolder_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("usable");
        const auto row = [](const char* y, bool u) { QTest::newRow(*y ? y : "(empty)") << QString(y) << u; };
        row("2024", true), row(" 202", true), row("9999", true), row("abcd", false), row("0000", false), row("", false);
        row("    ", false), row("1/..", false), row("1\\..", false), row("..12", false), row(".5e3", false);
        row("9e99", false), row("12.5", false), row("-5", false), row("1e10", false);
    }
    void yearFolder() {
        QFETCH(QString, year); QFETCH(bool, usable);
        QCOMPARE(DataFolder::isUsableYear(year), usable);
        TestFolder tf;
        QCOMPARE(tf.folder().ensureYearFolder(year), usable);
        QCOMPARE(tf.folder().ensureYearFolder(year), usable);
        QCOMPARE(entries(tf.path()), usable ? QStringList{year.trimmed()} : QStringList());
        const auto path = tf.folder().openYearFile(year, files::Lakasok);
        QCOMPARE(path.value_or(QString()), usable ? tf.path() + '/' + year.trimmed() + "/Lakasok.dat" : QString());
        QCOMPARE(tf.exists(year.trimmed() + QLatin1Char('/') + files::Lakasok), usable);
        QCOMPARE(entries(tf.path()).size(), qsizetype(usable));
    }

    // The year is cut or padded to four characters; the record's other bytes
    // are kept. A missing file reads as no year and is made empty.
    void storedYear_data() {
        QTest::addColumn<QByteArray>("before");  // "-": no file
        QTest::addColumn<QString>("year");
        QTest::addColumn<QByteArray>("after");
        const QByteArray old("1999\x12\x34");
        QTest::newRow("padded, reserved kept") << old << "20" << QByteArray("20  \x12\x34");
        QTest::newRow("cut to four") << old << "202612" << QByteArray("2026\x12\x34");
        QTest::newRow("missing file") << QByteArray("-") << "2026" << QByteArray("2026\0\0", 6);
    }
    void storedYear() {
        QFETCH(QByteArray, before); QFETCH(QString, year); QFETCH(QByteArray, after);
        TestFolder tf;
        if (before != "-") tf.writeBytes(files::Set, before);
        QCOMPARE(settings::readYear(tf.folder()), before == "-" ? QString() : QString::fromLatin1(before.left(4)));
        QCOMPARE(tf.bytes(files::Set), before == "-" ? QByteArray() : before);
        QVERIFY(settings::writeYear(tf.folder(), year));
        QCOMPARE(tf.bytes(files::Set).toHex(' '), after.toHex(' '));
        QCOMPARE(settings::readYear(tf.folder()), QString::fromLatin1(after.left(4)));
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
