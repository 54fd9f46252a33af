// The yearly summary printed on a real printer queue: a CUPS scheduler of the
// test's own (its own folders and socket) with a queue on the cups-pdf
// backend, which turns every job into a PDF file. The test finds that file,
// checks its pages and removes it, and stops the scheduler. It is skipped,
// saying why, only where such a scheduler cannot be started.

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "reports/qt/qtsurface.h"
#include "reports/summary.h"
#include "support/pdfcheck.h"

namespace {
const QString kQueue = QStringLiteral("DomoriaPDF");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
}  // namespace

class tst_cups : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QProcess cupsd_;

    QString log() const {
        QFile f(dir_.filePath(QStringLiteral("log/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000)) : QString();
    }
    // "" when the scheduler runs with the queue, else why it cannot.
    QString startScheduler() {
        for (const char* file : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/lib/cups/backend/cups-pdf"})
            if (!QFileInfo::exists(QString::fromLatin1(file)) || !QFileInfo::exists(kPpd))
                return QStringLiteral("%1 or the cups-pdf driver is not installed").arg(QString::fromLatin1(file));
        if (geteuid() != 0) return QStringLiteral("the cups-pdf backend runs only under a scheduler started as root");
        const QString root = dir_.path();
        for (const char* sub : {"etc/ppd", "spool", "tmp", "cache", "state", "log"}) QDir(root).mkpath(QString::fromLatin1(sub));
        // The filters run as the user lp: they pass through and write temporary files.
        QFile::setPermissions(root, QFileDevice::Permissions(0x7755));
        QFile::setPermissions(root + "/tmp", QFileDevice::Permissions(0x7777));
        for (const auto& [name, text] : {std::pair{"cupsd.conf", "Listen %1/cups.sock\nWebInterface No\nBrowsing No\n"
                                                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"},
                                         {"cups-files.conf", "ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                                                             "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                                                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"}}) {
            QFile f(root + "/etc/" + name);
            if (!f.open(QIODevice::WriteOnly) || f.write(QString::fromLatin1(text).arg(root).toUtf8()) <= 0) return f.errorString();
        }
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"), {"-f", "-c", root + "/etc/cupsd.conf", "-s", root + "/etc/cups-files.conf"});
        QElapsedTimer t;
        t.start();
        while (!QFileInfo::exists(root + "/cups.sock") && t.elapsed() < 15000 && cupsd_.waitForStarted(100)) QTest::qWait(100);
        if (!QFileInfo::exists(root + "/cups.sock")) return QStringLiteral("cupsd does not start: ") + log();
        qputenv("CUPS_SERVER", (root + "/cups.sock").toLocal8Bit());  // for lpadmin and for Qt's printing
        if (QProcess::execute(QStringLiteral("/usr/sbin/lpadmin"), {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P", kPpd}) != 0)
            return QStringLiteral("lpadmin fails: ") + log();
        return QString();
    }

private slots:
    void initTestCase() {
        startup::registerFontSubstitutions();
        if (!pdfcheck::available()) QSKIP(qPrintable(pdfcheck::missingMessage()));
        const QString why = startScheduler();
        if (!why.isEmpty()) QSKIP(qPrintable(QStringLiteral("CUPS cannot be started here: ") + why));
    }

    void summaryOnAQueue() {
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(kQueue), qPrintable(log()));
        std::vector<summary::Row> rows(45, summary::Row{"1111 Cím", "Lakó", 1000, 500, -500, 1, false});
        rows.push_back({"zz ", "Összesen: ", 45000, 22500, -22500, 0, true});
        // Every file the backend writes for this test is removed afterwards.
        const QDir out(QString::fromLocal8Bit(getpwuid(geteuid())->pw_dir) + "/PDF");  // cups-pdf's "Out ${HOME}/PDF"
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
        // The backend names the file after the job's title.
        QString pdf;
        QElapsedTimer t;
        t.start();
        while (pdf.isEmpty() && t.elapsed() < 60000) {
            QTest::qWait(250);
            const QStringList found = out.entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
            if (!found.isEmpty() && QFileInfo(out.filePath(found.first())).size() > 0) pdf = out.filePath(found.first());
        }
        QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no PDF in %1\n%2").arg(out.path(), log())));
        QTest::qWait(500);  // the backend may still be closing the file
        QCOMPARE(pdfcheck::pageCount(pdf), 2);
    }

    void cleanupTestCase() {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) cupsd_.kill(), cupsd_.waitForFinished(5000);
    }
};

QTEST_MAIN(tst_cups)
#include "tst_cups.moc"
