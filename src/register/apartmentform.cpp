#include "apartmentform.h"

#include <QDir>
#include <QRegularExpression>

#include "store/conversions.h"
#include "store/journal.h"
#include "store/recordfile.h"

namespace {

struct FormNumbers {
    std::int16_t irsz = 0, alapterulet = 0, pinceDij = 0;
    std::int32_t kozosKoltseg = 0, szemetDij = 0;
};

const QString range16 = QStringLiteral("-32768 és 32767");
const QString range32 = QStringLiteral("-2147483648 és 2147483647");

// Floor area and cellar fee: the leading number, rounded halves to even. An
// empty box is 0; a text that does not start with a number is refused, so
// that "abc" is never taken as 0.
std::optional<std::int16_t> roundedNumber(const QString& text) {
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?\\s*(\\d|\\.\\d)"));
    if (!text.trimmed().isEmpty() && !leading.match(text).hasMatch()) return std::nullopt;
    return conv::roundToInt16(conv::numericValue(text));
}

std::optional<Refusal> readNumbers(const ApartmentForm& f, FormNumbers& n) {
    const auto irsz = conv::wholeNumber16(f.irsz);
    if (!irsz)
        return Refusal{InputField::Irsz,
                       QStringLiteral("Az irányítószám csak egész szám lehet, %1 között!").arg(range16)};
    const auto area = roundedNumber(f.alapterulet);
    if (!area)
        return Refusal{InputField::Alapterulet,
                       QStringLiteral("Az alapterület csak számmal kezdődhet, és %1 közötti lehet!").arg(range16)};
    const auto cellar = roundedNumber(f.pinceDij);
    if (!cellar)
        return Refusal{InputField::PinceDij, QStringLiteral("A pince díja csak számmal kezdődhet, és %1 közötti lehet!").arg(range16)};
    const auto kozos = conv::wholeNumber32(amountOrZero(f.kozosKoltseg));
    if (!kozos)
        return Refusal{InputField::KozosKoltseg,
                       QStringLiteral("A közösköltség összege csak egész szám lehet, %1 között!").arg(range32)};
    const auto szemet = conv::wholeNumber32(amountOrZero(f.szemetDij));
    if (!szemet)
        return Refusal{InputField::SzemetDij,
                       QStringLiteral("A szemétszállítási díj összege csak egész szám lehet, %1 között!").arg(range32)};
    n = FormNumbers{*irsz, *area, *cellar, *kozos, *szemet};
    return std::nullopt;
}

bool blank(const QString& s) {
    return s.trimmed().isEmpty();
}

ApartmentSave saved(int rec, std::optional<ListChange> change = std::nullopt) {
    return ApartmentSave{SaveResult::ok(rec), std::move(change)};
}
ApartmentSave unsaved(SaveResult r) {
    return ApartmentSave{std::move(r), std::nullopt};
}

}  // namespace

std::optional<Refusal> checkApartmentForm(const ApartmentForm& f, FormUse use) {
    const bool add = use == FormUse::Add;
    // The add's messages end in "!"; the modify's only for the building.
    const QString end = add ? QStringLiteral("!") : QString();
    if (blank(f.helyseg)) return Refusal{InputField::Helyseg, QStringLiteral("Nincs megadva helységnév") + end};
    if (blank(f.epulet)) return Refusal{InputField::Epulet, QStringLiteral("Nincs megadva Épület!")};
    if (blank(f.utca)) return Refusal{InputField::Utca, QStringLiteral("Nincs megadva utcanév") + end};
    if (blank(f.hsz)) return Refusal{InputField::Hsz, QStringLiteral("Nincs megadva házszám") + end};
    if (blank(f.ajto)) return Refusal{InputField::Ajto, QStringLiteral("Nincs megadva emelet/ajtó szám") + end};
    if (add && f.lakok.empty()) return Refusal{InputField::Lakok, QStringLiteral("Nincs lakó rögzítve!")};
    if (static_cast<int>(f.lakok.size()) > Lakas::MaxLakok)
        return Refusal{InputField::Lakok, tooManyResidentsMessage()};
    FormNumbers unused;
    return readNumbers(f, unused);
}

QString amountOrZero(const QString& text) {
    return blank(text) ? QStringLiteral("0") : text;
}

std::optional<Refusal> applyForm(const ApartmentForm& f, Lakas& l) {
    if (static_cast<int>(f.lakok.size()) > Lakas::MaxLakok)
        return Refusal{InputField::Lakok, tooManyResidentsMessage()};
    FormNumbers n;
    if (auto refusal = readNumbers(f, n)) return refusal;
    l.Helyseg = f.helyseg;
    l.Irsz = n.irsz;
    l.Utca = f.utca;
    l.Hsz = f.hsz;
    l.Ajto = f.ajto;
    l.Epulet = f.epulet;
    l.Alapterulet = n.alapterulet;
    l.Pince = f.pince != QLatin1String("Nincs");
    l.PinceDij = n.pinceDij;
    l.Garazs = f.garazs != QLatin1String("Nincs");
    l.KozosKoltseg = n.kozosKoltseg;
    l.SzemetDij = n.szemetDij;
    l.Fenntartott = 0;
    for (int k = 1; k <= 4; ++k) l.VizoraSzam(k) = f.vizoraSzam[static_cast<size_t>(k - 1)];
    l.Telefon = f.telefon;
    l.Email = f.email;
    l.Megj = storedRemark(f.megj);
    storeResidents(l.Lakok, f.lakok);
    return std::nullopt;
}

ApartmentSave addApartment(const DataFolder& folder, const QString& year, const ApartmentForm& f) {
    if (auto refusal = checkApartmentForm(f, FormUse::Add)) return unsaved(SaveResult::refused(*refusal));
    Lakas l;  // ledger, readings, consumptions and dates all zero or empty
    if (auto refusal = applyForm(f, l)) return unsaved(SaveResult::refused(*refusal));
    if (!folder.openYearFile(year, files::Lakasok))
        return unsaved(SaveResult::failed(messages::notWritten(folder.yearFile(year, files::Lakasok))));
    const journaled::Outcome o = journaled::Transaction(folder, year).append(files::Lakasok, l).commit();
    if (!o.done()) return unsaved(SaveResult::failed(o.message));
    return saved(static_cast<int>(o.appended.front()));
}

ApartmentSave modifyApartment(const DataFolder& folder, const QString& year, int rec, const ApartmentForm& f) {
    if (auto refusal = checkApartmentForm(f, FormUse::Modify)) return unsaved(SaveResult::refused(*refusal));
    const QString path = folder.yearFile(year, files::Lakasok);
    RecordFile<Lakas> file(path, folder.fs());
    const auto stored = DataFolder::isUsableYear(year) ? file.read(rec) : std::nullopt;
    if (!stored)
        return unsaved(SaveResult::failed(QStringLiteral("A kijelölt lakás (%1.) nem olvasható:\n").arg(rec) +
                                          QDir::toNativeSeparators(path)));
    Lakas l = *stored;
    if (auto refusal = applyForm(f, l)) return unsaved(SaveResult::refused(*refusal));
    const journaled::Outcome o = journaled::Transaction(folder, year).write(files::Lakasok, rec, l).commit();
    if (!o.done()) return unsaved(SaveResult::failed(o.message));
    return saved(rec, listChange(rec, *stored, l));
}

SaveResult deleteApartment(const DataFolder& folder, const QString& year, int rec) {
    const QString path = folder.yearFile(year, files::Lakasok);
    if (!DataFolder::isUsableYear(year) || !RecordFile<Lakas>(path, folder.fs()).deleteByCopy(rec))
        return SaveResult::failed(messages::notChanged(path));
    return SaveResult::ok(rec);
}

QString computedCommonCost(const QString& alapterulet, std::int16_t rate, const QString& pinceDij) {
    const double value = conv::numericValue(alapterulet) * rate + conv::numericValue(pinceDij);
    if (const auto whole = conv::roundToInt32(value)) return QString::number(*whole);
    // Beyond the field: shown as it is, so that saving refuses it.
    return QString::number(value, 'g', 15);
}

QString storedRemark(const QString& typed) {
    QString s = typed;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

int remarkCharsLeft(const QString& megj) {
    return 300 - static_cast<int>(storedRemark(megj.trimmed()).size());
}
