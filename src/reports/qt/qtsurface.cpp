#include "qtsurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cstdio>

QtPrinterSurface::QtPrinterSurface() {
    printerName_ = QPrinterInfo::defaultPrinterName();
}

QtPrinterSurface::QtPrinterSurface(QPrinter* device) : external_(device) {}

QtPrinterSurface::~QtPrinterSurface() {
    if (painter_ && painter_->isActive()) abandonDocument();
}

QStringList QtPrinterSurface::printers() const {
    return QPrinterInfo::availablePrinterNames();
}

bool QtPrinterSurface::selectPrinter(int index) {
    const QStringList names = printers();
    if (index < 0 || index >= names.size()) return false;
    setPrinterName(names[index]);
    return true;
}

QStringList QtPrinterSurface::fonts() const {
    return QFontDatabase::families();
}

void QtPrinterSurface::setPrinterName(const QString& name) {
    printerName_ = name;
    pdfFile_.clear();
    own_.reset();
    metrics_.reset();
}

void QtPrinterSurface::setPdfFile(const QString& path) {
    pdfFile_ = path;
    printerName_.clear();
    own_.reset();
    metrics_.reset();
}

QString QtPrinterSurface::target() const {
    if (external_)
        return external_->outputFormat() == QPrinter::PdfFormat ? external_->outputFileName()
                                                                : external_->printerName();
    return pdfFile_.isEmpty() ? printerName_ : QDir::toNativeSeparators(pdfFile_);
}

QPrinter& QtPrinterSurface::device() {
    if (external_) return *external_;
    if (!own_) {
        own_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!pdfFile_.isEmpty()) {
            own_->setOutputFormat(QPrinter::PdfFormat);
            own_->setPageSize(QPageSize(QPageSize::A4));
            own_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        } else if (!printerName_.isEmpty()) {
            own_->setPrinterName(printerName_);
        }
    }
    return *own_;
}

const QFontMetricsF& QtPrinterSurface::metrics() {
    if (!metrics_) {
        QFont f(fontName());
        f.setPointSizeF(fontSize() > 0 ? fontSize() : 10.0);
        f.setBold(fontBold());
        if (painter_ && painter_->isActive()) painter_->setFont(f);
        metrics_ = std::make_unique<QFontMetricsF>(f, &device());
    }
    return *metrics_;
}

void QtPrinterSurface::fontChanged() {
    metrics_.reset();
}

double QtPrinterSurface::pxX(double mm) {
    return mm * device().logicalDpiX() / 25.4;
}
double QtPrinterSurface::pxY(double mm) {
    return mm * device().logicalDpiY() / 25.4;
}

bool QtPrinterSurface::beginDocument() {
    if (!external_ && pdfFile_.isEmpty()) {
        if (printerName_.isEmpty()) {
            fail(QStringLiteral("Nincs nyomtató kiválasztva."));
            return false;
        }
        if (QPrinterInfo::printerInfo(printerName_).isNull()) {
            fail(QStringLiteral("A nyomtató nem érhető el: ") + printerName_);
            return false;
        }
    }
    if (!pdfFile_.isEmpty()) {
        // The document goes into a file beside the chosen one first.
        const QFileInfo info(pdfFile_);
        QTemporaryFile part(
            info.absoluteDir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX")));
        part.setAutoRemove(false);
        if (!part.open()) {
            fail(QStringLiteral("A PDF fájl nem írható: ") + QDir::toNativeSeparators(pdfFile_));
            return false;
        }
        partFile_ = part.fileName();
        part.close();
        device().setOutputFileName(partFile_);
    }
    QPrinter& p = device();
    p.setDocName(docName_);
    p.setPageOrientation(orientation() == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&p)) {
        painter_.reset();
        fail((pdfFile_.isEmpty() ? QStringLiteral("A nyomtatás nem indítható el: ")
                                 : QStringLiteral("A PDF fájl nem írható: ")) +
             target());
        cleanUp();
        return false;
    }
    metrics_.reset();
    return true;
}

double QtPrinterSurface::textWidthMm(const QString& text) {
    return metrics().horizontalAdvance(text) * 25.4 / device().logicalDpiX();
}

// A line is the height of the font (ascent and descent), without the gap
// some faces ask between lines.
double QtPrinterSurface::lineHeightMm() {
    return metrics().height() * 25.4 / device().logicalDpiY();
}

// The average width of a character as the classic font tables define it:
// the widths of the lower-case letters and the blank, weighted by how often
// they occur in English text. Newer fonts store an average over all their
// glyphs instead (far wider for the Liberation faces), which would put a
// Tab(120) off the paper.
double QtPrinterSurface::averageCharWidthMm() {
    static constexpr int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                        56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    const QFontMetricsF& fm = metrics();
    double sum = 0;
    for (int i = 0; i < 26; ++i) sum += weights[i] * fm.horizontalAdvance(QChar(u'a' + i));
    sum += weights[26] * fm.horizontalAdvance(QLatin1Char(' '));
    return sum / 1000.0 * 25.4 / device().logicalDpiX();
}

void QtPrinterSurface::drawText(double xMm, double yMm, const QString& text) {
    const double ascent = metrics().ascent();  // sets the painter's font
    painter_->setPen(Qt::black);
    painter_->drawText(QPointF(pxX(xMm), pxY(yMm) + ascent), text);
}

void QtPrinterSurface::drawLine(double x1, double y1, double x2, double y2) {
    QPen pen(Qt::black);
    pen.setWidthF(pxX(0.2));
    painter_->setPen(pen);
    painter_->drawLine(QPointF(pxX(x1), pxY(y1)), QPointF(pxX(x2), pxY(y2)));
}

void QtPrinterSurface::drawPicture(const QString& path, double x, double y, double w, double h) {
    const QImage image(path);
    if (image.isNull()) {
        fail(QStringLiteral("A kép nem tölthető be: ") + QDir::toNativeSeparators(path));
        return;
    }
    painter_->drawImage(QRectF(pxX(x), pxY(y), pxX(w), pxY(h)), image);
}

void QtPrinterSurface::startNewPage() {
    if (!device().newPage()) fail(QStringLiteral("Új lap nem kezdhető: ") + target());
}

bool QtPrinterSurface::finishDocument() {
    const bool ended = painter_->end();
    painter_.reset();
    metrics_.reset();
    if (!ended || device().printerState() == QPrinter::Error || device().printerState() == QPrinter::Aborted) {
        fail((pdfFile_.isEmpty() ? QStringLiteral("A nyomtató nem fogadta el a nyomtatást: ")
                                 : QStringLiteral("A PDF fájl nem írható: ")) +
             target());
        cleanUp();
        return false;
    }
    if (!partFile_.isEmpty()) {
        // Replaces an older file of that name in one step.
        if (QFileInfo(partFile_).size() <= 0 ||
            std::rename(QFile::encodeName(partFile_).constData(), QFile::encodeName(pdfFile_).constData()) != 0) {
            fail(QStringLiteral("A PDF fájl nem írható: ") + target());
            cleanUp();
            return false;
        }
        partFile_.clear();
    }
    own_.reset();  // a later document starts on a fresh printer
    return true;
}

void QtPrinterSurface::abandonDocument() {
    if (painter_ && painter_->isActive()) {
        device().abort();
        painter_->end();
    }
    painter_.reset();
    metrics_.reset();
    cleanUp();
}

void QtPrinterSurface::cleanUp() {
    if (!partFile_.isEmpty()) QFile::remove(partFile_);
    partFile_.clear();
    own_.reset();
    metrics_.reset();
}
