#pragma once
// The printer surface on a real printer (through the system's printing
// service) or into a PDF file, drawn with QPainter on a QPrinter.
//
// The faces the layouts name ("Times New Roman", "Times New Roman CE",
// "Courier New") are asked for by name; the application registers the
// Liberation fonts as their substitutes at start.
//
// Positions are kept in millimetres by PrinterSurface; here they become
// device pixels of the printer. The origin is the top left corner of the
// printable area: for a printer the area its driver reports, for a PDF file
// the page itself (a PDF file has no margins).

#include <QString>
#include <memory>

#include "reports/printersurface.h"

class QPainter;
class QPrinter;
class QFontMetricsF;

class QtPrinterSurface : public PrinterSurface {
public:
    // Prints on the system's default printer (none when no printer is
    // installed: choose one or a PDF file before printing).
    QtPrinterSurface();
    // Draws on a printer that a print or preview dialog set up (not owned).
    explicit QtPrinterSurface(QPrinter* device);
    ~QtPrinterSurface() override;

    QStringList printers() const override;
    bool selectPrinter(int index) override;
    QStringList fonts() const override;

    // Prints on the installed printer of this name.
    void setPrinterName(const QString& name);
    // Writes the document into a PDF file on A4 paper instead. The file
    // appears only when the whole document was written; a document that
    // failed or was abandoned leaves an older file of that name as it was.
    void setPdfFile(const QString& path);
    // The name the printing service shows for the job.
    void setDocumentName(const QString& name) { docName_ = name; }

    // The printer's name or the PDF file, as messages name it.
    QString target() const;

protected:
    bool beginDocument() override;
    double textWidthMm(const QString& text) override;
    double lineHeightMm() override;
    double averageCharWidthMm() override;
    void drawText(double xMm, double yMm, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QString& path, double x, double y, double w, double h) override;
    void startNewPage() override;
    bool finishDocument() override;
    void abandonDocument() override;
    void fontChanged() override;

private:
    QPrinter& device();
    const QFontMetricsF& metrics();
    double pxX(double mm);
    double pxY(double mm);
    void cleanUp();

    std::unique_ptr<QPrinter> own_;  // the printer made here (not for a dialog's printer)
    QPrinter* external_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QFontMetricsF> metrics_;
    QString printerName_;
    QString pdfFile_;
    QString partFile_;  // the PDF being written, renamed to pdfFile_ when complete
    QString docName_ = QStringLiteral("Domoria");
};
