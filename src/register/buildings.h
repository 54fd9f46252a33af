#pragma once
// The buildings of Epuletek.dat, shared by all years.

#include <vector>

#include "store/datafolder.h"
#include "store/records.h"

// Every building in file order; an empty list when the file is missing (it is
// then created empty).
std::vector<Epulet> readBuildings(const DataFolder& folder);
