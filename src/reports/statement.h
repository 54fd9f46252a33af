#pragma once
// The yearly statement of one apartment: its thirteen ledger rows (the
// twelve months and the previous year's debt) with charge, payment and
// payment date of the common cost and, when asked, of the waste fee, each
// row's balance and the totals; shown in the statement window and printed
// on one page.

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "reports/printersurface.h"
#include "store/datafolder.h"
#include "store/records.h"

namespace statement {

// "1111 Város, Fő utca 12. 3": postal code, town, street, house number and
// door, the texts trimmed.
QString addressText(const Lakas& l);
// The year box's text followed by ". évi kimutatás".
QString title(const QString& yearText);

struct Row {
    QString name;  // month name, "Előző évi", or "Összesen:" for the totals
    std::int64_t kkCharge = 0, kkPaid = 0;
    std::int64_t hCharge = 0, hPaid = 0;
    QString kkDate, hDate;     // payment dates later than 2000.01.01, else ""
    std::int64_t balance = 0;  // paid minus charged (with the waste fee when asked)
};

struct Table {
    std::array<Row, 13> rows;
    Row total;  // sums of every column; the balance is the sum of the row balances
};

// The statement of an apartment; withWaste adds the waste fee to every
// balance.
Table table(const Lakas& l, bool withWaste);

// The eight columns of the statement list ("Hónap", "Közösköltség",
// "Befizetés", "Dátum", "Szemétdíj", "Befizetés", "Dátum", "Egyenleg") for
// the thirteen rows and the totals row, amounts as plain integers. Without
// the waste fee its charge and payment cells hold a single blank.
std::vector<QStringList> listRows(const Table& t, bool withWaste);
// The columns of the totals row shown bold (besides the first).
const QList<int>& boldTotalColumns();

// The number of apartments in the year (0 when the file is missing).
int apartmentCount(const DataFolder& folder, const QString& year);

// The first apartment whose address text, or whose trimmed first resident
// name, equals the text exactly; 0 when none does. One pass over the file.
int findByAddress(const DataFolder& folder, const QString& year, const QString& text);
int findByName(const DataFolder& folder, const QString& year, const QString& text);

// The search lists: per apartment in record order its address text and its
// trimmed first resident name.
struct SearchLists {
    QStringList addresses, names;
};
SearchLists searchLists(const DataFolder& folder, const QString& year);

// Prints the statement on one page: a heading placed by tab columns, the
// ruled table of thirteen rows in millimetres and the bold totals line at
// 84 mm. Common cost only, or common cost and waste fee side by side.
// Returns what endDoc returned.
bool print(PrinterSurface& s, const Lakas& l, const QString& yearText, const QDate& today, bool withWaste);

}  // namespace statement
