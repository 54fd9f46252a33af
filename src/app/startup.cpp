#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTranslator>

#include "store/datafolder.h"
#include "windows/dialogs.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace startup {

QString chooseDataFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo info(exeDir);
    if (info.isDir() && info.isWritable()) return exeDir;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    return user;
}

void setHungarian(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Hungarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
}

void registerFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Times New Roman CE"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

std::unique_ptr<QLockFile> lockDataFolder(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("domoria.lock")));
    lock->setStaleLockTime(0);  // a lock left by a crashed copy is taken over
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

QString alreadyRunningText(const QString& folder) {
    return QStringLiteral("A Domoria program már fut ezzel az adatmappával:\n%1\n\nEgyszerre csak egy példány "
                          "dolgozhat ugyanazokon az adatokon.")
        .arg(QDir::toNativeSeparators(folder));
}

int run(QApplication& app, const QString& folder) {
    const auto lock = lockDataFolder(folder);
    if (!lock) {
        Dialogs::current().message(nullptr, QStringLiteral("Domoria program"), alreadyRunningText(folder),
                                   Dialogs::Icon::Warning);
        return 1;
    }
    frmKezdo window{DataFolder(folder)};
    window.show();
    return app.exec();
}

}  // namespace startup
