#pragma once
// The one place where the program touches the file system, through plain
// unbuffered POSIX calls: every short write and every failed sync is an
// error, an append that fails is cut back, nothing is buffered and no
// destructor writes anything later. What a call reports is what is on disk.
// Anything that is not a regular file (a folder, a device, a pipe) is never
// read or written, and opening never blocks.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <sys/types.h>

struct stat;

// The system calls the file layer makes, one virtual function each; tests
// put a layer of their own between (to make any call fail or stop).
class SystemCalls {
public:
    virtual ~SystemCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t pread(int fd, void* buf, size_t n, off_t offset);
    virtual ssize_t pwrite(int fd, const void* buf, size_t n, off_t offset);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int fstat(int fd, struct stat* st);
    virtual int stat(const char* path, struct stat* st);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int mkdir(const char* path, mode_t mode);

    static SystemCalls& real();
};

struct FileInfo {
    enum class Kind { Missing, Regular, Special, Unreadable };  // Special: a folder, device, pipe, ...
    Kind kind = Kind::Missing;
    qint64 size = 0;
    bool regular() const { return kind == Kind::Regular; }
};

class FileLayer {
public:
    explicit FileLayer(SystemCalls& sys = SystemCalls::real()) : sys_(sys) {}
    FileLayer(const FileLayer&) = delete;
    FileLayer& operator=(const FileLayer&) = delete;

    FileInfo info(const QString& path);
    // Size of a regular file; nullopt when it is missing or not a regular file.
    std::optional<qint64> size(const QString& path);
    // Creates an empty file when it is missing. False when it cannot be
    // created or when something that is not a regular file has the name.
    bool ensureFile(const QString& path);
    // Reads len bytes from offset (fewer at the end of the file).
    std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 len);
    // Writes data at offset of an existing regular file and syncs it before
    // it returns true. A failed write is not undone here: the changes of
    // records go through a journal (journal.h), which puts the old bytes back
    // or cuts an append back with truncate().
    bool writeAt(const QString& path, qint64 offset, const QByteArray& data);
    // Sets the file's length to `length`, `tail` being its last bytes (the
    // partial record an append overwrote), and syncs it.
    bool truncate(const QString& path, qint64 length, const QByteArray& tail = QByteArray());

    // One open file read front to back in blocks: no reopening per block.
    class Input {
    public:
        Input(Input&& other) noexcept;
        Input& operator=(Input&&) = delete;
        ~Input();
        // Exactly len bytes from the current position; false on an error or
        // when the file ends first.
        bool read(char* into, qint64 len);
        qint64 size() const { return size_; }

    private:
        friend class FileLayer;
        Input(SystemCalls& sys, int fd, qint64 size) : sys_(sys), fd_(fd), size_(size) {}
        SystemCalls& sys_;
        int fd_;
        qint64 size_;
        qint64 pos_ = 0;
    };
    std::optional<Input> openInput(const QString& path);

    // Receives the contents of a new file block by block.
    class Output {
    public:
        bool write(const char* data, qint64 len);

    private:
        friend class FileLayer;
        Output(SystemCalls& sys, int fd) : sys_(sys), fd_(fd) {}
        bool flush();
        SystemCalls& sys_;
        int fd_;
        qint64 pos_ = 0;
        QByteArray buffer_;
        bool failed_ = false;
    };
    // Replaces the whole file in one step: `produce` writes the new contents
    // into a temporary file beside it (a block at a time, so memory does not
    // grow with the file), which is synced, closed and renamed over the old
    // file; the folder is then synced. When `produce` returns false or any
    // step before the rename fails, the old file stays as it was and false is
    // returned. `folderSynced` (when given) tells whether the last step, the
    // sync of the folder after the rename, succeeded.
    bool replace(const QString& path, const std::function<bool(Output&)>& produce, bool* folderSynced = nullptr);
    bool replace(const QString& path, const QByteArray& data, bool* folderSynced = nullptr);

    // Removes a file and syncs its folder; a missing file is fine.
    bool remove(const QString& path);
    bool syncFolderOf(const QString& path);
    // Makes the folder and any missing folder above it.
    bool makeDir(const QString& path);
    bool dirExists(const QString& path);

    // The layer used by the program.
    static FileLayer& standard();

private:
    // Opens a regular file without blocking; -1 for anything else.
    int openRegular(const QString& path, int flags, qint64* size = nullptr);
    bool closeFd(int fd);

    SystemCalls& sys_;
};
