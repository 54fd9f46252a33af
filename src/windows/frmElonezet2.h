#pragma once
// "Nyomtatási előnézet" of the yearly summary: every apartment of the year
// with its charges, payments and balance and a totals row, narrowed by the
// search texts and by debtors or overpayers; the payments of the apartment
// clicked, from the payment log; printing the list as shown, previewing it
// and saving it as a CSV file.

#include <vector>

#include "reports/summary.h"
#include "store/datafolder.h"
#include "windows/previewframe.h"
#include "windows/printerchoice.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

class frmElonezet2 : public PreviewDialog {
    Q_OBJECT
public:
    frmElonezet2(const DataFolder& folder, const QString& year, QWidget* parent = nullptr);

    // Lists every apartment of the year.
    void Betolt();
    // Fills the building choice.
    void EpuletBeolvas();
    // The rows as the list shows them, in its order.
    std::vector<summary::Row> shownRows() const;
    // The record number of the apartment last clicked (0: none).
    int selected() const { return m_selected; }

    // ---- controls (and those of PreviewDialog) ----
    QGroupBox* Frame6 = nullptr;
    QLineEdit* txtNevKeres = nullptr;
    QLineEdit* txtHelysegKeres = nullptr;
    QLineEdit* txtUtcaKeres = nullptr;
    QLineEdit* txtHszKeres = nullptr;
    QComboBox* txtEpuletKeres = nullptr;  // object name "txtÉpületKeres"
    QRadioButton* opMind = nullptr;
    QRadioButton* opTulfiz = nullptr;
    QRadioButton* opHatralek = nullptr;  // object name "opHátralék"
    QPushButton* cmdKeres = nullptr;
    QTreeView* ListView1 = nullptr;
    QLabel* Label2 = nullptr;
    QTreeView* ListView2 = nullptr;
    QLabel* lbEv = nullptr;         // object name "lbÉv"
    QLabel* lbDatum = nullptr;      // object name "lbDátum"
    QPushButton* cmdCsv = nullptr;  // "&CSV mentés..."

private:
    void showRows(std::vector<summary::Row> rows);
    void searchClicked();
    void rowChosen(int viewRow);
    // The list as shown, printed.
    printing::Layout layout() const;
    void printClicked();
    void previewClicked();
    void csvClicked();

    DataFolder m_folder;
    QString m_year;
    std::vector<summary::Row> m_rows;  // in the order given to the list
    int m_selected = 0;
};
