#pragma once
// Printing balance letters: one for the selected apartment as the designer
// shows it, or one for every listed apartment filled from its record. A
// letter is entered in the year's print journal only once it has been
// handed to the printer or written into the PDF file.

#include <QDate>
#include <QString>
#include <vector>

#include "letters/letter.h"
#include "reports/progress.h"
#include "store/datafolder.h"
#include "store/records.h"

class PrinterSurface;

namespace letters {

// What the journal records of the letters.
struct LetterRun {
    QString year;
    QString templateName;  // the template list's text
    QDate today;
};

struct RunResult {
    int printed = 0;             // letters handed over
    int recorded = 0;            // journal records written
    bool cancelled = false;      // stopped by the user
    QString error;               // the first failure; the run stopped there
    bool printFailed = false;    // ... and it was the printer or the file (the surface says why)
    std::vector<Naplo> entries;  // layOutLetters: the records of the letters handed over, not yet written
    bool ok() const { return error.isEmpty(); }
};

// Lays the letters of `recs` out as the pages of one document and ends it:
// with `fromRecords` each letter carries its apartment's name, address and
// amounts, else every letter is the page as the designer shows it. A stop
// from `progress` or a failure abandons the document (nothing is handed
// over). The journal records of the letters are returned, not written: the
// preview writes them once its pages were printed.
RunResult layOutLetters(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                        const LetterPage& page, bool fromRecords, const PrintProgress& progress = {});

// Enters the letters laid out by layOutLetters in the journal (once the
// preview printed them).
RunResult recordLetters(RunResult laidOut, const DataFolder& folder, const QString& year);

// The letter of apartment `rec` with the fields as the designer shows them,
// and its journal record with the arrears computed afresh from the record.
RunResult printSelected(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, int rec,
                        const LetterPage& page);

// Each letter a print job of its own, or all of them the pages of one
// document (a PDF file).
enum class Output { JobPerLetter, OneDocument };

// A letter for each apartment of `recs`, in that order, filled from its
// record, each entered in the journal. With a print job per letter a stop
// keeps the letters already handed over (and recorded); one document is
// abandoned whole.
RunResult printListed(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                      const LetterPage& page, Output output, const PrintProgress& progress = {});

}  // namespace letters
