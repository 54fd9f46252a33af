// Damaged data folders: the start-up reads (stored year, buildings, statuses,
// the year's list, every apartment's dates) and a write to the damaged file
// neither crash, hang nor touch it; a file that cannot be used is named.

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "ledger/ledger.h"
#include "register/apartmentform.h"
#include "register/buildings.h"
#include "register/statuses.h"
#include "store/conversions.h"
#include "store/settings.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

using Make = std::function<void(const TestFolder&, const QString& full)>;
struct Damage {
    QString path;  // the damaged file, relative to the data folder
    Make make;
    std::function<bool(const DataFolder&)> write;  // a write to it, refused (nullptr: none)
    bool named;                                    // the start-up notices name the file
};

void fifo(const TestFolder&, const QString& full) {
    QDir().mkpath(QFileInfo(full).absolutePath());
    QCOMPARE(mkfifo(QFile::encodeName(full).constData(), 0600), 0);
}

// A sparse file of `records` records of `length` bytes.
Make sparse(qint64 records, int length) {
    return [=](const TestFolder&, const QString& full) {
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(records * length));
    };
}

// Payment, registration and reading dates that no calendar holds.
Lakas damagedDates() {
    Lakas l = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2"));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const double dates[] = {nan, inf, -inf, 1e300, -9.3e18};
    for (int i = 1; i <= 5; ++i) {
        l.KKBefizetes(i) = l.HBefizetes(i) = 100;
        l.KKBefizDatum(i).value = l.HBefizDatum(i).value = l.Lakok.Bejelentve(i).value = dates[i - 1];
    }
    l.LeadasDatum.value = nan;
    return l;
}

bool pay(const DataFolder& f) { return ledger::pay(f, kYear, 1, ledger::Kind::KozosKoltseg, 1, 5, QDate(2026, 1, 5)).ok(); }
bool addFlat(const DataFolder& f) {
    ApartmentForm form;
    form.helyseg = form.utca = form.hsz = form.ajto = form.epulet = QStringLiteral("x");
    form.lakok = {ResidentRow{QStringLiteral("Új Lakó"), {}, {}, {}, {}, {}}};
    return addApartment(f, kYear, form).saved;
}
bool addHouse(const DataFolder& f) { return addBuilding(f, QStringLiteral("Új ház"), QStringLiteral("100")).saved; }

// What kind of thing the path is, and its size.
QString shapeOf(const QString& path) {
    const QFileInfo i(path);
    return QStringLiteral("%1 %2 %3 %4").arg(i.isFile()).arg(i.isDir()).arg(i.isSymLink()).arg(i.size());
}

}  // namespace

Q_DECLARE_METATYPE(Damage)

class TestDamaged : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { alarm(60); }  // a hang ends the test as a failure

    void startAndWrite_data() {
        QTest::addColumn<Damage>("d");
        const QString lakasok = kYear + QStringLiteral("/Lakasok.dat"), befiz = kYear + QStringLiteral("/Befiz.dat");
        const auto device = [](const TestFolder&, const QString& full) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), full));
        };
        const auto folder = [](const TestFolder&, const QString& full) { QVERIFY(QDir().mkpath(full)); };
        const auto dates = [](const TestFolder& tf, const QString&) { tf.writeApartments(kYear, {damagedDates()}); };
        const auto year = [](const TestFolder& tf, const QString& full) {
            tf.writeBytes(QFileInfo(full).fileName(), QByteArray("9e99\0\0", 6));
        };
        const auto journal = [](const TestFolder& tf, const QString&) {
            tf.writeBytes(kYear + QStringLiteral("/domoria.jnl"), QByteArray(300, '\x5a'));
        };
        QTest::newRow("dates NaN, infinite, beyond 2^63 days") << Damage{lakasok, dates, nullptr, false};
        QTest::newRow("stored year 9e99") << Damage{files::Set, year, nullptr, false};
        QTest::newRow("a pipe as Epuletek.dat") << Damage{files::Epuletek, fifo, addHouse, true};
        QTest::newRow("a pipe as Lakasok.dat") << Damage{lakasok, fifo, addFlat, true};
        QTest::newRow("a pipe as Befiz.dat") << Damage{befiz, fifo, pay, true};
        QTest::newRow("a folder as Stat.dat")
            << Damage{files::Stat, folder, [](const DataFolder& f) { return addStatus(f, "x").saved; }, true};
        QTest::newRow("a device as Set.dat")
            << Damage{files::Set, device, [](const DataFolder& f) { return settings::writeYear(f, "2027"); }, true};
        QTest::newRow("Epuletek.dat of 100001 buildings") << Damage{files::Epuletek, sparse(100001, 22), addHouse, true};
        QTest::newRow("Lakasok.dat of 1000001 apartments") << Damage{lakasok, sparse(1000001, 2193), addFlat, true};
        QTest::newRow("Befiz.dat of 2^31 payments") << Damage{befiz, sparse(qint64(1) << 31, 126), pay, true};
        QTest::newRow("a garbage journal") << Damage{kYear + QStringLiteral("/domoria.jnl"), journal, nullptr, true};
    }
    void startAndWrite() {
        QFETCH(Damage, d);
        TestFolder tf;
        const QString full = tf.path() + QLatin1Char('/') + d.path;
        d.make(tf, full);
        const QString before = shapeOf(full);
        const DataFolder f = tf.folder();

        // What the main window reads when it opens.
        QStringList notices = f.startNotices();
        const QString stored = settings::readYear(f);
        const QString year = DataFolder::isUsableYear(stored) ? stored.trimmed() : kYear;
        readBuildings(f);
        readStatuses(f);
        const ApartmentList list = readApartmentList(f, year);
        if (!list.notice.isEmpty()) notices << list.notice;
        QString dates;  // every date the pages show: damaged ones show empty
        for (const ApartmentRow& row : list.rows) {
            const Lakas l = readApartment(f, year, row.rec).value();
            for (int i = 1; i <= 13; ++i)
                dates += ledger::rowTexts(l, ledger::Kind::KozosKoltseg, i).date.trimmed() +
                         ledger::rowTexts(l, ledger::Kind::Szemetdij, i).date.trimmed();
            for (int i = 1; i <= 10; ++i) dates += conv::shortDate(l.Lakok.Bejelentve(i));
            dates += conv::shortDate(l.LeadasDatum);
        }
        QCOMPARE(dates, QString());
        QCOMPARE(year, kYear);  // a stored year that names no folder falls back
        QVERIFY(!tf.exists(QStringLiteral("9e99")));
        const QString all = notices.join(QLatin1Char('\n'));
        QVERIFY2(d.named ? all.contains(QDir::toNativeSeparators(full)) : all.isEmpty(), qPrintable(all));
        if (!d.write) return;
        QVERIFY(!d.write(f));
        QCOMPARE(shapeOf(full), before);
    }
};

QTEST_GUILESS_MAIN(TestDamaged)
#include "tst_damaged.moc"
