#include "summary.h"

#include "ledger/months.h"
#include "reports/csvexport.h"
#include "reports/pagedtable.h"
#include "reports/printtext.h"
#include "reports/statement.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace summary {

namespace {

Row apartmentRow(int rec, const Lakas& l) {
    Row r;
    r.lakas = statement::addressText(l);
    r.lako = l.Lakok.Nev(1).padded();
    for (int m = 1; m <= 12; ++m) {
        r.eloiras += std::int64_t(l.KKEloiras(m)) + l.HEloiras(m);
        r.befizetes += std::int64_t(l.KKBefizetes(m)) + l.HBefizetes(m);
    }
    r.egyenleg = r.befizetes - r.eloiras;
    r.rec = rec;
    return r;
}

Row totalRow(std::int64_t eloiras, std::int64_t befizetes) {
    Row r;
    r.lakas = QStringLiteral("zz ");
    r.lako = QStringLiteral("Összesen: ");
    r.eloiras = eloiras;
    r.befizetes = befizetes;
    r.egyenleg = befizetes - eloiras;
    r.total = true;
    return r;
}

bool passes(const Row& r, Only only) {
    switch (only) {
        case Only::Debtors:
            return r.egyenleg < 0;
        case Only::Overpayers:
            return r.egyenleg > 0;
        case Only::All:
            break;
    }
    return true;
}

std::vector<Row> collect(const DataFolder& folder, const QString& year, const Filter* filter) {
    std::vector<Row> out;
    if (!DataFolder::isUsableYear(year)) return out;
    RecordFile<Lakas> file(folder.yearFile(year, files::Lakasok), folder.fs());
    out.reserve(static_cast<size_t>(file.count()) + 1);
    std::int64_t eloiras = 0, befizetes = 0;
    file.forEach([&](int n, const Lakas& l) {
        if (filter && !matchesSearch(l, filter->search)) return;
        Row r = apartmentRow(n, l);
        if (filter && !passes(r, filter->only)) return;
        eloiras += r.eloiras;
        befizetes += r.befizetes;
        out.push_back(std::move(r));
    });
    if (filter || !out.empty()) out.push_back(totalRow(eloiras, befizetes));
    return out;
}

}  // namespace

std::vector<Row> rows(const DataFolder& folder, const QString& year) {
    return collect(folder, year, nullptr);
}

std::vector<Row> rows(const DataFolder& folder, const QString& year, const Filter& filter) {
    return collect(folder, year, &filter);
}

QStringList listTexts(const Row& r) {
    return {r.lakas,
            r.lako,
            QString::number(r.eloiras),
            QString::number(r.befizetes),
            QString::number(r.egyenleg),
            r.total ? QStringLiteral(" ") : QString::number(r.rec)};
}

const QList<int>& boldTotalColumns() {
    static const QList<int> columns{1, 2, 3, 4};
    return columns;
}

Payments payments(const DataFolder& folder, const QString& year, int rec) {
    Payments out;
    if (!DataFolder::isUsableYear(year)) return out;
    const auto l = RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).read(rec);
    if (!l) return out;
    out.found = true;
    const auto& nev = l->Lakok.Nev(1);
    RecordFile<Befizetes>(folder.yearFile(year, files::Befiz), folder.fs()).forEach([&](int, const Befizetes& b) {
        if (b.Nev != nev || b.Hsz != l->Hsz) return;
        out.rows.push_back(Payment{b.Tipus.text(), printtext::date(b.Datum), monthName(b.Honap), b.Osszeg});
        out.total += b.Osszeg;
    });
    return out;
}

QByteArray csv(const std::vector<Row>& rows) {
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    for (const Row& r : rows)
        cells.push_back({r.total ? QString() : r.lakas, r.lako.trimmed(), QString::number(r.eloiras),
                         QString::number(r.befizetes), QString::number(r.egyenleg)});
    return csv::bytes({QStringLiteral("Lakás"), QStringLiteral("Lakó"), QStringLiteral("Előírás"),
                       QStringLiteral("Befizetés"), QStringLiteral("Egyenleg")},
                      cells);
}

QString title(const QString& year) {
    return year + QStringLiteral(". évi kimutatás");
}

QString amountText(std::int64_t value) {
    return printtext::grouped(value, QStringLiteral("### ##0"), 9);
}

// ---- printing ------------------------------------------------------------

bool print(PrinterSurface& s, const std::vector<Row>& rows, const QString& year, const QDate& today,
           const PrintProgress& progress) {
    const pagedtable::Table table{
        title(year),
        {{"Lakás", 12}, {"Lakó", 82}, {"Előírás", 122}, {"Befizetés", 152}, {"Egyenleg", 177}},
        {10, 80, 120, 150, 175, 210}};
    std::vector<pagedtable::Row> cells;
    cells.reserve(rows.size());
    for (const Row& r : rows)
        cells.push_back({{{r.total ? QStringLiteral(" ") : r.lakas, 11},  // the totals row shows no sort mark
                          {r.lako, 82},
                          {amountText(r.eloiras), 125, true},
                          {amountText(r.befizetes), 155, true},
                          {amountText(r.egyenleg), 179, true}},
                         r.total});
    return pagedtable::print(s, table, cells, today, progress);
}

}  // namespace summary
