#pragma once
// Residents of an apartment as the resident list shows them, the checks of a
// new resident, and the mail link to the apartment's address.

#include <QDate>
#include <QString>
#include <QUrl>
#include <optional>
#include <vector>

#include "outcome.h"
#include "store/records.h"

// One row of the resident list: the texts of its six columns.
struct ResidentRow {
    QString nev, statusz, bejelentve, anyjaNeve, szulHelye, szulIdeje;
    bool operator==(const ResidentRow&) const = default;
};

// The row a new resident gets: the trimmed name, the other inputs as typed,
// the registration date in the short date form.
ResidentRow newResidentRow(const QString& nev, const QString& statusz, const QDate& bejelentve,
                           const QString& anyjaNeve, const QString& szulHelye, const QString& szulIdeje);

// The checks before a resident joins a list of `rowsNow` rows: a name, a
// status, and room in the ten slots of the record.
std::optional<Refusal> checkNewResident(const QString& nev, const QString& statusz, int rowsNow);

// The message of a resident list longer than the record holds.
QString tooManyResidentsMessage();

// Stores the rows into the resident slots 1..n in list order; the slots
// after them get blank texts and the empty date. At most ten rows.
void storeResidents(LakokBlokk& lakok, const std::vector<ResidentRow>& rows);

// The "mailto:" link of an address (trimmed), encoded so that the address
// cannot add headers or arguments; nullopt for an empty address or one with
// blanks or control characters inside.
std::optional<QUrl> mailtoUrl(const QString& address);
QString badAddressMessage();
