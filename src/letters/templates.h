#pragma once
// The letter templates of Nyomtatvanyok.dat: the arrangement of the designer
// stored under a name, found again by that name, and deleted by copying the
// others into a new file that replaces the old one in one rename.

#include <QString>
#include <QStringList>
#include <optional>

#include "letters/design.h"
#include "store/datafolder.h"
#include "store/records.h"

namespace letters {

// What a template keeps of the designer.
struct Design {
    Positions positions = defaultPositions();
    QString fejlec;     // field 0
    QString szoveg2;    // field 1, line breaks as "\n"
    QString szoveg1;    // field 6
    QString kkFelirat;  // field 4
    QString hFelirat;   // field 5
    QString fontName;
    int fontSize = 12;
    int xKorr = 0, yKorr = 0;
    bool landscape = false;
    Paper paper = Paper::None;  // None keeps what the last record holds
    int szeles = 0, magas = 0;  // millimetres
};

// The trimmed names of the templates, in record order.
QStringList templateNames(const DataFolder& folder);

struct FoundTemplate {
    int rec = 0;
    Nyomtatvany record;
    Design design;
    QString background;  // HatterUtvonal as stored
};
// The first template whose trimmed name equals the trimmed `name`.
std::optional<FoundTemplate> findTemplate(const DataFolder& folder, const QString& name);

// Appends the design as a template named `name` (cut to 48 characters),
// identified by the last record's Azon + 1 (1 in an empty file). Returns the
// message to show when it could not be written, else "".
QString saveTemplate(const DataFolder& folder, const Design& design, const QString& name);

// Removes template `rec`; the others keep their order and identifiers.
// Returns the message to show when the file was left as it was, else "".
QString deleteTemplate(const DataFolder& folder, int rec);

// The record a design is stored as, and the design a record holds.
Nyomtatvany templateRecord(const Design& d);
Design designOf(const Nyomtatvany& r);

}  // namespace letters
