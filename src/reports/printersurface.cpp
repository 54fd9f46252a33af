#include "printersurface.h"

void PrinterSurface::setFontName(const QString& name) {
    fontName_ = name;
    fontChanged();
}

void PrinterSurface::setFontSize(double points) {
    fontSize_ = points;
    fontChanged();
}

void PrinterSurface::setFontBold(bool bold) {
    bold_ = bold;
    fontChanged();
}

double PrinterSurface::lineHeight() { return fromMm(lineHeightMm()); }

bool PrinterSurface::started() {
    if (begun_) return open_;
    begun_ = true;
    error_.clear();  // a new document
    open_ = beginDocument();
    if (!open_) fail(QStringLiteral("A nyomtatás nem indítható el."));
    return open_;
}

void PrinterSurface::print(const QList<PrintItem>& items, bool endLine) {
    const bool ok = started();
    for (const PrintItem& item : items) {
        if (item.tab > 0) {
            const double target = (item.tab - 1) * averageCharWidthMm();
            // A column left of the position is reached on the next line.
            if (target < x_ - 1e-9) y_ += lineHeightMm();
            x_ = target;
            continue;
        }
        if (ok && !item.text.isEmpty()) drawText(x_, y_, item.text);
        x_ += textWidthMm(item.text);
    }
    if (endLine) {
        x_ = 0.0;
        y_ += lineHeightMm();
    }
}

void PrinterSurface::line(double x1, double y1, double x2, double y2) {
    if (started()) drawLine(toMm(x1), toMm(y1), toMm(x2), toMm(y2));
}

void PrinterSurface::paintPicture(const QString& path, double x, double y, double width, double height) {
    if (started()) drawPicture(path, toMm(x), toMm(y), toMm(width), toMm(height));
}

void PrinterSurface::newPage() {
    if (started()) startNewPage();
    ++page_;
    x_ = y_ = 0.0;
}

bool PrinterSurface::endDoc() {
    const bool ok = !begun_ || !open_ || finishDocument();
    if (!ok) fail(QStringLiteral("A nyomtatás nem fejezhető be."));
    const bool success = ok && error_.isEmpty();
    begun_ = open_ = false;
    page_ = 1;
    x_ = y_ = 0.0;
    return success;
}

void PrinterSurface::abortDoc() {
    if (begun_ && open_) abandonDocument();
    begun_ = open_ = false;
    page_ = 1;
    x_ = y_ = 0.0;
}

void PrinterSurface::resetDocument() {
    begun_ = open_ = false;
    page_ = 1;
    x_ = y_ = 0.0;
    error_.clear();
}
