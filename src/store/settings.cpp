#include "settings.h"

#include "recordfile.h"
#include "records.h"

namespace settings {

QString readYear(const DataFolder& folder) {
    const auto path = folder.openFile(files::Set);
    if (!path) return QString();
    const auto rec = RecordFile<Beallitas>(*path, folder.fs()).read(1);
    return rec ? rec->Ev.padded() : QString();
}

bool writeYear(const DataFolder& folder, const QString& yearText) {
    const auto path = folder.openFile(files::Set);
    if (!path) return false;
    // The small file is replaced as a whole: the old one or the new one.
    RecordFile<Beallitas> file(*path, folder.fs());
    auto records = file.readAll();
    if (!records) return false;
    if (records->empty()) records->emplace_back();
    records->front().Ev = yearText;
    return file.replaceAll(*records);
}

}  // namespace settings
