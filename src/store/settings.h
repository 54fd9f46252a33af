#pragma once
// Set.dat: the year that was current when the program was last closed.

#include <QString>

#include "datafolder.h"

namespace settings {
// The stored year text as it stands in the file (blank-padded to four
// characters), or "" when the file or its record is missing.
QString readYear(const DataFolder& folder);
// Stores the year text in record 1 (cut or padded to four characters); the
// record's other bytes keep what was read. False when the write fails.
bool writeYear(const DataFolder& folder, const QString& yearText);
}  // namespace settings
