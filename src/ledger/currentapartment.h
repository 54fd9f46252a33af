#pragma once
// The steps the ledger and meter operations share on the year's apartment
// file: reading the current apartment together with its bytes as stored, and
// writing it back so that a failed write leaves those bytes in place.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "register/apartmentlist.h"
#include "store/datafolder.h"
#include "store/recordfile.h"
#include "store/records.h"

// Changes every apartment of the year's file and replaces the file in one
// step: one buffered pass decodes each record, `change` alters it (record
// number, record), and its bytes go straight into the new file's contents.
// Gives the house totals of the changed year; nullopt when it failed, which
// leaves the old file as it was, with the message in `error`.
std::optional<HouseTotals> changeEveryApartment(const DataFolder& folder, const QString& year,
                                                const std::function<void(int, Lakas&)>& change, QString& error);

class CurrentApartment {
public:
    CurrentApartment(const DataFolder& folder, const QString& year, int rec);

    // Reads the record; false with error() set when there is none to read.
    bool read();
    const Lakas& stored() const { return *stored_; }
    // Writes the record in place, flushed. When that fails the bytes read
    // are put back and error() says that nothing was recorded.
    bool write(const Lakas& l);
    // Puts the bytes read back (after a later step failed).
    bool putBack();
    // Reads the record, lets `change` alter it and writes it back: the record
    // as stored afterwards, or nullopt with error() set and nothing changed.
    std::optional<Lakas> change(const std::function<void(Lakas&)>& fn);

    RecordFile<Lakas>& file() { return file_; }
    const QString& error() const { return error_; }

    static QString cannotRead(const QString& path);
    static QString cannotWrite(const QString& path);

private:
    const DataFolder& folder_;
    QString year_;
    int rec_;
    RecordFile<Lakas> file_;
    std::optional<Lakas> stored_;
    QByteArray bytes_;
    QString error_;
};
