#pragma once
// Every message box, question and input box of the program goes through this
// interface, owned by the application; tests install a scripted one.

#include <QString>
#include <QUrl>

class QWidget;

class Dialogs {
public:
    enum class Icon { Information, Question, Warning, Critical, NoIcon };
    // The button Enter presses: "Nem" for a question that deletes or
    // replaces data, "Igen" for the others.
    enum class Default { Yes, No };
    virtual ~Dialogs() = default;

    // Yes/No box with the question icon; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text,
                          Default byDefault = Default::Yes) = 0;
    // OK box with the given icon.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // Input box; "" when the user cancels.
    virtual QString input(QWidget* parent, const QString& title, const QString& prompt, const QString& proposed) = 0;
    // Hands a link (a "mailto:" address) to the desktop.
    virtual bool openUrl(const QUrl& url) = 0;

    // The dialogs in use; the real ones unless a test installed others.
    static Dialogs& current();
    // Installs d (not owned); nullptr restores the real dialogs.
    static void install(Dialogs* d);
};

// Message boxes and input boxes of Qt.
class QtDialogs : public Dialogs {
public:
    bool question(QWidget* parent, const QString& title, const QString& text, Default byDefault) override;
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    QString input(QWidget* parent, const QString& title, const QString& prompt, const QString& proposed) override;
    bool openUrl(const QUrl& url) override;
};
