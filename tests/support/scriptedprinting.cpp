#include "scriptedprinting.h"

QString ScriptedPrintDialogs::saveFileName(QWidget*, const QString& title, const QString& suggested, const QString&,
                                           const QString&) {
    shown.push_back({QStringLiteral("file"), title, suggested});
    if (fileNames.empty()) return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

bool ScriptedPrintDialogs::preview(QWidget*, const QString& title, const printing::Layout& layout) {
    shown.push_back({QStringLiteral("preview"), title, QString()});
    pages = RecordingSurface();
    layout(pages, {});
    return printFromDialogs;
}

bool ScriptedPrintDialogs::print(QWidget*, const QString& title, const printing::Layout& layout) {
    shown.push_back({QStringLiteral("print"), title, QString()});
    if (!printFromDialogs) return false;
    pages = RecordingSurface();
    layout(pages, {});
    return true;
}
