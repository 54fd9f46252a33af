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
#include <sys/mount.h>
#include <sys/wait.h>
#include <tuple>
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

// The form of apartment i stamped `stamp`: telephone "T<stamp>", remark
// "M<stamp>", common cost <stamp>.
ApartmentForm form(int i, int stamp) {
    ApartmentForm f;
    f.helyseg = "Budapest", f.irsz = "1111", f.utca = "Fő utca", f.hsz = QString::number(i), f.ajto = "1";
    f.epulet = "A épület", f.pince = f.garazs = "Nincs", f.szemetDij = "900", f.kozosKoltseg = QString::number(stamp);
    f.telefon = QStringLiteral("T%1").arg(stamp), f.megj = QStringLiteral("M%1").arg(stamp);
    f.lakok = {ResidentRow{QStringLiteral("Lakó %1").arg(i), {}, {}, {}, {}, {}}};
    return f;
}

void house(const TestFolder& tf) {
    std::vector<Lakas> flats(3);
    for (int i = 1; i <= 3; ++i) applyForm(form(i, 0), flats[size_t(i - 1)]);
    tf.writeApartments(kYear, flats);
    tf.writeBytes(kYear + QStringLiteral("/Befiz.dat"), QByteArray());
    tf.writeStatuses({QStringLiteral("tulajdonos")});
    tf.writeBytes(files::Set, QByteArray("2026\0\0", 6));
}

// The data files (not a journal or a temporary file) with their bytes.
std::map<QString, QByteArray> snapshot(const TestFolder& tf) {
    std::map<QString, QByteArray> out;
    for (QDirIterator it(tf.path(), {QStringLiteral("*.dat")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString name = it.next().mid(tf.path().size() + 1);
        out[name] = tf.bytes(name);
    }
    return out;
}

struct Done {
    bool ok;
    QString message;
};
using Operation = std::function<Done(const DataFolder&)>;
template <class R>
Done of(const R& r) {
    if constexpr (std::is_base_of_v<SaveResult, R>) return {r.saved, r.message()};
    else return {r.ok(), r.error};
}

const std::vector<std::pair<const char*, Operation>> kOperations{
    {"payment", [](const DataFolder& f) { return of(ledger::pay(f, kYear, 2, Kind::KozosKoltseg, 3, 1000, kDay)); }},
    {"charge of one apartment", [](const DataFolder& f) { return of(ledger::charge(f, kYear, 2, Kind::Szemetdij, 4, false)); }},
    {"meter readings", [](const DataFolder& f) { return of(water::recordReadings(f, kYear, 3, {{}, {{35}}}, kDay)); }},
    {"apartment modify", [](const DataFolder& f) { return of(modifyApartment(f, kYear, 2, form(2, 7))); }},
    {"apartment add", [](const DataFolder& f) { return of(addApartment(f, kYear, form(4, 1))); }},
    {"charge of every apartment", [](const DataFolder& f) { return of(ledger::charge(f, kYear, 1, Kind::Szemetdij, 5, true)); }},
    {"apartment delete", [](const DataFolder& f) { return of(deleteApartment(f, kYear, 2)); }},
    {"status add", [](const DataFolder& f) { return of(addStatus(f, QStringLiteral("bérlő"))); }},
    {"stored year", [](const DataFolder& f) {
         const bool ok = settings::writeYear(f, QStringLiteral("2031"));
         return Done{ok, ok ? QString() : QStringLiteral("nem menthető")};
     }},
};

// The next start: the journals of the shared files and of the year.
bool nextStart(const TestFolder& tf) {
    FaultySystem sys;
    return journaled::recover(sys.layer(), tf.path()).ok() && journaled::recover(tf.folder(sys.layer()), kYear).ok();
}

// Runs `op` in a child process; true when the child was killed.
bool killedChild(const std::function<void()>& op, int waitMicroseconds = -1) {
    const pid_t pid = fork();
    if (pid == 0) op(), _exit(0);
    if (waitMicroseconds >= 0) usleep(useconds_t(waitMicroseconds)), kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// What a kill may leave: every apartment whole (its stamps agree), and each
// ledger row paid exactly what its log records add up to.
void checkBooks(const TestFolder& tf) {
    const QByteArray log = tf.bytes(kYear + QStringLiteral("/Befiz.dat"));
    QCOMPARE(tf.bytes(kYear + QStringLiteral("/Lakasok.dat")).size(), 3 * Lakas::Length);
    QCOMPARE(log.size() % Befizetes::Length, 0);
    std::map<std::tuple<QString, QString, int>, qint64> logged;
    for (qsizetype i = 0; i < log.size(); i += Befizetes::Length) {
        const auto b = decodeRecord<Befizetes>(log.constData() + i);
        logged[{b.Nev.text(), b.Tipus.text(), b.Honap}] += b.Osszeg;
    }
    for (const Lakas& l : tf.readApartments(kYear)) {
        QCOMPARE(l.Megj.text().mid(1), l.Telefon.text().mid(1));
        QCOMPARE(QString::number(l.KozosKoltseg), l.Telefon.text().mid(1));
        for (Kind k : {Kind::KozosKoltseg, Kind::Szemetdij})
            for (int row = 1; row <= 13; ++row)
                QCOMPARE(qint64((l.*ledger::fields(k).paid)(row)), (logged[{l.Lakok.Nev(1).text(), ledger::logKind(k), row}]));
    }
}

// Payments, modifies and charges of one apartment each, until killed.
void stream(const DataFolder& f, quint32 seed) {
    QRandomGenerator rng(seed);
    for (int i = 0; i < 100000; ++i) {
        const int rec = rng.bounded(1, 4), what = rng.bounded(3);
        const Kind kind = rng.bounded(2) ? Kind::KozosKoltseg : Kind::Szemetdij;
        if (what == 0) ledger::pay(f, kYear, rec, kind, rng.bounded(1, 14), rng.bounded(1, 1000), kDay);
        if (what == 1) modifyApartment(f, kYear, rec, form(rec, rng.bounded(1, 1000000)));
        if (what == 2) ledger::charge(f, kYear, rec, kind, rng.bounded(1, 13), false);
    }
}

}  // namespace

class TestJournal : public QObject {
    Q_OBJECT
    int injected_ = 0, kills_ = 0;

private slots:
    // Nothing here is about the disk itself (the injected layer makes no
    // syncs), so the folders may live in memory where that is possible.
    void initTestCase() {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable()) qputenv("TMPDIR", "/dev/shm");
    }
    void cleanupTestCase() { qInfo("%d failures injected, %d kills; every outcome as reported", injected_, kills_); }

    void everyStep_data() {
        QTest::addColumn<int>("op");
        for (size_t i = 0; i < kOperations.size(); ++i) QTest::newRow(kOperations[i].first) << int(i);
    }
    // Each call of the operation fails once, fails with every call after it,
    // writes half its bytes or reads an early end, kills the process, or
    // writes half and kills.
    void everyStep() {
        QFETCH(int, op);
        const Operation& run = kOperations[size_t(op)].second;
        TestFolder clean;
        house(clean);
        const auto before = snapshot(clean);
        FaultySystem counted;
        QVERIFY(run(clean.folder(counted.layer())).ok);
        const auto after = snapshot(clean);
        QVERIFY(after != before);
        const auto& calls = counted.history;
        // Nothing is renamed into place before what was written is synced.
        bool unsynced = false;
        for (const Call c : calls) {
            unsynced = c == Call::Pwrite || (unsynced && c != Call::Fsync && c != Call::Fdatasync);
            QVERIFY(c != Call::Rename || !unsynced);
        }
        for (int k = 1; k <= int(calls.size()); ++k) {
            const Call call = calls[size_t(k - 1)], previous = k > 1 ? calls[size_t(k - 2)] : Call::Stat;
            std::vector<Fault> faults{Fault::Error, Fault::Lasting};
            if (call == Call::Pwrite || call == Call::Pread) faults.push_back(Fault::Short);
            if (call == Call::Pwrite) faults.push_back(Fault::TornKill);
            // A kill before a call is worth it right after one that may have changed a file.
            if (previous == Call::Open || previous == Call::Pwrite || previous == Call::Ftruncate ||
                previous == Call::Rename || previous == Call::Unlink || previous == Call::Mkdir)
                faults.push_back(Fault::Kill);
            for (Fault fault : faults) {
                TestFolder tf;
                house(tf);
                FaultySystem sys(k, fault);
                const bool kill = fault == Fault::Kill || fault == Fault::TornKill;
                Done done{false, QString()};
                if (kill) QVERIFY(killedChild([&] { run(tf.folder(sys.layer())); }));
                else done = run(tf.folder(sys.layer()));
                ++(kill ? kills_ : injected_);
                // Pending: left to the journal, which the next start completes.
                const bool pending = done.message.contains(QStringLiteral("befejezi"));
                const QString where = QStringLiteral("call %1, fault %2: ").arg(k).arg(int(fault)) + done.message;
                QVERIFY2(kill || done.ok == done.message.isEmpty(), qPrintable(where));
                QVERIFY2(kill || !done.ok || call != Call::Fdatasync, qPrintable(where));
                // A journal whose folder could not be synced may vanish in a
                // power cut: it is not trusted, and nothing is written.
                const bool journalUnsynced = call == Call::Fsync && k >= 3 && calls[size_t(k - 3)] == Call::Rename &&
                                             counted.names[size_t(k - 3)].startsWith(QStringLiteral("domoria.jnl"));
                QVERIFY2(!journalUnsynced || fault != Fault::Error || (!done.ok && snapshot(tf) == before), qPrintable(where));
                QVERIFY2(kill || pending || snapshot(tf) == (done.ok ? after : before), qPrintable(where));
                QVERIFY2(nextStart(tf), qPrintable(where));
                const auto now = snapshot(tf);
                QVERIFY2(kill ? now == before || now == after : now == (done.ok || pending ? after : before),
                         qPrintable(where));
            }
        }
    }

    // A stream of payments, modifies and single charges killed at random
    // moments: each time the next start leaves the ledger and the log in
    // agreement and no apartment torn.
    void killedAtRandom() {
        TestFolder tf;
        house(tf);
        QRandomGenerator rng(20260310);
        int completed = 0;
        for (int i = 0; i < 60; ++i) {
            const quint32 seed = rng.generate();
            QVERIFY(killedChild([&] { stream(tf.folder(), seed); }, rng.bounded(500, 15000)));
            const auto recovery = journaled::recover(tf.folder(), kYear);
            QVERIFY(recovery.ok());
            completed += recovery.state == journaled::Recovery::State::Completed;
            checkBooks(tf);
            if (QTest::currentTestFailed()) return;
            ++kills_;
        }
        qInfo("60 random kills, %d of them between a journal and its writes", completed);
        QVERIFY(!tf.bytes(kYear + QStringLiteral("/Befiz.dat")).isEmpty());
    }

    // A payment's journal left because none of its writes went through:
    // applied twice, the result is the same; cut short or not fitting the
    // files, it is discarded and the files stay as they were.
    void leftJournal() {
        for (const int damage : {0, 1, 2, 3}) {  // none, cut short, a byte changed, of another file
            TestFolder paid, tf;
            house(paid), house(tf);
            QVERIFY(kOperations[0].second(paid.folder()).ok);
            FaultySystem sys;
            sys.failOn(Call::Pwrite, files::Lakasok), sys.failOn(Call::Pwrite, files::Befiz);
            QVERIFY(kOperations[0].second(tf.folder(sys.layer())).message.contains(QStringLiteral("befejezi")));
            const QString name = kYear + QStringLiteral("/domoria.jnl");
            QByteArray journal = tf.bytes(name);
            if (damage == 1) journal.chop(1);
            if (damage == 2) journal[journal.size() / 2] = char(journal[journal.size() / 2] ^ 1);
            if (damage == 3) tf.writeApartments(kYear, {tf.readApartments(kYear)[0]});
            const auto start = snapshot(tf);
            for (int run = 0; run < (damage ? 1 : 2); ++run) {
                tf.writeBytes(name, journal);
                const auto want = damage ? journaled::Recovery::State::Discarded : journaled::Recovery::State::Completed;
                QCOMPARE(journaled::recover(tf.folder(), kYear).state, want);
                QCOMPARE(snapshot(tf), damage ? start : snapshot(paid));
                QVERIFY(!tf.exists(name));
            }
        }
        // Left while the program runs on, the journal is completed by the
        // next write, which was made from the records before the payment:
        // that one is refused, so as not to undo the payment, and goes
        // through when repeated.
        TestFolder paid, tf;
        house(paid), house(tf);
        FaultySystem sys;
        sys.failOn(Call::Pwrite, files::Lakasok), sys.failOn(Call::Pwrite, files::Befiz);
        QVERIFY(kOperations[0].second(tf.folder(sys.layer())).message.contains(QStringLiteral("befejezi")));
        for (const bool repeated : {false, true}) {
            const Done modify = kOperations[3].second(tf.folder());
            QVERIFY2(modify.ok == repeated, qPrintable(modify.message));
            QVERIFY(repeated || modify.message.contains(QStringLiteral("ismételje meg")));
            QVERIFY(kOperations[repeated ? 3 : 0].second(paid.folder()).ok);
            QCOMPARE(snapshot(tf), snapshot(paid));
        }
    }

    // The real file layer on a file system with no room left, then
    // read-only: every write is refused with its message and changes
    // nothing. Needs the right to mount.
    void fullAndReadOnlyDisk() {
        TestFolder tf;
        const QByteArray at = QFile::encodeName(tf.path());
        if (mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("A small file system cannot be mounted here (needs root); the injected failures cover these calls.");
        const auto unmount = qScopeGuard([&] { umount2(at.constData(), MNT_DETACH); });
        house(tf);
        QFile filler(tf.path() + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'x')) == 512) {}
        filler.close();
        for (const bool readOnly : {false, true}) {
            if (readOnly) QCOMPARE(mount(nullptr, at.constData(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
            const auto before = snapshot(tf);
            for (const auto& [name, run] : kOperations) {
                const Done done = run(tf.folder());
                QVERIFY2(!done.ok && !done.message.contains(QStringLiteral("befejezi")), name);
                QVERIFY2(snapshot(tf) == before, name);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
