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
    return QStringLiteral("A levél nem nyomtatható: a hátralék nem fér el a nyomtatási naplóban.\n") + nameLine(l);
}
QString notPrinted(const PrinterSurface& s) {
    return QStringLiteral("A nyomtatás nem sikerült, a levél nem került a nyomtatási naplóba.\n") + s.error();
}
QString notRecorded(const QString& why) {
    return QStringLiteral("A levél elkészült, de a nyomtatási naplóba nem került be.\n") + why;
}

}  // namespace

RunResult printSelected(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, int rec,
                        const LetterPage& page) {
    RunResult r;
    r.last = page;
    const auto l = readApartment(folder, run.year, rec);
    if (!l) {
        r.error = notRead(folder.yearFile(run.year, files::Lakasok));
        return r;
    }
    const auto entry = journalEntry(*l, run.templateName, run.today);
    if (!entry) {
        r.error = tooLarge(*l);
        return r;
    }
    setUpPrinter(s, page);
    printLetter(s, page);
    if (!s.endDoc()) {
        r.error = notPrinted(s);
        return r;
    }
    r.printed = 1;
    const QString written = writeJournal(folder, run.year, 0, {*entry});
    if (!written.isEmpty()) {
        r.error = notRecorded(written);
        return r;
    }
    r.recorded = 1;
    return r;
}

RunResult printListed(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                      const LetterPage& page, Output output, const std::function<bool(int, int)>& goOn) {
    RunResult r;
    r.last = page;
    if (recs.empty()) return r;
    const QString path = folder.yearFile(run.year, files::Lakasok);
    const auto flats = DataFolder::isUsableYear(run.year) ? RecordFile<Lakas>(path, folder.fs()).readAll()
                                                          : std::nullopt;
    if (!flats) {
        r.error = notRead(path);
        return r;
    }
    const int total = int(recs.size());
    std::vector<Naplo> entries;  // of the letters not yet handed over
    entries.reserve(output == Output::OneDocument ? recs.size() : 1);
    setUpPrinter(s, page);
    for (int k = 0; k < total; ++k) {
        if (goOn && !goOn(k, total)) {
            r.cancelled = true;
            break;
        }
        const int rec = recs[size_t(k)];
        if (rec < 1 || rec > int(flats->size())) {
            r.error = notRead(path);
            break;
        }
        const Lakas& l = (*flats)[size_t(rec - 1)];
        const auto entry = journalEntry(l, run.templateName, run.today);
        if (!entry) {
            r.error = tooLarge(l);
            break;
        }
        fillApartment(r.last, l);
        if (output == Output::OneDocument && k > 0) s.newPage();
        printLetter(s, r.last);
        entries.push_back(*entry);
        if (output == Output::OneDocument) continue;
        if (!s.endDoc()) {
            r.error = notPrinted(s);
            return r;
        }
        ++r.printed;
        const QString written = writeJournal(folder, run.year, 0, entries);
        entries.clear();
        if (!written.isEmpty()) {
            r.error = notRecorded(written);
            return r;
        }
        ++r.recorded;
    }
    if (output == Output::JobPerLetter || entries.empty()) return r;
    // One document: whatever was laid out is handed over, then recorded.
    if (!s.endDoc()) {
        r.error = notPrinted(s);
        return r;
    }
    r.printed = int(entries.size());
    const QString written = writeJournal(folder, run.year, 0, entries);
    if (!written.isEmpty()) {
        if (r.error.isEmpty()) r.error = notRecorded(written);
        return r;
    }
    r.recorded = r.printed;
    return r;
}

}  // namespace letters
