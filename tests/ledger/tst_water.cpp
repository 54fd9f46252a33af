// Water meters: checking the typed readings and recording them under the month
// of the reading date, the monthly list, and "Leadás" for one apartment or all.

#include <QTest>

#include "ledger/water.h"
#include "support/faults.h"
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


// The rows of a data-driven test: each case under its name, in one column.
template <class T>
void cases(std::initializer_list<std::pair<const char*, T>> rows) {
    QTest::addColumn<T>("c");
    for (const auto& [name, c] : rows) QTest::newRow(name) << c;
}

struct Typed {
    QStringList elozo, utolso;  // the readings as typed
    int month;                  // of the reading date
    Four stored;                // consumptions stored for the month
    qint64 period;
    QString refusal;  // words the message must hold; empty: accepted
};

}  // namespace

Q_DECLARE_METATYPE(Typed)

class TestWater : public QObject {
    Q_OBJECT
private slots:
    void readings_data() {
        const QStringList zeros{"0", "0", "0", "0"};
        cases<Typed>({
            {"H1 120 to 135 in March", {{"120", "0", "0", "0"}, {"135", "0", "0", "0"}, 3, {15, 0, 0, 0}, 15, ""}},
            {"a last reading of 0 stores 0", {{"50", "0", "0", "0"}, zeros, 3, {0, 0, 0, 0}, 0, ""}},
            {"below the previous stores 0", {{"200", "0", "0", "0"}, {"150", "0", "0", "0"}, 7, {0, 0, 0, 0}, 0, ""}},
            {"four meters in December, blanks, largest difference",
             {{" 10", "20 ", "-5", "40"}, {"15", "27", "32762", "52"}, 12, {5, 7, 32767, 12}, 32791, ""}},
            {"letters", {{"0", "abc", "0", "0"}, zeros, 3, {}, 0, "H2 (hidegvíz)|előző|abc"}},
            {"empty box", {zeros, {"0", "0", "", "0"}, 3, {}, 0, "M1 (melegvíz)|utolsó"}},
            {"decimal", {zeros, {"12.5", "0", "0", "0"}, 3, {}, 0, "H1 (hidegvíz)|utolsó"}},
            {"beyond 16 bits", {zeros, {"0", "0", "0", "40000"}, 3, {}, 0, "M2 (melegvíz)|40000"}},
            {"difference beyond 16 bits",
             {{"-30000", "0", "0", "0"}, {"30000", "0", "0", "0"}, 3, {}, 0, "H1 (hidegvíz)|60000"}},
        });
    }
    void readings() {
        QFETCH(Typed, c);
        const auto check = water::checkReadings(texts(c.elozo), texts(c.utolso));
        QCOMPARE(bool(check.readings), c.refusal.isEmpty());
        for (const QString& word : c.refusal.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            QVERIFY2(check.error.contains(word), qPrintable(check.error));
        if (!check.readings) return;

        TestFolder tf;
        Lakas before = metered({1, 1, 1, 1}, {2, 2, 2, 2});
        for (int m = 1; m <= 12; ++m) setMonth(before, m, {99, 98, 97, 96});  // the month's values are overwritten
        const Lakas other = metered({0, 0, 0, 0}, {9, 9, 9, 9});
        tf.writeApartments(kYear, {other, before});
        const QDate date(2026, c.month, 28);
        const auto r = water::recordReadings(tf.folder(), kYear, 2, *check.readings, date);
        QVERIFY2(r.ok(), qPrintable(r.error));

        Lakas expected = before;
        for (int k = 1; k <= 4; ++k) {
            expected.ElozoAllas(k) = static_cast<std::int16_t>(c.elozo[k - 1].trimmed().toInt());
            expected.UtolsoAllas(k) = static_cast<std::int16_t>(c.utolso[k - 1].trimmed().toInt());
        }
        setMonth(expected, c.month, c.stored);
        expected.LeadasDatum = Date::fromQDate(date);
        QCOMPARE(tf.readApartments(kYear), (std::vector<Lakas>{other, expected}));
        QCOMPARE(r.record, std::optional<Lakas>(expected));
        QCOMPARE(water::periodConsumption(expected), c.period);
        for (int k = 1; k <= 4; ++k) QCOMPARE(water::shownConsumption(expected, k), c.stored[k - 1]);
    }

    void yearView_data() {
        QTest::addColumn<int>("month");
        QTest::newRow("May empties June to December") << 5;
        QTest::newRow("December shows all") << 12;
    }
    void yearView() {
        QFETCH(int, month);
        Lakas l;
        for (int m = 1; m <= 12; ++m) setMonth(l, m, {m, 2 * m, 0, 1});
        setMonth(l, 2, {-4, 3, 0, 0});  // a negative value from an old file shows as 0
        const auto v = water::yearView(l, month);
        for (int m = 1; m <= 12; ++m) {
            const water::MonthRow& row = v.months(m);
            QCOMPARE(row.shown, m <= month);
            const Four expected = m == 2 ? Four{0, 3, 0, 0} : Four{m, 2 * m, 0, 1};
            QCOMPARE((Four{row.values(1), row.values(2), row.values(3), row.values(4)}), expected);
            QCOMPARE(row.total, qint64(expected[0] + expected[1] + expected[2] + expected[3]));
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
        // Only meters with a last reading above 0 move.
        const std::vector<Lakas> expected{metered({135, 7, 50, 9}, {0, 0, 0, -3}), flats[1],
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
        QTest::newRow("readings, record past the end") << "readings" << 5 << false;
        QTest::newRow("readings, file not writable") << "readings" << 1 << true;
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
        FaultySystem broken;  // no write of the apartments, in place or into a new file, goes through
        for (const QString& name : {files::Lakasok, files::Lakasok + QStringLiteral(".tmp")})
            broken.failOn(FaultySystem::Call::Pwrite, name);
        const DataFolder folder = failing ? tf.folder(broken.layer()) : tf.folder();
        const water::Result r = operation == QLatin1String("readings")
                                    ? water::recordReadings(folder, kYear, rec, water::Readings{}, QDate(2026, 6, 1))
                                    : water::setForward(folder, kYear, rec, operation == QLatin1String("all"));
        QVERIFY(!r.ok());
        QVERIFY(!r.record);
        QCOMPARE(tf.bytes(kLakasok), before);
    }
};

QTEST_GUILESS_MAIN(TestWater)
#include "tst_water.moc"
