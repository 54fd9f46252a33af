#pragma once
// Print dialogs that answer from a script: file names from a queue, the
// preview and print dialogs drawn on a recording surface.

#include <deque>
#include <vector>

#include "reports/recordingsurface.h"
#include "windows/printerchoice.h"

class ScriptedPrintDialogs : public printing::PrintDialogs {
public:
    struct Shown {
        QString kind;  // "file", "preview" or "print"
        QString title;
        QString suggested;  // the file name offered
    };

    ScriptedPrintDialogs() { install(this); }
    ~ScriptedPrintDialogs() override { install(nullptr); }

    std::deque<QString> fileNames;  // for saveFileName(); "" (cancel) when empty
    bool printFromDialogs = false;  // whether preview and print end in a print
    std::vector<Shown> shown;
    RecordingSurface pages;  // what the last preview or print dialog drew

    QString saveFileName(QWidget*, const QString& title, const QString& suggested, const QString&,
                         const QString&) override;
    bool preview(QWidget*, const QString& title, const printing::Layout& layout) override {
        return show(QStringLiteral("preview"), title, layout);
    }
    bool print(QWidget*, const QString& title, const printing::Layout& layout) override {
        return show(QStringLiteral("print"), title, layout);
    }

private:
    // Draws the pages on the recorder; answers printFromDialogs.
    bool show(const QString& kind, const QString& title, const printing::Layout& layout);
};
