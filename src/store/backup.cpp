#include "backup.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

#include "conversions.h"
#include "journal.h"

namespace backup {

namespace {

// The whole file; nullopt when it is missing or cannot be read.
std::optional<QByteArray> readWhole(FileLayer& fs, const QString& path) {
    const auto size = fs.size(path);
    if (!size) return std::nullopt;
    auto bytes = fs.read(path, 0, *size);
    if (!bytes || bytes->size() != *size) return std::nullopt;
    return bytes;
}

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString join(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

}  // namespace

const QStringList& yearFiles() {
    static const QStringList names{files::Lakasok, files::Befiz, files::Kiadasok, files::NaploFile};
    return names;
}

QString stamp(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    return QString::number(d.month()) + conv::numberText(d.day()) + QLatin1Char('-') + QString::number(t.hour()) +
           QLatin1Char('.') + QString::number(t.minute());
}

QString root(const DataFolder& folder, const QString& year) { return join(folder.yearFolder(year), files::Mentesek); }

Saved save(const DataFolder& folder, const QString& year, const QDateTime& now) {
    Saved out;
    FileLayer& fs = folder.fs();
    if (!DataFolder::isUsableYear(year)) {
        out.error = QStringLiteral("Nincs érvényes aktuális év, nincs mit menteni.");
        return out;
    }
    QStringList present;
    for (const QString& name : yearFiles())
        if (fs.size(folder.yearFile(year, name))) present << name;
    if (present.isEmpty()) return out;

    const QString base = join(root(folder, year), stamp(now));
    QString target = base;
    for (int n = 2; fs.dirExists(target); ++n) target = base + QStringLiteral(" (%1)").arg(n);
    if (!fs.makeDir(target)) {
        out.error = QStringLiteral("A mentés nem sikerült!\nA mentés mappája nem hozható létre:\n") + native(target);
        return out;
    }
    out.folder = target;
    for (const QString& name : present) {
        const auto bytes = readWhole(fs, folder.yearFile(year, name));
        if (bytes && fs.replace(join(target, name), *bytes))
            out.copied << name;
        else
            out.failed << name;
    }
    if (!out.failed.isEmpty())
        out.error = QStringLiteral("A mentés nem sikerült!\nNem sikerült menteni:\n") + out.failed.join(QLatin1Char('\n')) +
                    QStringLiteral("\n\nA mentés mappája:\n") + native(target);
    return out;
}

QStringList restorable(const DataFolder& folder, const QString& fromFolder) {
    QStringList out;
    if (fromFolder.isEmpty()) return out;
    for (const QString& name : yearFiles())
        if (folder.fs().size(join(fromFolder, name))) out << name;
    return out;
}

QString nothingToRestore(const QString& fromFolder) {
    return QStringLiteral("A kiválasztott mappában nincs visszatölthető adat:\n") + native(fromFolder) +
           QStringLiteral("\nSemmi sem töltődött vissza.");
}

Restored restore(const DataFolder& folder, const QString& year, const QString& fromFolder, const QDateTime& now) {
    Restored out;
    FileLayer& fs = folder.fs();
    const QString unchanged = QStringLiteral("\nSemmi sem töltődött vissza, a %1. év adatai változatlanok.").arg(year);
    if (!DataFolder::isUsableYear(year)) {
        out.error = QStringLiteral("Nincs érvényes aktuális év, ahová a visszatöltés történne.");
        return out;
    }
    // An unfinished change belongs to the files as they are: it is completed
    // (or discarded) first, so that it can never land on restored files.
    if (const journaled::Recovery earlier = journaled::recover(folder, year); !earlier.ok()) {
        out.error = earlier.message + unchanged;
        return out;
    }
    const QStringList names = restorable(folder, fromFolder);
    if (names.isEmpty()) {
        out.error = nothingToRestore(fromFolder);
        return out;
    }

    // Everything is read before anything is written.
    std::vector<QByteArray> incoming;
    std::vector<std::optional<QByteArray>> before;
    for (const QString& name : names) {
        const auto bytes = readWhole(fs, join(fromFolder, name));
        if (!bytes) {
            out.error = QStringLiteral("A mentett fájl nem olvasható:\n") + native(join(fromFolder, name)) + unchanged;
            return out;
        }
        incoming.push_back(*bytes);
        before.push_back(readWhole(fs, folder.yearFile(year, name)));
    }

    const Saved safety = save(folder, year, now);
    if (!safety.ok()) {
        out.error = QStringLiteral("A visszatöltés előtti mentés nem sikerült:\n") + safety.error + unchanged;
        return out;
    }
    out.safetyFolder = safety.folder;
    if (!folder.ensureYearFolder(year)) {
        out.error = QStringLiteral("Az év mappája nem hozható létre:\n") + native(folder.yearFolder(year)) + unchanged;
        return out;
    }

    for (size_t i = 0; i < size_t(names.size()); ++i) {
        const QString target = folder.yearFile(year, names[qsizetype(i)]);
        if (fs.replace(target, incoming[i])) continue;
        // Put back what was already restored; a file that was missing
        // before comes back empty, which every reader takes as no records.
        bool putBack = true;
        for (size_t j = 0; j < i; ++j)
            putBack = fs.replace(folder.yearFile(year, names[qsizetype(j)]), before[j].value_or(QByteArray())) && putBack;
        out.error = QStringLiteral("A visszatöltés nem sikerült, a fájl nem írható:\n") + native(target);
        if (putBack)
            out.error += unchanged;
        else
            out.error += QStringLiteral("\nA korábbi adatok ebből a mentésből tölthetők vissza:\n") + native(safety.folder);
        return out;
    }
    out.restored = names;
    return out;
}

std::vector<FolderEntry> subfolders(const QString& path) {
    QFileInfoList infos = QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::stable_sort(infos.begin(), infos.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() > b.lastModified();
    });
    std::vector<FolderEntry> out;
    for (const QFileInfo& i : infos) out.push_back(FolderEntry{i.fileName(), i.absoluteFilePath(), i.lastModified()});
    return out;
}

QStringList filesIn(const QString& path) { return QDir(path).entryList(QDir::Files, QDir::Name); }

}  // namespace backup
