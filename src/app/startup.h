#pragma once
// What the application sets up before the main window opens.

#include <QString>

#include <memory>

class QApplication;
class QLockFile;

namespace startup {

// The data folder: the folder of the executable when it is writable (the
// portable layout), otherwise the user's application data folder.
QString chooseDataFolder();

// Hungarian locale and Qt's Hungarian texts ("Igen", "Nem", "Mégse").
void setHungarian(QApplication& app);

// The faces the printed layouts name resolve to the Liberation fonts.
void registerFontSubstitutions();

// Locks the data folder for this copy of the program; nullptr when another
// copy holds it.
std::unique_ptr<QLockFile> lockDataFolder(const QString& folder);

// The message a second copy shows before it exits.
QString alreadyRunningText(const QString& folder);

// Starts the program on the given data folder and runs it; returns the exit
// code. A second copy on the same folder shows a message and returns 1
// without touching any file.
int run(QApplication& app, const QString& folder);

}  // namespace startup
