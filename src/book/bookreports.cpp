#include "bookreports.h"

#include "reports/csvexport.h"
#include "reports/pagedtable.h"
#include "reports/printtext.h"

namespace book {

QString reportTitle(ListKind k, const QString& year) {
    switch (k) {
        case ListKind::Bevetel:
            return year + QStringLiteral(". évi kimutatás a bevételekről.");
        case ListKind::Kiadas:
            return year + QStringLiteral(". évi kimutatás a kiadásokról.");
        case ListKind::KiBe:
            break;
    }
    return year + QStringLiteral(". évi kimutatás");
}

bool printReport(PrinterSurface& s, ListKind k, const List& list, const QString& year, const QDate& today,
                 const PrintProgress& progress) {
    const bool both = k == ListKind::KiBe;
    pagedtable::Table table{reportTitle(k, year), {}, {}};
    if (both) {
        table.headers = {{"Dátum", 12}, {"Megnevezés", 32}, {"Kiadás", 140}, {"Bevétel", 170}};
        table.verticals = {10, 30, 135, 165, 195};
    } else {
        table.headers = {{"Dátum", 12}, {"Megnevezés", 52}, {"Összeg", 165}};
        table.verticals = {10, 50, 160, 195};
    }
    const auto amount = [](std::int64_t v) { return printtext::grouped(v, QStringLiteral("### ### ##0"), 11); };
    const auto row = [&](const QStringList& texts, std::int64_t kiadas, std::int64_t bevetel) {
        pagedtable::Row r{{{texts[0], 11}, {texts[1], both ? 31.0 : 51.0}}, false};
        if (both) r.cells.push_back({amount(kiadas), 142, true});
        r.cells.push_back({amount(k == ListKind::Kiadas ? kiadas : bevetel), 172, true});
        return r;
    };
    std::vector<pagedtable::Row> rows;
    rows.reserve(list.rows.size() + 1);
    for (const Entry& e : list.rows) rows.push_back(row(rowTexts(k, e), e.t.Kiadas, e.t.Bevetel));
    rows.push_back(row(totalsTexts(k, list), list.kiadas, list.bevetel));
    return pagedtable::print(s, table, rows, today, progress);
}

QByteArray csv(const List& kiBe) {
    std::vector<QStringList> rows;
    rows.reserve(kiBe.rows.size() + 1);
    for (const Entry& e : kiBe.rows) rows.push_back(rowTexts(ListKind::KiBe, e).mid(0, 5));
    QStringList totals = totalsTexts(ListKind::KiBe, kiBe).mid(0, 5);
    totals[1] = QString();  // the list's blanks
    rows.push_back(totals);
    return csv::bytes(columns(ListKind::KiBe).mid(0, 5), rows);
}

}  // namespace book
