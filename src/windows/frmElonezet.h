#pragma once
// "Nyomtatási előnézet" of the yearly statement: one apartment's thirteen
// ledger rows with the common cost (and the waste fee with "Szemétdíjjal"),
// stepping through the apartments, search by address or resident name, and
// printing the statement on the chosen printer or into a PDF file.
//
// The window starts with the main window's selected apartment and every
// apartment it shows becomes the selected one: after it closes,
// AktualisLakas() is the apartment to select in the main window.

#include "store/datafolder.h"
#include "windows/previewframe.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QScrollBar;
class QTreeWidget;

class frmElonezet : public PreviewDialog {
    Q_OBJECT
public:
    // `yearText` is the text of the main window's year box (the title's year).
    frmElonezet(const DataFolder& folder, const QString& year, const QString& yearText, int aktualisLakas,
                QWidget* parent = nullptr);

    int AktualisLakas() const { return m_AktualisLakas; }

    // Loads the statement of the current apartment: common cost only, or
    // common cost and waste fee.
    void BeolvasKK();
    void BeolvasKKésSz();
    // Fills the two search lists.
    void BeolvasLakok();
    // Print the statement on the chosen printer; true when it was printed.
    bool PrintKK();
    bool PrintKKésSZ();

    // ---- controls (and those of PreviewDialog) ----
    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbCim = nullptr;
    QComboBox* cmbNev = nullptr;  // object name "cmbNév"
    QLabel* Label1 = nullptr;
    QScrollBar* FlatScrollBar1 = nullptr;
    QCheckBox* chkSzemetdij = nullptr;  // object name "chkSzemétdij"
    QTreeWidget* ListView1 = nullptr;
    QLabel* lbNev = nullptr;  // object name "lbNév"
    QLabel* lbCim = nullptr;
    QLabel* lbDatum = nullptr;   // object name "lbDátum"
    QLabel* lbFejlec = nullptr;  // object name "lbFejléc"

private:
    void load(bool withWaste);
    void reload();
    void setColumns();
    void addressChosen(const QString& text);
    void nameChosen(const QString& text);
    void printClicked();
    void previewClicked();
    bool printStatement(bool withWaste);

    DataFolder m_folder;
    QString m_year;
    QString m_yearText;
    int m_AktualisLakas = 0;
};
