#include "currentapartment.h"

#include <QDir>

std::optional<HouseTotals> changeEveryApartment(const DataFolder& folder, const QString& year,
                                                const std::function<void(int, Lakas&)>& change, QString& error) {
    const QString path = folder.yearFile(year, files::Lakasok);
    RecordFile<Lakas> file(path, folder.fs());
    if (const auto problem = file.problem()) {
        error = *problem;
        return std::nullopt;
    }
    HouseTotals totals;
    const bool done = folder.openYearFile(year, files::Lakasok) && file.rewrite([&](int n, Lakas& l) {
        change(n, l);
        addToTotals(totals, l);
        return true;
    });
    if (!done) {
        error = journaled::notWrittenMessage(path);
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
    stored_ = DataFolder::isUsableYear(year_) ? file_.read(rec_) : std::nullopt;
    if (!stored_) {
        error_ = QStringLiteral("A kiválasztott lakás (%1. rekord) nem olvasható a fájlból:\n%2\nSemmi nem változott.")
                     .arg(rec_)
                     .arg(QDir::toNativeSeparators(file_.path()));
        return false;
    }
    return true;
}

bool CurrentApartment::write(const Lakas& l, journaled::Transaction& tx) {
    const journaled::Outcome o = tx.write(files::Lakasok, rec_, l).commit();
    error_ = o.message;
    return o.done();
}

std::optional<Lakas> CurrentApartment::change(const std::function<void(Lakas&)>& fn) {
    if (!read()) return std::nullopt;
    Lakas l = *stored_;
    fn(l);
    journaled::Transaction tx(folder_, year_);
    if (!write(l, tx)) return std::nullopt;
    return l;
}
