// The yearly summary printed on a real printer queue: a CUPS scheduler of the
// test's own (its own folders and socket) with a queue on the cups-pdf
// backend, which turns every job into a PDF file. The test finds that file,
// checks its pages, and stops the scheduler. It is skipped, saying why, only
// where such a scheduler cannot be started.

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "reports/qt/qtsurface.h"
#include "reports/summary.h"
#include "support/pdfcheck.h"

namespace {

const QString kQueue = QStringLiteral("DomoriaPDF");

// A CUPS scheduler in a temporary folder, listening on a socket there.
class Scheduler {
public:
    ~Scheduler() { stop(); }

    // "" when it runs with the queue set up, else why it cannot.
    QString start() {
        for (const char* program : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin"})
            if (!QFileInfo(QString::fromLatin1(program)).isExecutable())
                return QStringLiteral("%1 is not installed (cups, cups-bsd)").arg(QString::fromLatin1(program));
        if (!QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")) || !QFileInfo::exists(ppd()))
            return QStringLiteral("the cups-pdf backend is not installed (printer-driver-cups-pdf)");
        if (geteuid() != 0) return QStringLiteral("the cups-pdf backend runs only under a scheduler started as root");
        if (!dir_.isValid()) return QStringLiteral("no temporary folder");
        const QString root = dir_.path();
        for (const char* sub : {"etc/ppd", "spool", "tmp", "cache", "state", "log"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        // The filters run as the user lp: they pass through the folder and
        // write their temporary files.
        QFile::setPermissions(root, QFileDevice::Permissions(0x7755));
        QFile::setPermissions(root + QStringLiteral("/tmp"), QFileDevice::Permissions(0x7777));
        write(QStringLiteral("etc/cupsd.conf"),
              QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\nBrowsing No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(socket()));
        write(QStringLiteral("etc/cups-files.conf"),
              QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                             "StateDir %1/state\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                             "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                  .arg(root));
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {QStringLiteral("-f"), QStringLiteral("-c"), root + "/etc/cupsd.conf", QStringLiteral("-s"),
                      root + "/etc/cups-files.conf"});
        if (!cupsd_.waitForStarted(10000)) return QStringLiteral("cupsd does not start");
        QElapsedTimer t;
        t.start();
        while (!QFileInfo::exists(socket()) && t.elapsed() < 15000 && cupsd_.state() == QProcess::Running)
            QTest::qWait(100);
        if (!QFileInfo::exists(socket())) return QStringLiteral("cupsd does not listen: ") + log();
        QProcess admin;
        admin.setProcessEnvironment(environment());
        admin.start(QStringLiteral("/usr/sbin/lpadmin"),
                    {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd()});
        if (!admin.waitForFinished(30000) || admin.exitCode() != 0)
            return QStringLiteral("lpadmin fails: ") + QString::fromLocal8Bit(admin.readAllStandardError());
        return QString();
    }

    void stop() {
        if (cupsd_.state() == QProcess::NotRunning) return;
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) cupsd_.kill(), cupsd_.waitForFinished(5000);
    }

    QString socket() const { return dir_.filePath(QStringLiteral("cups.sock")); }
    QString log() const {
        QFile f(dir_.filePath(QStringLiteral("log/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000)) : QString();
    }

private:
    static QString ppd() { return QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"); }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socket());
        return env;
    }
    void write(const QString& name, const QString& text) const {
        QFile f(dir_.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    }

    QTemporaryDir dir_;
    QProcess cupsd_;
};

// Where cups-pdf puts the files of this user: its "Out" setting, with
// ${HOME} and ${USER} filled in.
QString outputFolder() {
    const passwd* pw = getpwuid(geteuid());
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        const auto m = QRegularExpression(QStringLiteral("^Out\\s+(\\S+)"), QRegularExpression::MultilineOption)
                           .match(QString::fromLocal8Bit(conf.readAll()));
        if (m.hasMatch()) out = m.captured(1);
    }
    return out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(pw->pw_dir))
        .replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(pw->pw_name));
}

}  // namespace

class tst_cups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void summaryOnAQueue();
    void cleanupTestCase();

private:
    Scheduler scheduler_;
};

void tst_cups::initTestCase() {
    startup::registerFontSubstitutions();
    if (!pdfcheck::available()) QSKIP(qPrintable(pdfcheck::missingMessage()));
    const QString why = scheduler_.start();
    if (!why.isEmpty()) QSKIP(qPrintable(QStringLiteral("CUPS cannot be started here: ") + why));
    // The printing service of Qt asks this scheduler (before it is first used).
    qputenv("CUPS_SERVER", scheduler_.socket().toLocal8Bit());
}

void tst_cups::summaryOnAQueue() {
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(kQueue), qPrintable(scheduler_.log()));
    std::vector<summary::Row> rows;
    for (int i = 1; i <= 45; ++i)
        rows.push_back({QStringLiteral("1111 Cím %1").arg(i), "Lakó", 1000, 500, -500, i, false});
    rows.push_back({"zz ", "Összesen: ", 45000, 22500, -22500, 0, true});

    // Every file the backend writes for this test is removed afterwards.
    const QDir out(outputFolder());
    const QStringList before = out.entryList(QDir::Files);
    const auto removeNew = qScopeGuard([&] {
        for (const QString& f : out.entryList(QDir::Files))
            if (!before.contains(f)) QFile::remove(out.filePath(f));
    });
    const QString title = QStringLiteral("domoria-cups-%1").arg(QCoreApplication::applicationPid());
    QtPrinterSurface surface;
    surface.setPrinterName(kQueue);
    surface.setDocumentName(title);
    QVERIFY2(summary::print(surface, rows, QStringLiteral("2026"), QDate(2026, 4, 2)), qPrintable(surface.error()));

    // The backend writes the job into a file named after its title.
    QString pdf;
    QElapsedTimer t;
    t.start();
    while (pdf.isEmpty() && t.elapsed() < 60000) {
        QTest::qWait(250);
        const QStringList found = out.entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
        if (!found.isEmpty() && QFileInfo(out.filePath(found.first())).size() > 0) pdf = out.filePath(found.first());
    }
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no PDF in %1\n%2").arg(out.path(), scheduler_.log())));
    QTest::qWait(500);  // the backend may still be closing the file
    const int pages = pdfcheck::pageCount(pdf);
    const QSizeF size = pdfcheck::pageSize(pdf);
    QCOMPARE(pages, 2);
    QVERIFY(qAbs(size.width() - 210) < 2 || qAbs(size.width() - 216) < 2);  // A4, or Letter where that is the default
}

void tst_cups::cleanupTestCase() {
    scheduler_.stop();
}

QTEST_MAIN(tst_cups)
#include "tst_cups.moc"
