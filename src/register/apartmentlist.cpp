#include "apartmentlist.h"

#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/recordfile.h"

namespace {

// The texts of a field as stored.
struct Decoded {
    template <int N>
    QString operator()(const FixedText<N>& f) const {
        return f.text();
    }
};

// Decodes the texts that repeat from row to row (streets, house numbers,
// doors) once: equal stored bytes give one shared text, so a long list
// holds one copy of each.
class SharedTexts {
public:
    template <int N>
    QString operator()(const FixedText<N>& f) {
        const auto [b, e] = f.trimmedBounds();
        const std::string_view key(f.bytes().data() + b, static_cast<size_t>(e - b));
        if (const auto it = texts_.find(key); it != texts_.end()) return it->second;
        QString text = f.text();
        if (texts_.size() < kMostTexts) texts_.emplace(std::string(key), text);
        return text;
    }

private:
    static constexpr size_t kMostTexts = 10000;
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> texts_;
};

template <class R, class Text>
ApartmentRow rowOf(int rec, const R& l, Text&& shared) {
    return ApartmentRow{rec, l.Lakok.Nev(1).text(), shared(l.Utca), shared(l.Hsz), shared(l.Ajto)};
}

template <class R>
std::int64_t periodConsumptionOf(const R& l) {
    std::int64_t sum = 0;
    for (int k = 1; k <= 4; ++k)
        if (l.UtolsoAllas(k) > 0) sum += l.UtolsoAllas(k) - l.ElozoAllas(k);
    return sum;
}

}  // namespace

HouseTotals& HouseTotals::operator+=(const HouseTotals& o) {
    waterConsumption += o.waterConsumption;
    yearlyWaterConsumption += o.yearlyWaterConsumption;
    kkCharged += o.kkCharged;
    kkPaid += o.kkPaid;
    hCharged += o.hCharged;
    hPaid += o.hPaid;
    return *this;
}

HouseTotals& HouseTotals::operator-=(const HouseTotals& o) {
    waterConsumption -= o.waterConsumption;
    yearlyWaterConsumption -= o.yearlyWaterConsumption;
    kkCharged -= o.kkCharged;
    kkPaid -= o.kkPaid;
    hCharged -= o.hCharged;
    hPaid -= o.hPaid;
    return *this;
}

template <class R>
ApartmentRow listRow(int rec, const R& l) {
    return rowOf(rec, l, Decoded());
}

template <class R>
void addToTotals(HouseTotals& t, const R& l, bool includeYearlyWater) {
    t.waterConsumption += periodConsumptionOf(l);
    for (int m = 1; m <= 12; ++m) {
        t.kkCharged += l.KKEloiras(m);
        t.kkPaid += l.KKBefizetes(m);
        t.hCharged += l.HEloiras(m);
        t.hPaid += l.HBefizetes(m);
        if (!includeYearlyWater) continue;
        // One month of one apartment is a 16-bit sum; a month whose four
        // meters together exceed it is left out of the yearly total.
        const int month = l.HaviFogyasztas1(m) + l.HaviFogyasztas2(m) + l.HaviFogyasztas3(m) + l.HaviFogyasztas4(m);
        if (month >= std::numeric_limits<std::int16_t>::min() && month <= std::numeric_limits<std::int16_t>::max())
            t.yearlyWaterConsumption += month;
    }
}

template ApartmentRow listRow(int, const Lakas&);
template ApartmentRow listRow(int, const LakasLista&);
template void addToTotals(HouseTotals&, const Lakas&, bool);
template void addToTotals(HouseTotals&, const LakasLista&, bool);

ListChange listChange(int rec, const Lakas& before, const Lakas& after) {
    ListChange c{rec, listRow(rec, before), listRow(rec, after), {}};
    addToTotals(c.delta, after);
    HouseTotals old;
    addToTotals(old, before);
    c.delta -= old;
    return c;
}

std::int64_t periodConsumption(const Lakas& l) {
    return periodConsumptionOf(l);
}

ApartmentList listApartments(const QString& path, FileLayer& fs, const std::function<bool(const LakasLista&)>& take,
                             bool includeYearlyWater) {
    ApartmentList out;
    const RecordFile<LakasLista> file(path, fs);
    if (!take) out.rows.reserve(static_cast<size_t>(file.count()));
    SharedTexts shared;
    out.opened = file.forEach([&](int n, const LakasLista& l) {
        if (take && !take(l)) return;
        out.rows.push_back(rowOf(n, l, shared));
        addToTotals(out.totals, l, includeYearlyWater);
    });
    return out;
}

ApartmentList readApartmentList(const DataFolder& folder, const QString& year) {
    const QString notice = folder.yearNotices(year).join(QStringLiteral("\n\n"));
    const auto path = folder.openYearFile(year, files::Lakasok);
    ApartmentList out = path ? listApartments(*path, folder.fs(), {}, true) : ApartmentList{};
    out.notice = notice;
    return out;
}

std::optional<Lakas> readApartment(const DataFolder& folder, const QString& year, int rec) {
    if (!DataFolder::isUsableYear(year)) return std::nullopt;
    return RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).read(rec);
}

QString addressLine(const Lakas& l) {
    return QString::number(l.Irsz) + QLatin1Char(' ') + l.Helyseg.text() + QStringLiteral(", ") + l.Utca.text() +
           QLatin1Char(' ') + l.Hsz.text() + QLatin1Char(' ') + l.Ajto.text();
}

QString deleteCaption(const Lakas& l) {
    return l.Utca.text() + QLatin1Char(' ') + l.Hsz.text() + QLatin1Char(' ') + l.Ajto.text();
}
