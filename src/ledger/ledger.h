#pragma once
// The two monthly ledgers of an apartment, common cost and waste fee: the
// texts of their rows, the arrears, charging a month, recording a payment
// with its entry in the payment log, and the debt carried in from the
// previous year. Both kinds go through the same code; Kind picks the fields.
//
// Every operation takes the data folder, the year, the record number of the
// current apartment and the values, opens the files it needs, works on whole
// records and returns what the window shows afterwards, or why it did nothing.

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

#include "register/apartmentlist.h"
#include "store/datafolder.h"
#include "store/records.h"

namespace ledger {

enum class Kind { KozosKoltseg, Szemetdij };

// Where one kind's ledger lives in the apartment record.
struct Fields {
    std::int32_t Lakas::*monthly;             // the amount a charge writes into a month
    Array1<std::int32_t, 13> Lakas::*charge;  // rows 1..12 months, 13 previous year
    Array1<std::int32_t, 13> Lakas::*paid;
    Array1<Date, 13> Lakas::*date;  // date of the last payment of the row
};
const Fields& fields(Kind k);

// The kind as the payment log names it: "Közösköltség" or "Szemétdíj".
QString logKind(Kind k);

// Charge minus paid over rows 1..lastRow of one apartment.
std::int64_t arrears(const Lakas& l, Kind k, int lastRow);

// The texts of a ledger row as the list shows them after an apartment is
// selected: a single blank for an amount of 0, and no date without a payment.
struct RowTexts {
    QString charge;
    QString paid;
    QString date;
};
RowTexts rowTexts(const Lakas& l, Kind k, int row);

// The amount still due on a row, from the texts of its charge and paid
// columns (a blank is 0), with one leading blank when it is not negative.
QString proposedPayment(const QString& chargeText, const QString& paidText);

// A typed amount checked before the confirmation is asked.
struct Amount {
    enum class Status { Ok, Stop, Refused };
    Status status = Status::Ok;
    std::int32_t value = 0;
    QString error;  // the message of a refusal
};
// A payment must be a whole number that fits the ledger; an empty text is 0,
// which clears the row's payments.
Amount paymentAmount(const QString& text);
// The previous-year debt: a numeric value of 0 (empty, cancelled, no number)
// stops without a word. The common cost takes whole numbers only; the waste
// fee takes the leading number rounded halves to even ("1500 Ft" is 1500).
Amount previousYearAmount(Kind k, const QString& answer);

// Every apartment's arrears of one kind (rows 1..12), from the year's totals.
std::int64_t allArrears(const HouseTotals& t, Kind k);

// What an operation did. The arrears of every apartment come from the year's
// totals the window holds, with `change` added or replaced by `totals`: no
// operation on one apartment reads the whole year.
struct Result {
    QString error;                      // empty when the operation was done
    bool refused = false;               // the values were refused; nothing was written
    std::optional<Lakas> record;        // the current apartment as stored afterwards
    std::int64_t own = 0;               // its arrears, over the rows each operation names
    std::optional<ListChange> change;   // the current apartment alone changed: its row and totals
    std::optional<HouseTotals> totals;  // every apartment changed: the year's totals afterwards
    bool ok() const { return error.isEmpty(); }
};

// Charges month `row` (1..12) with the monthly amount, replacing the earlier
// charge and keeping the payments: of the current apartment, or of every
// apartment with its own amount (0 included) in one replacement of the file.
// own: rows 1..12.
Result charge(const DataFolder& folder, const QString& year, int rec, Kind k, int row, bool allApartments);

// Adds a payment to row `row` (1..13) of the current apartment and dates the
// row; an amount of 0 clears the row's payments instead. The new total comes
// from the stored record. The ledger record and the log record are written
// in one journaled step: both land, or neither (store/journal.h).
// own: rows 1..13.
Result pay(const DataFolder& folder, const QString& year, int rec, Kind k, int row, std::int32_t amount,
           const QDate& date);

// Replaces the previous-year debt (row 13) of the current apartment.
// own: rows 1..13.
Result setPreviousYearDebt(const DataFolder& folder, const QString& year, int rec, Kind k, std::int32_t amount);

}  // namespace ledger
