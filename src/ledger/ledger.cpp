#include "ledger.h"

#include <cmath>
#include <functional>
#include <limits>

#include "currentapartment.h"
#include "ledger/months.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace ledger {

namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

bool fits32(std::int64_t v) {
    return v >= kMin32 && v <= kMax32;
}

Result failed(const QString& error, bool refused = false) {
    Result r;
    r.error = error;
    r.refused = refused;
    return r;
}

Amount refusedAmount(const QString& error) {
    return Amount{Amount::Status::Refused, 0, error};
}

// Changes the current apartment; its arrears over rows 1..ownRows.
Result changeCurrent(const DataFolder& folder, const QString& year, int rec, Kind k, int ownRows,
                     const std::function<void(Lakas&)>& change) {
    CurrentApartment current(folder, year, rec);
    Result r;
    r.record = current.change(change);
    if (!r.record) return failed(current.error());
    r.change = listChange(rec, current.stored(), *r.record);
    r.own = arrears(*r.record, k, ownRows);
    return r;
}

Befizetes logRecord(const Lakas& l, Kind k, int row, std::int32_t amount, const QDate& date) {
    Befizetes b;
    b.Osszeg = amount;
    b.Datum = Date::fromQDate(date);
    b.Tipus = logKind(k);
    b.Nev = l.Lakok.Nev(1);
    b.Helyseg = l.Helyseg;
    b.Utca = l.Utca;
    b.Hsz = l.Hsz;
    b.Ajto = l.Ajto;
    b.Honap = static_cast<std::int16_t>(row);
    return b;
}

const QString kTooLarge = QStringLiteral("Az összeg túl nagy: legfeljebb %1 Ft lehet.").arg(kMax32);

}  // namespace

const Fields& fields(Kind k) {
    static const Fields kk{&Lakas::KozosKoltseg, &Lakas::KKEloiras, &Lakas::KKBefizetes, &Lakas::KKBefizDatum};
    static const Fields h{&Lakas::SzemetDij, &Lakas::HEloiras, &Lakas::HBefizetes, &Lakas::HBefizDatum};
    return k == Kind::KozosKoltseg ? kk : h;
}

QString logKind(Kind k) {
    return k == Kind::KozosKoltseg ? QStringLiteral("Közösköltség") : QStringLiteral("Szemétdíj");
}

std::int64_t allArrears(const HouseTotals& t, Kind k) {
    return k == Kind::KozosKoltseg ? t.kkArrears() : t.hArrears();
}

std::int64_t arrears(const Lakas& l, Kind k, int lastRow) {
    const Fields& f = fields(k);
    std::int64_t sum = 0;
    for (int i = 1; i <= lastRow; ++i) sum += std::int64_t((l.*f.charge)(i)) - (l.*f.paid)(i);
    return sum;
}

RowTexts rowTexts(const Lakas& l, Kind k, int row) {
    const Fields& f = fields(k);
    const QString blank(QLatin1Char(' '));
    const std::int32_t charged = (l.*f.charge)(row);
    const std::int32_t paid = (l.*f.paid)(row);
    RowTexts t;
    t.charge = charged == 0 ? blank : QString::number(charged);
    t.paid = paid == 0 ? blank : QString::number(paid);
    t.date = paid == 0 ? blank : conv::shortDate((l.*f.date)(row));
    return t;
}

QString proposedPayment(const QString& chargeText, const QString& paidText) {
    const auto whole = [](const QString& t) { return static_cast<std::int64_t>(std::llround(conv::numericValue(t))); };
    return conv::numberText(whole(chargeText) - whole(paidText));
}

Amount paymentAmount(const QString& text) {
    if (text.trimmed().isEmpty()) return Amount{};
    const auto v = conv::parseWholeNumber(text);
    if (!v)
        return refusedAmount(
            QStringLiteral("A befizetett összeg csak egész szám lehet, betű, tizedesjegy és "
                           "szóköz nélkül (például 12500).\nA befizetés nem lett rögzítve."));
    if (!fits32(*v)) return refusedAmount(kTooLarge + QStringLiteral("\nA befizetés nem lett rögzítve."));
    return Amount{Amount::Status::Ok, static_cast<std::int32_t>(*v), QString()};
}

Amount previousYearAmount(Kind k, const QString& answer) {
    const double numeric = conv::numericValue(answer);
    if (numeric == 0.0) return Amount{Amount::Status::Stop, 0, QString()};
    const QString notRecorded = QStringLiteral("\nA tartozás nem lett rögzítve.");
    std::optional<std::int64_t> value;
    if (k == Kind::KozosKoltseg) {
        value = conv::parseWholeNumber(answer);
        if (!value)
            return refusedAmount(QStringLiteral("Az előző évi tartozás összege csak egész szám lehet, betű, "
                                                "tizedesjegy és szóköz nélkül (például 15000).") +
                                 notRecorded);
    } else if (const auto rounded = conv::roundToInt32(numeric)) {
        value = *rounded;
    }
    if (!value || !fits32(*value)) return refusedAmount(kTooLarge + notRecorded);
    return Amount{Amount::Status::Ok, static_cast<std::int32_t>(*value), QString()};
}

Result charge(const DataFolder& folder, const QString& year, int rec, Kind k, int row, bool allApartments) {
    if (row < 1 || row > 12) return failed(QStringLiteral("Előírás csak egy hónapra rögzíthető."), true);
    const Fields& f = fields(k);
    if (!allApartments)
        return changeCurrent(folder, year, rec, k, 12, [&](Lakas& l) { (l.*f.charge)(row) = l.*f.monthly; });

    Result r;
    QString error;
    r.totals = changeEveryApartment(
        folder, year,
        [&](int n, Lakas& l) {
            (l.*f.charge)(row) = l.*f.monthly;
            if (n != rec) return;
            r.own = arrears(l, k, 12);
            r.record = l;
        },
        error);
    if (!r.totals) return failed(error);
    return r;
}

Result pay(const DataFolder& folder, const QString& year, int rec, Kind k, int row, std::int32_t amount,
           const QDate& date) {
    if (row < 1 || row > kLedgerRows) return failed(QStringLiteral("Nincs kijelölt sor."), true);
    CurrentApartment current(folder, year, rec);
    if (!current.read()) return failed(current.error());
    const Fields& f = fields(k);
    Lakas l = current.stored();
    const std::int64_t total = amount == 0 ? 0 : std::int64_t((l.*f.paid)(row)) + amount;
    if (!fits32(total))
        return failed(
            QStringLiteral("A(z) „%1” sor befizetéseinek összege %2 Ft lenne.\n").arg(monthName(row)).arg(total) +
                kTooLarge + QStringLiteral("\nA befizetés nem lett rögzítve."),
            true);
    (l.*f.paid)(row) = static_cast<std::int32_t>(total);
    (l.*f.date)(row) = Date::fromQDate(date);

    // The ledger and its log record land together or not at all.
    journaled::Transaction tx(folder, year);
    tx.append(files::Befiz, logRecord(l, k, row, amount, date));
    if (!current.write(l, tx)) return failed(current.error());
    Result r;
    r.record = l;
    r.change = listChange(rec, current.stored(), l);
    r.own = arrears(l, k, kLedgerRows);
    return r;
}

Result setPreviousYearDebt(const DataFolder& folder, const QString& year, int rec, Kind k, std::int32_t amount) {
    return changeCurrent(folder, year, rec, k, kLedgerRows,
                         [&](Lakas& l) { (l.*fields(k).charge)(kPreviousYearRow) = amount; });
}

}  // namespace ledger
