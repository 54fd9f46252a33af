#pragma once
// The water meters of an apartment: two cold-water meters (H1, H2) and two
// hot-water meters (M1, M2), numbered 1..4 as in the record. A reading period
// runs from one "Leadás" to the next; recording the readings stores each
// meter's consumption under the month of the reading date.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "store/datafolder.h"
#include "store/records.h"

namespace water {

inline constexpr int kMeters = 4;

// "H1 (hidegvíz)" .. "M2 (melegvíz)" for meters 1..4.
QString meterName(int k);

// The consumption a meter shows for the current period: last - previous, or
// 0 when that is negative.
int shownConsumption(const Lakas& l, int k);
// The apartment's consumption of the period: the shown consumptions of the
// meters that have a last reading (above 0).
std::int64_t periodConsumption(const Lakas& l);
// The four meters' consumption stored for a month, added up.
std::int64_t monthConsumption(const Lakas& l, int month);

// The reading date the meter page shows for an apartment: its stored one, or
// today when that is before 2000 (no reading recorded yet).
QDate shownReadingDate(const Lakas& l, const QDate& today);

struct Readings {
    Array1<std::int16_t, kMeters> elozo;
    Array1<std::int16_t, kMeters> utolso;
};
// The typed previous and last readings (index 0..3 = meters 1..4). Each must
// be a whole number in -32768..32767, and so must each difference; anything
// else is refused with a message naming the meter.
struct ReadingsCheck {
    std::optional<Readings> readings;
    QString error;
};
ReadingsCheck checkReadings(const std::array<QString, kMeters>& elozo, const std::array<QString, kMeters>& utolso);

struct Result {
    QString error;                // empty when the operation was done
    std::optional<Lakas> record;  // the current apartment as stored afterwards
    Array1<bool, kMeters> moved;  // "Leadás": the meters whose readings moved
    bool ok() const { return error.isEmpty(); }
};

// Stores the readings of the current apartment, each meter's shown
// consumption under the month of `date` (also for a meter without a last
// reading), and `date` as the reading date.
Result recordReadings(const DataFolder& folder, const QString& year, int rec, const Readings& r, const QDate& date);

// "Leadás": every meter with a last reading above 0 gets it as its previous
// reading and a last reading of 0; of the current apartment, or of every
// apartment in one replacement of the file.
Result setForward(const DataFolder& folder, const QString& year, int rec, bool allApartments);

// How many apartments "Leadás" for all would change: those with a meter whose
// last reading is above 0. nullopt when the file cannot be read.
std::optional<int> apartmentsToSetForward(const DataFolder& folder, const QString& year);

// The consumption stored for a month: of the current apartment (when it can
// be read) and of the whole house, in one pass.
struct MonthTotals {
    std::optional<std::int64_t> own;
    std::int64_t house = 0;
};
std::optional<MonthTotals> monthTotals(const DataFolder& folder, const QString& year, int rec, int month);

// The monthly list of an apartment up to the month of the reading date; the
// months after it are left empty. A value below 1 shows as 0.
struct MonthRow {
    bool shown = false;
    Array1<int, kMeters> values;
    std::int64_t total = 0;
};
struct YearView {
    Array1<MonthRow, 12> months;
    std::int64_t yearly = 0;  // all twelve months
};
YearView yearView(const Lakas& l, int month);

}  // namespace water
