// Every operation that writes, run into a failure of each system call at each
// step and killed at each step: afterwards (and after the next start's
// recovery) the files hold the old bytes or the new ones, as the message
// says. A stream of payments, modifies and charges killed at random moments
// never leaves a payment without its log record. Damaged journals are
// discarded; a full or read-only disk is reported and changes nothing.

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <functional>
#include <map>
#include <tuple>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ledger/ledger.h"
#include "ledger/water.h"
#include "register/apartmentform.h"
#include "register/statuses.h"
#include "store/journal.h"
#include "store/settings.h"
#include "support/faults.h"
#include "support/testfolder.h"

using Call = FaultySystem::Call;
using Fault = FaultySystem::Fault;
using ledger::Kind;

namespace {

const QString kYear = QStringLiteral("2026");
const QDate kDay(2026, 3, 10);

Lakas flat(int i) {
    Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), QStringLiteral("Fő utca"), QString::number(i), "1");
    l.Telefon = QStringLiteral("T0");
    l.Megj = QStringLiteral("M0");
    l.SzemetDij = 900;
    return l;
}

// Three apartments stamped 0 (telephone "T0", remark "M0", common cost 0),
// an empty payment log, one status and the stored year.
void house(const TestFolder& tf) {
    tf.writeApartments(kYear, {flat(1), flat(2), flat(3)});
    tf.writeBytes(kYear + QStringLiteral("/Befiz.dat"), QByteArray());
    tf.writeStatuses({QStringLiteral("tulajdonos")});
    tf.writeBytes(files::Set, QByteArray("2026\0\0", 6));
}

// The data files (not the journal or a temporary file) and their bytes.
using Files = std::map<QString, QByteArray>;
Files snapshot(const TestFolder& tf) {
    Files out;
    for (QDirIterator it(tf.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".dat"))) out[path.mid(tf.path().size())] = tf.bytes(path.mid(tf.path().size() + 1));
    }
    return out;
}

// The form of an apartment with a new stamp on its telephone, remark and
// common cost; its resident stays.
ApartmentForm stamped(const Lakas& l, int stamp) {
    ApartmentForm f;
    f.helyseg = l.Helyseg.text(), f.irsz = QString::number(l.Irsz), f.utca = l.Utca.text(), f.hsz = l.Hsz.text();
    f.ajto = l.Ajto.text(), f.epulet = l.Epulet.text(), f.pince = f.garazs = QStringLiteral("Nincs");
    f.kozosKoltseg = QString::number(stamp), f.szemetDij = QString::number(l.SzemetDij), f.telefon = QStringLiteral("T%1").arg(stamp);
    f.megj = QStringLiteral("M%1").arg(stamp);
    f.lakok = {ResidentRow{l.Lakok.Nev(1).text(), QString(), QString(), QString(), QString(), QString()}};
    return f;
}

struct Done {
    bool ok;
    QString message;
};
using Operation = std::function<Done(const DataFolder&)>;
Done of(const SaveResult& s) { return {s.saved, s.message()}; }

const std::vector<std::pair<const char*, Operation>>& operations() {
    static const std::vector<std::pair<const char*, Operation>> all{
        {"payment",
         [](const DataFolder& f) {
             const auto r = ledger::pay(f, kYear, 2, Kind::KozosKoltseg, 3, 1000, kDay);
             return Done{r.ok(), r.error};
         }},
        {"charge of one apartment",
         [](const DataFolder& f) {
             const auto r = ledger::charge(f, kYear, 2, Kind::Szemetdij, 4, false);
             return Done{r.ok(), r.error};
         }},
        {"meter readings",
         [](const DataFolder& f) {
             water::Readings readings;
             readings.utolso(1) = 35;
             const auto r = water::recordReadings(f, kYear, 3, readings, kDay);
             return Done{r.ok(), r.error};
         }},
        {"apartment modify",
         [](const DataFolder& f) {
             return of(modifyApartment(f, kYear, 2, stamped(flat(2), 7)));
         }},
        {"apartment add",
         [](const DataFolder& f) {
             return of(addApartment(f, kYear, stamped(makeLakas("Új Lakó", "Fő utca", "9", "1"), 1)));
         }},
        {"charge of every apartment",
         [](const DataFolder& f) {
             const auto r = ledger::charge(f, kYear, 1, Kind::Szemetdij, 5, true);
             return Done{r.ok(), r.error};
         }},
        {"apartment delete", [](const DataFolder& f) { return of(deleteApartment(f, kYear, 2)); }},
        {"status add", [](const DataFolder& f) { return of(addStatus(f, QStringLiteral("bérlő"))); }},
        {"stored year",
         [](const DataFolder& f) {
             const bool ok = settings::writeYear(f, QStringLiteral("2031"));
             return Done{ok, ok ? QString() : QStringLiteral("nem menthető")};
         }},
    };
    return all;
}

// The next start: the journals of the year and of the shared files.
bool nextStart(const TestFolder& tf) {
    FaultySystem sys;  // no failure, no real syncs
    return journal::recover(sys.layer(), tf.path()).ok() &&
           journal::recover(sys.layer(), tf.folder().yearFolder(kYear)).ok();
}

// Runs the operation in a child process under `sys`; true when the child
// was killed.
bool killedChild(const TestFolder& tf, const Operation& op, FaultySystem& sys) {
    const pid_t pid = fork();
    if (pid == 0) {
        op(tf.folder(sys.layer()));
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// What a kill may leave: every apartment whole (its stamps agree) and every
// payment in the ledger matched by its log records, and the other way round.
void checkBooks(const TestFolder& tf) {
    const auto flats = tf.readApartments(kYear);
    QCOMPARE(tf.bytes(kYear + QStringLiteral("/Lakasok.dat")).size(), 3 * Lakas::Length);
    const QByteArray log = tf.bytes(kYear + QStringLiteral("/Befiz.dat"));
    QCOMPARE(log.size() % Befizetes::Length, 0);
    std::map<std::tuple<QString, QString, int>, qint64> logged;
    for (qsizetype i = 0; i < log.size(); i += Befizetes::Length) {
        const auto b = decodeRecord<Befizetes>(log.constData() + i);
        logged[{b.Nev.text(), b.Tipus.text(), b.Honap}] += b.Osszeg;
    }
    for (const Lakas& l : flats) {
        const QString stamp = l.Telefon.text().mid(1);
        QCOMPARE(l.Megj.text().mid(1), stamp);
        QCOMPARE(QString::number(l.KozosKoltseg), stamp);
        for (Kind k : {Kind::KozosKoltseg, Kind::Szemetdij})
            for (int row = 1; row <= 13; ++row)
                QCOMPARE(qint64((l.*ledger::fields(k).paid)(row)), (logged[{l.Lakok.Nev(1).text(), ledger::logKind(k), row}]));
    }
}

// A stream of payments, modifies and charges of one apartment each, until
// the process is killed.
[[noreturn]] void stream(const DataFolder& f, quint32 seed) {
    QRandomGenerator rng(seed);
    for (int i = 0; i < 100000; ++i) {
        const int rec = rng.bounded(1, 4);
        const Kind kind = rng.bounded(2) ? Kind::KozosKoltseg : Kind::Szemetdij;
        switch (rng.bounded(3)) {
        case 0:
            ledger::pay(f, kYear, rec, kind, rng.bounded(1, 14), rng.bounded(1, 1000), kDay);
            break;
        case 1:
            modifyApartment(f, kYear, rec, stamped(flat(rec), rng.bounded(1, 1000000)));
            break;
        default:
            ledger::charge(f, kYear, rec, kind, rng.bounded(1, 13), false);
        }
    }
    _exit(0);
}

}  // namespace

class TestJournal : public QObject {
    Q_OBJECT
    int injected_ = 0, kills_ = 0;

private slots:
    // Nothing here is about the disk itself (the syncs are not made), so
    // the folders may live in memory where there is such a file system.
    void initTestCase() {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable()) qputenv("TMPDIR", "/dev/shm");
    }
    void cleanupTestCase() {
        qInfo("%d failures injected, %d kills at a step, every outcome as reported", injected_, kills_);
    }

    void everyStep_data() {
        QTest::addColumn<int>("op");
        for (size_t i = 0; i < operations().size(); ++i) QTest::newRow(operations()[i].first) << int(i);
    }
    // Each call of the operation fails once, fails with every call after it,
    // writes half its bytes, kills the process, or writes half and kills.
    void everyStep() {
        QFETCH(int, op);
        const Operation& run = operations()[size_t(op)].second;
        TestFolder clean;
        house(clean);
        const Files before = snapshot(clean);
        FaultySystem counted;
        QVERIFY(run(clean.folder(counted.layer())).ok);
        const Files after = snapshot(clean);
        QVERIFY(after != before);
        for (int k = 1; k <= int(counted.history.size()); ++k) {
            const bool write = counted.history[size_t(k - 1)] == Call::Pwrite;
            // Killed before a call: worth it only right after a call that may
            // have changed a file (the syncs are not made here).
            const Call previous = k > 1 ? counted.history[size_t(k - 2)] : Call::Stat;
            const bool changes = previous == Call::Open || previous == Call::Pwrite || previous == Call::Ftruncate ||
                                 previous == Call::Rename || previous == Call::Unlink || previous == Call::Mkdir;
            for (Fault fault : {Fault::Error, Fault::Lasting, Fault::Short, Fault::Kill, Fault::TornKill}) {
                if ((!write && (fault == Fault::Short || fault == Fault::TornKill)) || (!changes && fault == Fault::Kill))
                    continue;
                TestFolder tf;
                house(tf);
                FaultySystem sys(k, fault);
                const QString where = QStringLiteral("call %1, fault %2").arg(k).arg(int(fault));
                Done done{false, QString()};
                if (fault == Fault::Kill || fault == Fault::TornKill) {
                    QVERIFY2(killedChild(tf, run, sys), qPrintable(where));
                    ++kills_;
                } else {
                    done = run(tf.folder(sys.layer()));
                    ++injected_;
                    const bool pending = done.message.contains(QStringLiteral("befejezi"));
                    QVERIFY2(done.ok == done.message.isEmpty(), qPrintable(where + done.message));
                    if (!pending) QVERIFY2(snapshot(tf) == (done.ok ? after : before), qPrintable(where));
                    done.ok = done.ok || pending;
                }
                QVERIFY2(nextStart(tf), qPrintable(where));
                const Files now = snapshot(tf);
                if (fault == Fault::Kill || fault == Fault::TornKill)
                    QVERIFY2(now == before || now == after, qPrintable(where));
                else
                    QVERIFY2(now == (done.ok ? after : before), qPrintable(where + done.message));
            }
        }
    }

    // A stream of payments, modifies and single charges, killed at random
    // moments; each time the next start leaves the ledger and the log in
    // agreement and no apartment torn.
    void killedAtRandom() {
        TestFolder tf;
        house(tf);
        QRandomGenerator rng(20260310);
        std::map<journal::Recovery::State, int> found;
        for (int i = 0; i < 60; ++i) {
            const quint32 seed = rng.generate();
            const pid_t pid = fork();
            if (pid == 0) stream(tf.folder(), seed);
            usleep(rng.bounded(500, 15000));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            const auto recovery = journal::recover(tf.folder(), kYear);
            QVERIFY(recovery.ok());
            ++found[recovery.state];
            checkBooks(tf);
            if (QTest::currentTestFailed()) return;
            ++kills_;
        }
        qInfo("60 random kills: %d left a journal that was completed, %d an unfinished one that was discarded",
              found[journal::Recovery::State::Completed], found[journal::Recovery::State::Discarded]);
        QVERIFY(tf.bytes(kYear + QStringLiteral("/Befiz.dat")).size() > 0);
    }

    // A journal left between its writing and the data: applied once or
    // twice, the result is the same; damaged or foreign, it is discarded and
    // the files keep their old bytes.
    void leftJournal_data() {
        QTest::addColumn<int>("damage");
        QTest::addColumn<bool>("applied");
        QTest::newRow("whole, applied twice") << 0 << true;
        QTest::newRow("cut short") << 1 << false;
        QTest::newRow("a byte changed") << 2 << false;
        QTest::newRow("of another file") << 3 << false;
        QTest::newRow("a pipe in its place") << 4 << false;
    }
    void leftJournal() {
        QFETCH(int, damage); QFETCH(bool, applied);
        TestFolder tf;
        house(tf);
        const Files before = snapshot(tf);
        FaultySystem counted;
        QVERIFY(operations()[0].second(tf.folder(counted.layer())).ok);
        const Files after = snapshot(tf);
        const auto rename = std::find(counted.history.begin(), counted.history.end(), Call::Rename);
        TestFolder left;
        house(left);
        FaultySystem killer(int(std::find(rename, counted.history.end(), Call::Pwrite) - counted.history.begin()) + 1,
                            Fault::Kill);
        QVERIFY(killedChild(left, operations()[0].second, killer));
        const QString journalPath = journal::pathIn(left.folder().yearFolder(kYear));
        QByteArray journal = left.bytes(kYear + QStringLiteral("/domoria.jnl"));
        QVERIFY(!journal.isEmpty());
        if (damage == 1) journal.chop(1);
        if (damage == 2) journal[journal.size() / 2] = char(journal[journal.size() / 2] ^ 1);
        if (damage == 3) left.writeApartments(kYear, {makeLakas("Egy", "Más utca", "1", "1")});
        const Files start = damage == 3 ? snapshot(left) : before;
        for (int run = 0; run < (applied ? 2 : 1); ++run) {
            QFile::remove(journalPath);
            if (damage == 4) QCOMPARE(mkfifo(QFile::encodeName(journalPath).constData(), 0600), 0);
            else left.writeBytes(kYear + QStringLiteral("/domoria.jnl"), journal);
            const auto r = journal::recover(left.folder(), kYear);
            QCOMPARE(r.state, applied ? journal::Recovery::State::Completed : journal::Recovery::State::Discarded);
            QVERIFY(r.message.contains(applied ? QStringLiteral("befejeződött") : QStringLiteral("nem került be")));
            QCOMPARE(snapshot(left), applied ? after : start);
            QVERIFY(!QFile::exists(journalPath));
        }
    }

    // The real file layer on a file system with no room left, then
    // read-only: every write is refused with its message and changes
    // nothing. Needs the right to mount; the injected failures above cover
    // the same calls everywhere.
    void fullAndReadOnlyDisk() {
        TestFolder tf;
        const QByteArray mountPoint = QFile::encodeName(tf.path());
        if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("A small file system cannot be mounted here (needs root); the injected failures cover these calls.");
        const auto unmount = qScopeGuard([&] { umount2(mountPoint.constData(), MNT_DETACH); });
        house(tf);
        {
            QFile filler(tf.path() + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size()) {}
        }
        for (const char* how : {"full", "read-only"}) {
            if (QByteArray(how) == "read-only")
                QCOMPARE(mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
            const Files before = snapshot(tf);
            for (const auto& [name, run] : operations()) {
                const QString label = QStringLiteral("%1, %2").arg(QLatin1String(how), QLatin1String(name));
                const Done done = run(tf.folder());
                QVERIFY2(!done.ok && !done.message.contains(QStringLiteral("befejezi")), qPrintable(label));
                QVERIFY2(snapshot(tf) == before, qPrintable(label));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
