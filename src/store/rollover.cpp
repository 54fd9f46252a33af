#include "rollover.h"

#include <QDir>

#include <limits>

#include "backup.h"
#include "journal.h"
#include "book/book.h"
#include "recordfile.h"

namespace rollover {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

bool isFourDigits(const QString& t) {
    if (t.size() != 4) return false;
    for (QChar c : t)
        if (c.unicode() < u'0' || c.unicode() > u'9') return false;
    return true;
}

bool fits32(std::int64_t v) { return v >= -std::numeric_limits<std::int32_t>::max() && v <= std::numeric_limits<std::int32_t>::max(); }

template <class R>
std::optional<std::vector<R>> readIfPresent(const DataFolder& folder, const QString& path) {
    if (!folder.fs().size(path)) return std::vector<R>{};
    return RecordFile<R>(path, folder.fs()).readAll();
}

Result failed(const QString& message) {
    Result r;
    r.error = message;
    return r;
}

}  // namespace

Plan check(const DataFolder& folder, const QString& answer) {
    Plan p;
    const QString t = answer.trimmed();
    if (!isFourDigits(t) || t.toInt() < 1001) {
        p.error = QStringLiteral("„%1” nem évszám: négy számjegyet adjon meg (például 2027).\n"
                                 "Az új év nem jött létre.")
                      .arg(answer);
        return p;
    }
    p.year = t;
    p.oldYear = QString::number(t.toInt() - 1);
    const QString oldFile = folder.yearFile(p.oldYear, files::Lakasok);
    if (!folder.fs().size(oldFile)) {
        p.error = QStringLiteral("A %1. év a %2. év adataiból készül, de a %2. év lakásai nem találhatók:\n%3\n"
                                 "Az új év nem jött létre.")
                      .arg(p.year, p.oldYear, native(oldFile));
        return p;
    }
    p.replaces = RecordFile<Lakas>(folder.yearFile(p.year, files::Lakasok), folder.fs()).count() > 0;
    return p;
}

QString replaceQuestion(const Plan& p) {
    return QStringLiteral("Biztos mehet \nA %1. évnek már vannak lakásai.\n"
                          "A %1. év lakásai és folyószámlái helyére a %2. év lakásai kerülnek, "
                          "a %2. évi egyenlegek áthozatával.\n"
                          "Előtte a %1. év adatairól mentés készül a %1. év „Mentések” mappájába.")
        .arg(p.year, p.oldYear);
}

bool rollApartment(Lakas& l) {
    std::int64_t kkCharged = 0, kkPaid = 0, hCharged = 0, hPaid = 0;
    for (int j = 1; j <= 13; ++j) {
        kkCharged += l.KKEloiras(j);
        kkPaid += l.KKBefizetes(j);
        hCharged += l.HEloiras(j);
        hPaid += l.HBefizetes(j);
    }
    const std::int64_t kk = kkCharged - kkPaid, h = hCharged - hPaid;
    if (!fits32(kk) || !fits32(h)) return false;
    for (int j = 1; j <= 13; ++j) {
        l.KKEloiras(j) = l.KKBefizetes(j) = l.HEloiras(j) = l.HBefizetes(j) = 0;
        l.KKBefizDatum(j) = l.HBefizDatum(j) = Date{};
        if (j < 13) l.HaviFogyasztas1(j) = l.HaviFogyasztas2(j) = l.HaviFogyasztas3(j) = l.HaviFogyasztas4(j) = 0;
    }
    l.KKEloiras(13) = static_cast<std::int32_t>(kk);
    l.HEloiras(13) = static_cast<std::int32_t>(h);
    return true;
}

Result run(const DataFolder& folder, const Plan& plan, const QDateTime& now) {
    Result out;
    if (!plan.ok()) return failed(plan.error);
    FileLayer& fs = folder.fs();
    const QString notMade = QStringLiteral("\nAz új év nem jött létre, a %1. év adatai változatlanok.").arg(plan.year);
    const auto unreadable = [&](const QString& path) {
        return failed(QStringLiteral("A fájl nem olvasható:\n") + native(path) + notMade);
    };

    // Year N - 1: the apartments rolled over, the buildings' balances, with
    // an unfinished change of that year completed first.
    if (const journaled::Recovery earlier = journaled::recover(folder, plan.oldYear); !earlier.ok())
        return failed(earlier.message + notMade);
    const QString oldFlats = folder.yearFile(plan.oldYear, files::Lakasok);
    auto flats = RecordFile<Lakas>(oldFlats, fs).readAll();
    if (!flats || !fs.size(oldFlats)) return unreadable(oldFlats);
    for (Lakas& l : *flats) {
        if (rollApartment(l)) continue;
        return failed(QStringLiteral("%1 (%2 %3 %4) egyenlege nem fér el az előző évi sorban "
                                     "(legfeljebb 2147483647 Ft lehet).")
                          .arg(l.Lakok.Nev(1).text(), l.Utca.text(), l.Hsz.text(), l.Ajto.text()) +
                      notMade);
    }
    const QString buildingsPath = folder.file(files::Epuletek);
    const auto buildings = readIfPresent<Epulet>(folder, buildingsPath);
    if (!buildings) return unreadable(buildingsPath);
    const QString oldBookPath = folder.yearFile(plan.oldYear, files::Kiadasok);
    const auto oldBook = readIfPresent<KonyvTetel>(folder, oldBookPath);
    if (!oldBook) return unreadable(oldBookPath);

    QStringList names;
    for (const Epulet& e : *buildings) names << e.Nev.text();
    const std::vector<std::int64_t> balances = book::buildingBalances(*oldBook, names);
    std::vector<KonyvTetel> carryOvers;
    for (qsizetype b = 0; b < names.size(); ++b) {
        const std::int64_t balance = balances[size_t(b)];
        if (!fits32(balance))
            return failed(QStringLiteral("A(z) „%1” épület egyenlege (%2 Ft) nem fér el egy tételben "
                                         "(legfeljebb 2147483647 Ft lehet).")
                              .arg(names[b])
                              .arg(balance) +
                          notMade);
        carryOvers.push_back(
            book::carryOverEntry(names[b], plan.oldYear, static_cast<std::int32_t>(balance), now.date()));
    }

    // Year N: its book keeps its own entries.
    const QString flatsPath = folder.yearFile(plan.year, files::Lakasok);
    const QString bookPath = folder.yearFile(plan.year, files::Kiadasok);
    const auto current = readIfPresent<KonyvTetel>(folder, bookPath);
    if (!current) return unreadable(bookPath);
    const std::vector<KonyvTetel> newBook = book::withCarryOvers(*current, carryOvers, plan.oldYear);

    if (RecordFile<Lakas>(flatsPath, fs).count() > 0) {
        const backup::Saved saved = backup::save(folder, plan.year, now);
        if (!saved.ok()) return failed(saved.error + notMade);
        out.backupFolder = saved.folder;
    }
    if (!folder.ensureYearFolder(plan.year))
        return failed(QStringLiteral("Az új év mappája nem hozható létre:\n") + native(folder.yearFolder(plan.year)) +
                      QStringLiteral("\nAz új év nem jött létre."));

    // Both files are replaced whole; when the book fails, the apartments
    // are put back as they were.
    std::optional<QByteArray> flatsBefore;
    if (const auto size = fs.size(flatsPath)) {
        flatsBefore = fs.read(flatsPath, 0, *size);
        if (!flatsBefore || flatsBefore->size() != *size) return unreadable(flatsPath);
    }
    const QString notWritten = QStringLiteral("A fájl nem írható:\n");
    if (!RecordFile<Lakas>(flatsPath, fs).replaceAll(*flats)) return failed(notWritten + native(flatsPath) + notMade);
    if (!RecordFile<KonyvTetel>(bookPath, fs).replaceAll(newBook)) {
        if (fs.replace(flatsPath, flatsBefore.value_or(QByteArray()))) return failed(notWritten + native(bookPath) + notMade);
        return failed(notWritten + native(bookPath) +
                      QStringLiteral("\nA %1. év lakásai már az új adatokat tartalmazzák, a könyv áthozatai "
                                     "hiányoznak. Az előző állapot a mentésből tölthető vissza.")
                          .arg(plan.year));
    }
    out.apartments = static_cast<int>(flats->size());
    out.buildings = static_cast<int>(names.size());
    return out;
}

}  // namespace rollover
