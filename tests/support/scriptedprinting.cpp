#include "scriptedprinting.h"

QString ScriptedPrintDialogs::saveFileName(QWidget*, const QString& title, const QString& suggested, const QString&,
                                           const QString&) {
    shown.push_back({QStringLiteral("file"), title, suggested});
    if (fileNames.empty()) return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

bool ScriptedPrintDialogs::show(const QString& kind, const QString& title, const printing::Layout& layout) {
    shown.push_back({kind, title, QString()});
    pages = RecordingSurface();
    layout(pages, {});
    return printFromDialogs;
}
