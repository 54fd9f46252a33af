#pragma once
// Dialogs that answer from a script and remember everything they showed.

#include <QStringList>
#include <QUrl>

#include <deque>
#include <vector>

#include "windows/dialogs.h"

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;  // "question", "message" or "input"
        QString title;
        QString text;
        Icon icon;
        Default byDefault;  // of a question
    };

    ScriptedDialogs() { Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(nullptr); }

    std::deque<bool> answers;    // for question(); No when empty
    std::deque<QString> inputs;  // for input(); "" when empty
    std::vector<Shown> shown;
    std::vector<QUrl> opened;

    bool question(QWidget*, const QString& title, const QString& text, Default byDefault) override;
    void message(QWidget*, const QString& title, const QString& text, Icon icon) override;
    QString input(QWidget*, const QString& title, const QString& prompt, const QString& proposed) override;
    bool openUrl(const QUrl& url) override;

    // Every dialog shown, as "kind|title|text"; a question whose default
    // button is "Nem" as "question/Nem|title|text".
    QStringList texts() const;
    QStringList titles() const;
    const Shown* last() const { return shown.empty() ? nullptr : &shown.back(); }
};
