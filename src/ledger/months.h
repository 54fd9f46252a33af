#pragma once
// The rows of a ledger: 1..12 are January..December, 13 is the debt carried
// in from the previous year.

#include <QString>

inline constexpr int kLedgerRows = 13;
inline constexpr int kPreviousYearRow = 13;

// "Január" .. "December" for 1..12, "Előző évi" for 13, "" otherwise.
QString monthName(int row);
