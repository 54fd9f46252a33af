#pragma once
// The resident statuses of Stat.dat, shared by all years.

#include <QStringList>

#include "outcome.h"
#include "store/datafolder.h"

// The trimmed status names in file order; the file is created empty when missing.
QStringList readStatuses(const DataFolder& folder);

// Appends a status: the name as typed, cut to 15 characters.
SaveResult addStatus(const DataFolder& folder, const QString& statusz);
