#include "datafolder.h"

#include <QDir>

#include "conversions.h"

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
    return conv::numericValue(t) != 0.0;
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
