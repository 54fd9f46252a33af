#pragma once
// The one way records are changed in place. A Transaction collects the
// records an operation writes over and the records it appends, in one folder
// (a year folder, or the data folder for the shared files). commit() first
// completes whatever an earlier run left unfinished, then writes the new
// bytes with the expected record numbers and a checksum into the folder's
// journal file (written beside, synced, renamed into place, the folder
// synced), applies the writes, syncs them and removes the journal. A crash at
// any moment leaves either a journal that recover() applies again (records by
// number, so applying twice changes nothing) or no journal and the old files.
// A write that fails at run time is undone from the old bytes read before.
//
//     journaled::Transaction tx(folder, year);
//     tx.write(files::Lakasok, rec, lakas);
//     tx.append(files::Befiz, befizetes);
//     const journaled::Outcome o = tx.commit();   // o.message for the user

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

#include "datafolder.h"
#include "fields.h"

namespace journaled {

// The journal of a folder: "domoria.jnl".
QString pathIn(const QString& dir);

// What recover() found.
struct Recovery {
    enum class State {
        Clean,      // no journal
        Completed,  // an unfinished change was applied and its journal removed
        Discarded,  // a journal that was not whole (or did not fit the files) was removed; nothing was applied
        Failed,     // a journal is there and could not be applied or removed: nothing may be written
    };
    State state = State::Clean;
    QString message;  // for the user; empty when Clean
    bool ok() const { return state != State::Failed; }
};

// Applies or discards the journal left in a folder. Called where a year's
// list is read (start-up, a change of year) and before every write.
Recovery recover(FileLayer& fs, const QString& dir);
// The journal of a year folder; Clean for a year that names no folder.
Recovery recover(const DataFolder& folder, const QString& year);

// What commit() did; `message` says so to the user.
struct Outcome {
    enum class State {
        Done,        // every record is written and synced
        NotWritten,  // nothing changed on disk
        Pending,     // the change is in the journal but not in the files: recover() completes it
    };
    State state = State::Done;
    QString message;               // empty when done
    std::vector<qint64> appended;  // the numbers the appended records got, in order
    bool done() const { return state == State::Done; }
};

class Transaction {
public:
    // Files named relative to `dir`.
    Transaction(FileLayer& fs, QString dir);
    // Files of a year folder.
    Transaction(const DataFolder& folder, const QString& year);
    // Files shared by all years, in the data folder itself.
    explicit Transaction(const DataFolder& folder);

    // Writes record n (which must exist) of the named file.
    template <class R>
    Transaction& write(const QString& name, qint64 n, const R& r) {
        return add(false, name, R::Length, kMaxRecords<R>, n, encoded(r));
    }
    // Appends a record at the end of the named file (made when missing).
    template <class R>
    Transaction& append(const QString& name, const R& r) {
        return add(true, name, R::Length, kMaxRecords<R>, 0, encoded(r));
    }

    Outcome commit();

private:
    struct Change {
        bool append;
        QString name;
        int length;
        qint64 limit;
        qint64 n;
        QByteArray bytes;
        QByteArray old;  // the bytes written over, for an undo
    };
    template <class R>
    static QByteArray encoded(const R& r) {
        QByteArray bytes(R::Length, Qt::Uninitialized);
        encodeRecord(r, bytes.data());
        return bytes;
    }
    Transaction& add(bool append, const QString& name, int length, qint64 limit, qint64 n, QByteArray bytes);

    FileLayer& fs_;
    QString dir_;  // empty: a year that names no folder
    std::vector<Change> changes_;
};

// Why a record file is not used: something that is not a regular file has
// its name, or it holds more records than a file of its kind can (a damaged
// length). The message names the file; nullopt for a usable or missing file.
std::optional<QString> fileProblem(FileLayer& fs, const QString& path, int length, qint64 limit);

// A file that could not be written: nothing was changed.
QString notWrittenMessage(const QString& path);

}  // namespace journaled
