#include "search.h"

#include <QStringView>

#include <algorithm>
#include <array>


namespace {

// Every code page byte as QString::toUpper turns it into text (a letter
// may become two, as "ß" becomes "SS").
class UpperCase {
public:
    static constexpr int MaxUnits = 3;
    UpperCase() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const QString u = cp1250::decode(&c, 1).toUpper();
            Q_ASSERT(u.size() <= MaxUnits);
            Entry& e = table_[static_cast<size_t>(b)];
            e.length = static_cast<int>(std::min<qsizetype>(u.size(), MaxUnits));
            std::copy(u.utf16(), u.utf16() + e.length, e.units.begin());
        }
    }
    // Writes the upper-case form of one byte at out; returns its length.
    int put(char byte, char16_t* out) const {
        const Entry& e = table_[static_cast<unsigned char>(byte)];
        std::copy(e.units.begin(), e.units.begin() + e.length, out);
        return e.length;
    }

private:
    struct Entry {
        std::array<char16_t, MaxUnits> units{};
        int length = 0;
    };
    std::array<Entry, 256> table_{};
};

const UpperCase& upperCase() {
    static const UpperCase table;
    return table;
}

// A criterion as the search applies it: upper-cased, not trimmed; an empty
// one (after trimming) matches everything. A field is upper-cased into a
// buffer on the stack, so a test allocates nothing.
class Criterion {
public:
    explicit Criterion(const QString& typed) : text_(typed.toUpper()), applied_(!typed.trimmed().isEmpty()) {}
    bool applied() const { return applied_; }
    template <int N>
    bool foundIn(const FixedText<N>& field) const {
        const auto [b, e] = field.trimmedBounds();
        std::array<char16_t, N * UpperCase::MaxUnits> upper;
        qsizetype n = 0;
        for (int i = b; i < e; ++i) n += upperCase().put(field.bytes()[static_cast<size_t>(i)], upper.data() + n);
        return QStringView(upper.data(), n).contains(text_, Qt::CaseSensitive);
    }
    template <int N>
    bool matches(const FixedText<N>& field) const {
        return !applied_ || foundIn(field);
    }

private:
    QString text_;
    bool applied_;
};

// The five criteria, prepared once for a pass over the file.
class Matcher {
public:
    explicit Matcher(const SearchCriteria& c)
        : nev_(c.nev), helyseg_(c.helyseg), utca_(c.utca), hsz_(c.hsz), epulet_(c.epulet) {}
    template <class R>
    bool operator()(const R& l) const {
        if (nev_.applied()) {
            bool any = false;
            for (int k = 1; k <= Lakas::MaxLakok && !any; ++k) any = nev_.foundIn(l.Lakok.Nev(k));
            if (!any) return false;
        }
        return helyseg_.matches(l.Helyseg) && utca_.matches(l.Utca) && hsz_.matches(l.Hsz) && epulet_.matches(l.Epulet);
    }

private:
    Criterion nev_, helyseg_, utca_, hsz_, epulet_;
};

}  // namespace

bool matchesSearch(const Lakas& l, const SearchCriteria& c) {
    return Matcher(c)(l);
}

ApartmentList searchApartments(const DataFolder& folder, const QString& year, const SearchCriteria& c) {
    if (!DataFolder::isUsableYear(year)) return {};
    return listApartments(folder.yearFile(year, files::Lakasok), folder.fs(), Matcher(c), false);
}
