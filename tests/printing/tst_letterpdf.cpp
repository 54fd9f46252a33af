// A balance letter with a picture written into a PDF file: the texts stand
// where the designer's rulers and corrections put them and the picture fills
// its box, each within 1 mm; the journal records the letter.

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "letters/printing.h"
#include "reports/qt/qtsurface.h"
#include "store/recordfile.h"
#include "support/pdfcheck.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

// The size in millimetres of the images on page 1 (pdfimages -list: pixels
// and pixels per inch).
std::vector<QSizeF> imageSizes(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    p.waitForFinished(60000);
    std::vector<QSizeF> out;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        if (f.size() < 14 || f[0] != QLatin1String("1") || f[2] != QLatin1String("image")) continue;
        out.emplace_back(f[3].toDouble() / f[12].toDouble() * 25.4, f[4].toDouble() / f[13].toDouble() * 25.4);
    }
    return out;
}

}  // namespace

class tst_letterpdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        startup::registerFontSubstitutions();
        if (!pdfcheck::available() || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP(qPrintable(pdfcheck::missingMessage()));
    }
    void letterWithPicture();
};

void tst_letterpdf::letterWithPicture() {
    TestFolder data;
    Lakas l =
        makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2/5"));
    l.KKEloiras(1) = 12345;
    data.writeApartments(QStringLiteral("2026"), {l});
    QTemporaryDir dir;
    QImage logo(400, 300, QImage::Format_RGB32);
    logo.fill(QColor(20, 40, 120));
    const QString logoPath = dir.filePath(QStringLiteral("logo.bmp"));
    QVERIFY(logo.save(logoPath));

    LetterPage page;
    page.positions[Fejlec] = Pos{80 * TervezoArany, 30 * TervezoArany};
    page.positions[NevSor] = Pos{30 * TervezoArany, 100 * TervezoArany};
    page.positions[Szoveg1] = Pos{30 * TervezoArany, 150 * TervezoArany};
    page.positions[KKOsszeg] = Pos{120 * TervezoArany, 120 * TervezoArany};
    page.texts[Fejlec] = QStringLiteral("ÉRTESÍTŐ");
    page.texts[NevSor] = QStringLiteral("Név: Kovács Éva");
    page.texts[Szoveg1] = QStringLiteral("Első sor\nMásodik sor");
    page.texts[KKOsszeg] = letterAmount(12345);
    page.xKorr = 2;
    page.yKorr = -3;
    page.fontName = QStringLiteral("Courier New");
    page.picture = LetterPicture{true, logoPath, 120 * 36.5, 200 * 36.5, 1845, 1383.75};

    const QString pdf = dir.filePath(QStringLiteral("level.pdf"));
    QtPrinterSurface surface;
    surface.setPdfFile(pdf);
    const RunResult r =
        printSelected(surface, data.folder(),
                      LetterRun{QStringLiteral("2026"), QStringLiteral("Próba"), QDate(2026, 3, 15)}, 1, page);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.recorded, 1);
    QCOMPARE(RecordFile<Naplo>(data.folder().yearFile(QStringLiteral("2026"), files::NaploFile)).count(), 1);

    // Texts: the ruler - 6 mm + the correction (x + 2, y - 3).
    const auto words = pdfcheck::words(pdf);
    const auto at = [&](const QString& text, double x, double y) {
        const auto w = pdfcheck::find(words, text);
        if (!w) return text + QStringLiteral(" not found");
        if (qAbs(w->x - x) > 1 || qAbs(w->y - y) > 1)
            return QStringLiteral("%1 at %2, %3 instead of %4, %5").arg(text).arg(w->x).arg(w->y).arg(x).arg(y);
        return QString();
    };
    QCOMPARE(at(QStringLiteral("ÉRTESÍTŐ"), 80 - 6 + 2, 30 - 6 - 3), QString());
    QCOMPARE(at(QStringLiteral("Név: Kovács Éva"), 30 - 6 + 2, 100 - 6 - 3), QString());
    QCOMPARE(at(QStringLiteral("Első sor"), 30 - 6 + 2, 150 - 6 - 3), QString());
    const auto second = pdfcheck::find(words, QStringLiteral("Második sor"));
    QVERIFY(second && second->y > 150 - 6 - 3 + 3);  // a line below
    // The amount, padded with two blanks in a monospaced face: two characters in.
    const auto amount = pdfcheck::find(words, QStringLiteral("12345,-Ft"));
    QVERIFY(amount);
    const double charWidth = (amount->x2 - amount->x) / 9;
    QVERIFY(qAbs(amount->x - (120 - 6 + 2 + 2 * charWidth)) < 1);

    // The picture: at its position captions less 3 and 4 mm, 48.55 x 36.41 mm.
    const PictureBox box = pictureBox(page.picture);
    QCOMPARE((QList<double>{box.x, box.y}), (QList<double>{117, 196}));
    const auto sizes = imageSizes(pdf);
    QCOMPARE(sizes.size(), size_t(1));
    QVERIFY2(qAbs(sizes[0].width() - 48.553) < 1 && qAbs(sizes[0].height() - 36.414) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(sizes[0].width()).arg(sizes[0].height())));
    const int dpi = 150;
    const QImage rendered = pdfcheck::renderPage(pdf, 1, dpi);
    for (const auto& [x, y, inside] :
         {std::tuple{box.x + 0.7, box.y + 0.7, true},
          std::tuple{box.x + box.width - 0.7, box.y + box.height - 0.7, true},
          std::tuple{box.x - 1.0, box.y + 5, false}, std::tuple{box.x + 5, box.y - 1.0, false},
          std::tuple{box.x + box.width + 1.0, box.y + 5, false},
          std::tuple{box.x + 5, box.y + box.height + 1.0, false}})
        QVERIFY2(pdfcheck::darkNear(rendered, dpi, x, y) == inside, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
}

QTEST_MAIN(tst_letterpdf)
#include "tst_letterpdf.moc"
