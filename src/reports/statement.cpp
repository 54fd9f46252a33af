#include "statement.h"

#include "ledger/months.h"
#include "reports/printtext.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace statement {

QString addressText(const Lakas& l) {
    return QString::number(l.Irsz) + QLatin1Char(' ') + l.Helyseg.text() + QStringLiteral(", ") + l.Utca.text() +
           QLatin1Char(' ') + l.Hsz.text() + QStringLiteral(". ") + l.Ajto.text();
}

QString title(const QString& yearText) {
    return yearText + QStringLiteral(". évi kimutatás");
}

Table table(const Lakas& l, bool withWaste) {
    Table t;
    t.total.name = QStringLiteral("Összesen:");
    for (int i = 1; i <= kLedgerRows; ++i) {
        Row& r = t.rows[static_cast<size_t>(i - 1)];
        r.name = monthName(i);
        r.kkCharge = l.KKEloiras(i);
        r.kkPaid = l.KKBefizetes(i);
        r.kkDate = printtext::paymentDate(l.KKBefizDatum(i));
        r.hCharge = l.HEloiras(i);
        r.hPaid = l.HBefizetes(i);
        r.hDate = printtext::paymentDate(l.HBefizDatum(i));
        r.balance = r.kkPaid - r.kkCharge + (withWaste ? r.hPaid - r.hCharge : 0);
        t.total.kkCharge += r.kkCharge;
        t.total.kkPaid += r.kkPaid;
        t.total.hCharge += r.hCharge;
        t.total.hPaid += r.hPaid;
        t.total.balance += r.balance;
    }
    return t;
}

std::vector<QStringList> listRows(const Table& t, bool withWaste) {
    const QString blank = QStringLiteral(" ");
    const auto row = [&](const Row& r, bool total) {
        return QStringList{r.name,
                           QString::number(r.kkCharge),
                           QString::number(r.kkPaid),
                           total ? QString() : r.kkDate,
                           withWaste ? QString::number(r.hCharge) : blank,
                           withWaste ? QString::number(r.hPaid) : blank,
                           withWaste && !total ? r.hDate : QString(),
                           QString::number(r.balance)};
    };
    std::vector<QStringList> out;
    out.reserve(t.rows.size() + 1);
    for (const Row& r : t.rows) out.push_back(row(r, false));
    out.push_back(row(t.total, true));
    return out;
}

const QList<int>& boldTotalColumns() {
    static const QList<int> columns{0, 1, 2, 4, 5, 7};
    return columns;
}

int apartmentCount(const DataFolder& folder, const QString& year) {
    if (!DataFolder::isUsableYear(year)) return 0;
    return RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).count();
}

namespace {
// The first record for which `key` gives the text; 0 when none.
int findFirst(const DataFolder& folder, const QString& year, const QString& text, QString (*key)(const Lakas&)) {
    if (!DataFolder::isUsableYear(year)) return 0;
    int found = 0;
    RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).forEach([&](int n, const Lakas& l) {
        if (found == 0 && key(l) == text) found = n;
    });
    return found;
}
QString firstName(const Lakas& l) {
    return l.Lakok.Nev(1).text();
}
}  // namespace

int findByAddress(const DataFolder& folder, const QString& year, const QString& text) {
    return findFirst(folder, year, text, &addressText);
}

int findByName(const DataFolder& folder, const QString& year, const QString& text) {
    return findFirst(folder, year, text, &firstName);
}

SearchLists searchLists(const DataFolder& folder, const QString& year) {
    SearchLists out;
    if (!DataFolder::isUsableYear(year)) return out;
    RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).forEach([&](int, const Lakas& l) {
        out.addresses.append(addressText(l));
        out.names.append(firstName(l));
    });
    return out;
}

// ---- printing ------------------------------------------------------------

namespace {

enum class Col { KKCharge, KKPaid, KKDate, HCharge, HPaid, HDate, Balance };

struct Cell {
    Col col;
    double x;
};

// One of the two tables, in millimetres.
struct PageLayout {
    std::vector<double> lines;  // vertical lines, the last at the right edge
    std::vector<std::pair<QString, double>> headers;
    double nameX;
    std::vector<Cell> cells;
    double totalNameX;
    std::vector<Cell> totals;
};

const PageLayout& layoutFor(bool withWaste) {
    static const PageLayout kk{{10, 55, 85, 115, 145, 175},
                               {{QStringLiteral("Hónap"), 25},
                                {QStringLiteral("Közösköltség"), 62},
                                {QStringLiteral("Befizetések"), 94},
                                {QStringLiteral("Dátum"), 126},
                                {QStringLiteral("Egyenleg"), 154}},
                               25,
                               {{Col::KKCharge, 70}, {Col::KKPaid, 100}, {Col::KKDate, 120}, {Col::Balance, 160}},
                               35,
                               {{Col::KKCharge, 70}, {Col::KKPaid, 100}, {Col::Balance, 160}}};
    static const PageLayout kksz{
        {10, 30, 50, 70, 90, 110, 130, 150, 175},
        {{QStringLiteral("Hónap"), 15},
         {QStringLiteral("Közösköltség"), 33},
         {QStringLiteral("Befizetés"), 54},
         {QStringLiteral("Dátum"), 74},
         {QStringLiteral("Szemétdíj"), 94},
         {QStringLiteral("Befizetés"), 114},
         {QStringLiteral("Dátum"), 135},
         {QStringLiteral("Egyenleg"), 156}},
        12,
        {{Col::KKCharge, 37},
         {Col::KKPaid, 58},
         {Col::KKDate, 71},
         {Col::HCharge, 97},
         {Col::HPaid, 117},
         {Col::HDate, 131},
         {Col::Balance, 160}},
        15,
        {{Col::KKCharge, 37}, {Col::KKPaid, 58}, {Col::HCharge, 97}, {Col::HPaid, 117}, {Col::Balance, 160}}};
    return withWaste ? kksz : kk;
}

QString cellText(const Row& r, Col c) {
    // Dates print without the blanks of the short form ("2026.01.10."), so
    // that they fit the 20 mm of the combined table in "Courier New" 8.
    const auto dateCell = [](const QString& d) { return d.isEmpty() ? QStringLiteral(" ") : QString(d).remove(' '); };
    switch (c) {
        case Col::KKCharge:
            return printtext::amount6(r.kkCharge);
        case Col::KKPaid:
            return printtext::amount6(r.kkPaid);
        case Col::KKDate:
            return dateCell(r.kkDate);
        case Col::HCharge:
            return printtext::amount6(r.hCharge);
        case Col::HPaid:
            return printtext::amount6(r.hPaid);
        case Col::HDate:
            return dateCell(r.hDate);
        case Col::Balance:
            return printtext::amount6(r.balance);
    }
    return QString();
}

// The cells of a row in "Courier New", each at its X; the last ends the line.
void printCells(PrinterSurface& s, const Row& r, const std::vector<Cell>& cells) {
    s.setFontName(QStringLiteral("Courier New"));
    for (size_t k = 0; k < cells.size(); ++k) {
        s.setCurrentX(cells[k].x);
        s.print({cellText(r, cells[k].col)}, k + 1 == cells.size());
    }
}

}  // namespace

bool print(PrinterSurface& s, const Lakas& l, const QString& yearText, const QDate& today, bool withWaste) {
    const Table t = table(l, withWaste);
    const PageLayout& p = layoutFor(withWaste);
    const QString times = QStringLiteral("Times New Roman");

    // The heading, placed by line ends and tab columns only.
    s.setFontBold(false);
    s.setFontName(times);
    s.setFontSize(10);
    s.print({PrintItem::Tab(120), conv::shortDate(today)});
    s.setFontSize(14);
    s.print({PrintItem::Tab(45), title(yearText)});
    s.setFontSize(12);
    s.print({PrintItem::Tab(5), l.Lakok.Nev(1).padded()});
    s.print({PrintItem::Tab(5), addressText(l)});

    s.setScaleMode(PrinterSurface::Millimetres);
    s.line(10, 25, 175, 25);
    for (double x : p.lines) s.line(x, 25, x, 84);
    s.line(10, 31, 175, 31);

    s.setFontSize(8);
    s.setCurrentY(25);
    for (size_t k = 0; k < p.headers.size(); ++k) {
        s.setCurrentX(p.headers[k].second);
        s.print({p.headers[k].first}, k + 1 == p.headers.size());
    }

    for (int i = 1; i <= kLedgerRows; ++i) {
        const double y = 28 + 4 * i;
        const Row& r = t.rows[static_cast<size_t>(i - 1)];
        s.setCurrentY(y);
        s.setFontName(times);
        s.setCurrentX(p.nameX);
        s.print({r.name}, false);
        printCells(s, r, p.cells);
        s.line(10, y + 4, 175, y + 4);
    }

    s.setCurrentY(84);
    s.setFontName(times);
    s.setFontBold(true);
    s.setCurrentX(p.totalNameX);
    s.print({t.total.name}, false);
    printCells(s, t.total, p.totals);
    return s.endDoc();
}

}  // namespace statement
