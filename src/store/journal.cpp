#include "journal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStringList>
#include <QtEndian>

#include <map>

namespace journaled {

namespace {

// Layout of a journal: "DOMJRNL1", a 32-bit entry count, the entries, and
// the SHA-256 of everything before it. An entry: kind (1 write, 2 append),
// the file name (16-bit length, UTF-8), the record length (32 bits), the
// record number (64 bits) and the record's bytes. Numbers little-endian.
const QByteArray kMagic("DOMJRNL1");
constexpr qint64 kMaxJournal = 16 << 20;
constexpr int kHashLength = 32;
constexpr int kMaxRecordLength = 1 << 16;
constexpr qint64 kMaxRecordNumber = qint64(1) << 40;

struct Entry {
    bool append;
    QString name;
    int length;
    qint64 n;
    QByteArray bytes;
};

template <class T>
void put(QByteArray& out, T v) {
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

class Reader {
public:
    explicit Reader(const QByteArray& b, qsizetype end) : b_(b), end_(end) {}
    template <class T>
    T get() {
        if (!take(sizeof(T))) return T{};
        return qFromLittleEndian<T>(b_.constData() + pos_ - qsizetype(sizeof(T)));
    }
    QByteArray bytes(qint64 n) { return take(n) ? b_.mid(pos_ - qsizetype(n), qsizetype(n)) : QByteArray(); }
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == end_; }

private:
    bool take(qint64 n) {
        ok_ = ok_ && n >= 0 && n <= end_ - pos_;
        if (ok_) pos_ += qsizetype(n);
        return ok_;
    }
    const QByteArray& b_;
    qsizetype end_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

QByteArray hashOf(const QByteArray& b, qsizetype len) {
    return QCryptographicHash::hash(QByteArrayView(b.constData(), len), QCryptographicHash::Sha256);
}

// A plain file name: the journal can never reach outside its folder.
bool plainName(const QString& name) {
    return !name.isEmpty() && name.size() <= 255 && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QByteArray encode(const std::vector<Entry>& entries) {
    QByteArray out = kMagic;
    put<quint32>(out, quint32(entries.size()));
    for (const Entry& e : entries) {
        const QByteArray name = e.name.toUtf8();
        put<quint8>(out, e.append ? 2 : 1);
        put<quint16>(out, quint16(name.size()));
        out += name;
        put<quint32>(out, quint32(e.length));
        put<qint64>(out, e.n);
        out += e.bytes;
    }
    return out + hashOf(out, out.size());
}

// The entries of a whole journal; nullopt when it is not whole or not ours.
std::optional<std::vector<Entry>> decode(const QByteArray& b) {
    const qsizetype body = b.size() - kHashLength;
    if (body < kMagic.size() + 4 || !b.startsWith(kMagic) || b.mid(body) != hashOf(b, body)) return std::nullopt;
    Reader in(b, body);
    in.bytes(kMagic.size());
    const quint32 count = in.get<quint32>();
    std::vector<Entry> entries;
    for (quint32 i = 0; i < count && in.ok(); ++i) {
        Entry e;
        const quint8 kind = in.get<quint8>();
        e.append = kind == 2;
        e.name = QString::fromUtf8(in.bytes(in.get<quint16>()));
        e.length = int(in.get<quint32>());
        e.n = in.get<qint64>();
        if (!in.ok() || (kind != 1 && kind != 2) || !plainName(e.name) || e.length < 1 || e.length > kMaxRecordLength ||
            e.n < 1 || e.n > kMaxRecordNumber)
            return std::nullopt;
        e.bytes = in.bytes(e.length);
        entries.push_back(std::move(e));
    }
    if (!in.ok() || !in.atEnd()) return std::nullopt;
    return entries;
}

// Whether the journal belongs to the files as they are: a record written
// over exists, and the appends of a file continue where it ends or were
// (partly) made already.
bool fitsFiles(FileLayer& fs, const QString& dir, const std::vector<Entry>& entries) {
    struct Span {
        int length = 0;
        qint64 lastWrite = 0, firstAppend = 0, lastAppend = 0;
    };
    std::map<QString, Span> files;
    for (const Entry& e : entries) {
        Span& s = files[e.name];
        if (s.length != 0 && s.length != e.length) return false;
        s.length = e.length;
        if (!e.append) {
            s.lastWrite = std::max(s.lastWrite, e.n);
            continue;
        }
        s.firstAppend = s.firstAppend ? std::min(s.firstAppend, e.n) : e.n;
        s.lastAppend = std::max(s.lastAppend, e.n);
    }
    for (const auto& [name, s] : files) {
        const FileInfo i = fs.info(QDir(dir).filePath(name));
        if (!i.regular() && !(i.kind == FileInfo::Kind::Missing && s.lastWrite == 0 && s.firstAppend == 1)) return false;
        const qint64 count = i.size / s.length;
        if (s.lastWrite > count) return false;
        if (s.firstAppend && (count < s.firstAppend - 1 || count > s.lastAppend)) return false;
    }
    return true;
}

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

Recovery failedRecovery(const QString& path) {
    return {Recovery::State::Failed,
            QStringLiteral("Egy félbeszakadt módosítás nem fejezhető be, mert a fájl nem írható:\n%1\nAmíg ez nem "
                           "sikerül, a program ebben a mappában semmit nem ír.")
                .arg(native(path))};
}

Recovery discard(FileLayer& fs, const QString& path, const QString& why) {
    if (!fs.remove(path)) return failedRecovery(path);
    return {Recovery::State::Discarded,
            QStringLiteral("Egy félbeszakadt módosítás naplója %1, ezért a módosítás nem került be az adatok "
                           "közé:\n%2\nKérem, ellenőrizze, és ha kell, rögzítse újra a legutóbbi módosítást!")
                .arg(why, native(path))};
}

Outcome notWritten(const QString& message) { return {Outcome::State::NotWritten, message, {}}; }

Outcome pending(const QString& path) {
    return {Outcome::State::Pending,
            QStringLiteral("A fájl nem írható:\n%1\nA változás félbemaradt: a program a következő módosítás előtt "
                           "vagy a következő indításkor befejezi. Kérem, ellenőrizze az adatokat, ha a hiba elhárult!")
                .arg(native(path)),
            {}};
}

}  // namespace

QString pathIn(const QString& dir) { return QDir(dir).filePath(QStringLiteral("domoria.jnl")); }

std::optional<QString> fileProblem(FileLayer& fs, const QString& path, int length, qint64 limit) {
    const FileInfo i = fs.info(path);
    switch (i.kind) {
    case FileInfo::Kind::Missing:
        return std::nullopt;
    case FileInfo::Kind::Special:
        return QStringLiteral("Ez nem adatfájl (hanem mappa, eszköz vagy más különleges fájl), ezért a program nem "
                              "használja:\n%1")
            .arg(native(path));
    case FileInfo::Kind::Unreadable:
        return QStringLiteral("A fájl nem olvasható, ezért a program nem használja:\n%1").arg(native(path));
    case FileInfo::Kind::Regular:
        break;
    }
    if (i.size / length <= limit) return std::nullopt;
    return QStringLiteral("A fájl sérült: %1 rekordnyi hosszú, pedig ilyen fájlban legfeljebb %2 rekord lehet. "
                          "A program nem használja:\n%3")
        .arg(i.size / length)
        .arg(limit)
        .arg(native(path));
}

QString notWrittenMessage(const QString& path) {
    return QStringLiteral("A fájl nem írható:\n%1\nA változás nem lett rögzítve.").arg(native(path));
}

Recovery recover(FileLayer& fs, const QString& dir) {
    const QString path = pathIn(dir);
    const FileInfo info = fs.info(path);
    if (info.kind == FileInfo::Kind::Missing) return {};
    if (info.kind == FileInfo::Kind::Unreadable) return failedRecovery(path);
    std::optional<std::vector<Entry>> entries;
    if (info.regular() && info.size <= kMaxJournal) {
        const auto bytes = fs.read(path, 0, info.size);
        if (!bytes) return failedRecovery(path);
        entries = decode(*bytes);
    }
    if (!entries) return discard(fs, path, QStringLiteral("hiányos volt"));
    if (!fitsFiles(fs, dir, *entries)) return discard(fs, path, QStringLiteral("nem illett a fájlokhoz"));
    QStringList names;
    for (const Entry& e : *entries) {
        const QString file = QDir(dir).filePath(e.name);
        if ((e.append && !fs.ensureFile(file)) || !fs.writeAt(file, (e.n - 1) * e.length, e.bytes))
            return failedRecovery(file);
        if (!names.contains(e.name)) names << e.name;
    }
    if (!fs.remove(path)) return failedRecovery(path);
    return {Recovery::State::Completed,
            QStringLiteral("Egy félbeszakadt módosítás befejeződött ebben a mappában:\n%1\n(%2)\nKérem, ellenőrizze "
                           "a legutóbb rögzített adatokat!")
                .arg(native(dir), names.join(QStringLiteral(", ")))};
}

Recovery recover(const DataFolder& folder, const QString& year) {
    if (!DataFolder::isUsableYear(year)) return {};
    return recover(folder.fs(), folder.yearFolder(year));
}

Transaction::Transaction(FileLayer& fs, QString dir) : fs_(fs), dir_(std::move(dir)) {}

Transaction::Transaction(const DataFolder& folder, const QString& year)
    : fs_(folder.fs()), dir_(DataFolder::isUsableYear(year) ? folder.yearFolder(year) : QString()) {}

Transaction::Transaction(const DataFolder& folder) : fs_(folder.fs()), dir_(folder.root()) {}

Transaction& Transaction::add(bool append, const QString& name, int length, qint64 limit, qint64 n, QByteArray bytes) {
    changes_.push_back(Change{append, name, length, limit, n, std::move(bytes), QByteArray()});
    return *this;
}

Outcome Transaction::commit() {
    const auto file = [&](const QString& name) { return QDir(dir_).filePath(name); };
    if (changes_.empty()) return {};
    if (dir_.isEmpty()) return notWritten(QStringLiteral("Nincs érvényes év megadva.\nA változás nem lett rögzítve."));
    const Recovery earlier = recover(fs_, dir_);
    if (!earlier.ok()) return notWritten(earlier.message);
    // This change was made from the records as they were before the earlier
    // one was completed just now; written, it would undo that one.
    if (earlier.state == Recovery::State::Completed)
        return notWritten(earlier.message +
                          QStringLiteral("\n\nA most kért változás nem lett rögzítve, mert a befejezett módosítás "
                                         "előtti adatokon alapult. Kérem, ismételje meg!"));

    // The files as they are: their lengths, and the bytes an undo puts back.
    struct Target {
        int length;
        qint64 size, count, next;
        bool appends = false;
        QByteArray tail;  // a trailing partial record, which an append writes over
    };
    std::map<QString, Target> targets;
    for (Change& c : changes_) {
        const QString path = file(c.name);
        auto it = targets.find(c.name);
        if (it == targets.end()) {
            if (const auto problem = fileProblem(fs_, path, c.length, c.limit)) return notWritten(*problem);
            const auto size = c.append && !fs_.ensureFile(path) ? std::nullopt : fs_.size(path);
            if (!size) return notWritten(notWrittenMessage(path));
            it = targets.emplace(c.name, Target{c.length, *size, *size / c.length, *size / c.length, false, QByteArray()}).first;
        }
        Target& t = it->second;
        if (!plainName(c.name) || c.length != t.length) return notWritten(notWrittenMessage(path));
        if (c.append) {
            c.n = ++t.next;
            t.appends = true;
            continue;
        }
        const auto old = c.n >= 1 && c.n <= t.count ? fs_.read(path, (c.n - 1) * c.length, c.length) : std::nullopt;
        if (!old || old->size() != c.length) return notWritten(notWrittenMessage(path));
        c.old = *old;
    }
    for (auto& [name, t] : targets) {
        if (!t.appends || t.size == t.count * t.length) continue;
        const auto tail = fs_.read(file(name), t.count * t.length, t.size - t.count * t.length);
        if (!tail) return notWritten(notWrittenMessage(file(name)));
        t.tail = *tail;
    }

    // The journal is complete under its name, or not there at all. Its
    // failures name the first file of the change, which the user knows.
    std::vector<Entry> entries;
    for (const Change& c : changes_) entries.push_back(Entry{c.append, c.name, c.length, c.n, c.bytes});
    const QString journal = pathIn(dir_), first = file(changes_.front().name);
    bool synced = false;
    if (!fs_.replace(journal, encode(entries), &synced)) return notWritten(notWrittenMessage(first));
    if (!synced) return fs_.remove(journal) ? notWritten(notWrittenMessage(first)) : pending(first);

    for (const Change& c : changes_) {
        if (fs_.writeAt(file(c.name), (c.n - 1) * c.length, c.bytes)) continue;
        // Undo from the old bytes; what cannot be undone the journal completes.
        bool undone = true;
        for (const Change& u : changes_)
            if (!u.append) undone = fs_.writeAt(file(u.name), (u.n - 1) * u.length, u.old) && undone;
        for (const auto& [name, t] : targets)
            if (t.appends) undone = fs_.truncate(file(name), t.size, t.tail) && undone;
        if (undone && fs_.remove(journal)) return notWritten(notWrittenMessage(file(c.name)));
        return pending(file(c.name));
    }
    // Every record is synced. A journal that cannot be removed is applied
    // again, unchanged, before the next write.
    fs_.remove(journal);
    Outcome done;
    for (const Change& c : changes_)
        if (c.append) done.appended.push_back(c.n);
    return done;
}

}  // namespace journaled
