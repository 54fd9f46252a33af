#pragma once
// Lists saved as CSV files that Hungarian spreadsheet programs open
// directly: UTF-8 with a byte-order mark, ";" between the cells, CR LF at
// the line ends. A cell holding ";", a quote or a line break is quoted.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "store/filelayer.h"

namespace csv {

QByteArray bytes(const QStringList& header, const std::vector<QStringList>& rows);

// Writes the file in one step (an older file stays whole when that fails).
// "" on success, else the message naming the file.
QString save(const QString& path, const QByteArray& bytes, FileLayer& fs = FileLayer::standard());

}  // namespace csv
