#include "pagedtable.h"

#include "store/conversions.h"

namespace pagedtable {

namespace {

constexpr int kRowsPerPage = 45;

const QString& timesCE() {
    static const QString name = QStringLiteral("Times New Roman CE");
    return name;
}

// The header row at 30 mm (in the bold the title left) and the frame for
// the rows still to print.
void tableHead(PrinterSurface& s, const Table& t, int remaining) {
    s.setFontName(timesCE());
    s.setFontSize(10);
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setCurrentY(30);
    for (size_t k = 0; k < t.headers.size(); ++k) {
        s.setCurrentX(t.headers[k].second);
        s.print({t.headers[k].first}, k + 1 == t.headers.size());
    }
    s.setFontBold(false);
    const double bottom = remaining > kRowsPerPage ? 260 : 35 + 5 * remaining;
    for (double x : t.verticals) s.line(x, 30, x, bottom);
    s.setCurrentY(35);
    s.line(10, 34, 195, 34);
}

// The page number (in the size set) and the bold title in size 12.
void pageHead(PrinterSurface& s, const Table& t) {
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontBold(false);
    s.setCurrentX(170);
    s.setCurrentY(10);
    s.print({QStringLiteral("oldal: ") + QString::number(s.page())});
    s.setFontSize(12);
    s.setFontBold(true);
    s.setCurrentX(10);
    s.setCurrentY(10);
    s.print({t.title});
}

}  // namespace

bool print(PrinterSurface& s, const Table& t, const std::vector<Row>& rows, const QDate& today,
           const PrintProgress& progress) {
    const int n = static_cast<int>(rows.size());
    s.setFontName(timesCE());
    s.setFontSize(10);
    s.print({PrintItem::Tab(120), conv::shortDate(today)});  // placed before the millimetres
    pageHead(s, t);
    int remaining = n;
    tableHead(s, t, remaining);
    double y = 34;
    int onPage = 0;
    for (int i = 0; i < n; ++i) {
        const Row& r = rows[static_cast<size_t>(i)];
        --remaining;
        s.setCurrentY(y + 1);
        s.setFontSize(9);
        s.setFontBold(r.bold);
        for (size_t k = 0; k < r.cells.size(); ++k) {
            s.setFontName(r.cells[k].mono ? QStringLiteral("Courier New") : timesCE());
            s.setCurrentX(r.cells[k].x);
            s.print({r.cells[k].text}, k + 1 == r.cells.size());
        }
        y += 5;
        s.line(10, y, 195, y);
        if (++onPage == kRowsPerPage && remaining > 0) {
            s.newPage();
            s.setFontName(timesCE());
            s.setFontSize(12);
            pageHead(s, t);
            tableHead(s, t, remaining);
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

}  // namespace pagedtable
