#include "residentlist.h"

#include <unordered_map>
#include <unordered_set>

#include "reports/printtext.h"
#include "store/recordfile.h"

QString residentListHeading(const Lakas& l) {
    return QString::number(l.Irsz) + QLatin1Char(' ') + l.Helyseg.text() + QLatin1Char(' ');
}

std::vector<Lakas> listedApartments(const DataFolder& folder, const QString& year, const std::vector<int>& recs) {
    std::vector<Lakas> out;
    if (!DataFolder::isUsableYear(year) || recs.empty()) return out;
    const std::unordered_set<int> wanted(recs.begin(), recs.end());
    std::unordered_map<int, Lakas> found;
    RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).forEach([&](int n, const Lakas& l) {
        if (wanted.count(n)) found.emplace(n, l);
    });
    out.reserve(found.size());
    for (int r : recs)
        if (const auto it = found.find(r); it != found.end()) out.push_back(it->second);
    return out;
}

namespace {

// The heading, the column headings and the two sides of the frame of a page.
void pageHead(PrinterSurface& s, const QString& heading, double frameBottom) {
    static const std::pair<const char*, double> columns[] = {{"Utca", 10},         {"Épület", 50},     {"Házszám", 90},
                                                             {"Emelet/ajtó", 110}, {"Lakó neve", 130}, {"Telefon", 180},
                                                             {"Bejelentve", 205},  {"E-mail", 225}};
    s.setFontSize(12);
    s.setCurrentX(10);
    s.setCurrentY(15);
    s.print({heading});
    s.setFontSize(8);
    s.line(9, 25, 280, 25);
    s.setFontBold(true);
    s.setCurrentY(26);
    for (size_t k = 0; k < std::size(columns); ++k) {
        s.setCurrentX(columns[k].second);
        s.print({QString::fromUtf8(columns[k].first)}, k + 1 == std::size(columns));
    }
    s.setFontBold(false);
    s.line(9, 29, 280, 29);
    s.line(9, 25, 9, frameBottom);
    s.line(280, 25, 280, frameBottom);
}

}  // namespace

bool printResidentList(PrinterSurface& s, const std::vector<Lakas>& apartments, const QString& heading,
                       const PrintProgress& progress) {
    s.setFontName(QStringLiteral("Times New Roman CE"));
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontBold(false);
    s.setOrientation(PrinterSurface::Landscape);

    const int n = static_cast<int>(apartments.size());
    int remaining = n;
    pageHead(s, heading, n <= 20 ? 25 + 8 * n + 6 : 191);
    double y = 26;
    int counter = 0;
    for (int i = 0; i < n; ++i) {
        const Lakas& l = apartments[static_cast<size_t>(i)];
        --remaining;
        if (++counter == 21) {
            counter = 0;
            s.newPage();
            pageHead(s, heading, remaining <= 20 ? 30 + 8 * (remaining + 1) : 193);
            y = 26;
        }
        y += 4;
        s.setCurrentY(y);
        const std::pair<QString, double> cells[] = {{l.Utca.text(), 10},
                                                    {l.Epulet.text(), 50},
                                                    {l.Hsz.text(), 90},
                                                    {l.Ajto.text(), 110},
                                                    {l.Lakok.Nev(1).text(), 130},
                                                    {l.Telefon.text(), 180},
                                                    {printtext::date(l.Lakok.Bejelentve(1)), 205},
                                                    {l.Email.text(), 225}};
        for (size_t k = 0; k < std::size(cells); ++k) {
            s.setCurrentX(cells[k].second);
            s.print({cells[k].first}, k + 1 == std::size(cells));
        }
        y += 4;
        s.setCurrentY(y);
        s.setCurrentX(15);
        s.setFontBold(true);
        s.print({QStringLiteral("Megjegyzés: ")}, false);
        s.setFontBold(false);
        s.print({l.Megj.text()});
        s.line(9, y + 4, 280, y + 4);
        if (!goOn(progress, i + 1, n)) {
            s.abortDoc();
            return false;
        }
    }
    return s.endDoc();
}
