// Backup and restore of a year: the stamp folder, backups in the same minute,
// missing files, restoring from a folder without backup files, and copies
// that fail midway leaving every file whole.

#include <QTest>

#include "store/backup.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QDateTime kNow(QDate(2026, 1, 1), QTime(0, 5));
const QStringList kNames{"Lakasok.dat", "Befiz.dat", "Kiadások.dat", "Naplo.dat"};

// Writes the year's files that have contents ("" leaves a file missing).
void writeYear(const TestFolder& tf, const QString& folder, const QStringList& contents) {
    for (int i = 0; i < kNames.size(); ++i)
        if (!contents[i].isEmpty()) tf.writeBytes(folder + QLatin1Char('/') + kNames[i], contents[i].toUtf8());
}

// The four files of a folder ("" for a missing one).
QStringList contents(const TestFolder& tf, const QString& folder) {
    QStringList out;
    for (const QString& n : kNames) out << QString::fromUtf8(tf.bytes(folder + QLatin1Char('/') + n));
    return out;
}

const QStringList kCurrent{"flats now", "payments now", "book now", "journal now"};

// Fails the whole-file replacements of the paths that hold `failing`.
class FailingReplace : public FileLayer {
public:
    QString failing;
    bool replace(const QString& path, const QByteArray& data) override {
        return (failing.isEmpty() || !path.contains(failing)) && FileLayer::replace(path, data);
    }
};

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void stamp_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("1 January 0:05") << kNow << "1 1-0.5";
        QTest::newRow("5 December 9:07") << QDateTime(QDate(2026, 12, 5), QTime(9, 7)) << "12 5-9.7";
        QTest::newRow("17 October 23:59") << QDateTime(QDate(2026, 10, 17), QTime(23, 59)) << "10 17-23.59";
    }
    void stamp() {
        QFETCH(QDateTime, now);
        QFETCH(QString, stamp);
        QCOMPARE(backup::stamp(now), stamp);
    }

    // Three backups in one minute go into three folders; each holds the
    // files as they were when it was made, a missing payment log included.
    void sameMinute() {
        TestFolder tf;
        QStringList first = kCurrent;
        first[1].clear();  // no payments yet
        writeYear(tf, kYear, first);
        const backup::Saved a = backup::save(tf.folder(), kYear, kNow);
        QVERIFY2(a.ok(), qPrintable(a.error));
        QCOMPARE(a.copied, (QStringList{"Lakasok.dat", "Kiadások.dat", "Naplo.dat"}));
        writeYear(tf, kYear, kCurrent);
        const backup::Saved b = backup::save(tf.folder(), kYear, kNow), c = backup::save(tf.folder(), kYear, kNow);
        QVERIFY(b.ok() && c.ok());
        const QString root = kYear + QStringLiteral("/Mentések/1 1-0.5"), abs = QDir(tf.path()).filePath(root);
        QCOMPARE((QStringList{a.folder, b.folder, c.folder}), (QStringList{abs, abs + " (2)", abs + " (3)"}));
        QCOMPARE(contents(tf, root), first);
        QCOMPARE(contents(tf, root + " (3)"), kCurrent);
    }

    void nothingToSave() {
        TestFolder tf;
        QDir(tf.path()).mkpath(kYear);
        const backup::Saved s = backup::save(tf.folder(), kYear, kNow);
        QVERIFY(s.nothingToSave());
        QVERIFY(!tf.exists(kYear + QStringLiteral("/Mentések")));
    }

    // A copy that fails is named; the others are made, and no file of the
    // year changes.
    void saveFailsMidway() {
        TestFolder tf;
        writeYear(tf, kYear, kCurrent);
        FailingReplace fs;
        fs.failing = QStringLiteral("Mentések/1 1-0.5/Kiadások.dat");
        const backup::Saved s = backup::save(tf.folder(fs), kYear, kNow);
        QVERIFY(!s.ok());
        QCOMPARE(s.failed, QStringList{"Kiadások.dat"});
        QVERIFY(s.error.contains(QStringLiteral("Kiadások.dat")));
        QCOMPARE(contents(tf, kYear + QStringLiteral("/Mentések/1 1-0.5")),
                 (QStringList{kCurrent[0], kCurrent[1], "", kCurrent[3]}));
        QCOMPARE(contents(tf, kYear), kCurrent);
    }

    // A backup that holds some files restores them, keeps the others and
    // saves the year's files first.
    void restore() {
        TestFolder tf;
        writeYear(tf, kYear, kCurrent);
        const QString from = QDir(tf.path()).filePath(QStringLiteral("2025/Mentések/3 4-5.6"));
        writeYear(tf, QStringLiteral("2025/Mentések/3 4-5.6"), {"flats then", "", "book then", ""});
        QCOMPARE(backup::restorable(tf.folder(), from), (QStringList{"Lakasok.dat", "Kiadások.dat"}));
        const backup::Restored r = backup::restore(tf.folder(), kYear, from, kNow);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.restored, (QStringList{"Lakasok.dat", "Kiadások.dat"}));
        QCOMPARE(contents(tf, kYear), (QStringList{"flats then", kCurrent[1], "book then", kCurrent[3]}));
        QCOMPARE(contents(tf, kYear + QStringLiteral("/Mentések/1 1-0.5")), kCurrent);
        QCOMPARE(r.safetyFolder, QDir(tf.path()).filePath(kYear + QStringLiteral("/Mentések/1 1-0.5")));
    }

    // Nothing to restore, or a copy that fails: the year stays as it was.
    void restoreRefused_data() {
        QTest::addColumn<QString>("from");  // relative to the data folder
        QTest::addColumn<QString>("failing");
        QTest::newRow("backup root: no backup files") << "2026/Mentések" << "";
        QTest::newRow("the second file fails") << "2026/Mentések/old" << "2026/Kiadások.dat";
        QTest::newRow("the safety backup fails") << "2026/Mentések/old" << "1 1-0.5/Naplo.dat";
    }
    void restoreRefused() {
        QFETCH(QString, from);
        QFETCH(QString, failing);
        TestFolder tf;
        writeYear(tf, kYear, kCurrent);
        writeYear(tf, QStringLiteral("2026/Mentések/old"), {"flats then", "", "book then", "journal then"});
        FailingReplace fs;
        fs.failing = failing;
        const backup::Restored r = backup::restore(tf.folder(fs), kYear, QDir(tf.path()).filePath(from), kNow);
        QVERIFY(!r.ok() && r.restored.isEmpty());
        QVERIFY2(r.error.contains(QStringLiteral("Semmi sem töltődött vissza")), qPrintable(r.error));
        QCOMPARE(contents(tf, kYear), kCurrent);
    }

    void browsing() {
        TestFolder tf;
        writeYear(tf, QStringLiteral("2026/Mentések/a"), {"x", "", "y", ""});
        QDir(tf.path()).mkpath(QStringLiteral("2026/Mentések/b"));
        const auto folders = backup::subfolders(backup::root(tf.folder(), kYear));
        QCOMPARE(int(folders.size()), 2);
        QCOMPARE(backup::filesIn(QDir(tf.path()).filePath(QStringLiteral("2026/Mentések/a"))),
                 (QStringList{"Kiadások.dat", "Lakasok.dat"}));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
