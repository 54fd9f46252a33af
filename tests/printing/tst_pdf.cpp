// Real output of the Qt printer surface: every report and a balance letter
// with a picture printed into a PDF file and read back (its texts where the
// layout puts them, within 1 mm; its pages and paper; the Liberation fonts
// embedded; a frame line or the picture's box), and every way a document
// can fail reported with no file left behind.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "book/bookreports.h"
#include "letters/letter.h"
#include "register/residentlist.h"
#include "reports/qt/qtsurface.h"
#include "reports/statement.h"
#include "reports/summary.h"
#include "support/pdfcheck.h"
#include "support/testfolder.h"

using Layout = std::function<void(PrinterSurface&)>;
Q_DECLARE_METATYPE(Layout)

namespace {
constexpr double kMm = 25.4 / 72.0;  // one point in millimetres
const QDate kToday(2026, 4, 2);
}  // namespace

class tst_pdf : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    const QString logo_ = dir_.filePath(QStringLiteral("logo.bmp"));
private slots:
    void initTestCase() {
        startup::registerFontSubstitutions();
        if (!pdfcheck::available()) QSKIP(qPrintable(pdfcheck::missingMessage()));
        QImage logo(400, 300, QImage::Format_RGB32);
        logo.fill(QColor(20, 40, 120));
        QVERIFY(logo.save(logo_));
    }

    void reports_data() {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("texts");  // "text@page:x,y|..." in millimetres; y 0: the first line
        QTest::addColumn<QString>("fonts");
        QTest::addColumn<QString>("marks");  // "x,y|..." on page 1: dark within 0.5 mm; "!x,y": not
        // Tab(120) of Times 10 is 119 average characters of 0.401 em; amounts are
        // padded in Courier (0.6 em a character); ";" continues a line.
        const double times10 = 0.401 * 10 * kMm, courier8 = 0.6 * 8 * kMm, courier9 = 0.6 * 9 * kMm, courier12 = 0.6 * 12 * kMm;
        const QString all = QStringLiteral("LiberationMono LiberationMono-Bold LiberationSerif LiberationSerif-Bold");
        // clang-format off
        QTest::newRow("statement") << Layout([](PrinterSurface& s) {
            Lakas l = makeLakas("Kovács Péter", "Fő utca", "12", "3");
            l.KKEloiras(13) = 5000, l.KKEloiras(3) = 1000, l.KKBefizetes(3) = 1500;
            statement::print(s, l, QStringLiteral("2026"), kToday, false);
        }) << 1 << false << QStringLiteral("2026. 04. 02.@1:%1,0|Hónap@1:25,25|Március@1:25,40|1000@1:%2,40|-4500@1:%3,84|"
                                           "Összesen:@1:35,84").arg(119 * times10).arg(70 + 2 * courier8).arg(160 + courier8)
           << all << "115,60|!112,62.5";
        QTest::newRow("summary") << Layout([](PrinterSurface& s) {
            std::vector<summary::Row> rows{{"1111 Budapest, Fő utca 1. 1", "Kiss Ödön", 1234567, 0, -1500, 1, false}};
            for (int i = 2; i <= 45; ++i) rows.push_back({QStringLiteral("1111 Cím %1").arg(i), "Lakó", 1, 1, 0, i, false});
            rows.push_back({"zz ", "Összesen: ", 0, 0, 0, 0, true});
            summary::print(s, rows, QStringLiteral("2026"), kToday);
        }) << 2 << false << QStringLiteral("oldal: 1@1:170,10|2026. évi kimutatás@1:10,10|Lakás@1:12,30|"
                                           "1111 Budapest, Fő utca 1. 1@1:11,35|1234 567@1:%1,35|-1 500@1:%2,35|"
                                           "oldal: 2@2:170,10|Egyenleg@2:177,30|Összesen:@2:82,35")
                                .arg(125 + courier9).arg(179 + 3 * courier9)
           << all << "10,150|!7,152.5";
        QTest::newRow("resident list") << Layout([](PrinterSurface& s) {
            std::vector<Lakas> flats;
            for (int i = 1; i <= 25; ++i) flats.push_back(makeLakas(QStringLiteral("Lakó %1").arg(i), "Fő utca", "1", "2"));
            flats[0].Megj = "Kulcs";
            printResidentList(s, flats, QStringLiteral("1111 Budapest "));
        }) << 2 << true << QStringLiteral("1111 Budapest@1:10,15|Emelet/ajtó@1:110,26|Lakó 1@1:130,30|Megjegyzés:@1:15,34|"
                                          "Kulcs@1:30.5,34|Lakó 21@2:130,30")
           << QStringLiteral("LiberationSerif LiberationSerif-Bold") << "150,54|!147,56.5";
        QTest::newRow("book, both") << Layout([](PrinterSurface& s) {
            book::List l;
            l.rows.push_back({1, makeTetel("Ház", 0, 1234567, QDate(2026, 3, 2), "Bérleti díj")});
            l.bevetel = 1234567;
            book::printReport(s, book::ListKind::KiBe, l, QStringLiteral("2026"), kToday);
        }) << 1 << false << QStringLiteral("2026. évi kimutatás@1:10,10|Bevétel@1:170,30|Bérleti díj@1:31,35|"
                                           "1 234 567@1:%1,35|ÖSSZESEN@1:11,40").arg(172 + 2 * courier9)
           << QStringLiteral("LiberationMono LiberationSerif LiberationSerif-Bold") << "135,37|!132,39.5";
        // Each field at its ruler - 6 mm + the correction (x + 2, y - 3); the
        // amount two blanks in; the picture at its position captions less 3
        // and 4 mm, 48.55 x 36.41 mm: its box within 1 mm.
        const QString logo = logo_;
        QTest::newRow("letter with a picture") << Layout([logo](PrinterSurface& s) {
            letters::LetterPage page{.texts = {}, .xKorr = 2, .yKorr = -3, .fontName = "Courier New",
                                     .picture = {true, logo, 120 * 36.5, 200 * 36.5, 1845, 1383.75}};
            for (auto [field, x, y, text] : {std::tuple{letters::Fejlec, 80, 30, "ÉRTESÍTŐ"},
                                             {letters::NevSor, 30, 100, "Név: Kovács Éva"},
                                             {letters::Szoveg1, 30, 150, "Első sor\nMásodik sor"},
                                             {letters::KKOsszeg, 120, 120, "  12345,-Ft"}})
                page.texts[size_t(field)] = text, page.positions[size_t(field)] = {x * letters::TervezoArany, y * letters::TervezoArany};
            letters::setUpPrinter(s, page);
            letters::printLetter(s, page);
            s.endDoc();
        }) << 1 << false << QStringLiteral("ÉRTESÍTŐ@1:76,21|Név: Kovács Éva@1:26,91|Első sor@1:26,141|Második sor@1:26,146|"
                                           "12345,-Ft@1:%1,111").arg(116 + 2 * courier12)
           << QStringLiteral("LiberationMono") << "117.7,196.7|165.85,231.7|!116,201|!122,195|!166.55,201|!122,233.41";
        // clang-format on
    }

    void reports() {
        QFETCH(Layout, layout); QFETCH(int, pages); QFETCH(bool, landscape); QFETCH(QString, texts);
        QFETCH(QString, fonts); QFETCH(QString, marks);
        const QString pdf = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
        QString error;
        QVERIFY2(pdfcheck::render(pdf, layout, &error), qPrintable(error));
        QCOMPARE(pdfcheck::pageCount(pdf), pages);
        QCOMPARE(qRound(pdfcheck::pageSize(pdf).width()), landscape ? 297 : 210);

        const auto words = pdfcheck::words(pdf);
        QStringList misplaced;
        for (const QString& t : texts.split('|')) {
            const QString text = t.section('@', 0, -2), where = t.section('@', -1);
            const double x = where.section(':', 1).section(',', 0, 0).toDouble(), y = where.section(',', 1).toDouble();
            const auto w = pdfcheck::find(words, text, where.section(':', 0, 0).toInt());
            if (!w || qAbs(w->x - x) > 1 || (y > 0 && qAbs(w->y - y) > 1))
                misplaced << (w ? QStringLiteral("%1 at %2,%3").arg(t).arg(w->x).arg(w->y) : t + QStringLiteral(" missing"));
        }
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(" / ")));

        QCOMPARE(pdfcheck::embeddedFonts(pdf), fonts.split(' '));

        const QImage page = pdfcheck::renderPage(pdf, 1);
        for (const QString& m : marks.split('|')) {
            const double x = m.section(',', 0, 0).remove('!').toDouble(), y = m.section(',', 1).toDouble();
            QVERIFY2(pdfcheck::darkNear(page, 100, x, y) != m.startsWith('!'), qPrintable(m));
        }
    }

    // A file that cannot be written or put in place, a printer that is gone,
    // a print abandoned half-way: each leaves no PDF file (an older file of
    // the name stays as it was); all but the last are reported, naming the
    // file or the printer.
    void failures_data() {
        QTest::addColumn<QString>("target");  // a PDF path in the test folder, "printer:" + name, or "folder:" + a folder's name
        QTest::addColumn<QString>("error");   // "": abandoned
        QTest::newRow("folder missing") << "nincs/lista.pdf" << "A PDF fájl nem írható: ";
        QTest::newRow("a folder of the name") << "folder:lista.pdf" << "A PDF fájl nem írható: ";
        QTest::newRow("printer gone") << "printer:Eltűnt nyomtató" << "A nyomtató nem érhető el: Eltűnt nyomtató";
        QTest::newRow("abandoned") << "regi.pdf" << "";
    }

    void failures() {
        QFETCH(QString, target); QFETCH(QString, error);
        QTemporaryDir tmp;
        QtPrinterSurface s;
        const QString path = tmp.filePath(target.section(':', -1));
        QFile old(path);
        if (target.startsWith("printer:")) s.setPrinterName(target.mid(8));
        else s.setPdfFile(path);
        if (target.startsWith("folder:")) QDir().mkpath(path + "/tele");
        else if (!target.contains(':') && old.open(QIODevice::WriteOnly)) old.write("régi"), old.close();
        s.print({"szöveg"});
        if (error.isEmpty()) s.abortDoc();
        QVERIFY2(error.isEmpty() ? !s.failed() : !s.endDoc() && s.error().startsWith(error), qPrintable(s.error()));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), error.isEmpty() ? QStringList{"regi.pdf"} : QStringList{});
        QVERIFY(!error.isEmpty() || (old.open(QIODevice::ReadOnly) && old.readAll() == "régi"));
    }
};

QTEST_MAIN(tst_pdf)
#include "tst_pdf.moc"
