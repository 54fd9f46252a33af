// Start-up: the data folder's lock, an unwritable folder, the per-user folder
// standing in for the program's own, and the command line.

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

#include <optional>
#include <unistd.h>

#include "app/startup.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The lock file a copy on `host` with process `pid` leaves (QLockFile's form).
QByteArray lockOf(qint64 pid, const QString& host) {
    return QByteArray::number(pid) + "\ndomoria\n" + host.toUtf8() + "\n";
}

// While it lives, the process cannot write where only its owner may: as
// root, by working as "nobody"; otherwise by a folder without write bits.
struct Unwritable {
    QString folder;
    explicit Unwritable(const QString& f) : folder(f) {
        if (::geteuid() != 0) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        else if (::setegid(65534) != 0 || ::seteuid(65534) != 0) qFatal("cannot become nobody");
    }
    ~Unwritable() {
        if (::getuid() != 0) QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else if (::seteuid(0) != 0 || ::setegid(0) != 0) qFatal("cannot become root again");
    }
};

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // A lock no running copy holds is taken over; one held here or on another
    // computer refuses with the computer, the lock file and when it may go,
    // touching nothing.
    void lock_data() {
        QTest::addColumn<QByteArray>("existing");  // the lock file before; "-": none, "self": held by this process
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("host");
        const QString here = QSysInfo::machineHostName();
        using S = DataLock::Status;
        const auto row = [](const char* name, const QByteArray& lock, S s, const QString& host) {
            QTest::newRow(name) << lock << int(s) << host;
        };
        row("no lock", "-", S::Locked, ""), row("empty, after a power cut", "", S::Locked, "");
        row("garbage", QByteArray("\0\xff\xfe zz\n\n", 8), S::Locked, "");
        row("process gone", lockOf(2147480000, here), S::Locked, ""), row("running here", "self", S::HeldHere, here);
        row("another computer", lockOf(4242, "konyvelo-gep"), S::HeldElsewhere, "konyvelo-gep");
    }
    void lock() {
        QFETCH(QByteArray, existing); QFETCH(int, status); QFETCH(QString, host);
        TestFolder t;
        const QString path = lockFilePath(t.path());
        QLockFile self(path);
        if (existing == "self") QVERIFY(self.tryLock(0));
        else if (existing != "-") t.writeBytes("domoria.lock", existing);
        const QStringList before = entries(t.path());
        const QByteArray bytes = t.bytes("domoria.lock");
        ScriptedDialogs dlg;
        const DataLock lock = startup::openDataFolder({t.path(), QString()});
        QCOMPARE(int(lock.status), status);
        if (lock) {
            QVERIFY(dlg.shown.empty() && t.bytes("domoria.lock").startsWith(QByteArray::number(qApp->applicationPid())));
            return;
        }
        QCOMPARE(dlg.texts(), QStringList{"message|Domoria program|" + lock.message});
        for (const QString& word : {host, QDir::toNativeSeparators(path), QStringLiteral("törölhető")})
            QVERIFY2(lock.message.contains(word), qPrintable(lock.message));
        QVERIFY(entries(t.path()) == before && t.bytes("domoria.lock") == bytes);
    }

    // An unwritable folder, or one that cannot be made, is named as such,
    // and nothing is touched.
    void unwritableFolder() {
        TestFolder t;
        t.writeBytes("Set.dat", "2024\0\0");
        const QStringList before = entries(t.path());
        for (const QString& folder : {t.path(), QDir(t.path()).filePath("Set.dat/adatok")}) {
            ScriptedDialogs dlg;
            std::optional<Unwritable> guard(std::in_place, t.path());
            const DataLock lock = startup::openDataFolder({folder, QString()});
            guard.reset();
            QVERIFY(!lock && dlg.shown.size() == 1 && dlg.shown[0].icon == Dialogs::Icon::Critical);
            QVERIFY2(dlg.shown[0].text.startsWith("Az adatmappa nem írható:\n" + QDir::toNativeSeparators(folder)),
                     qPrintable(dlg.shown[0].text));
            QCOMPARE(entries(t.path()), before);
        }
    }

    // The program's own folder when it is writable; else the per-user
    // folder, whose first start names both.
    void dataFolderChoice() {
        TestFolder program, user;
        QCOMPARE(startup::chooseDataFolder(program.path(), user.path()).path, program.path());
        {
            const Unwritable guard(program.path());
            const startup::DataFolderChoice readOnly = startup::chooseDataFolder(program.path(), user.path());
            QCOMPARE(readOnly.path + '|' + readOnly.unwritableProgramFolder, user.path() + '|' + program.path());
        }
        const QString missing = QDir(program.path()).filePath("nincs");
        const startup::DataFolderChoice choice = startup::chooseDataFolder(missing, user.path());
        QCOMPARE(choice.path + '|' + choice.unwritableProgramFolder, user.path() + '|' + missing);
        for (const bool first : {true, false}) {
            ScriptedDialogs dlg;
            QVERIFY(startup::openDataFolder(choice));
            QVERIFY(dlg.shown.size() == size_t(first));
            QVERIFY(!first || (dlg.shown[0].text.contains(missing) && dlg.shown[0].text.contains(user.path())));
            user.writeBytes(files::Set, "2026\0\0");
        }
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("output");  // the data folder, or words of the text
        using A = startup::CommandLine::Action;
        QTest::newRow("none") << QStringList{} << int(A::Run) << "";
        QTest::newRow("data folder") << QStringList{"--data-folder", "/srv/hazak/rozsa"} << int(A::Run) << "/srv/hazak/rozsa";
        QTest::newRow("help") << QStringList{"-h"} << int(A::Help) << "Használat: domoria|--data-folder <mappa>";
        QTest::newRow("unknown") << QStringList{"--adatok"} << int(A::Error) << "Ismeretlen kapcsoló: adatok";
        QTest::newRow("folder missing") << QStringList{"--data-folder"} << int(A::Error) << "meg kell adni a mappát";
        QTest::newRow("extra argument") << QStringList{"2026"} << int(A::Error) << "Fölösleges argumentum: 2026";
    }
    void commandLine() {
        QFETCH(QStringList, arguments); QFETCH(int, action); QFETCH(QString, output);
        const startup::CommandLine c = startup::parseCommandLine(QStringList{"/opt/Domoria/domoria"} + arguments);
        QCOMPARE(int(c.action), action);
        const bool run = c.action == startup::CommandLine::Action::Run;
        for (const QString& words : output.split('|'))
            QVERIFY2(run ? c.dataFolder == words : c.text.contains(words), qPrintable(c.dataFolder + c.text));
    }

    // The program prints help and version without a window system and
    // without touching its folder, which would be its data folder.
    void programPrintsWithoutWindow() {
        const QString exe = QStringLiteral(DOMORIA_EXE);
        const QStringList before = entries(QFileInfo(exe).path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(var);
        for (const char* option : {"--version", "--help"}) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(exe, {option});
            QVERIFY(p.waitForFinished(20000) && p.exitCode() == 0);
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY2(out.contains(option[2] == 'v' ? "verzió: " DOMORIA_VERSION : "Kapcsolók:"), qPrintable(out));
        }
        QCOMPARE(entries(QFileInfo(exe).path()), before);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
