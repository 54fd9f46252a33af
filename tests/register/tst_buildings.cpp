// Buildings, shared by all years: adding with the rate rounded, the refusal
// that writes nothing, and deleting with renumbering.

#include <QTest>

#include "register/buildings.h"
#include "support/testfolder.h"

namespace {

// The buildings as "name padded to 20|rate", in file order.
QStringList buildings(const TestFolder& tf) {
    QStringList out;
    for (const Epulet& e : readBuildings(tf.folder())) out << e.Nev.padded() + '|' + QString::number(e.KKperNm);
    return out;
}

}  // namespace

class TestBuildings : public QObject {
    Q_OBJECT
private slots:
    // The rate is the leading number of its text (none = 0) rounded halves to
    // even; the name is cut to 20. A rate beyond 16 bits writes nothing.
    void addBuilding_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("250.6") << "Rózsa ház" << "250.6" << "Rózsa ház           |251";
        QTest::newRow("250.5 to even") << "Rózsa ház" << "250.5" << "Rózsa ház           |250";
        QTest::newRow("text") << "Rózsa ház" << "háromszáz" << "Rózsa ház           |0";
        QTest::newRow("number then text") << "Rózsa ház" << "300 Ft" << "Rózsa ház           |300";
        QTest::newRow("name cut to 20") << "  Nagyon hosszú épületnév" << "1" << "  Nagyon hosszú épül|1";
        QTest::newRow("rounds past 16 bits") << "Rózsa ház" << "32767.5" << "";
    }
    void addBuilding() {
        QFETCH(QString, name); QFETCH(QString, rate); QFETCH(QString, stored);
        TestFolder tf;
        tf.writeBuildings({makeEpulet("Tölgy", 250)});
        const QByteArray before = tf.bytes(files::Epuletek);
        const SaveResult s = ::addBuilding(tf.folder(), name, rate);
        QCOMPARE(s.saved, !stored.isEmpty());
        QCOMPARE(buildings(tf).value(1), stored);
        if (s.saved) return;
        QVERIFY(s.refusal && s.refusal->field == InputField::KKperNm);
        QCOMPARE(s.message(), QStringLiteral("A közösköltség díja csak -32768 és 32767 közötti szám lehet!"));
        QCOMPARE(tf.bytes(files::Epuletek), before);
    }

    // Deleting renumbers the buildings after it; no selection changes nothing.
    void deleteBuilding() {
        TestFolder tf;
        tf.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Őszirózsa", 280), makeEpulet("Tölgy", 250)});
        const QStringList all = buildings(tf);
        QVERIFY(!::deleteBuilding(tf.folder(), 0).saved);
        QCOMPARE(buildings(tf), all);
        QVERIFY(::deleteBuilding(tf.folder(), 2).saved);
        QCOMPARE(buildings(tf), (QStringList{all[0], all[2]}));
    }
};

QTEST_APPLESS_MAIN(TestBuildings)
#include "tst_buildings.moc"
