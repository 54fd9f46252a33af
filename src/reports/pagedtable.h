#pragma once
// The ruled table over pages that the yearly summary and the book reports
// print: on every page the page number at (170, 10) and the bold title at
// (10, 10), the bold column headers at 30 mm and the vertical lines of the
// frame from 30 mm to the frame bottom; 45 rows a page, 5 mm apart from
// 34 mm, each 1 mm below its upper rule, the rules from 10 to 195 mm. The
// first page starts with today's date at Tab(120) and its page number in
// size 10; later pages number in size 12.

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

#include "reports/printersurface.h"
#include "reports/progress.h"

namespace pagedtable {

struct Table {
    QString title;
    std::vector<std::pair<QString, double>> headers;  // text and X
    std::vector<double> verticals;                    // X of the frame's vertical lines
};

struct Cell {
    QString text;
    double x = 0;
    bool mono = false;  // "Courier New" (right-aligned amounts); else "Times New Roman CE"
};

struct Row {
    std::vector<Cell> cells;  // printed in this order at the row's height, size 9
    bool bold = false;
};

// Prints the rows in order. Returns what endDoc returned; false, with the
// document abandoned, when the progress callback said stop.
bool print(PrinterSurface& s, const Table& t, const std::vector<Row>& rows, const QDate& today,
           const PrintProgress& progress = {});

}  // namespace pagedtable
