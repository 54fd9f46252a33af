#pragma once
// Backup and restore of a year: the year's four files are copied into a
// time-stamped folder under the year's "Mentések" folder, and copied back from
// a folder the user picks. Every copy reads the whole file and puts it in
// place in one rename, so a failed copy never leaves a half-written file.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

#include "datafolder.h"

namespace backup {

// The files of a year that a backup holds, in the order they are copied.
const QStringList& yearFiles();

// The name of a backup folder: the month, the day with one leading blank, "-",
// the hour, "." and the minute, none with leading zeros ("12 5-9.7").
QString stamp(const QDateTime& now);

// The year's backup folder: the year folder and "Mentések".
QString root(const DataFolder& folder, const QString& year);

struct Saved {
    QString folder;      // the backup folder made; empty when nothing was saved
    QStringList copied;  // the files copied
    QStringList failed;  // the files that could not be copied
    QString error;       // the message for the user when something failed
    bool ok() const { return error.isEmpty(); }
    bool nothingToSave() const { return ok() && copied.isEmpty(); }
};

// Copies the year's files that exist into a new folder root/stamp; when that
// folder exists (a second backup in the same minute) " (2)", " (3)", ... is
// appended, so an earlier backup is never overwritten. A missing file is not
// copied and is no error; when no file exists, no folder is made.
Saved save(const DataFolder& folder, const QString& year, const QDateTime& now);

// The files of yearFiles() that a folder holds.
QStringList restorable(const DataFolder& folder, const QString& fromFolder);
// The message when a folder holds none of them.
QString nothingToRestore(const QString& fromFolder);

struct Restored {
    QStringList restored;  // the files put in place
    QString safetyFolder;  // the backup of the year's files made first
    QString error;         // the message for the user when nothing was restored
    bool ok() const { return error.isEmpty(); }
};

// Copies the files a backup folder holds over the year's files. The year's
// files are first saved as a normal backup; when that fails nothing is
// restored. When one file cannot be put in place, the ones already restored
// are put back, so the year is restored whole or stays as it was. A file the
// backup does not hold is left as it is.
Restored restore(const DataFolder& folder, const QString& year, const QString& fromFolder, const QDateTime& now);

// For picking a backup: the folders in a folder, the newest first, and the
// names of the files in a folder.
struct FolderEntry {
    QString name;
    QString path;
    QDateTime made;  // when the folder was last written
};
std::vector<FolderEntry> subfolders(const QString& path);
QStringList filesIn(const QString& path);

}  // namespace backup
