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
    RecordFile<Beallitas> file(*path, folder.fs());
    const auto stored = file.read(1);
    Beallitas rec = stored.value_or(Beallitas{});
    rec.Ev = yearText;
    return stored ? file.write(1, rec) : file.append(rec).has_value();
}

}  // namespace settings
