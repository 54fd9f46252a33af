#pragma once
// What the application does before the main window opens: the command line,
// the data folder and its lock, the Hungarian texts and the fonts.

#include <QString>
#include <QStringList>

#include "datalock.h"

class QApplication;

namespace startup {

// The program's name, which names its per-user data folder.
void setIdentity();

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString dataFolder;  // --data-folder; empty when not given
    QString text;        // what help, version or an error prints
};
// Reads the arguments (the program's name first). Help, version and errors
// need neither a window nor any file.
CommandLine parseCommandLine(const QStringList& arguments);

struct DataFolderChoice {
    QString path;
    QString unwritableProgramFolder;  // set when the per-user folder stands in for it
};
// The program's own folder when it is writable (the portable layout),
// otherwise the per-user folder.
DataFolderChoice chooseDataFolder(const QString& programFolder, const QString& userFolder);
DataFolderChoice chooseDataFolder();

// Makes the folder when it is missing and locks it. A refusal is shown and
// the result is not locked; nothing else is touched. The first start in the
// per-user folder says which folder holds the data.
DataLock openDataFolder(const DataFolderChoice& choice);

// Hungarian locale and Qt's Hungarian texts ("Igen", "Nem", "Mégse").
void setHungarian(QApplication& app);

// The faces the printed layouts name resolve to the Liberation fonts.
void registerFontSubstitutions();

// Opens the data folder and runs the main window on it; the exit code.
int run(QApplication& app, const DataFolderChoice& choice);

}  // namespace startup
