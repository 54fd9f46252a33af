#pragma once
// Reading a printed PDF file back with the poppler tools (pdftotext,
// pdffonts, pdfinfo, pdftoppm), so that tests can check real output: the
// words and where they stand in millimetres, the pages, the fonts embedded,
// and the dark pixels of a rendered page.

#include <QImage>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class PrinterSurface;

namespace pdfcheck {

// True when the poppler tools are installed; tests skip with missingMessage() otherwise.
bool available();
inline const char* missingMessage() {
    return "poppler-utils (pdftotext, pdffonts, pdfinfo, pdftoppm) is not installed";
}

// Renders a layout through the Qt printer surface into a PDF file; false
// with the surface's error when the document could not be written.
bool render(const QString& pdfPath, const std::function<void(PrinterSurface&)>& layout, QString* error = nullptr);

struct Word {
    QString text;
    int page = 1;
    double x = 0, y = 0, x2 = 0, y2 = 0;  // millimetres from the top left of the page
};
// Every word of the file in reading order (pdftotext -bbox).
std::vector<Word> words(const QString& pdfPath);
// A text of one or more words, as consecutive words of one page (0: any
// page); its box spans them all.
std::optional<Word> find(const std::vector<Word>& words, const QString& text, int page = 0);

int pageCount(const QString& pdfPath);
QSizeF pageSize(const QString& pdfPath);  // of page 1, in millimetres
// The names of the fonts embedded, without their subset prefix, each once, sorted.
QStringList embeddedFonts(const QString& pdfPath);

// One page rendered at the resolution given (pdftoppm).
QImage renderPage(const QString& pdfPath, int page, int dpi = 100);
// True when the page image has a dark pixel within 0.5 mm of the point.
bool darkNear(const QImage& page, int dpi, double xMm, double yMm);

}  // namespace pdfcheck
