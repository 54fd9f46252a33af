#pragma once
// The print journal of a year (Naplo.dat): one record per letter handed to
// the printer, with the arrears it stated and what has been paid against it.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "store/datafolder.h"
#include "store/records.h"

namespace letters {

// The journal record of a letter printed for an apartment on `day`:
// the first resident as stored, "Utca Hsz Ajto", the template's name, the
// arrears over the twelve months and the previous year of both charges.
// Nothing when the arrears do not fit the record.
std::optional<Naplo> journalEntry(const Lakas& l, const QString& templateName, const QDate& day);

// Every write of journal records goes through here: the records are written
// at numbers first, first + 1, ... of the year's Naplo.dat, in one write,
// flushed before it returns. first = 0 appends them after the last record.
// Returns the message to show when they could not be written, else "".
QString writeJournal(const DataFolder& folder, const QString& year, int first, const std::vector<Naplo>& records);

struct JournalTotals {
    std::int64_t hatralek = 0;
    std::int64_t befizetve = 0;
    std::int64_t kintlevoseg() const { return hatralek - befizetve; }
};
struct Journal {
    std::vector<Naplo> records;  // record n at n - 1
    JournalTotals totals;
};
// The year's journal. A year whose folder does not exist gives an empty
// journal and makes nothing; a missing Naplo.dat in an existing folder is
// created empty.
Journal readJournal(const DataFolder& folder, const QString& year);
// Puts record `rec` as stored after a payment into the journal read before,
// with its totals.
void replaceRecord(Journal& journal, int rec, const Naplo& record);

// The texts of a journal row: "Név", "Cím", "Nyomtatvány", "Nyomtatva",
// "Hátralék", "Befizetve", "Egyenleg", "rec".
QStringList journalRowTexts(int rec, const Naplo& r);
// A total as the journal shows it: "### ### ###" followed by ",-Ft".
QString journalTotalText(std::int64_t amount);

struct JournalPayment {
    QString error;                // empty when recorded
    bool refused = false;         // the amount was refused; nothing was written
    std::optional<Naplo> record;  // the record as stored afterwards
    bool ok() const { return error.isEmpty(); }
};
// Adds a payment to the Befizetve of record `rec`. The amount must be a whole
// number, and the new sum must fit the record.
JournalPayment addJournalPayment(const DataFolder& folder, const QString& year, int rec, const QString& amountText);

}  // namespace letters
