#pragma once
// Printing balance letters: one for the selected apartment as the designer
// shows it, or one for every listed apartment filled from its record. A
// letter is entered in the year's print journal only once it has been
// handed to the printer or written into the PDF file.

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

#include "letters/letter.h"
#include "store/datafolder.h"

class PrinterSurface;

namespace letters {

// Where the letters go and what the journal records of them.
struct LetterRun {
    QString year;
    QString templateName;  // the template list's text
    QDate today;
};

struct RunResult {
    int printed = 0;        // letters handed over
    int recorded = 0;       // journal records written
    bool cancelled = false;
    QString error;          // the first failure; the run stopped there
    LetterPage last;        // the fields of the last letter filled
    bool ok() const { return error.isEmpty(); }
};

// The letter of apartment `rec` with the fields as the designer shows them;
// the journal records the arrears computed afresh from the record.
RunResult printSelected(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, int rec,
                        const LetterPage& page);

// Each letter a print job of its own, or all of them the pages of one
// document (a PDF file).
enum class Output { JobPerLetter, OneDocument };

// A letter for each apartment of `recs`, in that order: name, address and
// amounts from its record, the other fields as the designer shows them.
// `goOn(done, total)` is asked before each letter; false stops the run after
// the letters done so far (which are handed over and recorded).
RunResult printListed(PrinterSurface& s, const DataFolder& folder, const LetterRun& run, const std::vector<int>& recs,
                      const LetterPage& page, Output output,
                      const std::function<bool(int done, int total)>& goOn = nullptr);

}  // namespace letters
