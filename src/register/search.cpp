#include "search.h"

#include "store/recordfile.h"

namespace {

// A criterion as the search applies it: upper-cased, not trimmed; an empty
// one (after trimming) matches everything.
class Criterion {
public:
    explicit Criterion(const QString& typed) : text_(typed.toUpper()), applied_(!typed.trimmed().isEmpty()) {}
    bool applied() const { return applied_; }
    template <int N>
    bool foundIn(const FixedText<N>& field) const {
        return field.text().toUpper().contains(text_, Qt::CaseSensitive);
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
    bool operator()(const Lakas& l) const {
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
    ApartmentList out;
    if (!DataFolder::isUsableYear(year)) return out;
    const Matcher matches(c);
    RecordFile<Lakas> file(folder.yearFile(year, files::Lakasok), folder.fs());
    out.opened = file.forEach([&](int n, const Lakas& l) {
        if (!matches(l)) return;
        out.rows.push_back(listRow(n, l));
        addToTotals(out.totals, l, false);
    });
    return out;
}
