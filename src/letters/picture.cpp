#include "picture.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "store/conversions.h"
#include "store/recordfile.h"
#include "store/records.h"

namespace letters {

PictureSize fitInSquare(double w, double h, double side) {
    if (w <= 0 || h <= 0) return {side, side};
    if (h > w) return {side * w / h, side};
    return {side, side * h / w};
}

int sliderMaximum(double w, double h, const PageSize& page) {
    if (w <= 0 || h <= 0) return std::max(SliderMinimum, int(std::min(page.width, page.height)));
    const double longer = std::max(w, h);
    const double side = std::min(page.width * longer / w, page.height * longer / h);
    return std::max(SliderMinimum, int(std::floor(side)));
}

double printCm(double twips) {
    return Currency::fromDouble(twips / 380.0).toDouble();
}

QString sizeCaption(double twips, const QLocale& locale) {
    return oneDecimal(printCm(twips), locale) + QStringLiteral(" cm");
}

int positionMm(double twips) {
    return int(std::lround(twips / 36.5));
}

std::optional<SavedPicture> readSavedPicture(const DataFolder& folder) {
    const auto path = folder.openFile(files::KepmentFile);
    if (!path) return std::nullopt;
    const auto r = RecordFile<Kepment>(*path, folder.fs()).read(1);
    if (!r) return std::nullopt;
    return SavedPicture{r->KepUtvonal.text(), double(r->KepBal), double(r->KepFent), r->KepSzeles.toDouble(),
                        r->KepMagas.toDouble()};
}

QString saveSavedPicture(const DataFolder& folder, const SavedPicture& picture) {
    const QString file = folder.file(files::KepmentFile);
    Kepment r;
    r.KepUtvonal = picture.path;
    if (r.KepUtvonal.text() != picture.path.trimmed())
        return QStringLiteral(
                   "A kép helye nem menthető: az elérési út túl hosszú, vagy olyan betűt tartalmaz, "
                   "amelyet a Kepment.dat nem tud tárolni.\n") +
               QDir::toNativeSeparators(picture.path);
    const auto left = conv::roundToInt16(picture.left), top = conv::roundToInt16(picture.top);
    if (!left || !top) return QStringLiteral("A kép helyzete nem menthető: a kép a lapon kívül van.");
    RecordFile<Kepment> f(file, folder.fs());
    if (!f.open()) return QStringLiteral("A kép nem menthető, a fájl nem írható:\n") + QDir::toNativeSeparators(file);
    if (const auto old = f.read(1)) r.Fenntartott = old->Fenntartott;
    r.KepBal = *left;
    r.KepFent = *top;
    r.KepSzeles = Currency::fromDouble(picture.width);
    r.KepMagas = Currency::fromDouble(picture.height);
    if (!f.write(1, r))
        return QStringLiteral("A kép nem menthető, a fájl nem írható:\n") + QDir::toNativeSeparators(file);
    return QString();
}

QString readLastFolder(const DataFolder& folder) {
    const auto path = folder.openFile(files::BrowsePat);
    if (!path) return QString();
    const auto r = RecordFile<UtolsoMappaRec>(*path, folder.fs()).read(1);
    return r ? r->UtolsoMappa.text() : QString();
}

bool writeLastFolder(const DataFolder& folder, const QString& path) {
    RecordFile<UtolsoMappaRec> f(folder.file(files::BrowsePat), folder.fs());
    if (!f.open()) return false;
    UtolsoMappaRec r = f.read(1).value_or(UtolsoMappaRec{});
    r.UtolsoMappa = path.trimmed();
    return f.write(1, r);
}

QStringList pickerFilters(bool pictureFiles, const QString& search) {
    if (!search.isEmpty()) return {QLatin1Char('*') + search + QStringLiteral("*.jpg")};
    if (pictureFiles) return {QStringLiteral("*.jpg"), QStringLiteral("*.gif"), QStringLiteral("*.bmp")};
    return {QStringLiteral("*")};
}

namespace {
constexpr auto kOrder = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;
}

QStringList subfolders(const QString& folder) {
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, kOrder);
}

QStringList matchingFiles(const QString& folder, const QStringList& filters) {
    return QDir(folder).entryList(filters, QDir::Files | QDir::Hidden, kOrder);
}

bool hasPictureExtension(const QString& fileName) {
    const QString ext = fileName.right(3).toUpper();
    return ext == QLatin1String("JPG") || ext == QLatin1String("GIF") || ext == QLatin1String("BMP");
}

namespace hiba {

namespace {
QString line(int code) {
    switch (code) {
        case InvalidCall:
            return QStringLiteral(
                "                Illegális funkció hívás !\n"
                " Valószinüleg a dátum, vagy az idő formátum\n"
                "  nem megfelelő.\n"
                " Helyesen a dátum: éééé.hh.nn\n"
                " Helyesen az idő: óó:pp\n"
                " \n"
                "Az idő, a vezérlőpult 'Nemzetközi' ikonnal\n"
                " állítható be.\n");
        case OutOfMemory:
            return QStringLiteral("A program futtatásához kevés a memória !");
        case TypeMismatch:
            return QStringLiteral("           Típus hiba !");
        case CannotContinue:
            return QStringLiteral("A program futtatása nem folytatható.");
        case FileNotFound:
            return QStringLiteral("A file nem található !");
        case FileAlreadyOpen:
            return QStringLiteral("A fájl már megnyitott !");
        case DeviceUnavailable:
            return QStringLiteral("A kívánt eszköz nem elérhető.");
        case DiskNotReady:
            return QStringLiteral("Az 'A' floppy lemezegység nem elérhető.");
        case PathNotFound:
            return QStringLiteral("A kijelölt elérési út nem található.");
        default:
            return QStringLiteral("Ismeretlen hiba.");
    }
}
}  // namespace

QString text(int code, const QString& description) {
    return line(code) + QStringLiteral("\nVB. Hibakód :     ") + QString::number(code) +
           QStringLiteral("\nA hiba fajtálya:  ") + description;
}

}  // namespace hiba

}  // namespace letters
