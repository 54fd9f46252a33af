// Backup and restore of a year: the stamp folder, backups in the same minute,
// missing files, restoring from a folder without backup files, and copies
// that fail midway leaving every file whole.

#include <QTest>

#include "store/backup.h"
#include "support/testfolder.h"

namespace {
const QString kYear = QStringLiteral("2026"), kFirst = QStringLiteral("2026/Mentések/1 1-0.5");
const QDateTime kNow(QDate(2026, 1, 1), QTime(0, 5));
const QByteArrayList kCurrent{"flats now", "payments now", "book now", "journal now"};
const QByteArrayList kOld{"flats then", "", "book then", ""};
}  // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void stamp() {
        const QStringList stamps{backup::stamp(kNow), backup::stamp(QDateTime(QDate(2026, 12, 5), QTime(9, 7))),
                                 backup::stamp(QDateTime(QDate(2026, 10, 17), QTime(23, 59)))};
        QCOMPARE(stamps, (QStringList{"1 1-0.5", "12 5-9.7", "10 17-23.59"}));
    }

    // Backups in one minute go into folders of their own, each holding the
    // files as they were; a missing payment log is no error. A copy that
    // fails is named; the others are made, the year stays.
    void sameMinute() {
        TestFolder tf;
        tf.writeYearFiles(kYear, kOld);
        const backup::Saved a = backup::save(tf.folder(), kYear, kNow);
        QVERIFY2(a.ok(), qPrintable(a.error));
        QCOMPARE(a.copied, (QStringList{"Lakasok.dat", "Kiadások.dat"}));
        tf.writeYearFiles(kYear, kCurrent);
        const backup::Saved b = backup::save(tf.folder(), kYear, kNow), c = backup::save(tf.folder(), kYear, kNow);
        const QString abs = QDir(tf.path()).filePath(kFirst);
        QCOMPARE((QStringList{a.folder, b.folder, c.folder}), (QStringList{abs, abs + " (2)", abs + " (3)"}));
        QCOMPARE(tf.yearFiles(kFirst), kOld);
        QCOMPARE(tf.yearFiles(kFirst + " (3)"), kCurrent);
        FailingReplace fs;
        fs.failing = kFirst + QStringLiteral(" (4)/Kiadások.dat");
        const backup::Saved d = backup::save(tf.folder(fs), kYear, kNow);
        QVERIFY(d.failed == QStringList{"Kiadások.dat"} && d.error.contains(QStringLiteral("Kiadások.dat")));
        QCOMPARE(tf.yearFiles(kFirst + " (4)"), (QByteArrayList{kCurrent[0], kCurrent[1], "", kCurrent[3]}));
        QCOMPARE(tf.yearFiles(kYear), kCurrent);

        TestFolder empty;  // nothing to save: no folder is made
        QDir(empty.path()).mkpath(kYear);
        QVERIFY(backup::save(empty.folder(), kYear, kNow).nothingToSave() && !empty.exists("2026/Mentések"));
    }

    // A backup of another year holding two files: those are restored, the
    // others kept, and the year's files saved first. Nothing to restore, or
    // a copy that fails: the year stays as it was.
    void restore_data() {
        QTest::addColumn<QString>("from");  // relative to the data folder
        QTest::addColumn<QString>("failing");
        QTest::newRow("restored") << "2025/Mentések/3 4-5.6" << "\n";
        QTest::newRow("backup root: no backup files") << "2025/Mentések" << "\n";
        QTest::newRow("the second file fails") << "2025/Mentések/3 4-5.6" << "2026/Kiadások.dat";
        QTest::newRow("the safety backup fails") << "2025/Mentések/3 4-5.6" << "1 1-0.5/Naplo.dat";
    }
    void restore() {
        QFETCH(QString, from); QFETCH(QString, failing);
        TestFolder tf;
        tf.writeYearFiles(kYear, kCurrent);
        tf.writeYearFiles(QStringLiteral("2025/Mentések/3 4-5.6"), kOld);
        FailingReplace fs;
        fs.failing = failing;
        const backup::Restored r = backup::restore(tf.folder(fs), kYear, QDir(tf.path()).filePath(from), kNow);
        if (QTest::currentDataTag() != QByteArray("restored")) {
            QVERIFY2(r.restored.isEmpty() && r.error.contains(QStringLiteral("Semmi sem töltődött vissza")),
                     qPrintable(r.error));
            QCOMPARE(tf.yearFiles(kYear), kCurrent);
            return;
        }
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.restored, (QStringList{"Lakasok.dat", "Kiadások.dat"}));
        QCOMPARE(tf.yearFiles(kYear), (QByteArrayList{kOld[0], kCurrent[1], kOld[2], kCurrent[3]}));
        QCOMPARE(r.safetyFolder, QDir(tf.path()).filePath(kFirst));
        QCOMPARE(tf.yearFiles(kFirst), kCurrent);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
