#include "printing.h"

#include <QDir>

#include "letters/journal.h"
#include "register/apartmentlist.h"
#include "reports/printersurface.h"
#include "store/recordfile.h"

namespace letters {

namespace {

QString notRead(const QString& path) {
    return QStringLiteral("A lakás adatai nem olvashatók:\n") + QDir::toNativeSeparators(path);
}
QString tooLarge(const Lakas& l) {
    return QStringLiteral("Az értesítő nem nyomtatható: a hátralék nem fér el a nyomtatási naplóban.\n") + nameLine(l);
}
QString notPrinted(const PrinterSurface& s) {
    return QStringLiteral("A nyomtatás nem sikerült, az értesítő nem került a nyomtatási naplóba.\n") + s.error();
}
QString notRecorded(const QString& why) {
    return QStringLiteral("Az értesítő elkészült, de a nyomtatási naplóba nem került be.\n") + why;
}

// The apartments of `recs`, in that order: one read for a single letter,
// else one pass over the year's file.
std::optional<std::vector<Lakas>> apartments(const DataFolder& folder, const QString& year,
                                             const std::vector<int>& recs) {
    std::vector<Lakas> out;
    out.reserve(recs.size());
    if (recs.size() == 1) {
        const auto l = readApartment(folder, year, recs.front());
        if (!l) return std::nullopt;
        out.push_back(*l);
        return out;
    }
    if (!DataFolder::isUsableYear(year)) return std::nullopt;
    const auto all = RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs()).readAll();
    if (!all) return std::nullopt;
    for (int rec : recs) {
        if (rec < 1 || rec > int(all->size())) return std::nullopt;
        out.push_back((*all)[size_t(rec - 1)]);
    }
    return out;
}

// The journal records of the letters, before anything is printed.
std::optional<std::vector<Naplo>> entries(const std::vector<Lakas>& flats, const LetterRun& run, QString& error) {
    std::vector<Naplo> out;
    out.reserve(flats.size());
    for (const Lakas& l : flats) {
        const auto entry = journalEntry(l, run.templateName, run.today);
        if (!entry) {
            error = tooLarge(l);
            return std::nullopt;
        }
        out.push_back(*entry);
    }
    return out;
}

}  // namespace

RunResult recordLetters(RunResult r, const DataFolder& folder, const QString& year) {
    if (!r.ok() || r.cancelled || r.entries.empty()) return r;
    const QString written = writeJournal(folder, year, 0, r.entries);
    if (!written.isEmpty()) {
        r.error = notRecorded(written);
        return r;
    }
    r.recorded = int(r.entries.size());
    return r;
}

RunResult layOutLetters(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                        const LetterPage& page, bool fromRecords, const PrintProgress& progress) {
    RunResult r;
    if (recs.empty()) return r;
    const auto flats = apartments(folder, run.year, recs);
    if (!flats) {
        r.error = notRead(folder.yearFile(run.year, files::Lakasok));
        return r;
    }
    auto records = entries(*flats, run, r.error);
    if (!records) return r;

    LetterPage letter = page;
    setUpPrinter(s, letter);
    const int total = int(flats->size());
    for (int k = 0; k < total; ++k) {
        if (!goOn(progress, k, total)) {
            s.abortDoc();
            r.cancelled = true;
            return r;
        }
        if (fromRecords) fillApartment(letter, (*flats)[size_t(k)]);
        if (k > 0) s.newPage();
        printLetter(s, letter);
    }
    if (!s.endDoc()) {
        r.error = notPrinted(s);
        r.printFailed = true;
        return r;
    }
    r.printed = total;
    r.entries = std::move(*records);
    return r;
}

RunResult printSelected(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, int rec,
                        const LetterPage& page) {
    return recordLetters(layOutLetters(s, folder, run, {rec}, page, false), folder, run.year);
}

RunResult printListed(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                      const LetterPage& page, Output output, const PrintProgress& progress) {
    if (output == Output::OneDocument)
        return recordLetters(layOutLetters(s, folder, run, recs, page, true, progress), folder, run.year);

    RunResult r;
    if (recs.empty()) return r;
    const auto flats = apartments(folder, run.year, recs);
    if (!flats) {
        r.error = notRead(folder.yearFile(run.year, files::Lakasok));
        return r;
    }
    const auto records = entries(*flats, run, r.error);
    if (!records) return r;
    LetterPage letter = page;
    setUpPrinter(s, letter);
    const int total = int(flats->size());
    for (int k = 0; k < total; ++k) {
        if (!goOn(progress, k, total)) {
            r.cancelled = true;
            return r;
        }
        fillApartment(letter, (*flats)[size_t(k)]);
        printLetter(s, letter);
        if (!s.endDoc()) {
            r.error = notPrinted(s);
            r.printFailed = true;
            return r;
        }
        ++r.printed;
        const QString written = writeJournal(folder, run.year, 0, {(*records)[size_t(k)]});
        if (!written.isEmpty()) {
            r.error = notRecorded(written);
            return r;
        }
        ++r.recorded;
    }
    return r;
}

}  // namespace letters
