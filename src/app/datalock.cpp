#include "datalock.h"

#include <QDir>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>

namespace {

bool processRuns(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

DataLock refused(DataLock::Status status, const QString& folder, const QString& host = QString(), qint64 pid = 0) {
    const QString dir = QDir::toNativeSeparators(folder);
    const QString file = QDir::toNativeSeparators(lockFilePath(folder));
    QString text;
    switch (status) {
    case DataLock::Status::HeldHere:
        text = QStringLiteral("A Domoria program már fut ezzel az adatmappával:\n%1\n\n(gép: %2, folyamat: %3)\n\n"
                              "Egyszerre csak egy példány dolgozhat ugyanazokon az adatokon. Ha a program "
                              "biztosan nem fut ezen a gépen, ez a zárolási fájl törölhető:\n%4")
                   .arg(dir, host)
                   .arg(pid)
                   .arg(file);
        break;
    case DataLock::Status::HeldElsewhere:
        text = QStringLiteral("Az adatmappát egy másik gépen futó Domoria program használja:\n%1\n\n"
                              "(gép: %2, folyamat: %3)\n\nEgyszerre csak egy példány dolgozhat ugyanazokon az "
                              "adatokon. A zárolási fájl csak akkor törölhető, ha a program a(z) %2 gépen már "
                              "nem fut:\n%4")
                   .arg(dir, host)
                   .arg(pid)
                   .arg(file);
        break;
    default:
        text = QStringLiteral("Az adatmappa nem írható:\n%1\n\nA program nem indult el, és semmit sem "
                              "változtatott. Adjon írási jogot a mappához, vagy indítsa a programot a "
                              "--data-folder kapcsolóval egy írható mappára.")
                   .arg(dir);
        break;
    }
    DataLock out;
    out.status = status;
    out.message = text;
    return out;
}

}  // namespace

QString lockFilePath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("domoria.lock"));
}

DataLock lockDataFolder(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(lockFilePath(folder));
    lock->setStaleLockTime(0);  // never stale by age: a copy may run for days
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (lock->tryLock(0)) {
            DataLock out;
            out.status = DataLock::Status::Locked;
            out.lock = std::move(lock);
            return out;
        }
        // QLockFile has already taken over a lock whose process is gone.
        if (lock->error() != QLockFile::LockFailedError) return refused(DataLock::Status::NotWritable, folder);
        qint64 pid = 0;
        QString host;
        const bool known = lock->getLockInfo(&pid, &host, nullptr);
        const QString here = QSysInfo::machineHostName();
        if (known && !host.isEmpty() && host != here)
            return refused(DataLock::Status::HeldElsewhere, folder, host, pid);
        if (known && processRuns(pid)) return refused(DataLock::Status::HeldHere, folder, here, pid);
        // Empty, unreadable or garbage. A copy that is just starting may not
        // have written its lock yet: look once more before taking it over.
        if (!known && attempt == 0) {
            QThread::msleep(100);
            continue;
        }
        if (!lock->removeStaleLockFile()) break;
    }
    return refused(DataLock::Status::NotWritable, folder);
}
