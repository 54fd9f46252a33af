#pragma once
// Field types of the record files and the visitors that read, write and
// measure them. Every record type has one `visit(record, visitor)` function
// listing its fields in file order; reading, writing and the layout tests all
// go through it, so a layout is written down exactly once.

#include <QDate>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "codepage1250.h"

// Exactly N bytes of code page 1250, blank-padded. Assignment cuts to N
// characters; text() gives the value without surrounding blanks.
template <int N>
class FixedText {
public:
    static constexpr int Width = N;
    FixedText() { raw_.fill(' '); }
    FixedText(const QString& s) { set(s); }  // NOLINT: assignment from text is the natural use

    void set(const QString& s) {
        raw_.fill(' ');
        const int n = std::min<int>(N, static_cast<int>(s.size()));
        for (int i = 0; i < n; ++i) raw_[i] = cp1250::encodeChar(s[i]);
    }
    FixedText& operator=(const QString& s) {
        set(s);
        return *this;
    }
    // The stored characters without surrounding blanks (and without the NUL
    // bytes a never-written field may hold).
    QString text() const {
        const auto [b, e] = trimmedBounds();
        return cp1250::decode(raw_.data() + b, e - b);
    }
    // Where the characters text() gives start and end in the stored bytes.
    std::pair<int, int> trimmedBounds() const {
        int b = 0, e = N;
        while (b < e && (raw_[b] == ' ' || raw_[b] == '\0')) ++b;
        while (e > b && (raw_[e - 1] == ' ' || raw_[e - 1] == '\0')) --e;
        return {b, e};
    }
    // All N characters as stored, blanks included.
    QString padded() const { return cp1250::decode(raw_.data(), N); }
    bool isBlank() const { return text().isEmpty(); }

    const std::array<char, N>& bytes() const { return raw_; }
    std::array<char, N>& bytes() { return raw_; }
    bool operator==(const FixedText&) const = default;

private:
    std::array<char, N> raw_;
};

// 16-bit Boolean: written as 0 or -1; any non-zero value reads as true.
struct Boolean {
    bool value = false;
    Boolean() = default;
    Boolean(bool v) : value(v) {}  // NOLINT
    operator bool() const { return value; }  // NOLINT
    bool operator==(const Boolean&) const = default;
};

// Date: days since 1899-12-30 as a double, the time of day as the fraction.
// 0 is the empty date.
struct Date {
    double value = 0.0;
    bool isEmpty() const { return value == 0.0; }
    static Date fromQDate(const QDate& d) {
        static const QDate epoch(1899, 12, 30);
        return Date{d.isValid() ? static_cast<double>(epoch.daysTo(d)) : 0.0};
    }
    // The day of the date; an invalid QDate for a value that is not a finite
    // day of the years 1 to 9999 (a damaged field), which then shows empty.
    QDate toQDate() const {
        static const QDate epoch(1899, 12, 30);
        constexpr double first = -693593.0, last = 2958466.0;  // 0001-01-01, 10000-01-01
        if (!std::isfinite(value) || value < first || value >= last) return QDate();
        return epoch.addDays(static_cast<qint64>(std::floor(value)));
    }
    bool operator==(const Date&) const = default;
};

// Currency: a 64-bit integer holding the value times 10 000.
struct Currency {
    std::int64_t scaled = 0;
    double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
    // A value that is not finite or beyond the field gives 0.
    static Currency fromDouble(double v) {
        const double scaled = v * 10000.0 + (v < 0 ? -0.5 : 0.5);
        if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) return Currency{};
        return Currency{static_cast<std::int64_t>(scaled)};
    }
    bool operator==(const Currency&) const = default;
};

// The most records a file of a kind can sanely hold; a larger file is taken
// as damaged and refused. Kinds set their own limit in records.h.
template <class R>
inline constexpr qint64 kMaxRecords = 1'000'000;

// Bytes the program never interprets: kept exactly as read.
template <int N>
struct Reserved {
    std::array<char, N> bytes{};
    bool operator==(const Reserved&) const = default;
};

// Bytes a partial view of a record passes over unread. A view can only be
// read: writing one would lose the bytes it skips.
template <int N>
struct Skip {};

// An array indexed from 1, as the record layouts number their elements.
template <class T, int N>
struct Array1 {
    std::array<T, N> items{};
    static constexpr int Size = N;
    T& operator()(int i) { return items.at(static_cast<size_t>(i - 1)); }
    const T& operator()(int i) const { return items.at(static_cast<size_t>(i - 1)); }
    bool operator==(const Array1&) const = default;
};

// ---- visitors -----------------------------------------------------------

namespace fieldio {

// Fields stored as they lie in memory (the host is little-endian, as the
// files are): an array of them is read and written in one copy. A Boolean
// is not: any non-zero value reads as true and is written as -1.
template <class T>
inline constexpr bool kStoredAsIs = std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t> ||
                                    std::is_same_v<T, Date> || std::is_same_v<T, Currency>;
template <int N>
inline constexpr bool kStoredAsIs<FixedText<N>> = true;
static_assert(sizeof(Date) == 8 && sizeof(Currency) == 8 && sizeof(FixedText<30>) == 30);

inline void putBytes(std::vector<char>& out, const void* p, size_t n) {
    const auto* c = static_cast<const char*>(p);
    out.insert(out.end(), c, c + n);
}

// Writes the fields one after the other, little-endian, no padding.
class Writer {
public:
    explicit Writer(char* out) : out_(out) {}
    void operator()(const char*, std::int16_t v) { put(&v, 2); }
    void operator()(const char*, std::int32_t v) { put(&v, 4); }
    void operator()(const char*, const Boolean& v) {
        const std::int16_t raw = v.value ? -1 : 0;
        put(&raw, 2);
    }
    void operator()(const char*, const Date& v) { put(&v.value, 8); }
    void operator()(const char*, const Currency& v) { put(&v.scaled, 8); }
    template <int N>
    void operator()(const char*, const FixedText<N>& v) { put(v.bytes().data(), N); }
    template <int N>
    void operator()(const char*, const Reserved<N>& v) { put(v.bytes.data(), N); }
    template <int N>
    void operator()(const char*, const Skip<N>&) = delete;
    template <class T, int N>
    void operator()(const char* name, const Array1<T, N>& a) {
        if constexpr (kStoredAsIs<T>)
            put(a.items.data(), static_cast<int>(sizeof(T)) * N);
        else
            for (const T& item : a.items) (*this)(name, item);
    }
    int written() const { return pos_; }

private:
    void put(const void* p, int n) {
        std::memcpy(out_ + pos_, p, static_cast<size_t>(n));
        pos_ += n;
    }
    char* out_;
    int pos_ = 0;
};

// Reads the fields back; accepts any bytes.
class Reader {
public:
    explicit Reader(const char* in) : in_(in) {}
    void operator()(const char*, std::int16_t& v) { get(&v, 2); }
    void operator()(const char*, std::int32_t& v) { get(&v, 4); }
    void operator()(const char*, Boolean& v) {
        std::int16_t raw = 0;
        get(&raw, 2);
        v.value = raw != 0;
    }
    void operator()(const char*, Date& v) { get(&v.value, 8); }
    void operator()(const char*, Currency& v) { get(&v.scaled, 8); }
    template <int N>
    void operator()(const char*, FixedText<N>& v) { get(v.bytes().data(), N); }
    template <int N>
    void operator()(const char*, Reserved<N>& v) { get(v.bytes.data(), N); }
    template <int N>
    void operator()(const char*, Skip<N>&) { pos_ += N; }
    template <class T, int N>
    void operator()(const char* name, Array1<T, N>& a) {
        if constexpr (kStoredAsIs<T>)
            get(a.items.data(), static_cast<int>(sizeof(T)) * N);
        else
            for (T& item : a.items) (*this)(name, item);
    }

private:
    void get(void* p, int n) {
        std::memcpy(p, in_ + pos_, static_cast<size_t>(n));
        pos_ += n;
    }
    const char* in_;
    int pos_ = 0;
};

// Lists each field with its offset, width of one element and element count.
struct FieldInfo {
    std::string name;
    int offset;
    int width;  // whole field, all elements
    int count;  // 1 for a plain field
};

class Layout {
public:
    std::vector<FieldInfo> fields;
    int length() const { return pos_; }

    void operator()(const char* n, std::int16_t) { add(n, 2, 1); }
    void operator()(const char* n, std::int32_t) { add(n, 4, 1); }
    void operator()(const char* n, const Boolean&) { add(n, 2, 1); }
    void operator()(const char* n, const Date&) { add(n, 8, 1); }
    void operator()(const char* n, const Currency&) { add(n, 8, 1); }
    template <int N>
    void operator()(const char* n, const FixedText<N>&) { add(n, N, 1); }
    template <int N>
    void operator()(const char* n, const Reserved<N>&) { add(n, N, 1); }
    template <int N>
    void operator()(const char* n, const Skip<N>&) { add(n, N, 1); }
    template <class T, int N>
    void operator()(const char* n, const Array1<T, N>& a) {
        Layout inner;
        inner(n, a.items[0]);
        add(n, inner.length() * N, N);
    }
    const FieldInfo* find(const std::string& name) const {
        for (const auto& f : fields)
            if (f.name == name) return &f;
        return nullptr;
    }

private:
    void add(const char* n, int width, int count) {
        fields.push_back({n, pos_, width, count});
        pos_ += width;
    }
    int pos_ = 0;
};

}  // namespace fieldio

// Record <-> bytes through the record's field list.
template <class R>
void encodeRecord(const R& r, char* out) {
    fieldio::Writer w(out);
    visit(const_cast<R&>(r), w);
}
template <class R>
R decodeRecord(const char* in) {
    R r;
    fieldio::Reader rd(in);
    visit(r, rd);
    return r;
}
template <class R>
fieldio::Layout layoutOf() {
    R r;
    fieldio::Layout l;
    visit(r, l);
    return l;
}
