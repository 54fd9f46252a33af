#include "scripteddialogs.h"

bool ScriptedDialogs::question(QWidget*, const QString& title, const QString& text, Default byDefault) {
    shown.push_back({QStringLiteral("question"), title, text, Icon::Question, byDefault});
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedDialogs::message(QWidget*, const QString& title, const QString& text, Icon icon) {
    shown.push_back({QStringLiteral("message"), title, text, icon, Default::Yes});
}

QString ScriptedDialogs::input(QWidget*, const QString& title, const QString& prompt, const QString&) {
    shown.push_back({QStringLiteral("input"), title, prompt, Icon::Question, Default::Yes});
    if (inputs.empty()) return QString();
    const QString a = inputs.front();
    inputs.pop_front();
    return a;
}

bool ScriptedDialogs::openUrl(const QUrl& url) {
    opened.push_back(url);
    return true;
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const auto& s : shown)
        out << s.kind + (s.byDefault == Default::No ? QStringLiteral("/Nem") : QString()) + QLatin1Char('|') + s.title +
                   QLatin1Char('|') + s.text;
    return out;
}

QStringList ScriptedDialogs::titles() const {
    QStringList out;
    for (const Shown& s : shown) out << s.title;
    return out;
}
