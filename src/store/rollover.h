#pragma once
// The roll-over into a new year N: the apartments of year N - 1 are copied
// into year N with their ledgers emptied and each apartment's whole balance
// carried into the previous-year row, and year N's book gets one carry-over
// entry per building with the building's balance of year N - 1.

#include <QDateTime>
#include <QString>

#include "datafolder.h"
#include "records.h"

namespace rollover {

struct Plan {
    QString error;          // the answer was refused: the message; nothing changes
    QString year;           // N
    QString oldYear;        // N - 1
    bool replaces = false;  // year N already has apartments: ask before replacing them
    bool ok() const { return error.isEmpty(); }
};

// Checks the answer of the input box: a year of four digits whose previous
// year has an apartment file.
Plan check(const DataFolder& folder, const QString& answer);

// The warning asked when year N already has apartments.
QString replaceQuestion(const Plan& p);

// Rolls one apartment over: the charges and payments of rows 1..13 are
// summed and emptied with their dates, the previous-year rows get charges -
// payments (a credit stays negative), the monthly consumptions are emptied;
// everything else is kept. False, leaving the record as it was, when a
// balance does not fit the 32-bit row.
bool rollApartment(Lakas& l);

struct Result {
    QString error;         // empty when year N was made
    QString backupFolder;  // the backup of year N made before it was replaced
    int apartments = 0;
    int buildings = 0;
    bool ok() const { return error.isEmpty(); }
};

// Makes year N from year N - 1. When year N has apartments, its files are
// first saved as a normal backup. Year N's Lakasok.dat and Kiadások.dat are
// each built whole and put in place in one rename; carry-over entries from
// N - 1 that year N's book already holds are replaced. A failed step stops
// with a message naming the file, and year N is left as it was.
Result run(const DataFolder& folder, const Plan& plan, const QDateTime& now);

}  // namespace rollover
