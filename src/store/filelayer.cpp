#include "filelayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---- system calls ---------------------------------------------------------

int SystemCalls::open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t SystemCalls::pread(int fd, void* buf, size_t n, off_t offset) { return ::pread(fd, buf, n, offset); }
ssize_t SystemCalls::pwrite(int fd, const void* buf, size_t n, off_t offset) { return ::pwrite(fd, buf, n, offset); }
int SystemCalls::fdatasync(int fd) { return ::fdatasync(fd); }
int SystemCalls::fsync(int fd) { return ::fsync(fd); }
int SystemCalls::ftruncate(int fd, off_t length) { return ::ftruncate(fd, length); }
int SystemCalls::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int SystemCalls::stat(const char* path, struct stat* st) { return ::stat(path, st); }
int SystemCalls::close(int fd) { return ::close(fd); }
int SystemCalls::rename(const char* from, const char* to) { return ::rename(from, to); }
int SystemCalls::unlink(const char* path) { return ::unlink(path); }
int SystemCalls::mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }

SystemCalls& SystemCalls::real() {
    static SystemCalls calls;
    return calls;
}

// ---- file layer -------------------------------------------------------------

namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

constexpr int kBlock = 1 << 20;

// Reads exactly len bytes at offset, fewer only at the end of the file.
qint64 preadAll(SystemCalls& sys, int fd, char* into, qint64 len, qint64 offset) {
    qint64 got = 0;
    while (got < len) {
        const ssize_t n = sys.pread(fd, into + got, size_t(len - got), off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += n;
    }
    return got;
}

// A short write is an error: on a regular file it means the disk is full or
// failing, and the caller undoes what it can.
bool pwriteAll(SystemCalls& sys, int fd, const char* data, qint64 len, qint64 offset) {
    for (;;) {
        const ssize_t n = sys.pwrite(fd, data, size_t(len), off_t(offset));
        if (n < 0 && errno == EINTR) continue;
        return n == len;
    }
}

}  // namespace

FileInfo FileLayer::info(const QString& path) {
    struct stat st {};
    if (sys_.stat(native(path).constData(), &st) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileInfo::Kind::Missing : FileInfo::Kind::Unreadable, 0};
    if (!S_ISREG(st.st_mode)) return {FileInfo::Kind::Special, 0};
    return {FileInfo::Kind::Regular, qint64(st.st_size)};
}

std::optional<qint64> FileLayer::size(const QString& path) {
    const FileInfo i = info(path);
    if (!i.regular()) return std::nullopt;
    return i.size;
}

int FileLayer::openRegular(const QString& path, int flags, qint64* size) {
    // Looked at before it is opened: opening a device or a pipe can block or
    // do something of its own.
    if (!info(path).regular()) return -1;
    const int fd = sys_.open(native(path).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat st {};
    if (sys_.fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        closeFd(fd);
        return -1;
    }
    if (size) *size = qint64(st.st_size);
    return fd;
}

// The data was synced before any close, so a failing close loses nothing.
bool FileLayer::closeFd(int fd) { return sys_.close(fd) == 0; }

bool FileLayer::ensureFile(const QString& path) {
    const FileInfo i = info(path);
    if (i.regular()) return true;
    if (i.kind != FileInfo::Kind::Missing) return false;
    const int fd = sys_.open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return info(path).regular();
    closeFd(fd);
    syncFolderOf(path);  // an empty file lost in a power cut is simply made again
    return true;
}

std::optional<QByteArray> FileLayer::read(const QString& path, qint64 offset, qint64 len) {
    qint64 size = 0;
    if (offset < 0 || len < 0) return std::nullopt;
    const int fd = openRegular(path, O_RDONLY, &size);
    if (fd < 0) return std::nullopt;
    QByteArray out(qsizetype(std::clamp<qint64>(size - offset, 0, len)), Qt::Uninitialized);
    const qint64 got = preadAll(sys_, fd, out.data(), out.size(), offset);
    closeFd(fd);
    if (got < 0) return std::nullopt;
    out.truncate(qsizetype(got));
    return out;
}

bool FileLayer::writeAt(const QString& path, qint64 offset, const QByteArray& data) {
    const int fd = openRegular(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = pwriteAll(sys_, fd, data.constData(), data.size(), offset) && sys_.fdatasync(fd) == 0;
    closeFd(fd);
    return ok;
}

bool FileLayer::truncate(const QString& path, qint64 length, const QByteArray& tail) {
    const int fd = openRegular(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = sys_.ftruncate(fd, off_t(length)) == 0 &&
                    (tail.isEmpty() || pwriteAll(sys_, fd, tail.constData(), tail.size(), length - tail.size())) &&
                    sys_.fdatasync(fd) == 0;
    closeFd(fd);
    return ok;
}

// ---- streaming --------------------------------------------------------------

FileLayer::Input::Input(Input&& other) noexcept
    : sys_(other.sys_), fd_(std::exchange(other.fd_, -1)), size_(other.size_), pos_(other.pos_) {}

FileLayer::Input::~Input() {
    if (fd_ >= 0) sys_.close(fd_);
}

bool FileLayer::Input::read(char* into, qint64 len) {
    const qint64 got = preadAll(sys_, fd_, into, len, pos_);
    if (got != len) return false;
    pos_ += len;
    return true;
}

std::optional<FileLayer::Input> FileLayer::openInput(const QString& path) {
    qint64 size = 0;
    const int fd = openRegular(path, O_RDONLY, &size);
    if (fd < 0) return std::nullopt;
    return Input(sys_, fd, size);
}

bool FileLayer::Output::write(const char* data, qint64 len) {
    if (failed_) return false;
    if (buffer_.size() + len > kBlock && !flush()) return false;
    if (len >= kBlock) {
        failed_ = !pwriteAll(sys_, fd_, data, len, pos_);
        pos_ += len;
        return !failed_;
    }
    buffer_.append(data, qsizetype(len));
    return true;
}

bool FileLayer::Output::flush() {
    if (!failed_ && !buffer_.isEmpty()) failed_ = !pwriteAll(sys_, fd_, buffer_.constData(), buffer_.size(), pos_);
    pos_ += buffer_.size();
    buffer_.resize(0);  // keeps its room for the next block
    return !failed_;
}

bool FileLayer::replace(const QString& path, const std::function<bool(Output&)>& produce, bool* folderSynced) {
    if (folderSynced) *folderSynced = false;
    const FileInfo old = info(path);
    if (old.kind != FileInfo::Kind::Missing && !old.regular()) return false;
    const QString temp = path + QStringLiteral(".tmp");
    const QByteArray tempName = native(temp);
    if (sys_.unlink(tempName.constData()) != 0 && errno != ENOENT) return false;  // left by a crash
    const int fd = sys_.open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    Output out(sys_, fd);
    out.buffer_.reserve(kBlock);
    const bool written = produce(out) && out.flush() && sys_.fsync(fd) == 0;
    closeFd(fd);
    if (!written || sys_.rename(tempName.constData(), native(path).constData()) != 0) {
        sys_.unlink(tempName.constData());
        return false;
    }
    const bool synced = syncFolderOf(path);
    if (folderSynced) *folderSynced = synced;
    return true;
}

bool FileLayer::replace(const QString& path, const QByteArray& data, bool* folderSynced) {
    return replace(
        path, [&](Output& out) { return out.write(data.constData(), data.size()); }, folderSynced);
}

bool FileLayer::remove(const QString& path) {
    if (sys_.unlink(native(path).constData()) != 0) return errno == ENOENT;
    syncFolderOf(path);
    return true;
}

bool FileLayer::syncFolderOf(const QString& path) {
    const QByteArray dir = native(QFileInfo(path).absolutePath());
    const int fd = sys_.open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = sys_.fsync(fd) == 0;
    closeFd(fd);
    return ok;
}

bool FileLayer::makeDir(const QString& path) {
    if (dirExists(path)) return true;
    const QString parent = QFileInfo(path).absolutePath();  // the missing folders above are made first
    if (parent != QDir::cleanPath(path) && !makeDir(parent)) return false;
    if (sys_.mkdir(native(path).constData(), 0777) != 0 && !(errno == EEXIST && dirExists(path))) return false;
    syncFolderOf(path);
    return true;
}

bool FileLayer::dirExists(const QString& path) {
    struct stat st {};
    return sys_.stat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileLayer& FileLayer::standard() {
    static FileLayer layer;
    return layer;
}
