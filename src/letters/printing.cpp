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

// The apartments of the letters and their journal records, read and made
// before anything is printed; nothing when either cannot be.
struct Prepared {
    std::vector<Lakas> flats;
    std::vector<Naplo> records;
};
std::optional<Prepared> prepare(const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                                QString& error) {
    auto flats = apartments(folder, run.year, recs);
    if (!flats) {
        error = notRead(folder.yearFile(run.year, files::Lakasok));
        return std::nullopt;
    }
    Prepared p{std::move(*flats), {}};
    p.records.reserve(p.flats.size());
    for (const Lakas& l : p.flats) {
        const auto entry = journalEntry(l, run.templateName, run.today);
        if (!entry) {
            error = tooLarge(l);
            return std::nullopt;
        }
        p.records.push_back(*entry);
    }
    return p;
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

namespace {

// The letters of `recs`, each a print job of its own that is entered in the
// journal once handed over, or all of them the pages of one document whose
// journal records are returned once it is handed over.
RunResult letterRun(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                    const LetterPage& page, bool fromRecords, Output output, const PrintProgress& progress) {
    RunResult r;
    auto prepared = recs.empty() ? std::nullopt : prepare(folder, run, recs, r.error);
    if (!prepared) return r;
    const bool jobs = output == Output::JobPerLetter;
    const auto handedOver = [&] {
        if (s.endDoc()) return true;
        r.error = notPrinted(s);
        r.printFailed = true;
        return false;
    };
    LetterPage letter = page;
    setUpPrinter(s, letter);
    const int total = int(recs.size());
    for (int k = 0; k < total; ++k) {
        if (!goOn(progress, k, total)) {
            if (!jobs) s.abortDoc();
            r.cancelled = true;
            return r;
        }
        if (fromRecords) fillApartment(letter, prepared->flats[size_t(k)]);
        if (!jobs && k > 0) s.newPage();
        printLetter(s, letter);
        if (!jobs) continue;
        if (!handedOver()) return r;
        ++r.printed;
        const QString written = writeJournal(folder, run.year, 0, {prepared->records[size_t(k)]});
        if (!written.isEmpty()) {
            r.error = notRecorded(written);
            return r;
        }
        ++r.recorded;
    }
    if (jobs || !handedOver()) return r;
    r.printed = total;
    r.entries = std::move(prepared->records);
    return r;
}

}  // namespace

RunResult layOutLetters(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                        const LetterPage& page, bool fromRecords, const PrintProgress& progress) {
    return letterRun(s, folder, run, recs, page, fromRecords, Output::OneDocument, progress);
}

RunResult printSelected(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, int rec,
                        const LetterPage& page) {
    return recordLetters(layOutLetters(s, folder, run, {rec}, page, false), folder, run.year);
}

RunResult printListed(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                      const LetterPage& page, Output output, const PrintProgress& progress) {
    const RunResult r = letterRun(s, folder, run, recs, page, true, output, progress);
    return output == Output::OneDocument ? recordLetters(r, folder, run.year) : r;
}

}  // namespace letters
