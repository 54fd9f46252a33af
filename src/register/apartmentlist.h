#pragma once
// The apartment list of a year with the house-wide totals, and the loading of
// one apartment.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "store/datafolder.h"
#include "store/records.h"

struct ApartmentRow {
    int rec = 0;  // record number in the year's Lakasok.dat
    QString nev;  // first resident
    QString utca;
    QString hsz;
    QString ajto;
    bool operator==(const ApartmentRow&) const = default;
};

struct HouseTotals {
    std::int64_t waterConsumption = 0;        // last - previous over meters with a last reading
    std::int64_t yearlyWaterConsumption = 0;  // monthly consumptions of months 1..12
    std::int64_t kkCharged = 0, kkPaid = 0;   // common cost, months 1..12
    std::int64_t hCharged = 0, hPaid = 0;     // waste fee, months 1..12
    std::int64_t kkArrears() const { return kkCharged - kkPaid; }
    std::int64_t hArrears() const { return hCharged - hPaid; }
    HouseTotals& operator+=(const HouseTotals& o);
    HouseTotals& operator-=(const HouseTotals& o);
    bool operator==(const HouseTotals&) const = default;
};

struct ApartmentList {
    bool opened = false;  // false when the year names no folder or the file could not be opened
    std::vector<ApartmentRow> rows;
    HouseTotals totals;
    QString notice;  // for the user: an unfinished change completed or refused, a year file not used
};

// The list row and the share of the totals of one apartment, from the whole
// record (Lakas) or from the fields the list reads (LakasLista).
template <class R>
ApartmentRow listRow(int rec, const R& l);
template <class R>
void addToTotals(HouseTotals& t, const R& l, bool includeYearlyWater = true);

// What a change of one apartment does to the list: its row before and after
// and the change of the house totals (its share after minus its share
// before). Added to the totals of a list that holds the apartment, the delta
// gives what reading the list again would give.
struct ListChange {
    int rec = 0;
    ApartmentRow before;
    ApartmentRow after;
    HouseTotals delta;
};
ListChange listChange(int rec, const Lakas& before, const Lakas& after);

// Consumption of the current period: last - previous over the meters whose
// last reading is above 0 (a negative difference counts as it is).
std::int64_t periodConsumption(const Lakas& l);

// The rows and totals of the apartments `take` accepts (all when it is
// empty), in record order, in one pass over the file at `path` that reads
// only the fields the list and its totals need.
ApartmentList listApartments(const QString& path, FileLayer& fs, const std::function<bool(const LakasLista&)>& take,
                             bool includeYearlyWater);

// Reads the year's apartment list in record order (LakasokBeolvas); a missing
// year folder or file is created. An unfinished change of the year is first
// completed (DataFolder::yearNotices).
ApartmentList readApartmentList(const DataFolder& folder, const QString& year);

// Reads one apartment of the year.
std::optional<Lakas> readApartment(const DataFolder& folder, const QString& year, int rec);

// Texts the main window shows for an apartment.
QString addressLine(const Lakas& l);      // "Irsz Helyseg, Utca Hsz Ajto"
QString deleteCaption(const Lakas& l);    // "Utca Hsz Ajto"
