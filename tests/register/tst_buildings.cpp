// Buildings, shared by all years: adding with the rate rounded, deleting
// with renumbering, and the refusals and failures that write nothing.

#include <QTest>

#include "register/buildings.h"
#include "register/statuses.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

namespace {

class FailingWrites : public FileLayer {
public:
    bool writeAt(const QString&, qint64, const QByteArray&) override { return false; }
    bool replace(const QString&, const QByteArray&) override { return false; }
};

std::vector<Epulet> threeBuildings() {
    return {makeEpulet(QStringLiteral("Rózsa ház"), 300), makeEpulet(QStringLiteral("Őszirózsa"), 280),
            makeEpulet(QStringLiteral("Tölgy"), 250)};
}

}  // namespace

class TestBuildings : public QObject {
    Q_OBJECT
private slots:
    // The rate is the leading number of its text rounded halves to even; a
    // rate beyond 16 bits is refused and nothing is written.
    void addBuilding_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("storedName");  // padded to 20
        QTest::addColumn<int>("storedRate");
        const QString rozsa = QStringLiteral("Rózsa ház") + QString(11, QLatin1Char(' '));
        QTest::newRow("250.6") << "Rózsa ház" << "250.6" << true << rozsa << 251;
        QTest::newRow("250.5 to even") << "Rózsa ház" << "250.5" << true << rozsa << 250;
        QTest::newRow("251.5 to even") << "Rózsa ház" << "251.5" << true << rozsa << 252;
        QTest::newRow("text") << "Rózsa ház" << "háromszáz" << true << rozsa << 0;
        QTest::newRow("empty rate") << "Rózsa ház" << "" << true << rozsa << 0;
        QTest::newRow("number then text") << "Rózsa ház" << "300 Ft" << true << rozsa << 300;
        QTest::newRow("single blank name") << " " << "1" << true << QString(20, QLatin1Char(' ')) << 1;
        QTest::newRow("name cut to 20") << "  Nagyon hosszú épületnév" << "1" << true << "  Nagyon hosszú épül" << 1;
        QTest::newRow("32767") << "Rózsa ház" << "32767.4" << true << rozsa << 32767;
        QTest::newRow("rounds past 16 bits") << "Rózsa ház" << "32767.5" << false << "" << 0;
        QTest::newRow("40000") << "Rózsa ház" << "40000" << false << "" << 0;
    }
    void addBuilding() {
        QFETCH(QString, name); QFETCH(QString, rate); QFETCH(bool, saved);
        QFETCH(QString, storedName); QFETCH(int, storedRate);
        TestFolder tf;
        tf.writeBuildings(threeBuildings());
        const QByteArray before = tf.bytes(files::Epuletek);
        const SaveResult s = ::addBuilding(tf.folder(), name, rate);
        QCOMPARE(s.saved, saved);
        const auto all = readBuildings(tf.folder());
        if (!saved) {
            QVERIFY(s.refusal && s.refusal->field == InputField::KKperNm);
            QCOMPARE(s.message(), QStringLiteral("A közösköltség díja csak -32768 és 32767 közötti szám lehet!"));
            QCOMPARE(tf.bytes(files::Epuletek), before);
            return;
        }
        QCOMPARE(s.rec, 4);
        QCOMPARE(all.size(), size_t(4));
        QCOMPARE(all[3].Nev.padded(), storedName);
        QCOMPARE(int(all[3].KKperNm), storedRate);
    }

    // Deleting renumbers the buildings after it; an out-of-range number
    // changes nothing.
    void deleteBuilding_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("second of three") << 2 << QStringList{"Rózsa ház", "Tölgy"};
        QTest::newRow("first") << 1 << QStringList{"Őszirózsa", "Tölgy"};
        QTest::newRow("none selected") << 0 << QStringList{"Rózsa ház", "Őszirózsa", "Tölgy"};
        QTest::newRow("beyond the file") << 4 << QStringList{"Rózsa ház", "Őszirózsa", "Tölgy"};
    }
    void deleteBuilding() {
        QFETCH(int, k); QFETCH(QStringList, left);
        TestFolder tf;
        tf.writeBuildings(threeBuildings());
        const SaveResult s = ::deleteBuilding(tf.folder(), k);
        QCOMPARE(s.saved, left.size() == 2);
        QStringList names;
        for (const Epulet& e : readBuildings(tf.folder())) names << e.Nev.text();
        QCOMPARE(names, left);
    }

    void failuresReported() {
        TestFolder tf;
        tf.writeBuildings(threeBuildings());
        tf.writeStatuses({QStringLiteral("tulajdonos")});
        const QByteArray buildings = tf.bytes(files::Epuletek), statuses = tf.bytes(files::Stat);
        FailingWrites fs;
        const SaveResult added = ::addBuilding(tf.folder(fs), QStringLiteral("Új"), QStringLiteral("1"));
        QVERIFY(!added.saved && !added.refusal && added.failure.contains(files::Epuletek));
        const SaveResult deleted = ::deleteBuilding(tf.folder(fs), 1);
        QVERIFY(!deleted.saved && deleted.failure.contains(QStringLiteral("változatlan")));
        QVERIFY(!::addStatus(tf.folder(fs), QStringLiteral("bérlő")).saved);
        QCOMPARE(tf.bytes(files::Epuletek), buildings);
        QCOMPARE(tf.bytes(files::Stat), statuses);
    }
};

QTEST_APPLESS_MAIN(TestBuildings)
#include "tst_buildings.moc"
