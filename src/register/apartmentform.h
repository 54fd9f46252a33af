#pragma once
// The apartment form of the "Alap adatok" page as plain texts, its checks,
// and the add, modify and delete of an apartment in a year's Lakasok.dat.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "apartmentlist.h"
#include "outcome.h"
#include "residents.h"
#include "store/datafolder.h"
#include "store/records.h"

// The form's controls as the user left them (texts untrimmed).
struct ApartmentForm {
    QString helyseg, irsz, utca, hsz, ajto, epulet;
    QString alapterulet, pince, pinceDij, garazs;
    QString kozosKoltseg, szemetDij;
    std::array<QString, 4> vizoraSzam;
    QString telefon, email, megj;
    std::vector<ResidentRow> lakok;  // the resident list, in list order
};

enum class FormUse { Add, Modify };

// The checks of the form in the order the user meets them: the five required
// texts, for an add at least one resident, at most ten residents, then the
// numbers (postal code, floor area, cellar fee, common cost, waste fee), each
// fitting its field: whole numbers, but for floor area and cellar fee, which
// take the leading number of a text that starts with one. nullopt when the
// form may be stored.
std::optional<Refusal> checkApartmentForm(const ApartmentForm& f, FormUse use);

// What an amount box holds before it is stored: "0" when it is empty after
// trimming, else its text.
QString amountOrZero(const QString& text);

// Overwrites the fields the form owns (address, building, area, cellar,
// garage, amounts, meter serials, telephone, e-mail, remark, all ten
// resident slots) and writes the reserved Long as 0. Ledger, meter readings,
// consumptions and the reading date are left as they are. A refused form
// leaves the record untouched.
std::optional<Refusal> applyForm(const ApartmentForm& f, Lakas& l);

struct ApartmentSave : SaveResult {
    ApartmentRow row;  // the list row of the record written
};

// Appends a new apartment to the year's file (the year folder is made when
// missing); its ledger, readings, consumptions and reading date are zero or
// empty.
ApartmentSave addApartment(const DataFolder& folder, const QString& year, const ApartmentForm& f);

// Stores the form into record rec of the year's file, keeping its ledger,
// readings, consumptions and reading date.
ApartmentSave modifyApartment(const DataFolder& folder, const QString& year, int rec, const ApartmentForm& f);

// Removes record rec; the records after it move down by one. The file is
// replaced in one step, so a failure leaves it as it was.
SaveResult deleteApartment(const DataFolder& folder, const QString& year, int rec);

// The monthly common cost the form proposes: floor area times the building
// rate plus the cellar fee (the leading numbers of the texts), rounded to
// whole forints, halves to even.
QString computedCommonCost(const QString& alapterulet, std::int16_t rate, const QString& pinceDij);

// The remark box breaks lines with LF (and shows a stored CR LF as one
// break); the stored field, as files of the program's earlier versions hold
// it, with CR LF.
QString storedRemark(const QString& typed);

// Characters left of the 300 the remark holds (negative when over); a line
// break takes two, as in the stored field.
int remarkCharsLeft(const QString& megj);
