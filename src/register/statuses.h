#pragma once
// The resident statuses of Stat.dat, shared by all years.

#include <QStringList>

#include "store/datafolder.h"

// The trimmed status names in file order; the file is created empty when missing.
QStringList readStatuses(const DataFolder& folder);
