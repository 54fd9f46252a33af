#include "statuses.h"

#include "store/recordfile.h"
#include "store/records.h"

QStringList readStatuses(const DataFolder& folder) {
    QStringList out;
    const auto path = folder.openFile(files::Stat);
    if (!path) return out;
    RecordFile<StatuszRec>(*path, folder.fs()).forEach([&](int, const StatuszRec& r) { out << r.Statusz.text(); });
    return out;
}
