#pragma once
// The main window over a temporary data folder for the window tests, and the
// only test code that knows how the apartment list ListView1 is built.

#include <QAbstractItemView>
#include <QPushButton>
#include <QStringList>

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

// Set.dat naming 2026 and "today" at 2026-03-15. The test lays down its
// files in `data`, then open() shows the window on them.
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
