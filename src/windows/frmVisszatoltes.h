#pragma once
// The restore window: the user picks the backup folder to restore from. It
// opens at the year's "Mentések" folder; choosing a folder in the folder list
// shows its path and its files, opening one (double click or Enter) shows the
// folders in it, ".." goes up. The restore itself is done by the main window.

#include <QDialog>

#include "store/datafolder.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmVisszatoltes : public QDialog {
    Q_OBJECT
public:
    frmVisszatoltes(const DataFolder& folder, const QString& year, QWidget* parent = nullptr);

    // The folder chosen with "Visszatöltés"; empty when the user cancelled.
    const QString& ValasztottMentes() const { return m_ValasztottMentes; }
    // The folder whose path Label1 shows (the one a restore would copy from).
    const QString& chosenFolder() const { return m_chosen; }

    // Dir1 lists the folders in `path`, which becomes the chosen folder.
    void openFolder(const QString& path);

    QLabel* Label2_0 = nullptr;  // "Label2(0)" "Mentés helye:"
    QTreeWidget* Dir1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2_1 = nullptr;  // "Label2(1)" "Mentett adatok:"
    QListWidget* File1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void choose(const QString& path);
    void activated(QTreeWidgetItem* item);

    QString m_shown;   // the folder whose folders Dir1 lists
    QString m_chosen;  // the folder Label1 names
    QString m_ValasztottMentes;
};
