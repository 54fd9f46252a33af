// The main window's "&Egyenleg értesítő": opens the letter window for the
// selected apartment, with the listed apartments and the arrears captions.

#include <QAction>
#include <QLabel>

#include "frmKezdo.h"
#include "windows/dialogs.h"
#include "windows/frmErtesito.h"

void frmKezdo::bindLetters() {
    mnuEgyenlegErtesito->setEnabled(true);
    connect(mnuEgyenlegErtesito, &QAction::triggered, this, [this] {
        if (m_AktualisLakas == 0) {
            Dialogs::current().message(this, QStringLiteral("! HIBA !"),
                                       QStringLiteral("Nincs kijelölve lakás a listából!\n"), Dialogs::Icon::Warning);
            return;
        }
        frmErtesito letters(ErtesitoInputs{m_folder, m_AktualisEv, m_AktualisLakas, listedRecords(),
                                           lbKKTartozas->text(), lbHullTartozas->text()},
                            this);
        letters.exec();
    });
}
