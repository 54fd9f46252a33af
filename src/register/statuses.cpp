#include "statuses.h"

#include "store/journal.h"
#include "store/recordfile.h"
#include "store/records.h"

QStringList readStatuses(const DataFolder& folder) {
    QStringList out;
    const auto path = folder.openFile(files::Stat);
    if (!path) return out;
    RecordFile<StatuszRec>(*path, folder.fs()).forEach([&](int, const StatuszRec& r) { out << r.Statusz.text(); });
    return out;
}

SaveResult addStatus(const DataFolder& folder, const QString& statusz) {
    StatuszRec r;
    r.Statusz = statusz;
    const journaled::Outcome o = journaled::Transaction(folder).append(files::Stat, r).commit();
    if (!o.done()) return SaveResult::failed(o.message);
    return SaveResult::ok(static_cast<int>(o.appended.front()));
}
