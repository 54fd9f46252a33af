#pragma once
// A file of fixed-length records numbered from 1, without a header. Record n
// starts at byte (n - 1) * R::Length; a trailing partial record is ignored.
// Each operation opens and closes the file; nothing stays open between calls.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "fields.h"
#include "filelayer.h"

template <class R>
class RecordFile {
public:
    static constexpr int L = R::Length;

    explicit RecordFile(QString path, FileLayer& fs = FileLayer::standard()) : path_(std::move(path)), fs_(fs) {}

    const QString& path() const { return path_; }

    // Creates the file empty when it is missing; false when that fails.
    bool open() { return fs_.ensureFile(path_); }

    // Number of whole records; 0 for a missing file.
    int count() const {
        const auto n = fs_.size(path_);
        return n ? static_cast<int>(*n / L) : 0;
    }

    std::optional<R> read(int n) const {
        if (n < 1) return std::nullopt;
        const auto bytes = fs_.read(path_, qint64(n - 1) * L, L);
        if (!bytes || bytes->size() != L) return std::nullopt;
        return decodeRecord<R>(bytes->constData());
    }

    bool write(int n, const R& r) {
        if (n < 1) return false;
        return fs_.writeAt(path_, qint64(n - 1) * L, encode(r));
    }

    // Writes at count + 1 and returns that number.
    std::optional<int> append(const R& r) {
        if (!open()) return std::nullopt;
        const int n = count() + 1;
        if (!write(n, r)) return std::nullopt;
        return n;
    }

    // One buffered pass over every whole record, in record order, reading
    // the file in blocks of about a megabyte. The callback gets the record
    // number and the decoded record. False when the file cannot be read.
    bool forEach(const std::function<void(int, const R&)>& fn) const {
        const auto size = fs_.size(path_);
        if (!size) return false;
        const int total = static_cast<int>(*size / L);
        const int perBlock = std::max(1, (1 << 20) / L);
        R record;
        for (int first = 1; first <= total; first += perBlock) {
            const int n = std::min(perBlock, total - first + 1);
            const auto bytes = fs_.read(path_, qint64(first - 1) * L, qint64(n) * L);
            if (!bytes || bytes->size() != qint64(n) * L) return false;
            for (int i = 0; i < n; ++i) {
                fieldio::Reader reader(bytes->constData() + qint64(i) * L);
                visit(record, reader);
                fn(first + i, record);
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

    // Replaces the whole file in one step (see FileLayer::replace).
    bool replaceAll(const std::vector<R>& records) {
        QByteArray bytes(qsizetype(records.size()) * L, Qt::Uninitialized);
        for (size_t i = 0; i < records.size(); ++i) encodeRecord(records[i], bytes.data() + qint64(i) * L);
        return fs_.replace(path_, bytes);
    }

    // Removes record k; the records after it move down by one. The new file
    // replaces the old one in one rename, so there is no moment without it.
    bool deleteByCopy(int k) {
        auto all = readAll();
        if (!all || k < 1 || k > static_cast<int>(all->size())) return false;
        all->erase(all->begin() + (k - 1));
        return replaceAll(*all);
    }

    static QByteArray encode(const R& r) {
        QByteArray bytes(L, Qt::Uninitialized);
        encodeRecord(r, bytes.data());
        return bytes;
    }

private:
    QString path_;
    FileLayer& fs_;
};
