// Damaged data folders: the start-up reads (stored year, buildings, statuses,
// the year's list, every apartment's dates) and a write to the damaged file
// neither crash, hang nor touch it; a file that cannot be used is named.

#include <QTest>

#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "ledger/ledger.h"
#include "register/apartmentform.h"
#include "register/buildings.h"
#include "register/statuses.h"
#include "store/conversions.h"
#include "store/recordfile.h"
#include "store/settings.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

using Write = std::function<bool(const DataFolder&)>;
struct Damage {
    QString path;    // the damaged file, relative to the data folder
    QString kind;    // "pipe", "folder", "device", else a file of `bytes`, made `size` bytes long
    QByteArray bytes;
    qint64 size;
    Write write;  // a write to it, refused (nullptr: none)
    bool named;   // the start-up notices name the file
};

// Payment, registration and reading dates that no calendar holds.
QByteArray damagedDates() {
    Lakas l = makeLakas("Kovács Éva", "Fő utca", "1", "2");
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const double dates[] = {nan, inf, -inf, 1e300, -9.3e18};
    for (int i = 1; i <= 5; ++i) {
        l.KKBefizetes(i) = l.HBefizetes(i) = 100;
        l.KKBefizDatum(i).value = l.HBefizDatum(i).value = l.Lakok.Bejelentve(i).value = dates[i - 1];
    }
    l.LeadasDatum.value = nan;
    return RecordFile<Lakas>::encode(l);
}

const Write pay = [](const DataFolder& f) {
    return ledger::pay(f, kYear, 1, ledger::Kind::KozosKoltseg, 1, 5, QDate(2026, 1, 5)).ok();
};
const Write addFlat = [](const DataFolder& f) {
    ApartmentForm form;
    form.helyseg = form.utca = form.hsz = form.ajto = form.epulet = QStringLiteral("x");
    form.lakok = {ResidentRow{QStringLiteral("Új Lakó"), {}, {}, {}, {}, {}}};
    return addApartment(f, kYear, form).saved;
};
const Write addHouse = [](const DataFolder& f) { return addBuilding(f, "Új ház", "100").saved; };
const Write addState = [](const DataFolder& f) { return addStatus(f, "x").saved; };
const Write storeYear = [](const DataFolder& f) { return settings::writeYear(f, "2027"); };

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
        const QString flats = kYear + QStringLiteral("/Lakasok.dat"), log = kYear + QStringLiteral("/Befiz.dat");
        const auto row = [](const char* tag, const Damage& d) { QTest::newRow(tag) << d; };
        row("dates NaN, infinite, beyond 2^63 days", {flats, "", damagedDates(), 0, nullptr, false});
        row("stored year 9e99", {files::Set, "", QByteArray("9e99\0\0", 6), 0, nullptr, false});
        row("a garbage journal", {kYear + "/domoria.jnl", "", QByteArray(300, '\x5a'), 0, nullptr, true});
        row("a pipe as Epuletek.dat", {files::Epuletek, "pipe", {}, 0, addHouse, true});
        row("a pipe as Lakasok.dat", {flats, "pipe", {}, 0, addFlat, true});
        row("a pipe as Befiz.dat", {log, "pipe", {}, 0, pay, true});
        row("a folder as Stat.dat", {files::Stat, "folder", {}, 0, addState, true});
        row("a device as Set.dat", {files::Set, "device", {}, 0, storeYear, true});
        row("Epuletek.dat of 100001 buildings", {files::Epuletek, "", {}, 100001 * 22, addHouse, true});
        row("Lakasok.dat of 1000001 apartments", {flats, "", {}, 1000001LL * 2193, addFlat, true});
        row("Befiz.dat of 2^31 payments", {log, "", {}, (qint64(1) << 31) * 126, pay, true});
    }
    void startAndWrite() {
        QFETCH(Damage, d);
        TestFolder tf;
        const QString full = tf.path() + QLatin1Char('/') + d.path;
        QDir().mkpath(QFileInfo(full).absolutePath());
        if (d.kind == "pipe") QCOMPARE(mkfifo(QFile::encodeName(full).constData(), 0600), 0);
        else if (d.kind == "folder") QVERIFY(QDir().mkpath(full));
        else if (d.kind == "device") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), full));
        else tf.writeBytes(d.path, d.bytes);
        if (d.size) QCOMPARE(::truncate(QFile::encodeName(full).constData(), d.size), 0);  // sparse
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
        if (d.write) QVERIFY(!d.write(f) && shapeOf(full) == before);
    }
};

QTEST_GUILESS_MAIN(TestDamaged)
#include "tst_damaged.moc"
