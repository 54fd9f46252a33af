#pragma once
// The steps the ledger and meter operations share on the year's apartment
// file: reading the current apartment, and writing it back together with the
// rest of the same change in one journaled step (store/journal.h), so that a
// crash or a failed write never leaves half of it.

#include <QString>
#include <functional>
#include <optional>

#include "register/apartmentlist.h"
#include "store/datafolder.h"
#include "store/journal.h"
#include "store/recordfile.h"
#include "store/records.h"

// Changes every apartment of the year's file and replaces the file in one
// step: one buffered pass decodes each record, `change` alters it (record
// number, record), and its bytes stream into the new file. Gives the house
// totals of the changed year; nullopt when it failed, which leaves the old
// file as it was, with the message in `error`.
std::optional<HouseTotals> changeEveryApartment(const DataFolder& folder, const QString& year,
                                                const std::function<void(int, Lakas&)>& change, QString& error);

class CurrentApartment {
public:
    CurrentApartment(const DataFolder& folder, const QString& year, int rec);

    // Reads the record; false with error() set when there is none to read.
    bool read();
    const Lakas& stored() const { return *stored_; }
    // Writes the record together with the other changes of `tx` (the log
    // record of a payment) and syncs them; false with error() set, which
    // says what is on disk.
    bool write(const Lakas& l, journaled::Transaction& tx);
    // Reads the record, lets `change` alter it and writes it back: the record
    // as stored afterwards, or nullopt with error() set.
    std::optional<Lakas> change(const std::function<void(Lakas&)>& fn);

    RecordFile<Lakas>& file() { return file_; }
    const QString& error() const { return error_; }

private:
    const DataFolder& folder_;
    QString year_;
    int rec_;
    RecordFile<Lakas> file_;
    std::optional<Lakas> stored_;
    QString error_;
};
