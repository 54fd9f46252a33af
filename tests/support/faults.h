#pragma once
// A layer between the file layer and the system: it counts every call and
// makes chosen ones fail, come short or kill the process, so that tests run
// the real file layer into any failure at any step. Syncs are counted but
// not made (the tests look at files, not at the disk), which keeps them fast.

#include <QString>

#include <map>
#include <vector>

#include "store/filelayer.h"

class FaultySystem : public SystemCalls {
public:
    enum class Call { Open, Pread, Pwrite, Fdatasync, Fsync, Ftruncate, Fstat, Stat, Close, Rename, Unlink, Mkdir };
    enum class Fault {
        Error,    // the call fails (EIO) once
        Lasting,  // the call and every later one fail
        Short,    // a write puts half its bytes down and says so; a read finds the end
        Kill,     // the process is killed instead of the call
        TornKill  // a write puts half its bytes down, then the process is killed
    };

    explicit FaultySystem(int failAt = 0, Fault fault = Fault::Error) : failAt(failAt), fault(fault) {}

    int failAt;  // the call (counted from 1) that fails; 0: none
    Fault fault;
    std::vector<Call> history;  // every call made, in order
    std::vector<QString> names;  // ... and the name of the file each one was made on
    // Calls of a kind on files of a name ("": any file) fail once `allowed`
    // of them went through: every one after that, or (not lasting) only the next.
    void failOn(Call call, const QString& name, int allowed = 0, bool lasting = true) {
        rules_[{call, name}] = {allowed, lasting};
    }
    FileLayer& layer() { return layer_; }

    int open(const char* path, int flags, mode_t mode) override;
    ssize_t pread(int fd, void* buf, size_t n, off_t offset) override;
    ssize_t pwrite(int fd, const void* buf, size_t n, off_t offset) override;
    int fdatasync(int fd) override;
    int fsync(int fd) override;
    int ftruncate(int fd, off_t length) override;
    int fstat(int fd, struct stat* st) override;
    int stat(const char* path, struct stat* st) override;
    int close(int fd) override;
    int rename(const char* from, const char* to) override;
    int unlink(const char* path) override;
    int mkdir(const char* path, mode_t mode) override;

private:
    // Counts the call; true when it is to fail (errno is then set).
    bool fails(Call call, const QString& name);
    bool fails(Call call, const char* path);
    bool failsFd(Call call, int fd);

    std::map<std::pair<Call, QString>, std::pair<int, bool>> rules_;  // -> allowed, lasting
    std::map<int, QString> names_;  // open descriptor -> file name
    FileLayer layer_{*this};
};
