#pragma once
// The one place where the program touches the file system. Every record
// operation goes through a FileLayer, so tests can make any step fail.

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Size of the file in bytes; nullopt when it does not exist.
    virtual std::optional<qint64> size(const QString& path);
    // Creates an empty file when it is missing. False when it cannot be
    // created (for example because its folder is missing).
    virtual bool ensureFile(const QString& path);
    // Reads len bytes from offset (fewer at the end of the file).
    virtual std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 len);
    // Writes data at offset in place and flushes it to the disk before it
    // returns true.
    virtual bool writeAt(const QString& path, qint64 offset, const QByteArray& data);
    // Replaces the whole file in one step: the new contents are written
    // beside it, flushed, and renamed over the old file; the folder is then
    // flushed. A failure at any point leaves the old file as it was.
    virtual bool replace(const QString& path, const QByteArray& data);
    virtual bool makeDir(const QString& path);
    virtual bool dirExists(const QString& path);

    // The layer used by the program.
    static FileLayer& standard();

protected:
    // One chunk of a whole-file replacement; tests override it to fail midway.
    virtual bool writeChunk(QSaveFile& file, const char* data, qint64 len);
};
