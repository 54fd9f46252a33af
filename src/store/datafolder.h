#pragma once
// Where the files lie: the shared files in the data folder itself, each
// year's files in a folder named by the year text.

#include <QString>
#include <QStringList>

#include <optional>

#include "filelayer.h"

namespace files {
inline const QString Lakasok = QStringLiteral("Lakasok.dat");
inline const QString Befiz = QStringLiteral("Befiz.dat");
inline const QString Kiadasok = QStringLiteral("Kiadások.dat");
inline const QString NaploFile = QStringLiteral("Naplo.dat");
inline const QString Epuletek = QStringLiteral("Epuletek.dat");
inline const QString Stat = QStringLiteral("Stat.dat");
inline const QString Set = QStringLiteral("Set.dat");
inline const QString Nyomtatvanyok = QStringLiteral("Nyomtatvanyok.dat");
inline const QString KepmentFile = QStringLiteral("Kepment.dat");
inline const QString BrowsePat = QStringLiteral("browse.pat");
inline const QString Mentesek = QStringLiteral("Mentések");
}  // namespace files

class DataFolder {
public:
    explicit DataFolder(QString root, FileLayer& fs = FileLayer::standard());

    const QString& root() const { return root_; }
    FileLayer& fs() const { return fs_; }

    // A file shared by all years (buildings, statuses, settings, ...).
    QString file(const QString& name) const;
    // The folder of a year: the data folder and the trimmed year text.
    QString yearFolder(const QString& year) const;
    QString yearFile(const QString& year, const QString& name) const;

    // A year text names a folder only when its numeric value is a whole
    // number from 1 to 9999 and it holds no path separator and does not start
    // with a dot; any other text names no folder at all.
    static bool isUsableYear(const QString& year);

    // At start: completes or discards an unfinished change of the shared
    // files (journal.h) and names the shared files that are not used
    // (not regular files, or damaged lengths). One message each.
    QStringList startNotices() const;
    // The same for a year folder and its files; nothing for a year that names
    // no folder.
    QStringList yearNotices(const QString& year) const;

    // Makes the year folder when it is missing. False, without touching
    // anything, for a year text that names no folder, or when making fails.
    bool ensureYearFolder(const QString& year) const;

    // The path of a year file, opened as the apartment operations open it:
    // a missing folder is made and a missing file is created empty.
    // nullopt when the year names no folder or the file cannot be created.
    std::optional<QString> openYearFile(const QString& year, const QString& name) const;
    // The path of a shared file, created empty when missing.
    std::optional<QString> openFile(const QString& name) const;

private:
    QString root_;
    FileLayer& fs_;
};
