#include "dialogs.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Dialogs* g_installed = nullptr;
}

Dialogs& Dialogs::current() {
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::install(Dialogs* d) { g_installed = d; }

bool QtDialogs::question(QWidget* parent, const QString& title, const QString& text, Default byDefault) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(byDefault == Default::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::message(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    QMessageBox::Icon i = QMessageBox::Information;
    switch (icon) {
    case Icon::Information: i = QMessageBox::Information; break;
    case Icon::Question: i = QMessageBox::Question; break;
    case Icon::Warning: i = QMessageBox::Warning; break;
    case Icon::Critical: i = QMessageBox::Critical; break;
    case Icon::NoIcon: i = QMessageBox::NoIcon; break;
    }
    QMessageBox box(i, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::input(QWidget* parent, const QString& title, const QString& prompt, const QString& proposed) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? answer : QString();
}

bool QtDialogs::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }
