#include "summary.h"

#include "ledger/months.h"
#include "reports/csvexport.h"
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

namespace {

constexpr int kRowsPerPage = 45;

const QString& timesCE() {
    static const QString name = QStringLiteral("Times New Roman CE");
    return name;
}

// The header row at 30 mm and the frame for the rows still to print.
void tableHead(PrinterSurface& s, int remaining) {
    static const std::pair<const char*, double> headers[] = {
        {"Lakás", 12}, {"Lakó", 82}, {"Előírás", 122}, {"Befizetés", 152}, {"Egyenleg", 177}};
    s.setFontName(timesCE());
    s.setFontSize(10);
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setCurrentY(30);
    for (size_t k = 0; k < std::size(headers); ++k) {
        s.setCurrentX(headers[k].second);
        s.print({QString::fromUtf8(headers[k].first)}, k + 1 == std::size(headers));
    }
    s.setFontBold(false);
    const double bottom = remaining > kRowsPerPage ? 260 : 35 + 5 * remaining;
    for (double x : {10, 80, 120, 150, 175, 210}) s.line(x, 30, x, bottom);
    s.setCurrentY(35);
    s.line(10, 34, 195, 34);
}

void pageHead(PrinterSurface& s, const QString& title) {
    s.setFontName(timesCE());
    s.setFontSize(12);
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontBold(false);
    s.setCurrentX(170);
    s.setCurrentY(10);
    s.print({QStringLiteral("oldal: ") + QString::number(s.page())});
    s.setFontBold(true);
    s.setCurrentX(10);
    s.setCurrentY(10);
    s.print({title});
}

}  // namespace

bool print(PrinterSurface& s, const std::vector<Row>& rows, const QString& year, const QDate& today,
           const PrintProgress& progress) {
    const QString heading = title(year);
    const int n = static_cast<int>(rows.size());

    s.setFontName(timesCE());
    s.setFontSize(10);
    s.print({PrintItem::Tab(120), conv::shortDate(today)});
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontBold(false);
    s.setCurrentX(170);
    s.setCurrentY(10);
    s.print({QStringLiteral("oldal: 1")});
    s.setFontSize(12);
    s.setFontBold(true);
    s.setCurrentX(10);
    s.setCurrentY(10);
    s.print({heading});

    int remaining = n;
    tableHead(s, remaining);
    double y = 34;
    int onPage = 0;
    for (int i = 0; i < n; ++i) {
        const Row& r = rows[static_cast<size_t>(i)];
        --remaining;
        s.setCurrentY(y + 1);
        s.setCurrentX(11);
        s.setFontSize(9);
        s.setFontName(timesCE());
        s.setFontBold(r.total);
        s.print({r.total ? QStringLiteral(" ") : r.lakas}, false);
        s.setCurrentX(82);
        s.print({r.lako}, false);
        s.setCurrentY(y + 1);
        s.setFontName(QStringLiteral("Courier New"));
        s.setCurrentX(125);
        s.print({amountText(r.eloiras)}, false);
        s.setCurrentX(155);
        s.print({amountText(r.befizetes)}, false);
        s.setCurrentX(179);
        s.print({amountText(r.egyenleg)});
        y += 5;
        s.line(10, y, 195, y);
        if (++onPage == kRowsPerPage && remaining > 0) {
            s.newPage();
            pageHead(s, heading);
            tableHead(s, remaining);
            y = 34;
            onPage = 0;
        }
        if (!goOn(progress, i + 1, n)) {
            s.abortDoc();
            return false;
        }
    }
    return s.endDoc();
}

}  // namespace summary
