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

SaveResult addStatus(const DataFolder& folder, const QString& statusz) {
    StatuszRec r;
    r.Statusz = statusz;
    const auto path = folder.openFile(files::Stat);
    const auto rec = path ? RecordFile<StatuszRec>(*path, folder.fs()).append(r) : std::nullopt;
    if (!rec) return SaveResult::failed(messages::notWritten(folder.file(files::Stat)));
    return SaveResult::ok(*rec);
}
