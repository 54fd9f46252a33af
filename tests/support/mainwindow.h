#pragma once
// The window tests' common ground: the Qt headers they use, a temporary data
// folder with "today" fixed, scripted dialogs, the main window over that
// folder, and the only test code that knows how the apartment list ListView1
// is built.

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

// The apartment list: the texts of a column, top to bottom; the row of a
// record made current (as a click or the keyboard does); the record of the
// current row, 0 for none; a click on a column header.
QStringList listColumn(const frmKezdo& w, int column);
void selectRecord(frmKezdo& w, int rec);
int currentRecord(const frmKezdo& w);
void clickHeader(frmKezdo& w, int column);
// The pages' named boxes and value labels that show a text, as "name=text"
// joined by blanks.
QString pageTexts(const frmKezdo& w);

// A mouse click on a row of a list, as the user does.
void clickRow(QAbstractItemView* view, int row);

// The object names of the window's inputs and lists that neither a visible
// caption (as its buddy) nor an accessible name names.
QStringList unnamedInputs(const QWidget* window);

// Runs `inside` on the modal window W that `action` opens, then closes it;
// false when no such window opened.
template <class W>
bool onModal(const std::function<void()>& action, const std::function<void(W&)>& inside) {
    bool seen = false;
    QTimer poll;  // stops with the return
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m) return;
        poll.stop();
        if (auto* w = qobject_cast<W*>(m)) seen = true, inside(*w);
        if (m->isVisible()) m->close();
    });
    poll.start(10);
    action();
    return seen;
}

// Set.dat naming 2026 and "today" at 2026-03-15 10:00. The test lays down its
// files in `data`, then open() shows the main window on them.
struct MainWindow {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKezdo> w;

    MainWindow();
    ~MainWindow();
    frmKezdo& open();
    QString focused() const;  // object name of the focus widget
    QPushButton* button(const QString& name) const { return w->findChild<QPushButton*>(name); }
    std::vector<Lakas> stored() const { return data.readApartments(QStringLiteral("2026")); }
    QByteArray bytes() const { return data.bytes(QStringLiteral("2026/Lakasok.dat")); }
};
