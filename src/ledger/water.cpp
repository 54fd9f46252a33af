#include "water.h"

#include <algorithm>
#include <limits>

#include "currentapartment.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace water {

namespace {

using Monthly = Array1<std::int16_t, 12> Lakas::*;
constexpr std::array<Monthly, kMeters> kMonthly{&Lakas::HaviFogyasztas1, &Lakas::HaviFogyasztas2,
                                                &Lakas::HaviFogyasztas3, &Lakas::HaviFogyasztas4};

bool fits16(int v) {
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

// Moves the last readings above 0 into the previous ones.
Array1<bool, kMeters> moveForward(Lakas& l) {
    Array1<bool, kMeters> moved;
    for (int k = 1; k <= kMeters; ++k) {
        if (l.UtolsoAllas(k) <= 0) continue;
        l.ElozoAllas(k) = l.UtolsoAllas(k);
        l.UtolsoAllas(k) = 0;
        moved(k) = true;
    }
    return moved;
}

}  // namespace

QString meterName(int k) {
    static const std::array<QString, kMeters> names{QStringLiteral("H1 (hidegvíz)"), QStringLiteral("H2 (hidegvíz)"),
                                                    QStringLiteral("M1 (melegvíz)"), QStringLiteral("M2 (melegvíz)")};
    return k >= 1 && k <= kMeters ? names[static_cast<size_t>(k - 1)] : QString();
}

int shownConsumption(const Lakas& l, int k) {
    return std::max(0, l.UtolsoAllas(k) - l.ElozoAllas(k));
}

std::int64_t periodConsumption(const Lakas& l) {
    std::int64_t sum = 0;
    for (int k = 1; k <= kMeters; ++k)
        if (l.UtolsoAllas(k) > 0) sum += shownConsumption(l, k);
    return sum;
}

std::int64_t monthConsumption(const Lakas& l, int month) {
    std::int64_t sum = 0;
    for (Monthly m : kMonthly) sum += (l.*m)(month);
    return sum;
}

QDate shownReadingDate(const Lakas& l, const QDate& today) {
    const QDate d = l.LeadasDatum.toQDate();
    return l.LeadasDatum.isEmpty() || !d.isValid() || d.year() < 2000 ? today : d;
}

ReadingsCheck checkReadings(const std::array<QString, kMeters>& elozo, const std::array<QString, kMeters>& utolso) {
    const QString notRecorded = QStringLiteral("\nA mérőállások nem lettek rögzítve.");
    Readings r;
    QString error;
    const auto take = [&](int k, const QString& text, const QString& which, std::int16_t& into) {
        const auto v = conv::wholeNumber16(text);
        if (v)
            into = *v;
        else if (error.isEmpty())
            error = QStringLiteral(
                        "A(z) %1 mérőóra %2 állása („%3”) nem megfelelő: egész szám lehet -32768 és 32767 "
                        "között (nem használt mérőnél 0).")
                        .arg(meterName(k), which, text.trimmed()) +
                    notRecorded;
    };
    for (int k = 1; k <= kMeters && error.isEmpty(); ++k) {
        const auto i = static_cast<size_t>(k - 1);
        take(k, elozo[i], QStringLiteral("előző"), r.elozo(k));
        take(k, utolso[i], QStringLiteral("utolsó"), r.utolso(k));
        const int diff = r.utolso(k) - r.elozo(k);
        if (error.isEmpty() && !fits16(diff))
            error = QStringLiteral(
                        "A(z) %1 mérőóra utolsó és előző állásának különbsége (%2) túl nagy: -32768 és "
                        "32767 között lehet.")
                        .arg(meterName(k))
                        .arg(diff) +
                    notRecorded;
    }
    if (!error.isEmpty()) return {std::nullopt, error};
    return {r, QString()};
}

Result recordReadings(const DataFolder& folder, const QString& year, int rec, const Readings& readings,
                      const QDate& date) {
    CurrentApartment current(folder, year, rec);
    Result out;
    out.record = current.change([&](Lakas& l) {
        for (int k = 1; k <= kMeters; ++k) {
            l.ElozoAllas(k) = readings.elozo(k);
            l.UtolsoAllas(k) = readings.utolso(k);
            (l.*kMonthly[static_cast<size_t>(k - 1)])(date.month()) = static_cast<std::int16_t>(shownConsumption(l, k));
        }
        l.LeadasDatum = Date::fromQDate(date);
    });
    if (!out.record) out.error = current.error();
    return out;
}

Result setForward(const DataFolder& folder, const QString& year, int rec, bool allApartments) {
    Result out;
    bool done = false;
    if (allApartments) {
        done = changeEveryApartment(
            folder, year,
            [&](int n, Lakas& l) {
                const auto moved = moveForward(l);
                if (n != rec) return;
                out.moved = moved;
                out.record = l;
            },
            out.error);
    } else {
        CurrentApartment current(folder, year, rec);
        out.record = current.change([&](Lakas& l) { out.moved = moveForward(l); });
        done = out.record.has_value();
        if (!done) out.error = current.error();
    }
    if (!done) {
        out.record.reset();
        out.moved = {};
    }
    return out;
}

std::optional<int> apartmentsToSetForward(const DataFolder& folder, const QString& year) {
    if (!DataFolder::isUsableYear(year)) return std::nullopt;
    int count = 0;
    const bool read =
        RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).forEach([&](int, const Lakas& l) {
            Lakas moved = l;
            const auto m = moveForward(moved);
            count += (m(1) || m(2) || m(3) || m(4)) ? 1 : 0;
        });
    if (!read) return std::nullopt;
    return count;
}

std::optional<MonthTotals> monthTotals(const DataFolder& folder, const QString& year, int rec, int month) {
    if (!DataFolder::isUsableYear(year) || month < 1 || month > 12) return std::nullopt;
    MonthTotals t;
    const bool read =
        RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).forEach([&](int n, const Lakas& l) {
            const std::int64_t sum = monthConsumption(l, month);
            t.house += sum;
            if (n == rec) t.own = sum;
        });
    if (!read) return std::nullopt;
    return t;
}

YearView yearView(const Lakas& l, int month) {
    YearView v;
    for (int j = 1; j <= 12; ++j) {
        MonthRow& row = v.months(j);
        for (int k = 1; k <= kMeters; ++k) {
            row.values(k) = std::max(0, int((l.*kMonthly[static_cast<size_t>(k - 1)])(j)));
            row.total += row.values(k);
        }
        v.yearly += row.total;
        row.shown = j <= month;
    }
    return v;
}

}  // namespace water
