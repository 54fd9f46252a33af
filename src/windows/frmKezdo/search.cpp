// The "Keresés" frame: narrows the apartment list.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "frmKezdo.h"
#include "register/search.h"

void frmKezdo::bindSearch() {
    connect(cmdKeres, &QPushButton::clicked, this, &frmKezdo::searchClicked);
    // Enter in a search box searches as the button does.
    for (QLineEdit* e : {txtNevKeres, txtHelysegKeres, txtUtcaKeres, txtHszKeres})
        connect(e, &QLineEdit::returnPressed, this, &frmKezdo::searchClicked);
}

void frmKezdo::searchClicked() {
    const SearchCriteria criteria{txtNevKeres->text(), txtHelysegKeres->text(), txtUtcaKeres->text(),
                                  txtHszKeres->text(), txtEpuletKeres->currentText()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ApartmentList found = searchApartments(m_folder, m_AktualisEv, criteria);
    fillList(found.rows);
    QApplication::restoreOverrideCursor();
    if (!found.rows.empty()) focusListHome();
    showListTotals(found.totals);
}
