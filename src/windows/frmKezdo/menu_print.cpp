// The print menu of the main window: the yearly statement and the yearly
// summary windows, and the resident list of the apartments the list shows.

#include <QAction>
#include <QLineEdit>

#include "frmKezdo.h"
#include "register/residentlist.h"
#include "windows/dialogs.h"
#include "windows/frmElonezet.h"
#include "windows/frmElonezet2.h"
#include "windows/printerchoice.h"

void frmKezdo::bindPrintMenu() {
    for (QAction* a : {mnuPrintEvesKimutatas, mnuPrintListamezoOsszesito, mnuListaPrint}) a->setEnabled(true);
    connect(mnuPrintEvesKimutatas, &QAction::triggered, this, &frmKezdo::openStatement);
    connect(mnuPrintListamezoOsszesito, &QAction::triggered, this, &frmKezdo::openSummary);
    connect(mnuListaPrint, &QAction::triggered, this, &frmKezdo::printResidentList);
}

void frmKezdo::openStatement() {
    frmElonezet w(m_folder, m_AktualisEv, txtEv->text(), m_AktualisLakas, this);
    w.exec();
    // The last apartment the window showed is the selected one.
    if (w.AktualisLakas() != 0 && w.AktualisLakas() != m_AktualisLakas) selectApartment(w.AktualisLakas());
}

void frmKezdo::openSummary() {
    frmElonezet2 w(m_folder, m_AktualisEv, this);
    w.exec();
}

void frmKezdo::printResidentList() {
    const std::vector<int> recs = listedRecords();
    if (recs.empty()) {
        Dialogs::current().message(this, QStringLiteral(" H i b a !"),
                                   QStringLiteral("A listamező üres!\nÍgy nincs mit nyomtatni..."),
                                   Dialogs::Icon::Critical);
        return;
    }
    // The heading offered names the selected apartment's town (else the
    // first listed apartment's).
    auto shown = readApartment(m_folder, m_AktualisEv, m_AktualisLakas);
    if (!shown) shown = readApartment(m_folder, m_AktualisEv, recs.front());
    const QString heading = Dialogs::current().input(this, QStringLiteral("Listamező nyomtatása"),
                                                     QStringLiteral("Kérem adja meg a fejléc szövegét..."),
                                                     shown ? residentListHeading(*shown) : QString());
    const std::vector<Lakas> apartments = listedApartments(m_folder, m_AktualisEv, recs);
    printing::PrintDialogs::current().preview(
        this, QStringLiteral("Lista nyomtatása"),
        [&apartments, &heading](PrinterSurface& s, const PrintProgress& progress) {
            ::printResidentList(s, apartments, heading, progress);
        });
}
