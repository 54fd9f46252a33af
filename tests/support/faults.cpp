#include "faults.h"

#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using Call = FaultySystem::Call;

bool FaultySystem::fails(Call call, const QString& name) {
    history.push_back(call);
    names.push_back(name);
    const int n = int(history.size());
    bool fail = failAt != 0 && (n == failAt || (fault == Fault::Lasting && n > failAt));
    if (fail && fault == Fault::Kill) ::raise(SIGKILL);
    for (const QString& key : {name, QString()}) {
        const auto rule = rules_.find({call, key});
        if (rule == rules_.end()) continue;
        auto& [allowed, lasting] = rule->second;
        fail = fail || allowed == 0 || (allowed < 0 && lasting);
        --allowed;
    }
    if (fail) errno = EIO;
    return fail;
}

bool FaultySystem::fails(Call call, const char* path) {
    return fails(call, QFileInfo(QFile::decodeName(path)).fileName());
}

bool FaultySystem::failsFd(Call call, int fd) {
    const auto it = names_.find(fd);
    return fails(call, it == names_.end() ? QString() : it->second);
}

int FaultySystem::open(const char* path, int flags, mode_t mode) {
    if (fails(Call::Open, path)) return -1;
    const int fd = SystemCalls::open(path, flags, mode);
    if (fd >= 0) names_[fd] = QFileInfo(QFile::decodeName(path)).fileName();
    return fd;
}

ssize_t FaultySystem::pread(int fd, void* buf, size_t n, off_t offset) {
    if (!failsFd(Call::Pread, fd)) return SystemCalls::pread(fd, buf, n, offset);
    return fault == Fault::Short ? 0 : -1;  // short: the file seems to end here
}

ssize_t FaultySystem::pwrite(int fd, const void* buf, size_t n, off_t offset) {
    if (!failsFd(Call::Pwrite, fd)) return SystemCalls::pwrite(fd, buf, n, offset);
    if (fault != Fault::Short && fault != Fault::TornKill) return -1;
    const ssize_t half = SystemCalls::pwrite(fd, buf, n / 2, offset);
    if (fault == Fault::TornKill) ::raise(SIGKILL);
    return half;
}

int FaultySystem::fdatasync(int fd) { return failsFd(Call::Fdatasync, fd) ? -1 : 0; }
int FaultySystem::fsync(int fd) { return failsFd(Call::Fsync, fd) ? -1 : 0; }

int FaultySystem::ftruncate(int fd, off_t length) {
    return failsFd(Call::Ftruncate, fd) ? -1 : SystemCalls::ftruncate(fd, length);
}

int FaultySystem::fstat(int fd, struct stat* st) { return failsFd(Call::Fstat, fd) ? -1 : SystemCalls::fstat(fd, st); }
int FaultySystem::stat(const char* path, struct stat* st) { return fails(Call::Stat, path) ? -1 : SystemCalls::stat(path, st); }

// The descriptor is released even when the close reports a failure.
int FaultySystem::close(int fd) {
    const bool fail = failsFd(Call::Close, fd);
    names_.erase(fd);
    SystemCalls::close(fd);
    return fail ? -1 : 0;
}

int FaultySystem::rename(const char* from, const char* to) {
    return fails(Call::Rename, from) ? -1 : SystemCalls::rename(from, to);
}
int FaultySystem::unlink(const char* path) { return fails(Call::Unlink, path) ? -1 : SystemCalls::unlink(path); }
int FaultySystem::mkdir(const char* path, mode_t mode) {
    return fails(Call::Mkdir, path) ? -1 : SystemCalls::mkdir(path, mode);
}
