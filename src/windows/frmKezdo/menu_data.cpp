// The year's data: the expense and income book window, the new year made
// from the previous one, and backup and restore of the year's files.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "frmKezdo.h"
#include "store/backup.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "store/rollover.h"
#include "windows/dialogs.h"
#include "windows/frmKiadBevet.h"
#include "windows/frmVisszatoltes.h"

namespace {

// A busy cursor while a whole-year step runs.
struct Busy {
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

const QString kNewYearTitle = QStringLiteral("Lakók másolása !");

}  // namespace

void frmKezdo::bindData() {
    connect(mnuKiadBevet, &QAction::triggered, this, &frmKezdo::openBook);
    connect(cmdUjEv, &QPushButton::clicked, this, &frmKezdo::newYearClicked);
    connect(mnuAdatMentes, &QAction::triggered, this, &frmKezdo::backupClicked);
    connect(mnuAdatVisszatoltes, &QAction::triggered, this, &frmKezdo::restoreClicked);
}

void frmKezdo::openBook() {
    frmKiadBevet book(m_folder, m_AktualisEv, this);
    book.exec();
}

void frmKezdo::showYearAgain(const QString& year) {
    if (year != m_AktualisEv) {
        txtEv->setText(year);  // the year handling reads the list and selects the first apartment
        return;
    }
    LakasokBeolvas();
    focusListHome();
}

void frmKezdo::newYearClicked() {
    Dialogs& d = Dialogs::current();
    const QString proposed = QString::number(static_cast<qint64>(conv::numericValue(m_AktualisEv)) + 1);
    const QString answer = d.input(this, kNewYearTitle, QStringLiteral("Add meg az új évszámot"), proposed);
    if (answer.trimmed().isEmpty()) return;
    const rollover::Plan plan = rollover::check(m_folder, answer);
    if (!plan.ok()) return d.message(this, QStringLiteral("Hiba"), plan.error, Dialogs::Icon::Warning);
    if (plan.replaces && !d.question(this, kNewYearTitle, rollover::replaceQuestion(plan), Dialogs::Default::No)) return;

    rollover::Result r;
    {
        Busy busy;
        r = rollover::run(m_folder, plan, appclock::now());
    }
    if (!r.ok()) return d.message(this, QStringLiteral("Hiba"), r.error, Dialogs::Icon::Critical);
    showYearAgain(plan.year);
    QString done = QStringLiteral("A %1. év elkészült a %2. év adataiból:\n%3 lakás, %4 épület egyenlegének áthozata.")
                       .arg(plan.year, plan.oldYear)
                       .arg(r.apartments)
                       .arg(r.buildings);
    if (!r.backupFolder.isEmpty())
        done += QStringLiteral("\n\nA %1. év korábbi adatainak mentése:\n").arg(plan.year) +
                QDir::toNativeSeparators(r.backupFolder);
    d.message(this, kNewYearTitle, done, Dialogs::Icon::Information);
}

void frmKezdo::backupClicked() {
    backup::Saved s;
    {
        Busy busy;
        s = backup::save(m_folder, m_AktualisEv, appclock::now());
    }
    Dialogs& d = Dialogs::current();
    if (!s.ok()) return d.message(this, QStringLiteral("Hiba"), s.error, Dialogs::Icon::Critical);
    if (s.nothingToSave())
        return d.message(this, QStringLiteral("Mentés"),
                         QStringLiteral("A %1. évnek még nincs menthető adata, mentés nem készült.").arg(m_AktualisEv),
                         Dialogs::Icon::Information);
    d.message(this, QStringLiteral("Mentés"),
              QStringLiteral("A mentés sikeresen befejeződött\n\nA mentés helye:\n") + QDir::toNativeSeparators(s.folder),
              Dialogs::Icon::Information);
}

void frmKezdo::restoreClicked() {
    QString from;
    {
        frmVisszatoltes picker(m_folder, m_AktualisEv, this);
        picker.exec();
        from = picker.ValasztottMentes();
    }
    if (from.isEmpty()) return;
    Dialogs& d = Dialogs::current();
    const QStringList names = backup::restorable(m_folder, from);
    if (names.isEmpty())
        return d.message(this, QStringLiteral("Mentés"), backup::nothingToRestore(from), Dialogs::Icon::Warning);
    const QString question = QStringLiteral("Biztos mehet \nVisszatöltés ebből a mentésből:\n") +
                             QDir::toNativeSeparators(from) + QStringLiteral("\nebbe az évbe: ") + m_AktualisEv +
                             QStringLiteral("\nFelülírt fájlok: ") + names.join(QStringLiteral(", ")) +
                             QStringLiteral("\n\nA mostani adatokról előbb mentés készül.");
    if (!d.question(this, QStringLiteral("Adatok visszatöltése"), question, Dialogs::Default::No)) return;

    backup::Restored r;
    {
        Busy busy;
        r = backup::restore(m_folder, m_AktualisEv, from, appclock::now());
    }
    showYearAgain(m_AktualisEv);
    if (!r.ok()) return d.message(this, QStringLiteral("Hiba"), r.error, Dialogs::Icon::Critical);
    QString done = QStringLiteral("A visszatöltés sikeresen befejeződött\n\nVisszatöltve: ") +
                   r.restored.join(QStringLiteral(", "));
    if (!r.safetyFolder.isEmpty())
        done += QStringLiteral("\nA visszatöltés előtti adatok mentése:\n") + QDir::toNativeSeparators(r.safetyFolder);
    d.message(this, QStringLiteral("Mentés"), done, Dialogs::Icon::Information);
}
