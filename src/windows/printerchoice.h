#pragma once
// Where a print goes, for every window that prints.
//
// A window with a "Nyomtató:" combo fills it with fillPrinterCombo (the
// system's printers, the default one chosen, then "PDF fájl...") and prints
// with printToChoice. A print without a combo (a menu item) goes through
// PrintDialogs::preview: the standard print preview dialog, whose print
// button opens the standard print dialog. Every failure is shown in a
// "Hiba" message naming the printer or the file; a cancelled choice prints
// nothing and writes no file.

#include <QString>
#include <functional>
#include <memory>

#include "reports/printersurface.h"
#include "reports/progress.h"

class QComboBox;
class QWidget;

namespace printing {

// A report drawn on a surface, ending its document itself (endDoc, or
// abortDoc when the progress callback says stop).
using Layout = std::function<void(PrinterSurface&, const PrintProgress&)>;

// The dialogs that choose where a print or a saved file goes. The program
// uses the standard Qt dialogs; tests install scripted ones.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // The name of a file to write ("" when cancelled); `suggested` is a
    // file name, `filter` the file-type filter of the dialog, `suffix` the
    // extension ("pdf") the dialog adds to a name typed without one.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                                 const QString& suffix) = 0;
    // Shows the pages in the standard print preview dialog; its print button
    // opens the standard print dialog. True when the pages were printed.
    virtual bool preview(QWidget* parent, const QString& title, const Layout& layout) = 0;
    // The standard print dialog (the system's printers and printing into a
    // PDF file), then the pages on the choice. True when they were printed.
    virtual bool print(QWidget* parent, const QString& title, const Layout& layout) = 0;

    static PrintDialogs& current();
    // Installs d (not owned); nullptr restores the standard dialogs.
    static void install(PrintDialogs* d);
};

class QtPrintDialogs : public PrintDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                         const QString& suffix) override;
    bool preview(QWidget* parent, const QString& title, const Layout& layout) override;
    bool print(QWidget* parent, const QString& title, const Layout& layout) override;
};

// The entry after the printers that prints into a PDF file.
QString pdfEntry();

// Fills a "Nyomtató:" combo: the installed printers in system order with the
// default one chosen (else the last one), then "PDF fájl...", which is the
// choice when no printer is installed.
void fillPrinterCombo(QComboBox* combo);

// The name with ".<suffix>" added when it has no such extension (any case).
QString withSuffix(const QString& fileName, const QString& suffix);

// Asks for a file through PrintDialogs, with the suffix added; "" when
// cancelled. `suggested` is a file name; the folder offered is the one last
// used during this run, else the user's documents folder.
QString askFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                    const QString& suffix);

// A surface for the combo's choice: the printer of that name, or a PDF file
// asked for here (`pdfName` is the name suggested). nullptr when the file
// choice was cancelled.
std::unique_ptr<PrinterSurface> surfaceForChoice(QComboBox* combo, QWidget* parent, const QString& pdfName);

// Runs the layout on the surface with a busy cursor and, for long prints, a
// progress dialog that can cancel. A failure is shown in a "Hiba" message.
// True when the document was handed over.
bool run(PrinterSurface& surface, QWidget* parent, const Layout& layout);

// The combo's choice, then run: what a print button does.
bool printToChoice(QComboBox* combo, QWidget* parent, const QString& pdfName, const Layout& layout);

}  // namespace printing
