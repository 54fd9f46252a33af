#pragma once
// One running copy per data folder: a lock file in the folder. A lock that no
// running copy holds (empty, unreadable or garbage, as a power cut can leave
// it, or naming a process that no longer runs on this computer) is taken
// over; one held by a running copy, here or on another computer, is refused
// with a message that names the computer and the lock file and says when the
// file may be deleted.

#include <QString>

#include <memory>

class QLockFile;

struct DataLock {
    enum class Status { Locked, HeldHere, HeldElsewhere, NotWritable };
    Status status = Status::NotWritable;
    std::unique_ptr<QLockFile> lock;  // held while the program runs
    QString message;                  // why the program cannot work on the folder
    explicit operator bool() const { return status == Status::Locked; }
};

QString lockFilePath(const QString& folder);

// Locks the data folder for this copy of the program. Touches nothing but the
// lock file, and nothing at all when the folder cannot be written.
DataLock lockDataFolder(const QString& folder);
