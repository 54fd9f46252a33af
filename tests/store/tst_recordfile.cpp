// Record files on disk: counting, reading, writing in place, appending,
// deleting by copy, the data folder's year folders and the stored year of
// Set.dat. Failures at every step are in tst_journal.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "store/datafolder.h"
#include "store/recordfile.h"
#include "store/settings.h"
#include "support/testfolder.h"

namespace {

Epulet building(int i) { return makeEpulet(QStringLiteral("Épület %1").arg(i), static_cast<std::int16_t>(100 + i)); }

std::vector<Epulet> buildings(int n) {
    std::vector<Epulet> out;
    for (int i = 1; i <= n; ++i) out.push_back(building(i));
    return out;
}

template <class R>
QByteArray encodeAll(const std::vector<R>& records) {
    QByteArray out;
    for (const R& r : records) out += RecordFile<R>::encode(r);
    return out;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

const QString kYear = QStringLiteral("2024");
const QString kApartments = QStringLiteral("2024/Lakasok.dat");


}  // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    void missingThenAppended() {
        TestFolder tf;
        RecordFile<Epulet> f(tf.folder().file(files::Epuletek));
        QCOMPARE(f.count(), 0);
        QVERIFY(!f.read(1));
        QVERIFY(!f.deleteByCopy(1));
        QVERIFY(!tf.exists(files::Epuletek));
        QVERIFY(f.open());
        QVERIFY(tf.exists(files::Epuletek));
        QCOMPARE(tf.bytes(files::Epuletek), QByteArray());
        QCOMPARE(f.count(), 0);
        QVERIFY(f.readAll().value().empty());
        QCOMPARE(f.append(building(1)), std::optional<int>(1));
        QCOMPARE(tf.bytes(files::Epuletek), encodeAll(buildings(1)));
        QCOMPARE(f.append(building(2)), std::optional<int>(2));
        QCOMPARE(tf.bytes(files::Epuletek), encodeAll(buildings(2)));
    }

    void trailingPartialRecordIgnored() {
        TestFolder tf;
        tf.writeBytes(files::Epuletek, encodeAll(buildings(2)) + "tail!");
        RecordFile<Epulet> f(tf.folder().file(files::Epuletek));
        QCOMPARE(f.count(), 2);
        std::vector<int> seen;
        QVERIFY(f.forEach([&](int n, const Epulet& e) {
            seen.push_back(n);
            QCOMPARE(e, building(n));
        }));
        QCOMPARE(seen, (std::vector<int>{1, 2}));
        QCOMPARE(f.readAll().value(), buildings(2));
        QVERIFY(!f.read(3));
        // The next record goes where the partial one lay.
        QCOMPARE(f.append(building(3)), std::optional<int>(3));
        QCOMPARE(tf.bytes(files::Epuletek), encodeAll(buildings(3)));
    }

    void readWriteInPlace() {
        TestFolder tf;
        tf.writeBuildings(buildings(3));
        RecordFile<Epulet> f(tf.folder().file(files::Epuletek));
        const Epulet x = makeEpulet(QStringLiteral("Új ház"), -5);
        QVERIFY(f.write(2, x));
        QCOMPARE(tf.bytes(files::Epuletek), encodeAll(std::vector<Epulet>{building(1), x, building(3)}));
        QCOMPARE(f.read(2), std::optional<Epulet>(x));
        QCOMPARE(f.read(3), std::optional<Epulet>(building(3)));
        QVERIFY(!f.read(4));
        QVERIFY(!f.read(0));
        QVERIFY(!f.write(0, x));
    }

    void deleteByCopy_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::newRow("only record") << 1 << 1;
        QTest::newRow("first of 5") << 5 << 1;
        QTest::newRow("middle of 5") << 5 << 3;
        QTest::newRow("last of 5") << 5 << 5;
    }
    void deleteByCopy() {
        QFETCH(int, n); QFETCH(int, k);
        TestFolder tf;
        tf.writeBuildings(buildings(n));
        QVERIFY(RecordFile<Epulet>(tf.folder().file(files::Epuletek)).deleteByCopy(k));
        auto expected = buildings(n);
        expected.erase(expected.begin() + (k - 1));
        QVERIFY(tf.exists(files::Epuletek));
        QCOMPARE(tf.bytes(files::Epuletek), encodeAll(expected));
        QCOMPARE(entries(tf.path()), QStringList{files::Epuletek});
    }

    void deleteOutOfRange_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::newRow("0 of 5") << 5 << 0;
        QTest::newRow("-1 of 5") << 5 << -1;
        QTest::newRow("6 of 5") << 5 << 6;
        QTest::newRow("1 of 0") << 0 << 1;
    }
    void deleteOutOfRange() {
        QFETCH(int, n); QFETCH(int, k);
        TestFolder tf;
        const QByteArray before = encodeAll(buildings(n)) + "tail!";
        tf.writeBytes(files::Epuletek, before);
        QVERIFY(!RecordFile<Epulet>(tf.folder().file(files::Epuletek)).deleteByCopy(k));
        QCOMPARE(tf.bytes(files::Epuletek), before);
    }

    // Paths are made from the data folder, whatever the current folder is.
    void pathsIgnoreCurrentFolder() {
        TestFolder tf;
        QTemporaryDir elsewhere;
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        const DataFolder df = tf.folder();
        QCOMPARE(df.yearFolder(QStringLiteral(" 2024 ")), tf.path() + QStringLiteral("/2024"));
        QCOMPARE(df.yearFile(kYear, files::Lakasok), tf.path() + QLatin1Char('/') + kApartments);
        QCOMPARE(df.file(files::Set), tf.path() + QStringLiteral("/Set.dat"));
        QVERIFY(df.openYearFile(kYear, files::Befiz));
        QVERIFY(settings::writeYear(df, kYear));
        const QStringList stray = entries(elsewhere.path());
        QVERIFY(QDir::setCurrent(saved));
        QCOMPARE(stray, QStringList());
        QVERIFY(tf.exists(QStringLiteral("2024/Befiz.dat")));
        QVERIFY(tf.exists(files::Set));
    }

    void usableYear_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("usable");
        const auto row = [](const char* y, bool u) { QTest::newRow(*y ? y : "(empty)") << QString(y) << u; };
        row("2024", true), row(" 202", true), row("9999", true), row("abcd", false), row("0000", false), row("", false);
        row("    ", false), row("1/..", false), row("1\\..", false), row("..12", false), row("9e99", false);
        row("12.5", false), row("-5", false), row("1e10", false);
    }
    void usableYear() {
        QFETCH(QString, year); QFETCH(bool, usable);
        QCOMPARE(DataFolder::isUsableYear(year), usable);
    }

    void ensureYearFolder_data() { usableYear_data(); }
    void ensureYearFolder() {
        QFETCH(QString, year); QFETCH(bool, usable);
        TestFolder tf;
        QCOMPARE(tf.folder().ensureYearFolder(year), usable);
        QCOMPARE(entries(tf.path()), usable ? QStringList{year.trimmed()} : QStringList());
        QCOMPARE(tf.folder().ensureYearFolder(year), usable);  // an existing folder is fine
    }

    // A usable year gets its folder and an empty file; any other touches nothing.
    void openYearFile_data() { usableYear_data(); }
    void openYearFile() {
        QFETCH(QString, year); QFETCH(bool, usable);
        TestFolder tf;
        const auto path = tf.folder().openYearFile(year, files::Lakasok);
        QCOMPARE(path.has_value(), usable);
        if (!usable) {
            QCOMPARE(entries(tf.path()), QStringList());
            return;
        }
        QCOMPARE(*path, tf.folder().yearFile(year, files::Lakasok));
        QVERIFY(tf.exists(year.trimmed() + QLatin1Char('/') + files::Lakasok));
        QCOMPARE(tf.bytes(year.trimmed() + QLatin1Char('/') + files::Lakasok), QByteArray());
    }

    void readYearOfMissingFile() {
        TestFolder tf;
        QCOMPARE(settings::readYear(tf.folder()), QString());
        QVERIFY(tf.exists(files::Set));
        QCOMPARE(tf.bytes(files::Set), QByteArray());
    }

    void writeYear_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("readBack");
        const QByteArray old("1999\x12\x34"), bare("2026\0\0", 6);
        QTest::newRow("padded, reserved kept") << true << old << "20" << QByteArray("20  \x12\x34") << "20  ";
        QTest::newRow("cut to four") << true << old << "202612" << QByteArray("2026\x12\x34") << "2026";
        QTest::newRow("empty file") << true << QByteArray() << "2026" << bare << "2026";
        QTest::newRow("missing file") << false << QByteArray() << "2026" << bare << "2026";
    }
    void writeYear() {
        QFETCH(bool, present); QFETCH(QByteArray, before); QFETCH(QString, year);
        QFETCH(QByteArray, after); QFETCH(QString, readBack);
        TestFolder tf;
        if (present) tf.writeBytes(files::Set, before);
        QVERIFY(settings::writeYear(tf.folder(), year));
        QCOMPARE(tf.bytes(files::Set).toHex(' '), after.toHex(' '));
        QCOMPARE(settings::readYear(tf.folder()), readBack);
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
