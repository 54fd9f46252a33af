// Water meters: checking the typed readings, recording them under the month
// of the reading date, the monthly list, and "Leadás" for one apartment or all.

#include <QSaveFile>
#include <QTest>

#include "ledger/water.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kLakasok = QStringLiteral("2026/Lakasok.dat");

using Four = QList<int>;

Lakas metered(const Four& elozo, const Four& utolso) {
    Lakas l =
        makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2"));
    for (int k = 1; k <= 4; ++k) {
        l.ElozoAllas(k) = static_cast<std::int16_t>(elozo[k - 1]);
        l.UtolsoAllas(k) = static_cast<std::int16_t>(utolso[k - 1]);
    }
    return l;
}

std::array<QString, 4> texts(const QStringList& l) {
    return {l[0], l[1], l[2], l[3]};
}

void setMonth(Lakas& l, int m, const Four& v) {
    l.HaviFogyasztas1(m) = static_cast<std::int16_t>(v[0]);
    l.HaviFogyasztas2(m) = static_cast<std::int16_t>(v[1]);
    l.HaviFogyasztas3(m) = static_cast<std::int16_t>(v[2]);
    l.HaviFogyasztas4(m) = static_cast<std::int16_t>(v[3]);
}

class FailingReplace : public FileLayer {
public:
    bool replace(const QString&, const QByteArray&) override { return false; }
    bool writeAt(const QString&, qint64, const QByteArray&) override { return false; }
};

}  // namespace

class TestWater : public QObject {
    Q_OBJECT
private slots:
    void checkReadings_data() {
        QTest::addColumn<QStringList>("elozo");
        QTest::addColumn<QStringList>("utolso");
        QTest::addColumn<QString>("refusal");  // words the message must hold; empty: accepted
        const QStringList zeros{"0", "0", "0", "0"};
        QTest::newRow("all 0") << zeros << zeros << "";
        QTest::newRow("readings with blanks")
            << QStringList{" 120", "7 ", "-5", "0"} << QStringList{"135", "7", "32762", "0"} << "";
        QTest::newRow("letters") << QStringList{"0", "abc", "0", "0"} << zeros << "H2 (hidegvíz)|előző|abc";
        QTest::newRow("empty box") << zeros << QStringList{"0", "0", "", "0"} << "M1 (melegvíz)|utolsó";
        QTest::newRow("decimal") << zeros << QStringList{"12.5", "0", "0", "0"} << "H1 (hidegvíz)|utolsó";
        QTest::newRow("inner blank") << zeros << QStringList{"0", "0", "0", "1 200"} << "M2 (melegvíz)|utolsó";
        QTest::newRow("beyond 16 bits") << zeros << QStringList{"0", "0", "0", "40000"} << "M2 (melegvíz)|40000";
        QTest::newRow("difference beyond 16 bits")
            << QStringList{"-30000", "0", "0", "0"} << QStringList{"30000", "0", "0", "0"}
            << "H1 (hidegvíz)|különbsége|60000";
        QTest::newRow("negative difference beyond 16 bits")
            << QStringList{"0", "0", "30000", "0"} << QStringList{"0", "0", "-30000", "0"} << "M1 (melegvíz)|-60000";
    }
    void checkReadings() {
        QFETCH(QStringList, elozo);
        QFETCH(QStringList, utolso);
        QFETCH(QString, refusal);
        const auto c = water::checkReadings(texts(elozo), texts(utolso));
        QCOMPARE(bool(c.readings), refusal.isEmpty());
        for (const QString& word : refusal.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            QVERIFY2(c.error.contains(word), qPrintable(c.error));
        if (!c.readings) return;
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(int(c.readings->elozo(k)), elozo[k - 1].trimmed().toInt());
            QCOMPARE(int(c.readings->utolso(k)), utolso[k - 1].trimmed().toInt());
        }
    }

    void recordReadings_data() {
        QTest::addColumn<Four>("elozo");
        QTest::addColumn<Four>("utolso");
        QTest::addColumn<int>("month");
        QTest::addColumn<Four>("stored");  // consumptions stored for the month
        QTest::addColumn<qint64>("period");
        QTest::newRow("H1 120 to 135 in March")
            << Four{120, 0, 0, 0} << Four{135, 0, 0, 0} << 3 << Four{15, 0, 0, 0} << qint64(15);
        QTest::newRow("a last reading of 0 stores 0")
            << Four{50, 0, 0, 0} << Four{0, 0, 0, 0} << 3 << Four{0, 0, 0, 0} << qint64(0);
        QTest::newRow("below the previous stores 0")
            << Four{200, 0, 0, 0} << Four{150, 0, 0, 0} << 7 << Four{0, 0, 0, 0} << qint64(0);
        QTest::newRow("four meters in December")
            << Four{10, 20, 30, 40} << Four{15, 27, 31, 52} << 12 << Four{5, 7, 1, 12} << qint64(25);
        QTest::newRow("16-bit edges") << Four{-32768, 0, 0, 0} << Four{-1, 32767, 0, 0} << 1 << Four{32767, 32767, 0, 0}
                                      << qint64(32767);
    }
    void recordReadings() {
        QFETCH(Four, elozo);
        QFETCH(Four, utolso);
        QFETCH(int, month);
        QFETCH(Four, stored);
        QFETCH(qint64, period);
        TestFolder tf;
        Lakas before = metered({1, 1, 1, 1}, {2, 2, 2, 2});
        for (int m = 1; m <= 12; ++m) setMonth(before, m, {99, 98, 97, 96});  // the month's values are overwritten
        tf.writeApartments(kYear, {metered({0, 0, 0, 0}, {9, 9, 9, 9}), before});
        QStringList e, u;
        for (int k = 0; k < 4; ++k) {
            e << QString::number(elozo[k]);
            u << QString::number(utolso[k]);
        }
        const auto check = water::checkReadings(texts(e), texts(u));
        QVERIFY2(check.readings, qPrintable(check.error));
        const QDate date(2026, month, 28);
        const auto r = water::recordReadings(tf.folder(), kYear, 2, *check.readings, date);
        QVERIFY2(r.ok(), qPrintable(r.error));

        Lakas expected = before;
        for (int k = 1; k <= 4; ++k) {
            expected.ElozoAllas(k) = static_cast<std::int16_t>(elozo[k - 1]);
            expected.UtolsoAllas(k) = static_cast<std::int16_t>(utolso[k - 1]);
        }
        setMonth(expected, month, stored);
        expected.LeadasDatum = Date::fromQDate(date);
        const auto after = tf.readApartments(kYear);
        QCOMPARE(after[1], expected);
        QCOMPARE(after[0], metered({0, 0, 0, 0}, {9, 9, 9, 9}));
        QCOMPARE(r.record, std::optional<Lakas>(expected));
        QCOMPARE(water::periodConsumption(expected), period);
        for (int k = 1; k <= 4; ++k) QCOMPARE(water::shownConsumption(expected, k), stored[k - 1]);
    }

    void yearView_data() {
        QTest::addColumn<int>("month");
        QTest::newRow("May") << 5;
        QTest::newRow("January") << 1;
        QTest::newRow("December") << 12;
    }
    void yearView() {
        QFETCH(int, month);
        Lakas l;
        for (int m = 1; m <= 12; ++m) setMonth(l, m, {m, 2 * m, 0, 1});
        setMonth(l, 2, {-4, 3, 0, 0});  // a negative value from an old file shows as 0
        const auto v = water::yearView(l, month);
        for (int m = 1; m <= 12; ++m) {
            QCOMPARE(v.months(m).shown, m <= month);
            const Four expected = m == 2 ? Four{0, 3, 0, 0} : Four{m, 2 * m, 0, 1};
            QCOMPARE((Four{v.months(m).values(1), v.months(m).values(2), v.months(m).values(3), v.months(m).values(4)}),
                     expected);
            QCOMPARE(v.months(m).total, qint64(expected[0] + expected[1] + expected[2] + expected[3]));
        }
        QCOMPARE(v.yearly, qint64(3 + (78 - 2) * 3 + 11));  // every month, also those not shown
    }

    void setForward_data() {
        QTest::addColumn<bool>("everyone");
        QTest::newRow("this apartment") << false;
        QTest::newRow("every apartment") << true;
    }
    void setForward() {
        QFETCH(bool, everyone);
        TestFolder tf;
        const std::vector<Lakas> flats{metered({120, 7, 40, 9}, {135, 0, 50, -3}), metered({5, 6, 7, 8}, {0, 0, 0, 0}),
                                       metered({1, 2, 3, 4}, {0, 20, 0, 40})};
        tf.writeApartments(kYear, flats);
        const auto r = water::setForward(tf.folder(), kYear, 1, everyone);
        QVERIFY2(r.ok(), qPrintable(r.error));
        std::vector<Lakas> expected{metered({135, 7, 50, 9}, {0, 0, 0, -3}), flats[1],
                                    everyone ? metered({1, 20, 3, 40}, {0, 0, 0, 0}) : flats[2]};
        QCOMPARE(tf.readApartments(kYear), expected);
        QCOMPARE(r.record, std::optional<Lakas>(expected[0]));
        QCOMPARE((QList<bool>{r.moved(1), r.moved(2), r.moved(3), r.moved(4)}),
                 (QList<bool>{true, false, true, false}));
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("rec");
        QTest::addColumn<bool>("failing");
        QTest::newRow("readings, no apartment selected") << "readings" << 0 << false;
        QTest::newRow("readings, record past the end") << "readings" << 5 << false;
        QTest::newRow("readings, file not writable") << "readings" << 1 << true;
        QTest::newRow("Leadás, record past the end") << "one" << 5 << false;
        QTest::newRow("Leadás, file not writable") << "one" << 1 << true;
        QTest::newRow("Leadás for all, file not writable") << "all" << 1 << true;
    }
    void failuresWriteNothing() {
        QFETCH(QString, operation);
        QFETCH(int, rec);
        QFETCH(bool, failing);
        TestFolder tf;
        tf.writeApartments(kYear, {metered({1, 2, 3, 4}, {5, 6, 7, 8}), metered({1, 1, 1, 1}, {2, 2, 2, 2})});
        const QByteArray before = tf.bytes(kLakasok);
        FailingReplace broken;
        const DataFolder folder = failing ? tf.folder(broken) : tf.folder();
        water::Result r;
        if (operation == QLatin1String("readings")) {
            const auto c = water::checkReadings(texts({"10", "10", "10", "10"}), texts({"20", "20", "20", "20"}));
            r = water::recordReadings(folder, kYear, rec, *c.readings, QDate(2026, 6, 1));
        } else {
            r = water::setForward(folder, kYear, rec, operation == QLatin1String("all"));
        }
        QVERIFY(!r.ok());
        QVERIFY(!r.record);
        QCOMPARE(tf.bytes(kLakasok), before);
    }
};

QTEST_GUILESS_MAIN(TestWater)
#include "tst_water.moc"
