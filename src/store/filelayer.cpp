#include "filelayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
void syncFolderOf(const QString& path) {
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
}  // namespace

std::optional<qint64> FileLayer::size(const QString& path) {
    QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) return std::nullopt;
    return fi.size();
}

bool FileLayer::ensureFile(const QString& path) {
    if (QFileInfo(path).isFile()) return true;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    f.close();
    syncFolderOf(path);
    return true;
}

std::optional<QByteArray> FileLayer::read(const QString& path, qint64 offset, qint64 len) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    if (!f.seek(offset)) return std::nullopt;
    QByteArray out = f.read(len);
    if (out.isNull() && len > 0 && f.error() != QFileDevice::NoError) return std::nullopt;
    return out;
}

bool FileLayer::writeAt(const QString& path, qint64 offset, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) return false;
    if (!f.seek(offset)) return false;
    if (f.write(data) != data.size()) return false;
    if (!f.flush()) return false;
    if (::fdatasync(f.handle()) != 0) return false;
    f.close();
    return f.error() == QFileDevice::NoError;
}

bool FileLayer::writeChunk(QSaveFile& file, const char* data, qint64 len) {
    return file.write(data, len) == len;
}

bool FileLayer::replace(const QString& path, const QByteArray& data) {
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) return false;
    constexpr qint64 kChunk = 1 << 20;
    for (qint64 pos = 0; pos < data.size(); pos += kChunk) {
        const qint64 n = std::min(kChunk, data.size() - pos);
        if (!writeChunk(f, data.constData() + pos, n)) {
            f.cancelWriting();
            return false;
        }
    }
    if (!f.flush() || ::fsync(f.handle()) != 0) {
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) return false;  // renames the new file over the old one
    syncFolderOf(path);
    return true;
}

bool FileLayer::makeDir(const QString& path) { return QDir().mkpath(path); }

bool FileLayer::dirExists(const QString& path) { return QFileInfo(path).isDir(); }

FileLayer& FileLayer::standard() {
    static FileLayer layer;
    return layer;
}
