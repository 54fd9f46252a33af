#include "buildings.h"

#include "store/conversions.h"
#include "store/journal.h"
#include "store/recordfile.h"

std::vector<Epulet> readBuildings(const DataFolder& folder) {
    const auto path = folder.openFile(files::Epuletek);
    if (!path) return {};
    return RecordFile<Epulet>(*path, folder.fs()).readAll().value_or(std::vector<Epulet>{});
}

std::int16_t buildingRate(const std::vector<Epulet>& buildings, const QString& name) {
    for (const Epulet& e : buildings)
        if (e.Nev.text() == name) return e.KKperNm;
    return 0;
}

SaveResult addBuilding(const DataFolder& folder, const QString& nev, const QString& kkPerNm) {
    const auto rate = conv::roundToInt16(conv::numericValue(kkPerNm));
    if (!rate)
        return SaveResult::refused(
            {InputField::KKperNm, QStringLiteral("A közösköltség díja csak -32768 és 32767 közötti szám lehet!")});
    Epulet e;
    e.Nev = nev;
    e.KKperNm = *rate;
    const journaled::Outcome o = journaled::Transaction(folder).append(files::Epuletek, e).commit();
    if (!o.done()) return SaveResult::failed(o.message);
    return SaveResult::ok(static_cast<int>(o.appended.front()));
}

std::optional<int> apartmentsInBuilding(const DataFolder& folder, const QString& year, const QString& name) {
    if (!DataFolder::isUsableYear(year)) return std::nullopt;
    int count = 0;
    const bool read = RecordFile<Lakas>(folder.yearFile(year, files::Lakasok), folder.fs())
                          .forEach([&](int, const Lakas& l) { count += l.Epulet.text() == name ? 1 : 0; });
    if (!read) return std::nullopt;
    return count;
}

SaveResult deleteBuilding(const DataFolder& folder, int rec) {
    const QString path = folder.file(files::Epuletek);
    if (!RecordFile<Epulet>(path, folder.fs()).deleteByCopy(rec)) return SaveResult::failed(messages::notChanged(path));
    return SaveResult::ok(rec);
}
