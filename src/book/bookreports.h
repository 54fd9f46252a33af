#pragma once
// The printed reports of the book: the incomes, the expenses, and both
// together, each the rows its list shows (totals row included) as a ruled
// table over pages; and the combined list as a CSV file.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

#include "book/book.h"
#include "reports/printersurface.h"
#include "reports/progress.h"

namespace book {

// The year followed by the report's title: ". évi kimutatás a
// bevételekről.", ". évi kimutatás a kiadásokról." or ". évi kimutatás".
QString reportTitle(ListKind k, const QString& year);

// Prints a list as its window list shows it: its entries, then the
// "ÖSSZESEN" row; amounts "### ### ##0" in eleven characters. Returns what
// endDoc returned; false, with the document abandoned, when the progress
// callback said stop.
bool printReport(PrinterSurface& s, ListKind k, const List& list, const QString& year, const QDate& today,
                 const PrintProgress& progress = {});

// The combined list as a CSV file: date, description, expense, income and
// remark of every entry, then the totals row.
QByteArray csv(const List& kiBe);

}  // namespace book
