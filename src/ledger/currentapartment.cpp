#include "currentapartment.h"

#include <QDir>

std::optional<HouseTotals> changeEveryApartment(const DataFolder& folder, const QString& year,
                                                const std::function<void(int, Lakas&)>& change, QString& error) {
    const auto path = folder.openYearFile(year, files::Lakasok);
    if (!path) {
        error = CurrentApartment::cannotWrite(folder.yearFile(year, files::Lakasok));
        return std::nullopt;
    }
    const RecordFile<Lakas> file(*path, folder.fs());
    const int count = file.count();
    QByteArray bytes(qsizetype(count) * Lakas::Length, Qt::Uninitialized);
    int done = 0;
    HouseTotals totals;
    const bool read = file.forEach([&](int n, const Lakas& stored) {
        if (n > count) return;
        Lakas l = stored;
        change(n, l);
        addToTotals(totals, l);
        encodeRecord(l, bytes.data() + qsizetype(n - 1) * Lakas::Length);
        ++done;
    });
    if (!read || done != count) {  // never write bytes that were not read
        error = CurrentApartment::cannotRead(*path);
        return std::nullopt;
    }
    if (!folder.fs().replace(*path, bytes)) {
        error = CurrentApartment::cannotWrite(*path);
        return std::nullopt;
    }
    return totals;
}

CurrentApartment::CurrentApartment(const DataFolder& folder, const QString& year, int rec)
    : folder_(folder), year_(year), rec_(rec), file_(folder.yearFile(year, files::Lakasok), folder.fs()) {}

bool CurrentApartment::read() {
    if (rec_ < 1) {
        error_ = QStringLiteral("Nincs kiválasztott lakás.");
        return false;
    }
    const auto bytes = DataFolder::isUsableYear(year_)
                           ? folder_.fs().read(file_.path(), qint64(rec_ - 1) * Lakas::Length, Lakas::Length)
                           : std::nullopt;
    if (!bytes || bytes->size() != Lakas::Length) {
        error_ = QStringLiteral("A kiválasztott lakás (%1. rekord) nem olvasható a fájlból:\n%2\nSemmi nem változott.")
                     .arg(rec_)
                     .arg(QDir::toNativeSeparators(file_.path()));
        return false;
    }
    bytes_ = *bytes;
    stored_ = decodeRecord<Lakas>(bytes_.constData());
    return true;
}

bool CurrentApartment::write(const Lakas& l) {
    if (file_.write(rec_, l)) return true;
    putBack();
    error_ = cannotWrite(file_.path());
    return false;
}

std::optional<Lakas> CurrentApartment::change(const std::function<void(Lakas&)>& fn) {
    if (!read()) return std::nullopt;
    Lakas l = *stored_;
    fn(l);
    if (!write(l)) return std::nullopt;
    return l;
}

bool CurrentApartment::putBack() {
    return !bytes_.isEmpty() && folder_.fs().writeAt(file_.path(), qint64(rec_ - 1) * Lakas::Length, bytes_);
}

QString CurrentApartment::cannotRead(const QString& path) {
    return QStringLiteral("A fájl nem olvasható:\n%1\nSemmi nem változott.").arg(QDir::toNativeSeparators(path));
}

QString CurrentApartment::cannotWrite(const QString& path) {
    return QStringLiteral("A fájl nem írható:\n%1\nA változás nem lett rögzítve.").arg(QDir::toNativeSeparators(path));
}
