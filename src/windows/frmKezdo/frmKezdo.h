#pragma once
// The main window: the apartment list of the current year, the search frame,
// the year controls and four tab pages with every detail of the selected
// apartment. The window only binds controls to the engine; the files and the
// money rules live in store/, register/ and ledger/.
//
// The class is split over several files:
//   frmKezdo.cpp    frame, menus, year controls, apartment list, selection
//   page_alap.cpp   "Alap adatok": apartment form, residents, meter numbers
//   page_ledger.cpp "Közösköltség, Hulladék": the two ledgers
//   page_vizora.cpp "Vízóra": meter readings and consumption
//   page_egyeb.cpp  "Egyéb": statuses, buildings, apartment delete
//   search.cpp      the "Keresés" frame
//   menu_print.cpp  the print menu
//   menu_data.cpp   the book window, the new year, backup and restore

#include <QAbstractSpinBox>
#include <QDate>
#include <QMainWindow>

#include <array>
#include <map>
#include <optional>

#include "register/apartmentlist.h"
#include "store/datafolder.h"
#include "windows/dialogs.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The spin buttons beside the year box: they only step, they show no text.
class UpDown : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
signals:
    void stepped(int steps);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

class frmKezdo : public QMainWindow {
    Q_OBJECT
public:
    explicit frmKezdo(const DataFolder& folder, QWidget* parent = nullptr);
    ~frmKezdo() override;

    // Working state read by the other windows.
    const QString& AktualisEv() const { return m_AktualisEv; }
    int AktualisLakas() const { return m_AktualisLakas; }
    const DataFolder& folder() const { return m_folder; }

    // The record numbers of the rows the apartment list shows, in list order
    // (what the resident list and the letters for every listed apartment walk).
    std::vector<int> listedRecords() const;
    // Makes apartment rec the selected one and shows it, choosing its list
    // row when the list shows it.
    void selectApartment(int rec);

    // Fills the apartment list and the house-wide totals for the current year.
    void LakasokBeolvas();
    // Fills the building list and both building choices.
    void EpuletBeolvas();
    // Clears the input fields for a new apartment.
    void MezoDel();

    // ---- controls (object names as the program names them) ----
    // menus
    QAction* mnuKilep = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintEvesKimutatas = nullptr;
    QAction* mnuPrintListamezoOsszesito = nullptr;
    QAction* mnuListaPrint = nullptr;
    QAction* mnuEgyenlegErtesito = nullptr;
    QAction* mnuKiadBevet = nullptr;
    QMenu* mnuAdatok = nullptr;
    QAction* mnuAdatMentes = nullptr;
    QAction* mnuAdatVisszatoltes = nullptr;

    // outside the pages
    QLineEdit* txtEv = nullptr;
    UpDown* UpDown1 = nullptr;
    QPushButton* cmdUjEv = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QLineEdit* txtNevKeres = nullptr;
    QLineEdit* txtHelysegKeres = nullptr;
    QLineEdit* txtUtcaKeres = nullptr;
    QLineEdit* txtHszKeres = nullptr;
    QComboBox* txtEpuletKeres = nullptr;  // object name "txtÉpületKeres"
    QPushButton* cmdKeres = nullptr;
    QTabWidget* SSTab1 = nullptr;

    // page 0 "Alap adatok"
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtHelyseg = nullptr;
    QLineEdit* txtIrsz = nullptr;
    QLineEdit* txtUtca = nullptr;
    QLineEdit* txtHsz = nullptr;
    QLineEdit* txtAjto = nullptr;
    QComboBox* txtEpulet = nullptr;  // object name "txtÉpület"
    QLineEdit* txtAlapterulet = nullptr;
    QComboBox* cmbPince = nullptr;
    QLineEdit* txtPinceDij = nullptr;
    QComboBox* cmbGarazs = nullptr;
    QLineEdit* txtkozoskoltseg = nullptr;
    QLineEdit* txtSzemetdij = nullptr;
    QPlainTextEdit* txtMegj = nullptr;
    QLabel* lbKarakter = nullptr;
    QGroupBox* Frame1_0 = nullptr;  // "Frame1(0)"
    QLineEdit* txtNev = nullptr;
    QComboBox* cmbStatus = nullptr;
    QDateEdit* DTPBejelentve = nullptr;
    QLineEdit* txtAnyjaNeve = nullptr;
    QLineEdit* txtSzulHelye = nullptr;
    QLineEdit* DTPSzulIdeje = nullptr;
    QLineEdit* txtTelefon = nullptr;
    QLineEdit* txtEmail = nullptr;
    QPushButton* cmdMail = nullptr;
    QPushButton* cmdNevRogzit = nullptr;
    QTreeWidget* ListView2 = nullptr;
    QGroupBox* Frame3_0 = nullptr;  // "Frame3(0)"
    QLineEdit* txtHideg1 = nullptr;
    QLineEdit* txtHideg2 = nullptr;
    QLineEdit* txtMeleg1 = nullptr;
    QLineEdit* txtMeleg2 = nullptr;
    QPushButton* cmdAdatokRogzitese = nullptr;
    QPushButton* cmdModosit = nullptr;
    QPushButton* cmdUjLakas = nullptr;
    QPushButton* cmd1LakoDel = nullptr;
    QPushButton* cmdOsszeLakoDel = nullptr;

    // page 1 "Közösköltség, Hulladék"
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame5_0 = nullptr;  // "Frame5(0)" "Közösköltség"
    QGroupBox* Frame5_1 = nullptr;  // "Frame5(1)" "Hulladékkezelési díj"
    QTreeWidget* ListView3 = nullptr;
    QTreeWidget* ListView4 = nullptr;
    QLabel* lbKKTartozas = nullptr;
    QLabel* lbKKOtartozas = nullptr;
    QLabel* lbHullTartozas = nullptr;
    QLabel* lbHullOTartozas = nullptr;
    std::array<QRadioButton*, 4> opEloiras{};
    QPushButton* cmdKozoskEloiras = nullptr;
    QLineEdit* txtKozoskBefizet = nullptr;
    QDateEdit* DTPKKbefizet = nullptr;
    QPushButton* cmdKozoskBefiz = nullptr;
    QPushButton* cmdElozoEviKKFelvitel = nullptr;
    QPushButton* cmdSzemetEloiras = nullptr;
    QLineEdit* txtSzemetBefizet = nullptr;
    QDateEdit* DTPHbefizet = nullptr;
    QPushButton* cmdSzemetBefiz = nullptr;
    QPushButton* cmdElozoEviHFelvitel = nullptr;

    // page 2 "Vízóra"
    QGroupBox* Frame8 = nullptr;
    QGroupBox* Frame3_1 = nullptr;  // "Frame3(1)"
    QDateEdit* DTPLeadas = nullptr;
    std::array<QLineEdit*, 5> txtElozo{};   // 1..4
    std::array<QLineEdit*, 5> txtUtolso{};  // 1..4
    std::array<QLabel*, 5> lbvizfogy{};     // 1..4
    QLineEdit* txtHideg11 = nullptr;
    QLineEdit* txtHideg22 = nullptr;
    QLineEdit* txtMeleg11 = nullptr;
    QLineEdit* txtMeleg22 = nullptr;
    QLabel* lbLakasFogy = nullptr;
    QLabel* lbHazFogy = nullptr;
    std::array<QLabel*, 2> lbHo{};
    QLabel* lbLakasEvesVizFogy = nullptr;
    QLabel* lbHazEvesVizFogy = nullptr;
    QTreeWidget* ListView5 = nullptr;
    QPushButton* cmdKozmuModosit = nullptr;
    QPushButton* cmdLeadas = nullptr;
    std::array<QRadioButton*, 2> opVizLeadas{};

    // page 3 "Egyéb"
    QGroupBox* Frame4 = nullptr;
    QLineEdit* txtStatu = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* cmdStatuszFelv = nullptr;
    QGroupBox* Frame9 = nullptr;
    QLineEdit* txtEpuletNeve = nullptr;  // "txtÉpületNeve"
    QLineEdit* txtKKperNm = nullptr;
    QPushButton* cmdEpuletFelvetele = nullptr;  // "cmdÉpületFelvétele"
    QPushButton* cmdEpuletDel = nullptr;        // "cmdÉpületDel"
    QTreeWidget* ListView6 = nullptr;
    QLabel* lbDelCim = nullptr;
    QPushButton* cmdLakasDel = nullptr;  // "cmdLakásDel"

    // apartment caption labels of pages 1 and 2
    std::array<QLabel*, 2> lbNev{};
    std::array<QLabel*, 2> lbCim{};
    // the numbered labels the program refers to: Label1(31), (33) ... (53)
    std::map<int, QLabel*> Label1;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frmKezdo.cpp
    void buildMenus();
    QWidget* buildListSide();
    void opening();
    void yearChanged(const QString& text);
    void stepYear(int steps);
    void exitAsked();
    void fillStatuses();
    void apartmentSelected(QTreeWidgetItem* item);
    // No apartment is current any more: every button that acts on one is
    // disabled until a row is selected. clearPages also empties the form and
    // the pages (a year change); after a delete they keep showing.
    void forgetApartment(bool clearPages);
    void showApartment(const Lakas& l);
    void showListTotals(const HouseTotals& t);
    // Replaces the rows of the apartment list, sorted by the sort column.
    void fillList(const std::vector<ApartmentRow>& rows);
    void sortBy(int column);
    void focusListHome();
    void setUjEvCaption();

    // page files: each builds its page and binds its controls
    QWidget* buildPageAlap();
    QWidget* buildPageLedger();
    QWidget* buildPageVizora();
    QWidget* buildPageEgyeb();
    void bindPageAlap();
    void bindPageLedger();
    void bindPageVizora();
    void bindPageEgyeb();
    void bindSearch();
    void bindData();
    void bindLetters();  // menu_letters.cpp

    // menu_print.cpp: the print menu (statement, summary, resident list)
    void bindPrintMenu();
    void openStatement();
    void openSummary();
    void printResidentList();

    // Selection steps that belong to the ledger and water pages.
    void showLedgers(const Lakas& l);
    // No ledger row is chosen: the ledger buttons wait for a row click.
    void resetLedgerRows();
    void showWater(const Lakas& l);

    // ---- register section (page_alap.cpp, page_egyeb.cpp, search.cpp) ----
    // page_alap.cpp: the apartment form and the residents
    void addApartmentClicked();
    void modifyClicked(Dialogs::Default byDefault = Dialogs::Default::Yes);
    void modifyIfEnabled(Dialogs::Default byDefault = Dialogs::Default::Yes);
    void newApartmentClicked();
    void recomputeCommonCost();
    void cellarFeeChanged();
    void cellarChoice();
    void addResidentClicked();
    void residentClicked(QTreeWidgetItem* item);
    void removeResidentClicked();
    void removeAllResidentsClicked();
    void clearResidentInputs();
    void mailClicked();
    // page_egyeb.cpp: statuses, buildings, apartment delete
    void addStatusClicked();
    void addBuildingClicked();
    void buildingClicked(QTreeWidgetItem* item);
    void deleteBuildingClicked();
    void deleteApartmentClicked();
    // search.cpp
    void searchClicked();
    // A refusal or failure in a "Hiba" box; the named control (if any) gets
    // the focus first.
    void showError(QWidget* focus, const QString& message);

    // ---- ledger section (page_ledger.cpp, page_vizora.cpp) ----
    // page_ledger.cpp: one ledger frame (0 common cost, 1 waste fee) with its
    // kind, controls, selected row and texts; both frames share the handlers.
    struct LedgerSide;
    LedgerSide ledgerSide(int which);
    void ledgerRowSelected(const LedgerSide& s, QTreeWidgetItem* item);
    void ledgerCharge(const LedgerSide& s);
    void ledgerPay(const LedgerSide& s);
    void ledgerPreviousYear(const LedgerSide& s);
    // page_vizora.cpp
    void recordReadings();
    void setReadingsForward();
    void readingDateChanged(const QDate& date);
    void showWaterYear(const Lakas& l, int month);

    // ---- year data (menu_data.cpp) ----
    void openBook();
    void newYearClicked();
    void backupClicked();
    void restoreClicked();
    // Shows the year's apartments afresh after its files were replaced.
    void showYearAgain(const QString& year);

    DataFolder m_folder;
    QString m_AktualisEv;
    int m_AktualisLakas = 0;
    int m_KijeloltKKHo = 0;
    int m_KijeloltHHo = 0;
    int m_selectedResident = 0;  // list position of the resident row last clicked, 1-based
    int m_selectedBuilding = 0;  // record number of the building row last clicked
    int m_sortColumn = 0;
    QTreeWidgetItem* m_selectedItem = nullptr;  // the apartment row last selected; null after a refill
    bool m_loading = false;
};
