#include "apartmentlist.h"

#include <limits>

#include "store/recordfile.h"

ApartmentRow listRow(int rec, const Lakas& l) {
    return ApartmentRow{rec, l.Lakok.Nev(1).text(), l.Utca.text(), l.Hsz.text(), l.Ajto.text()};
}

std::int64_t periodConsumption(const Lakas& l) {
    std::int64_t sum = 0;
    for (int k = 1; k <= 4; ++k)
        if (l.UtolsoAllas(k) > 0) sum += l.UtolsoAllas(k) - l.ElozoAllas(k);
    return sum;
}

void addToTotals(HouseTotals& t, const Lakas& l, bool includeYearlyWater) {
    t.waterConsumption += periodConsumption(l);
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

ApartmentList readApartmentList(const DataFolder& folder, const QString& year) {
    ApartmentList out;
    out.notice = folder.yearNotices(year).join(QStringLiteral("\n\n"));
    const auto path = folder.openYearFile(year, files::Lakasok);
    if (!path) return out;
    RecordFile<Lakas> file(*path, folder.fs());
    out.rows.reserve(static_cast<size_t>(file.count()));
    out.opened = file.forEach([&](int n, const Lakas& l) {
        out.rows.push_back(listRow(n, l));
        addToTotals(out.totals, l);
    });
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
