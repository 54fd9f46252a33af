#include "startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTranslator>

#include <fcntl.h>
#include <unistd.h>

#include "store/datafolder.h"
#include "windows/dialogs.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace startup {

namespace {

const QString kTitle = QStringLiteral("Domoria program");

QString userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString helpText(const QString& program) {
    return QStringLiteral(
               "Használat: %1 [kapcsolók]\n\n"
               "Domoria: társasházak lakóinak, közös költségének, hulladékdíjának és vízóráinak nyilvántartása.\n\n"
               "Kapcsolók:\n"
               "  -h, --help               Kiírja ezt a súgót, és kilép.\n"
               "  -v, --version            Kiírja a program verzióját, és kilép.\n"
               "  --data-folder <mappa>    Ebben a mappában tartja az adatokat (például ha több társasház\n"
               "                           adatait külön mappákban tartja). Egy mappán egyszerre csak\n"
               "                           egy példány dolgozhat.\n\n"
               "Kapcsoló nélkül az adatmappa a program saját mappája, ha az írható, különben:\n  %2\n")
        .arg(program, QDir::toNativeSeparators(userFolder()));
}

}  // namespace

void setIdentity() {
    // The per-user data folder is then ~/.local/share/Domoria.
    QCoreApplication::setApplicationName(QStringLiteral("Domoria"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOMORIA_VERSION));
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption folder(QStringLiteral("data-folder"), QString(), QStringLiteral("mappa"));
    parser.addOptions({help, version, folder});
    CommandLine out;
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("domoria"))).fileName();
    const auto error = [&](const QString& text) {
        out.action = CommandLine::Action::Error;
        out.text = text + QStringLiteral("\nA kapcsolók listája: %1 --help\n").arg(program);
        return out;
    };
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return error(QStringLiteral("Ismeretlen kapcsoló: %1").arg(parser.unknownOptionNames().join(", ")));
        return error(QStringLiteral("A --data-folder kapcsoló után meg kell adni a mappát."));
    }
    if (parser.isSet(help)) {
        out.action = CommandLine::Action::Help;
        out.text = helpText(program);
    } else if (parser.isSet(version)) {
        out.action = CommandLine::Action::Version;
        out.text = QStringLiteral("Domoria program, verzió: %1\n").arg(QStringLiteral(DOMORIA_VERSION));
    } else if (!parser.positionalArguments().isEmpty()) {
        return error(QStringLiteral("Fölösleges argumentum: %1").arg(parser.positionalArguments().join(' ')));
    } else if (parser.isSet(folder)) {
        out.dataFolder = parser.value(folder);
        if (out.dataFolder.trimmed().isEmpty()) return error(QStringLiteral("Az adatmappa neve nem lehet üres."));
    }
    return out;
}

DataFolderChoice chooseDataFolder(const QString& programFolder, const QString& user) {
    // Writable for the identity the program writes as (its effective one).
    const QFileInfo info(programFolder);
    if (info.isDir() && ::faccessat(AT_FDCWD, QFile::encodeName(programFolder).constData(), W_OK, AT_EACCESS) == 0)
        return {programFolder, QString()};
    return {user, programFolder};
}

DataFolderChoice chooseDataFolder() {
    return chooseDataFolder(QCoreApplication::applicationDirPath(), userFolder());
}

DataLock openDataFolder(const DataFolderChoice& choice) {
    QDir().mkpath(choice.path);  // when that fails, the lock names the folder that cannot be written
    DataLock lock = lockDataFolder(choice.path);
    if (!lock) {
        Dialogs::current().message(nullptr, kTitle, lock.message,
                                   lock.status == DataLock::Status::NotWritable ? Dialogs::Icon::Critical
                                                                                 : Dialogs::Icon::Warning);
        return lock;
    }
    // A first start here (no settings yet) says where the data is kept, so
    // that nobody starts typing into an unexpected empty program.
    if (!choice.unwritableProgramFolder.isEmpty() && !QFileInfo::exists(DataFolder(choice.path).file(files::Set)))
        Dialogs::current().message(nullptr, kTitle,
                                   QStringLiteral("A program saját mappája nem írható:\n%1\n\nAz adatokat ezért "
                                                  "ebben a mappában tartja:\n%2\n\nHa az adatai máshol vannak, "
                                                  "indítsa a programot a --data-folder kapcsolóval.")
                                       .arg(QDir::toNativeSeparators(choice.unwritableProgramFolder),
                                            QDir::toNativeSeparators(choice.path)),
                                   Dialogs::Icon::Information);
    return lock;
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

int run(QApplication& app, const DataFolderChoice& choice) {
    const DataLock lock = openDataFolder(choice);
    if (!lock) return 1;
    frmKezdo window{DataFolder(choice.path)};
    window.show();
    return app.exec();
}

}  // namespace startup
