#pragma once
// The surface every printed output is drawn on: fonts and positions set by
// the report, texts printed at the current position, lines, pictures and
// pages. The reports are plain functions over this interface; the Qt surface
// prints on a real printer or into a PDF file, the recording surface keeps
// every operation in millimetres for the tests.
//
// Positions are twips (1440 per inch) until the millimetre scale is chosen;
// the origin is the top left of the printable area, X to the right, Y down.
// The first output starts the document.

#include <QList>
#include <QString>
#include <QStringList>

// One item of a print: a text, or Tab(n), which moves to character column n
// (column 1 is the left edge; a column is the average character width of
// the current font).
struct PrintItem {
    QString text;
    int tab = 0;
    PrintItem(const QString& t) : text(t) {}  // NOLINT: texts are the common items
    PrintItem(const char* t) : text(QString::fromUtf8(t)) {}  // NOLINT
    static PrintItem Tab(int column) {
        PrintItem p{QString()};
        p.tab = column;
        return p;
    }
};

class PrinterSurface {
public:
    enum Scale { Twips = 1, Millimetres = 6 };
    enum Orientation { Portrait = 1, Landscape = 2 };

    virtual ~PrinterSurface() = default;

    // The installed printers' device names in system order; the chosen one.
    virtual QStringList printers() const = 0;
    virtual bool selectPrinter(int index) = 0;
    // The face names the chosen printer offers.
    virtual QStringList fonts() const = 0;

    void setScaleMode(int mode) { scale_ = mode == Millimetres ? Millimetres : Twips; }
    int scaleMode() const { return scale_; }
    // Takes effect for a document not yet started.
    void setOrientation(int o) { orientation_ = o == Landscape ? Landscape : Portrait; }
    int orientation() const { return orientation_; }
    void setFontName(const QString& name);
    const QString& fontName() const { return fontName_; }
    void setFontSize(double points);
    double fontSize() const { return fontSize_; }
    void setFontBold(bool bold);
    bool fontBold() const { return bold_; }

    double currentX() const { return fromMm(x_); }
    double currentY() const { return fromMm(y_); }
    void setCurrentX(double v) { x_ = toMm(v); }
    void setCurrentY(double v) { y_ = toMm(v); }
    // The line height of the current font, in the current scale.
    double lineHeight();

    // Prints the items from the current position. With endLine (a print
    // without a trailing ";") the position then moves to X = 0 and one line
    // height down; without it the position stays just after the last text.
    void print(const QList<PrintItem>& items, bool endLine = true);
    void line(double x1, double y1, double x2, double y2);
    // Draws the picture file scaled into the rectangle.
    void paintPicture(const QString& path, double x, double y, double width, double height);

    // Number of the current page, 1 for the first.
    int page() const { return page_; }
    // Ends the page; output goes on at 0, 0 of the next one.
    void newPage();
    // Ends the document and hands it over. False when that failed (or an
    // earlier step did): error() says what happened, naming the printer or
    // file, until the next document starts. A document with no output hands
    // nothing over and succeeds.
    bool endDoc();
    // Abandons the document (a print the user cancelled): nothing more is
    // handed over, and a file being written is not left behind.
    void abortDoc();
    const QString& error() const { return error_; }
    bool failed() const { return !error_.isEmpty(); }

protected:
    // The implementation's primitives, all in millimetres with the current
    // font (fontName(), fontSize(), fontBold()).
    virtual bool beginDocument() = 0;  // before the first output
    virtual double textWidthMm(const QString& text) = 0;
    virtual double lineHeightMm() = 0;
    virtual double averageCharWidthMm() = 0;
    virtual void drawText(double xMm, double yMm, const QString& text) = 0;  // top left of the text
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawPicture(const QString& path, double x, double y, double w, double h) = 0;
    virtual void startNewPage() = 0;
    virtual bool finishDocument() = 0;
    virtual void abandonDocument() {}
    virtual void fontChanged() {}
    // Records the first failure; later output is still attempted.
    void fail(const QString& message) {
        if (error_.isEmpty()) error_ = message;
    }
    // Forgets the last document (for a surface used again).
    void resetDocument();

private:
    bool started();
    double toMm(double v) const { return scale_ == Millimetres ? v : v * 25.4 / 1440.0; }
    double fromMm(double v) const { return scale_ == Millimetres ? v : v * 1440.0 / 25.4; }

    int scale_ = Twips;
    int orientation_ = Portrait;
    QString fontName_ = QStringLiteral("Times New Roman");
    double fontSize_ = 10.0;
    bool bold_ = false;
    double x_ = 0.0, y_ = 0.0;  // millimetres
    int page_ = 1;
    bool begun_ = false;  // the document has had output
    bool open_ = false;   // ... and could be started
    QString error_;
};
