#pragma once
// A file of fixed-length records numbered from 1, without a header. Record n
// starts at byte (n - 1) * R::Length; a trailing partial record is ignored.
// Each operation opens and closes the file; nothing stays open between calls.
// A file that is not a regular file, or that holds more records than a file
// of its kind can (kMaxRecords), is not used at all: problem() says why.

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "fields.h"
#include "filelayer.h"
#include "journal.h"

template <class R>
class RecordFile {
public:
    static constexpr int L = R::Length;

    explicit RecordFile(QString path, FileLayer& fs = FileLayer::standard()) : path_(std::move(path)), fs_(fs) {}

    const QString& path() const { return path_; }

    // Creates the file empty when it is missing; false when that fails.
    bool open() { return fs_.ensureFile(path_); }

    // Why the file is not used; nullopt for a usable or missing file.
    std::optional<QString> problem() const { return journaled::fileProblem(fs_, path_, L, kMaxRecords<R>); }

    // Number of whole records; 0 for a missing file or one that is not used.
    qint64 count() const {
        const FileInfo i = fs_.info(path_);
        return i.regular() && i.size / L <= kMaxRecords<R> ? i.size / L : 0;
    }

    std::optional<R> read(qint64 n) const {
        if (n < 1 || n > count()) return std::nullopt;
        const auto bytes = fs_.read(path_, (n - 1) * L, L);
        if (!bytes || bytes->size() != L) return std::nullopt;
        return decodeRecord<R>(bytes->constData());
    }

    // Writes record n (an existing one, or count + 1, which appends) through
    // the journal of the file's folder (journal.h). False also when the
    // change was left to the journal, which completes it at the next start:
    // use a Transaction where the user is to be told.
    bool write(qint64 n, const R& r) {
        if (n >= 1 && n == count() + 1) return append(r).has_value();
        return transaction().write(name(), n, r).commit().done();
    }

    // Writes at count + 1 through the journal and returns that number.
    std::optional<int> append(const R& r) {
        const journaled::Outcome o = transaction().append(name(), r).commit();
        if (!o.done()) return std::nullopt;
        return static_cast<int>(o.appended.front());
    }

    // One pass over every whole record, in record order, through one open
    // file read in blocks of about a megabyte. The callback gets the record
    // number and the decoded record. False when the file cannot be read to
    // its end (nothing may then be made of what was read).
    bool forEach(const std::function<void(int, const R&)>& fn) const {
        if (problem()) return false;
        auto in = fs_.openInput(path_);
        if (!in) return false;
        const qint64 total = in->size() / L;
        if (total > kMaxRecords<R>) return false;
        const qint64 perBlock = std::max(1, (1 << 20) / L);
        QByteArray block(qsizetype(std::min(perBlock, total) * L), Qt::Uninitialized);
        R record;
        for (qint64 first = 1; first <= total; first += perBlock) {
            const qint64 n = std::min(perBlock, total - first + 1);
            if (!in->read(block.data(), n * L)) return false;
            for (qint64 i = 0; i < n; ++i) {
                fieldio::Reader reader(block.constData() + i * L);
                visit(record, reader);
                fn(static_cast<int>(first + i), record);
            }
        }
        return true;
    }

    std::optional<std::vector<R>> readAll() const {
        std::vector<R> out;
        out.reserve(static_cast<size_t>(count()));
        if (!forEach([&](int, const R& r) { out.push_back(r); })) return std::nullopt;
        return out;
    }

    // Replaces the whole file in one step (FileLayer::replace), streaming:
    // each record in order may be changed by `keep` and stays when it returns
    // true. Nothing is replaced unless every record counted was read. An
    // unfinished change of the folder is completed first (journaled::recover).
    bool rewrite(const std::function<bool(int, R&)>& keep) {
        return replaceWith([&](FileLayer::Output& out) {
            std::array<char, L> bytes;
            bool written = true;
            const bool read = forEach([&](int n, const R& stored) {
                R r = stored;
                if (!written || !keep(n, r)) return;
                encodeRecord(r, bytes.data());
                written = out.write(bytes.data(), L);
            });
            return read && written;
        });
    }

    bool replaceAll(const std::vector<R>& records) {
        return replaceWith([&](FileLayer::Output& out) {
            std::array<char, L> bytes;
            for (const R& r : records) {
                encodeRecord(r, bytes.data());
                if (!out.write(bytes.data(), L)) return false;
            }
            return true;
        });
    }

    // Removes record k; the records after it move down by one. The new file
    // replaces the old one in one rename, so there is no moment without it.
    bool deleteByCopy(qint64 k) {
        if (k < 1 || k > count()) return false;
        return rewrite([&](int n, R&) { return n != k; });
    }

    static QByteArray encode(const R& r) {
        QByteArray bytes(L, Qt::Uninitialized);
        encodeRecord(r, bytes.data());
        return bytes;
    }

private:
    QString name() const { return QFileInfo(path_).fileName(); }
    QString folder() const { return QFileInfo(path_).absolutePath(); }
    journaled::Transaction transaction() const { return journaled::Transaction(fs_, folder()); }
    bool replaceWith(const std::function<bool(FileLayer::Output&)>& produce) {
        if (problem() || !journaled::recover(fs_, folder()).ok()) return false;
        return fs_.replace(path_, produce);
    }

    QString path_;
    FileLayer& fs_;
};
