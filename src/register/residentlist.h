#pragma once
// The printed resident list: the apartments the main window's list shows, in
// its order, on landscape pages, each with its street, building, house
// number, door, first resident, telephone, registration date and e-mail,
// and a line with its remark under it.

#include <QString>
#include <vector>

#include "reports/printersurface.h"
#include "reports/progress.h"
#include "store/datafolder.h"
#include "store/records.h"

// The heading offered for the list: the apartment's postal code, a blank,
// its town and a blank.
QString residentListHeading(const Lakas& l);

// The apartments of these record numbers, in the order given, read in one
// pass over the year's file. A number that names no record is left out.
std::vector<Lakas> listedApartments(const DataFolder& folder, const QString& year, const std::vector<int>& recs);

// Prints the list: 20 apartments on the first page, 21 on every further
// one, the heading on each. Returns what endDoc returned; false, with the
// document abandoned, when the progress callback said stop.
bool printResidentList(PrinterSurface& s, const std::vector<Lakas>& apartments, const QString& heading,
                       const PrintProgress& progress = {});
