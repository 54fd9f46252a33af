#pragma once
// The buildings of Epuletek.dat, shared by all years.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "outcome.h"
#include "store/datafolder.h"
#include "store/records.h"

// Every building in file order; an empty list when the file is missing (it is
// then created empty).
std::vector<Epulet> readBuildings(const DataFolder& folder);

// The rate of the first building whose trimmed name equals the name exactly
// (case-sensitive); 0 when no building has that name.
std::int16_t buildingRate(const std::vector<Epulet>& buildings, const QString& name);

// Appends a building: the name as typed (cut to 20 characters), the rate the
// leading number of its text (none = 0) rounded halves to even. A rate
// beyond the 16-bit field is refused and nothing is written.
SaveResult addBuilding(const DataFolder& folder, const QString& nev, const QString& kkPerNm);

// How many apartments of the year carry the building's name (trimmed, exact);
// nullopt when the year's file cannot be read.
std::optional<int> apartmentsInBuilding(const DataFolder& folder, const QString& year, const QString& name);

// Removes building rec; the buildings after it move down by one. The file is
// replaced in one step. Apartments keep the building name they hold.
SaveResult deleteBuilding(const DataFolder& folder, int rec);
