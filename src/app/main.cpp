#include <QApplication>
#include <QDir>
#include <QStyleFactory>

#include <cstdio>

#include "startup.h"

int main(int argc, char** argv) {
    startup::setIdentity();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const startup::CommandLine line = startup::parseCommandLine(arguments);
    if (line.action != startup::CommandLine::Action::Run) {
        // Before any application object: no window system, no file.
        const bool error = line.action == startup::CommandLine::Action::Error;
        std::fputs(line.text.toLocal8Bit().constData(), error ? stderr : stdout);
        return error ? 2 : 0;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    startup::setHungarian(app);
    startup::registerFontSubstitutions();
    const startup::DataFolderChoice folder = line.dataFolder.isEmpty()
                                                 ? startup::chooseDataFolder()
                                                 : startup::DataFolderChoice{QDir(line.dataFolder).absolutePath(), {}};
    return startup::run(app, folder);
}
