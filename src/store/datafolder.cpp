#include "datafolder.h"

#include <QDir>

#include "conversions.h"
#include "journal.h"
#include "recordfile.h"
#include "records.h"

DataFolder::DataFolder(QString root, FileLayer& fs) : root_(std::move(root)), fs_(fs) {}

QString DataFolder::file(const QString& name) const { return QDir(root_).filePath(name); }

QString DataFolder::yearFolder(const QString& year) const { return QDir(root_).filePath(year.trimmed()); }

QString DataFolder::yearFile(const QString& year, const QString& name) const {
    return QDir(yearFolder(year)).filePath(name);
}

bool DataFolder::isUsableYear(const QString& year) {
    const QString t = year.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('/')) || t.contains(QLatin1Char('\\')) || t.startsWith(QLatin1Char('.')))
        return false;
    return conv::yearNumber(t).has_value();
}

namespace {
template <class R>
void addProblem(QStringList& out, FileLayer& fs, const QString& path) {
    if (const auto problem = RecordFile<R>(path, fs).problem()) out << *problem;
}
void addRecovery(QStringList& out, const journaled::Recovery& r) {
    if (!r.message.isEmpty()) out << r.message;
}
}  // namespace

QStringList DataFolder::startNotices() const {
    QStringList out;
    addRecovery(out, journaled::recover(fs_, root_));
    addProblem<Epulet>(out, fs_, file(files::Epuletek));
    addProblem<StatuszRec>(out, fs_, file(files::Stat));
    addProblem<Beallitas>(out, fs_, file(files::Set));
    return out;
}

QStringList DataFolder::yearNotices(const QString& year) const {
    QStringList out;
    if (!isUsableYear(year)) return out;
    addRecovery(out, journaled::recover(*this, year));
    addProblem<Lakas>(out, fs_, yearFile(year, files::Lakasok));
    addProblem<Befizetes>(out, fs_, yearFile(year, files::Befiz));
    return out;
}

bool DataFolder::ensureYearFolder(const QString& year) const {
    if (!isUsableYear(year)) return false;
    const QString dir = yearFolder(year);
    return fs_.dirExists(dir) || fs_.makeDir(dir);
}

std::optional<QString> DataFolder::openYearFile(const QString& year, const QString& name) const {
    if (!isUsableYear(year)) return std::nullopt;
    const QString path = yearFile(year, name);
    if (fs_.ensureFile(path)) return path;
    if (!ensureYearFolder(year)) return std::nullopt;
    if (!fs_.ensureFile(path)) return std::nullopt;
    return path;
}

std::optional<QString> DataFolder::openFile(const QString& name) const {
    const QString path = file(name);
    if (!fs_.ensureFile(path)) return std::nullopt;
    return path;
}
