// The Qt printer surface writes real pages: texts where the layout puts them
// (millimetres, within 1 mm), in the Liberation faces that stand for the
// names the layouts use, embedded; lines; pages and orientation; and every
// way a document can fail is reported, leaving no file behind.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "reports/qt/qtsurface.h"
#include "support/pdfcheck.h"

class tst_qtsurface : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void textsLinesAndPages();
    void failures_data();
    void failures();

private:
    QTemporaryDir dir_;
};

void tst_qtsurface::initTestCase() {
    startup::registerFontSubstitutions();
    if (!pdfcheck::available()) QSKIP(qPrintable(pdfcheck::missingMessage()));
}

void tst_qtsurface::textsLinesAndPages() {
    const QString pdf = dir_.filePath(QStringLiteral("surface.pdf"));
    QString error;
    QVERIFY(pdfcheck::render(
        pdf,
        [](PrinterSurface& s) {
            s.setOrientation(PrinterSurface::Landscape);
            s.setFontName(QStringLiteral("Times New Roman CE"));
            s.setFontSize(12);
            s.setCurrentY(1440);  // twips: one inch down
            s.print({PrintItem::Tab(10), "Tizedik ", "oszlop"});
            s.setScaleMode(PrinterSurface::Millimetres);
            s.setCurrentX(10);
            s.setCurrentY(40);
            s.print({"Első", " "}, false);
            s.print({"sor"});
            s.setFontName(QStringLiteral("Courier New"));
            s.setFontSize(9);
            s.setCurrentX(150);
            s.setCurrentY(60);
            s.print({"1234 567"});
            s.line(10, 80, 280, 80);
            s.newPage();
            s.setFontName(QStringLiteral("Times New Roman"));
            s.setFontBold(true);
            s.setCurrentX(170);
            s.setCurrentY(10);
            s.print({"oldal: 2"});
            QVERIFY(s.endDoc());
        },
        &error));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QCOMPARE(pdfcheck::pageCount(pdf), 2);
    const QSizeF size = pdfcheck::pageSize(pdf);
    QVERIFY(qAbs(size.width() - 297) < 1 && qAbs(size.height() - 210) < 1);

    const auto words = pdfcheck::words(pdf);
    const auto near = [&](const QString& text, int page, double x, double y) {
        const auto w = pdfcheck::find(words, text, page);
        if (!w) return QStringLiteral("%1 not found").arg(text);
        if (qAbs(w->x - x) > 1 || qAbs(w->y - y) > 1)
            return QStringLiteral("%1 at %2, %3 instead of %4, %5").arg(text).arg(w->x).arg(w->y).arg(x).arg(y);
        return QString();
    };
    QCOMPARE(near(QStringLiteral("Első sor"), 1, 10, 40), QString());
    QCOMPARE(near(QStringLiteral("1234 567"), 1, 150, 60), QString());
    QCOMPARE(near(QStringLiteral("oldal: 2"), 2, 170, 10), QString());
    // Tab(10) is nine average characters from the left edge, one inch down;
    // a Times character is 0.401 of the size wide on average (12 pt: 1.70 mm).
    QCOMPARE(near(QStringLiteral("Tizedik"), 1, 9 * 0.401 * 12 * 25.4 / 72, 25.4), QString());
    // The ";" continuation: "sor" follows "Első " on the same line.
    const auto first = pdfcheck::find(words, QStringLiteral("Első"), 1), second = pdfcheck::find(words, QStringLiteral("sor"), 1);
    QVERIFY(first && second && second->x > first->x2 && qAbs(second->y - first->y) < 0.5);

    QStringList embedded;
    for (const auto& f : pdfcheck::fonts(pdf))
        if (f.embedded) embedded << f.name;
    for (const char* face : {"LiberationSerif", "LiberationMono", "LiberationSerif-Bold"})
        QVERIFY2(embedded.contains(QString::fromLatin1(face)), qPrintable(embedded.join(',')));

    const QImage page = pdfcheck::renderPage(pdf, 1);
    QVERIFY(pdfcheck::darkNear(page, 100, 145, 80));
    QVERIFY(!pdfcheck::darkNear(page, 100, 145, 85));
}

// A document that cannot be written, a printer that is gone, a print
// abandoned half-way: each is reported with what it names, and no PDF file
// is left behind (an older file of the name stays as it was).
void tst_qtsurface::failures_data() {
    QTest::addColumn<QString>("target");  // a PDF path (relative to the test folder) or "printer:" + name
    QTest::addColumn<bool>("abandon");
    QTest::addColumn<QString>("error");  // the start of the message
    QTest::newRow("folder missing") << "nincs/lista.pdf" << false << "A PDF fájl nem írható: ";
    QTest::newRow("printer gone") << "printer:Eltűnt nyomtató" << false << "A nyomtató nem érhető el: Eltűnt nyomtató";
    QTest::newRow("abandoned") << "regi.pdf" << true << "";
}

void tst_qtsurface::failures() {
    QFETCH(QString, target);
    QFETCH(bool, abandon);
    QFETCH(QString, error);
    QTemporaryDir tmp;
    QtPrinterSurface s;
    const bool printer = target.startsWith(QLatin1String("printer:"));
    const QString path = tmp.filePath(target);
    if (printer) {
        s.setPrinterName(target.mid(8));
    } else {
        s.setPdfFile(path);
        QFile old(path);
        if (old.open(QIODevice::WriteOnly)) old.write("régi");
    }
    s.print({"szöveg"});
    if (abandon) {
        s.abortDoc();
        QVERIFY(!s.failed());
    } else {
        QVERIFY(!s.endDoc());
        QVERIFY2(s.error().startsWith(error), qPrintable(s.error()));
        if (!printer) QVERIFY(s.error().endsWith(QDir::toNativeSeparators(path)));
    }
    QDir folder(tmp.path());
    const QStringList left = folder.entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, abandon ? QStringList{QStringLiteral("regi.pdf")} : QStringList{});
    if (abandon) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("régi"));
    }
}

QTEST_MAIN(tst_qtsurface)
#include "tst_qtsurface.moc"
