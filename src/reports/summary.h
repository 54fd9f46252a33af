#pragma once
// The yearly summary of all apartments: per apartment the charges and
// payments of the twelve months (the previous year's debt is not part of
// it) with the balance, filtered by the search texts and by debtors or
// overpayers, the payments of one apartment from the payment log, and the
// printed table over as many pages as it needs.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "register/search.h"
#include "reports/printersurface.h"
#include "reports/progress.h"
#include "store/datafolder.h"
#include "store/records.h"

namespace summary {

struct Row {
    QString lakas;  // address text; "zz " on the totals row, so that it sorts last
    QString lako;   // first resident name as stored (30 characters); "Összesen: " on the totals row
    std::int64_t eloiras = 0, befizetes = 0, egyenleg = 0;
    int rec = 0;  // 0 on the totals row
    bool total = false;
};

enum class Only { All, Overpayers, Debtors };

struct Filter {
    SearchCriteria search;  // name (any resident), town, street, house number, building
    Only only = Only::All;
};

// One row per apartment in record order, then the totals row of the rows
// listed. Without a filter every apartment is listed and an empty year has
// no rows at all; with one (a search) the totals row is always there.
std::vector<Row> rows(const DataFolder& folder, const QString& year);
std::vector<Row> rows(const DataFolder& folder, const QString& year, const Filter& filter);

// The list's column texts of a row: "Lakás", "Lakó", "Előírás",
// "Befizetés", "Egyenleg" (amounts as plain integers), "rec" (" " on the
// totals row).
QStringList listTexts(const Row& r);
// The columns of the totals row shown bold.
const QList<int>& boldTotalColumns();

// The payments the log holds for an apartment: the entries whose name and
// house number equal the apartment's first resident name and house number
// as stored, in log order, then the totals row.
struct Payment {
    QString tipus, datum, idoszak;  // kind, date, month name or "Előző évi"
    std::int64_t osszeg = 0;
};
struct Payments {
    std::vector<Payment> rows;
    std::int64_t total = 0;
    bool found = false;  // the apartment record exists
};
Payments payments(const DataFolder& folder, const QString& year, int rec);

// The rows as a CSV file: the five columns the list shows, the amounts as
// plain integers, the texts trimmed (the totals row without its sort mark).
QByteArray csv(const std::vector<Row>& rows);

// The year followed by ". évi kimutatás".
QString title(const QString& year);
// An amount of the printed table: "### ##0", nine characters wide.
QString amountText(std::int64_t value);

// Prints the rows in the order given, 45 to a page, each page with its
// number and the title. Returns what endDoc returned; false, with the
// document abandoned, when the progress callback said stop.
bool print(PrinterSurface& s, const std::vector<Row>& rows, const QString& year, const QDate& today,
           const PrintProgress& progress = {});

}  // namespace summary
