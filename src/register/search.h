#pragma once
// The search of the apartment list: up to five criteria over one year's
// apartments.

#include <QString>

#include "apartmentlist.h"
#include "store/datafolder.h"

// The search boxes as typed. Each criterion is compared upper-cased and
// untrimmed; one that is empty after trimming is not applied.
struct SearchCriteria {
    QString nev, helyseg, utca, hsz, epulet;
};

// True when every applied criterion is found inside its field (trimmed and
// upper-cased); the name criterion inside any of the ten resident names.
bool matchesSearch(const Lakas& l, const SearchCriteria& c);

// The apartments in which every applied criterion is found inside its field
// (trimmed and upper-cased; the name inside any of the ten resident names),
// in record order, with the period water consumption and the arrears of
// months 1..12 over them (the yearly water total is not part of a search).
// A missing file gives an empty result.
ApartmentList searchApartments(const DataFolder& folder, const QString& year, const SearchCriteria& c);
