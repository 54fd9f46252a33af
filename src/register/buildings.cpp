#include "buildings.h"

#include "store/recordfile.h"

std::vector<Epulet> readBuildings(const DataFolder& folder) {
    const auto path = folder.openFile(files::Epuletek);
    if (!path) return {};
    return RecordFile<Epulet>(*path, folder.fs()).readAll().value_or(std::vector<Epulet>{});
}
