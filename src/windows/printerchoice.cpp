#include "printerchoice.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QStandardPaths>

#include "reports/qt/qtsurface.h"
#include "windows/dialogs.h"

namespace printing {

namespace {
PrintDialogs* g_installed = nullptr;
QString g_lastFolder;  // where the last file was saved during this run

void showFailure(QWidget* parent, const QString& error) {
    Dialogs::current().message(parent, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
}
}  // namespace

PrintDialogs& PrintDialogs::current() {
    static QtPrintDialogs real;
    return g_installed ? *g_installed : real;
}

void PrintDialogs::install(PrintDialogs* d) {
    g_installed = d;
}

QString QtPrintDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                     const QString& filter, const QString& suffix) {
    QFileDialog dlg(parent, title, suggested, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(suffix);
    if (dlg.exec() != QDialog::Accepted) return QString();
    return dlg.selectedFiles().value(0);
}

bool QtPrintDialogs::preview(QWidget* parent, const QString& title, const Layout& layout) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dlg(&printer, parent);
    dlg.setWindowTitle(title);
    QString error;
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter* device) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QtPrinterSurface surface(device);
        surface.setDocumentName(title);
        layout(surface, {});
        error = surface.error();
        QApplication::restoreOverrideCursor();
    });
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        dlg.resize(std::min(1000, avail.width() - 40), std::min(720, avail.height() - 60));
    }
    const bool printed = dlg.exec() == QDialog::Accepted;
    if (printed && !error.isEmpty()) showFailure(parent, error);
    return printed && error.isEmpty();
}

bool QtPrintDialogs::print(QWidget* parent, const QString& title, const Layout& layout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle(title);
    if (dlg.exec() != QDialog::Accepted) return false;
    QtPrinterSurface surface(&printer);
    surface.setDocumentName(title);
    return run(surface, parent, layout);
}

QString pdfEntry() {
    return QStringLiteral("PDF fájl...");
}

void fillPrinterCombo(QComboBox* combo) {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    combo->clear();
    combo->addItems(names);
    combo->addItem(pdfEntry());
    const auto def = names.indexOf(QPrinterInfo::defaultPrinterName());
    combo->setCurrentIndex(def >= 0 ? static_cast<int>(def) : std::max(0, static_cast<int>(names.size()) - 1));
}

QString withSuffix(const QString& fileName, const QString& suffix) {
    if (QFileInfo(fileName).suffix().compare(suffix, Qt::CaseInsensitive) == 0) return fileName;
    return fileName + QLatin1Char('.') + suffix;
}

QString askFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                    const QString& suffix) {
    QString folder = g_lastFolder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    // A name (a resident's, a year text) never reaches into another folder.
    QString file = suggested;
    for (QChar c : QStringLiteral("/\\:*?\"<>|")) file.replace(c, QLatin1Char('-'));
    const QString name = PrintDialogs::current().saveFileName(
        parent, title, QDir(folder).filePath(withSuffix(file, suffix)), filter, suffix);
    if (name.trimmed().isEmpty()) return QString();
    const QString path = withSuffix(name, suffix);
    g_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

std::unique_ptr<PrinterSurface> surfaceForChoice(QComboBox* combo, QWidget* parent, const QString& pdfName) {
    auto surface = std::make_unique<QtPrinterSurface>();
    surface->setDocumentName(pdfName);
    if (combo->currentText() == pdfEntry()) {
        const QString path = askFileName(parent, QStringLiteral("PDF fájl mentése"), pdfName,
                                         QStringLiteral("PDF fájl (*.pdf)"), QStringLiteral("pdf"));
        if (path.isEmpty()) return nullptr;
        surface->setPdfFile(path);
    } else {
        surface->setPrinterName(combo->currentText());
    }
    return surface;
}

bool run(PrinterSurface& surface, QWidget* parent, const Layout& layout) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProgressDialog progress(QStringLiteral("Nyomtatás folyamatban..."), QStringLiteral("Mégse"), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("Nyomtatás"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    bool cancelled = false;
    layout(surface, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        cancelled = progress.wasCanceled();
        return !cancelled;
    });
    progress.close();
    QApplication::restoreOverrideCursor();
    if (surface.failed()) {
        showFailure(parent, surface.error());
        return false;
    }
    return !cancelled;
}

bool printToChoice(QComboBox* combo, QWidget* parent, const QString& pdfName, const Layout& layout) {
    const auto surface = surfaceForChoice(combo, parent, pdfName);
    return surface && run(*surface, parent, layout);
}

}  // namespace printing
