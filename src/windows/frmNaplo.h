#pragma once
// The print journal "Nyomtatási napló": the letters printed in a year with
// the arrears each stated, what was paid against it and what remains, the
// totals, and a payment recorded against a letter.

#include <QDialog>

#include "letters/journal.h"
#include "store/datafolder.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class UpDown;

class frmNaplo : public QDialog {
    Q_OBJECT
public:
    frmNaplo(const DataFolder& folder, const QString& year, QWidget* parent = nullptr);

    // Loads the list and the totals of the year in txtEv.
    void Betolt();

    QAction* mnuVissza = nullptr;
    QLineEdit* txtEv = nullptr;
    UpDown* UpDown1 = nullptr;
    QTreeView* ListView1 = nullptr;
    QLabel* lbHatralek = nullptr;
    QLabel* lbBefizet = nullptr;
    QLabel* lbKintlevoseg = nullptr;
    QLineEdit* txtBefiet = nullptr;
    QPushButton* cmdBefizet = nullptr;

private:
    void yearChanged(const QString& text);
    void rowChosen(int row);
    void payClicked();
    void showTotals();

    DataFolder m_folder;
    QString m_year;  // the year the list was loaded from
    letters::Journal m_journal;
    int m_selected = 0;  // record number of the row last chosen
};
