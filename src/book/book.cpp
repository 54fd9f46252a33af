#include "book.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

#include "register/outcome.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace book {

// ---- the building filter ---------------------------------------------------

Filter::Filter(const QString& buildingText) : upper_(buildingText.trimmed().toUpper()) {}

bool Filter::matches(const KonyvTetel& e) const {
    return upper_.isEmpty() || e.Epulet.text().toUpper().contains(upper_);
}

// ---- the three lists -------------------------------------------------------

namespace {

// The lists sort by the text of the date, which begins with the year: the
// empty date (no text) comes first, then the days in order.
std::int64_t dayKey(const Date& d) {
    return d.isEmpty() ? std::numeric_limits<std::int64_t>::min() : static_cast<std::int64_t>(std::floor(d.value));
}

void add(List& l, const Entry& e) {
    l.rows.push_back(e);
    l.kiadas += e.t.Kiadas;
    l.bevetel += e.t.Bevetel;
}

}  // namespace

Lists readLists(const DataFolder& folder, const QString& year, const QString& buildingText) {
    Lists out;
    if (!DataFolder::isUsableYear(year)) return out;
    const QString path = folder.yearFile(year, files::Kiadasok);
    RecordFile<KonyvTetel> file(path, folder.fs());
    if (!folder.fs().size(path)) return out;  // no book yet

    const Filter filter(buildingText);
    std::vector<Entry> matching;
    const bool read = file.forEach([&](int rec, const KonyvTetel& t) {
        if (filter.matches(t)) matching.push_back(Entry{rec, t});
    });
    if (!read) {
        out.error = QStringLiteral("A kiadások és bevételek fájlja nem olvasható:\n") + path;
        return out;
    }
    // Sorted by (day, position): the entries of a day stay in record order.
    std::vector<std::pair<std::int64_t, size_t>> order;
    order.reserve(matching.size());
    for (size_t i = 0; i < matching.size(); ++i) order.emplace_back(dayKey(matching[i].t.Datum), i);
    std::sort(order.begin(), order.end());
    out.kiBe.rows.reserve(matching.size());
    for (const auto& [day, i] : order) {
        const Entry& e = matching[i];
        add(out.kiBe, e);
        if (e.t.Kiadas != 0) add(out.kiadas, e);
        if (e.t.Bevetel != 0) add(out.bevetel, e);
    }
    return out;
}

QStringList columns(ListKind k) {
    switch (k) {
    case ListKind::Kiadas: return {"Dátum", "Megnevezés", "Kiadás", "Megjegyzés", "rec"};
    case ListKind::Bevetel: return {"Dátum", "Megnevezés", "Bevét", "Megjegyzés", "rec"};
    case ListKind::KiBe: break;
    }
    return {"Dátum", "Megnevezés", "Kiadás", "Bevétel", "Megjegyzés", "rec"};
}

int amountColumn(ListKind) { return 2; }
int recColumn(ListKind k) { return k == ListKind::KiBe ? 5 : 4; }

QStringList rowTexts(ListKind k, const Entry& e) {
    QStringList t{conv::shortDate(e.t.Datum), e.t.Megnevezes.text()};
    if (k != ListKind::Bevetel) t << QString::number(e.t.Kiadas);
    if (k != ListKind::Kiadas) t << QString::number(e.t.Bevetel);
    t << e.t.Megjegyzes.text() << QString::number(e.rec);
    return t;
}

QStringList totalsTexts(ListKind k, const List& l) {
    QStringList t{kTotals, QString(13, QLatin1Char(' '))};
    if (k != ListKind::Bevetel) t << QString::number(l.kiadas);
    if (k != ListKind::Kiadas) t << QString::number(l.bevetel);
    t << QString() << QString();
    return t;
}

QString balanceText(std::int64_t balance) {
    return conv::formatPattern(balance, QStringLiteral("### ### ###")) + QStringLiteral(",-Ft");
}

// ---- recording and modifying -------------------------------------------------

Prepared prepare(Action a, const Input& in) {
    KonyvTetel e;
    const auto amount = [](const QString& text, Field f, std::int32_t& into) -> std::optional<Prepared> {
        const QString name = f == Field::Kiadas ? QStringLiteral("kiadás") : QStringLiteral("bevétel");
        const auto whole = conv::parseWholeNumber(text);
        if (whole && *whole == static_cast<std::int32_t>(*whole)) {
            into = static_cast<std::int32_t>(*whole);
            return std::nullopt;
        }
        const QString why = whole ? QStringLiteral("A %1 összege túl nagy: legfeljebb 2147483647 Ft lehet.").arg(name)
                                  : QStringLiteral("A %1 összege csak egész szám lehet, betű, tizedesjegy és "
                                                   "szóköz nélkül (például 12500).")
                                        .arg(name);
        return Prepared{std::nullopt, f, why + QStringLiteral("\nSemmi sem lett rögzítve.")};
    };
    if (a != Action::Income)
        if (auto refused = amount(in.kiadas, Field::Kiadas, e.Kiadas)) return *refused;
    if (a != Action::Expense)
        if (auto refused = amount(in.bevetel, Field::Bevetel, e.Bevetel)) return *refused;
    e.Datum = Date::fromQDate(in.datum);
    e.Megnevezes = in.megnevezes;
    e.Megjegyzes = in.megjegyzes;
    e.Epulet = in.epulet;
    e.Fenntartott = 0;
    return Prepared{e, std::nullopt, QString()};
}

Written writeEntry(const DataFolder& folder, const QString& year, int rec, const KonyvTetel& entry) {
    const auto path = folder.openYearFile(year, files::Kiadasok);
    if (!path) return Written{0, messages::notWritten(folder.yearFile(year, files::Kiadasok))};
    if (rec != 0 && (rec < 1 || rec > RecordFile<KonyvTetel>(*path, folder.fs()).count()))
        return Written{0, QStringLiteral("A módosítandó tétel (%1. sor) nem található a fájlban:\n%2\n"
                                         "Semmi sem lett rögzítve.")
                              .arg(rec)
                              .arg(*path)};
    journaled::Transaction tx(folder, year);  // store/journal.h: the entry lands whole or not at all
    const journaled::Outcome o = (rec == 0 ? tx.append(files::Kiadasok, entry) : tx.write(files::Kiadasok, rec, entry)).commit();
    if (!o.done()) return Written{0, o.message};
    return Written{rec == 0 ? static_cast<int>(o.appended.front()) : rec, QString()};
}

std::optional<KonyvTetel> readEntry(const DataFolder& folder, const QString& year, int rec) {
    if (!DataFolder::isUsableYear(year)) return std::nullopt;
    return RecordFile<KonyvTetel>(folder.yearFile(year, files::Kiadasok), folder.fs()).read(rec);
}

// ---- carry-over into a new year ----------------------------------------------

QString carryOverText(const QString& buildingName, const QString& oldYear) {
    return (buildingName.trimmed() + QStringLiteral(" Épület egyenleg áthozat ") + oldYear + QStringLiteral(". évből"))
        .left(50);
}

bool isCarryOver(const KonyvTetel& e, const QString& oldYear) {
    return e.Megnevezes.text() == carryOverText(e.Epulet.text(), oldYear).trimmed();
}

std::vector<std::int64_t> buildingBalances(const std::vector<KonyvTetel>& oldBook, const QStringList& buildingNames) {
    QHash<QString, std::int64_t> byName;
    for (const QString& n : buildingNames) byName.insert(n, 0);
    for (const KonyvTetel& e : oldBook) {
        const auto it = byName.find(e.Epulet.text());
        if (it != byName.end()) *it += std::int64_t(e.Bevetel) - e.Kiadas;
    }
    std::vector<std::int64_t> out;
    out.reserve(static_cast<size_t>(buildingNames.size()));
    for (const QString& n : buildingNames) out.push_back(byName.value(n));
    return out;
}

KonyvTetel carryOverEntry(const QString& buildingName, const QString& oldYear, std::int32_t balance,
                          const QDate& day) {
    KonyvTetel e;
    e.Bevetel = balance > 0 ? balance : 0;
    e.Kiadas = balance < 0 ? -balance : 0;
    e.Datum = Date::fromQDate(day);
    e.Megnevezes = carryOverText(buildingName, oldYear);
    e.Megjegyzes = QString();
    e.Epulet = buildingName.trimmed();
    e.Fenntartott = 0;
    return e;
}

std::vector<KonyvTetel> withCarryOvers(const std::vector<KonyvTetel>& current,
                                       const std::vector<KonyvTetel>& carryOvers, const QString& oldYear) {
    std::vector<KonyvTetel> out;
    out.reserve(current.size() + carryOvers.size());
    bool placed = false;
    for (const KonyvTetel& e : current) {
        if (!isCarryOver(e, oldYear)) {
            out.push_back(e);
        } else if (!placed) {
            out.insert(out.end(), carryOvers.begin(), carryOvers.end());
            placed = true;
        }
    }
    if (!placed) out.insert(out.end(), carryOvers.begin(), carryOvers.end());
    return out;
}

}  // namespace book
