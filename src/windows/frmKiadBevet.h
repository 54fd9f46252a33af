#pragma once
// The expense and income book of the open year: the entries of the chosen
// building(s) in one combined list or in two separate lists with their totals,
// the balance, recording or modifying an entry, and printing the lists. The rules live in
// book/book.h; the window binds its controls to them.

#include <QDialog>

#include <array>

#include "book/book.h"
#include "store/datafolder.h"

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTreeView;
class QWidget;

class frmKiadBevet : public QDialog {
    Q_OBJECT
public:
    frmKiadBevet(const DataFolder& folder, const QString& year, QWidget* parent = nullptr);

    // Fills the building box: one blank item, then every building; the box
    // shows the last one.
    void EpuletBeolvas();
    // Refills the expense, income and combined lists and the balance for the
    // building text, from one reading of the book.
    void Beolvas();

    // The record number of the entry chosen in the combined list; 0 for none
    // or for the totals row.
    int KivalasztottRec() const { return m_KivalasztottRec; }

    // ---- controls (object names as the program names them) ----
    QMenuBar* menu = nullptr;
    QAction* mnuVissza = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintKiadas = nullptr;   // "mnuPrintKiadás"
    QAction* mnuPrintBevetel = nullptr;  // "mnuPrintBevétel"
    QAction* mnuPrintKiBe = nullptr;
    QAction* mnuCsvMentes = nullptr;  // "CSV mentés...": the combined list as a CSV file
    QComboBox* txtEpuletKeres = nullptr;  // "txtÉpületKeres"
    QPushButton* cmdBeolvas = nullptr;
    std::array<QRadioButton*, 2> opListak{};  // "opListák(0)" two lists, "opListák(1)" one list
    QTreeView* ListViewKiBe = nullptr;
    QTreeView* ListViewKiadas = nullptr;   // "ListViewKiadás"
    QTreeView* ListViewBevetel = nullptr;  // "ListViewBevétel"
    QWidget* twoLists = nullptr;           // holds the two separate lists
    QDateEdit* DTP1 = nullptr;
    QLineEdit* txtMegnevezes = nullptr;  // "txtMegnevezés"
    QLineEdit* txtKiadas = nullptr;      // "txtKiadás"
    QLineEdit* txtBevetel = nullptr;     // "txtBevétel"
    QLineEdit* txtMegjegyzes = nullptr;  // "txtMegjegyzés"
    QPushButton* cmdKiadas = nullptr;
    QPushButton* cmdBevetel = nullptr;
    QPushButton* cmdBevetModosit = nullptr;  // "cmdBevétModosit"
    QLabel* lbEgyenleg = nullptr;
    QLabel* lbEv = nullptr;  // "lbÉv"

private:
    void build();
    void entryChosen(int viewRow);
    void record(book::Action a);
    void clearEntry();
    // Shows the list or lists of the chosen option.
    void listModeChanged();
    // The print menu: a list's report in the print preview; the CSV file.
    void printList(book::ListKind k);
    void saveCsv();

    DataFolder m_folder;
    QString m_year;
    int m_KivalasztottRec = 0;
    book::Lists m_lists;  // what the lists show
};
