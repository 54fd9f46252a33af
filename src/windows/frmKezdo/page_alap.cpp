// "Alap adatok": the apartment form, the residents and the meter numbers.

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frmKezdo.h"
#include "register/apartmentform.h"
#include "register/buildings.h"
#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/ui.h"

QWidget* frmKezdo::buildPageAlap() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageAlap"));

    // Apartment data
    Frame2 = new QGroupBox(QStringLiteral("Lakás adatai"));
    Frame2->setObjectName(QStringLiteral("Frame2"));
    txtHelyseg = ui::lineEdit(QStringLiteral("txtHelyseg"), 25);
    txtIrsz = ui::lineEdit(QStringLiteral("txtIrsz"), 6);
    txtUtca = ui::lineEdit(QStringLiteral("txtUtca"), 25);
    txtHsz = ui::lineEdit(QStringLiteral("txtHsz"), 10);
    txtAjto = ui::lineEdit(QStringLiteral("txtAjto"), 10);
    txtEpulet = ui::combo(QStringLiteral("txtÉpület"), true);
    txtAlapterulet = ui::lineEdit(QStringLiteral("txtAlapterulet"));
    cmbPince = ui::combo(QStringLiteral("cmbPince"), false);
    txtPinceDij = ui::lineEdit(QStringLiteral("txtPinceDij"));
    cmbGarazs = ui::combo(QStringLiteral("cmbGarazs"), false);
    txtkozoskoltseg = ui::lineEdit(QStringLiteral("txtkozoskoltseg"));
    txtSzemetdij = ui::lineEdit(QStringLiteral("txtSzemetdij"));
    txtMegj = new QPlainTextEdit;
    txtMegj->setObjectName(QStringLiteral("txtMegj"));
    txtMegj->setTabChangesFocus(true);
    txtMegj->setFixedHeight(56);
    lbKarakter = ui::valueLabel(QStringLiteral("lbKarakter"));
    lbKarakter->setText(QStringLiteral("300"));
    for (QLineEdit* e : {txtIrsz, txtAlapterulet, txtPinceDij, txtkozoskoltseg, txtSzemetdij})
        e->setAlignment(Qt::AlignRight);
    txtIrsz->setMaximumWidth(70);
    txtAlapterulet->setMaximumWidth(70);
    txtPinceDij->setMaximumWidth(70);
    txtkozoskoltseg->setMaximumWidth(90);
    txtSzemetdij->setMaximumWidth(90);

    auto* g = new QGridLayout(Frame2);
    // The most used fields have Alt+letters of their own; the window's other
    // letters belong to the menus, the search, the pages and the buttons.
    ui::addRow(g, 0, 0, QStringLiteral("Helysé&gnév:"), txtHelyseg);
    ui::addRow(g, 0, 2, QStringLiteral("&Irányítósz.:"), txtIrsz);
    ui::addRow(g, 1, 0, QStringLiteral("Ut&ca:"), txtUtca);
    ui::addRow(g, 1, 2, QStringLiteral("Há&zszám:"), txtHsz);
    ui::addRow(g, 2, 0, QStringLiteral("Épület:"), txtEpulet);
    ui::addRow(g, 2, 2, QStringLiteral("Emelet/a&jtó:"), txtAjto);
    ui::addRow(g, 3, 0, QStringLiteral("Alapterület:"), txtAlapterulet);
    ui::addRow(g, 3, 2, QStringLiteral("Garázs:"), cmbGarazs);
    ui::addRow(g, 4, 0, QStringLiteral("Pince:"), cmbPince);
    Label1[53] = ui::caption(QStringLiteral("Ft/hó:"), txtPinceDij, QStringLiteral("Label1(53)"));
    g->addWidget(Label1[53], 4, 2);
    g->addWidget(txtPinceDij, 4, 3);
    auto* kkRow = new QHBoxLayout;
    kkRow->addWidget(txtkozoskoltseg);
    kkRow->addWidget(new QLabel(QStringLiteral("Ft/hó")));
    kkRow->addStretch(1);
    g->addWidget(ui::caption(QStringLiteral("Közösköltség összege:"), txtkozoskoltseg), 5, 0);
    g->addLayout(kkRow, 5, 1, 1, 3);
    auto* szRow = new QHBoxLayout;
    szRow->addWidget(txtSzemetdij);
    szRow->addWidget(new QLabel(QStringLiteral("Ft/hó")));
    szRow->addStretch(1);
    g->addWidget(ui::caption(QStringLiteral("Szemátszállítási díj összege:"), txtSzemetdij), 6, 0);
    g->addLayout(szRow, 6, 1, 1, 3);
    g->addWidget(ui::caption(QStringLiteral("Megjegyzés:"), txtMegj), 7, 0, Qt::AlignTop);
    g->addWidget(txtMegj, 7, 1, 1, 3);
    auto* counter = new QHBoxLayout;
    counter->addStretch(1);
    counter->addWidget(lbKarakter);
    counter->addWidget(ui::caption(QStringLiteral("karakter"), nullptr));
    g->addLayout(counter, 8, 1, 1, 3);
    g->setColumnStretch(1, 3);
    g->setColumnStretch(3, 2);
    txtHelyseg->setMinimumWidth(150);
    txtEpulet->setMinimumContentsLength(16);

    // Residents
    Frame1_0 = new QGroupBox(QStringLiteral("Lakó(k)"));
    Frame1_0->setObjectName(QStringLiteral("Frame1(0)"));
    txtNev = ui::lineEdit(QStringLiteral("txtNev"), 30);
    cmbStatus = ui::combo(QStringLiteral("cmbStatus"), true);
    DTPBejelentve = ui::datePicker(QStringLiteral("DTPBejelentve"));
    txtAnyjaNeve = ui::lineEdit(QStringLiteral("txtAnyjaNeve"), 30);
    txtSzulHelye = ui::lineEdit(QStringLiteral("txtSzulHelye"), 20);
    DTPSzulIdeje = ui::lineEdit(QStringLiteral("DTPSzulIdeje"), 10);
    txtTelefon = ui::lineEdit(QStringLiteral("txtTelefon"), 15);
    txtEmail = ui::lineEdit(QStringLiteral("txtEmail"), 40);
    cmdMail = ui::button(QStringLiteral("cmdMail"), QStringLiteral("Írás"),
                         QStringLiteral("E-mail küldése a kijelölt lakónak."));
    cmdNevRogzit = ui::button(QStringLiteral("cmdNevRogzit"), QStringLiteral("Lakó &Felvétele"),
                              QStringLiteral("Lakó felvétele a lakásba."));
    ui::setFace(cmdNevRogzit, QColor(192, 192, 0));
    auto* r = new QGridLayout(Frame1_0);
    ui::addRow(r, 0, 0, QStringLiteral("&Lakó neve:"), txtNev, 2);
    ui::addRow(r, 1, 0, QStringLiteral("Státusza:"), cmbStatus, 2);
    ui::addRow(r, 2, 0, QStringLiteral("Bejelentve:"), DTPBejelentve);
    ui::addRow(r, 3, 0, QStringLiteral("Anyja neve:"), txtAnyjaNeve, 2);
    ui::addRow(r, 4, 0, QStringLiteral("Születési helye:"), txtSzulHelye, 2);
    ui::addRow(r, 5, 0, QStringLiteral("Születési ideje:"), DTPSzulIdeje);
    ui::addRow(r, 6, 0, QStringLiteral("Telef&on:"), txtTelefon);
    ui::addRow(r, 7, 0, QStringLiteral("E-mail:"), txtEmail);
    r->addWidget(cmdMail, 7, 2);
    r->addWidget(cmdNevRogzit, 8, 1, 1, 2);
    r->setColumnStretch(1, 1);

    // Residents of the apartment
    ListView2 = ui::listView(QStringLiteral("ListView2"),
                             {QStringLiteral("Lakó neve"), QStringLiteral("Státusza"), QStringLiteral("Bejelentve"),
                              QStringLiteral("Anyja neve"), QStringLiteral("Szül. hely."), QStringLiteral("Szül. idő")},
                             QStringLiteral("A lakás lakói"));
    ListView2->setColumnWidth(0, 170);
    ListView2->setColumnWidth(1, 100);
    ListView2->setColumnWidth(2, 95);
    ListView2->setColumnWidth(3, 160);
    ListView2->setColumnWidth(4, 120);
    ListView2->setMinimumHeight(110);

    // Meter serial numbers
    Frame3_0 = new QGroupBox(QStringLiteral("Vízórák"));
    Frame3_0->setObjectName(QStringLiteral("Frame3(0)"));
    txtHideg1 = ui::lineEdit(QStringLiteral("txtHideg1"), 15);
    txtHideg2 = ui::lineEdit(QStringLiteral("txtHideg2"), 15);
    txtMeleg1 = ui::lineEdit(QStringLiteral("txtMeleg1"), 15);
    txtMeleg2 = ui::lineEdit(QStringLiteral("txtMeleg2"), 15);
    auto* m = new QGridLayout(Frame3_0);
    m->addWidget(new QLabel(QStringLiteral("Mérőóra száma:")), 0, 1, 1, 2);
    m->addWidget(ui::caption(QStringLiteral("Hidegvíz:"), txtHideg1), 1, 0);
    m->addWidget(txtHideg1, 1, 1);
    m->addWidget(txtHideg2, 1, 2);
    m->addWidget(ui::caption(QStringLiteral("Melegvíz:"), txtMeleg1), 2, 0);
    m->addWidget(txtMeleg1, 2, 1);
    m->addWidget(txtMeleg2, 2, 2);
    // The second box of a row has no label of its own.
    txtHideg2->setAccessibleName(QStringLiteral("Hidegvíz 2. mérőóra száma"));
    txtMeleg2->setAccessibleName(QStringLiteral("Melegvíz 2. mérőóra száma"));

    // Buttons
    cmdAdatokRogzitese = ui::button(QStringLiteral("cmdAdatokRogzitese"), QStringLiteral("A&datok rögzítése"));
    ui::setFace(cmdAdatokRogzitese, QColor(0, 192, 0));
    cmdModosit = ui::button(QStringLiteral("cmdModosit"), QStringLiteral("Adatok &módosítása"));
    ui::setFace(cmdModosit, QColor(255, 128, 128));
    cmdModosit->setEnabled(false);
    cmdUjLakas = ui::button(QStringLiteral("cmdUjLakas"), QStringLiteral("Mezők &Törlése (új lakás)"),
                            QStringLiteral("Mezők törlése új lakás felvételéhez"));
    ui::setFace(cmdUjLakas, QColor(128, 128, 255));
    cmd1LakoDel = ui::button(QStringLiteral("cmd1LakoDel"), QStringLiteral("Kijelölt l&akó törlése"),
                             QStringLiteral("A kijelölt lakó törlése."));
    ui::setFace(cmd1LakoDel, QColor(255, 255, 0));
    cmd1LakoDel->setEnabled(false);
    cmdOsszeLakoDel = ui::button(QStringLiteral("cmdOsszeLakoDel"), QStringLiteral("Ö&sszes lakó törlése"),
                                 QStringLiteral("Lakók törlése a lakásból"));
    ui::setFace(cmdOsszeLakoDel, QColor(255, 255, 0));
    cmdMail->setEnabled(false);

    auto* buttons = new QGridLayout;
    buttons->addWidget(cmdAdatokRogzitese, 0, 0);
    buttons->addWidget(cmdModosit, 0, 1);
    buttons->addWidget(cmdUjLakas, 0, 2);
    buttons->addWidget(cmd1LakoDel, 1, 0);
    buttons->addWidget(cmdOsszeLakoDel, 1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame2, 3);
    top->addWidget(Frame1_0, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame3_0);
    bottom->addLayout(buttons, 1);
    auto* col = new QVBoxLayout(page);
    col->addLayout(top);
    col->addWidget(ListView2, 1);
    col->addLayout(bottom);

    // Tab order follows the form: apartment, residents, meters, buttons.
    QWidget* order[] = {txtHelyseg, txtIrsz,      txtUtca,      txtHsz,       txtEpulet,     txtAjto,
                        txtAlapterulet, cmbGarazs, cmbPince,    txtPinceDij,  txtkozoskoltseg, txtSzemetdij,
                        txtMegj,    txtNev,       cmbStatus,    DTPBejelentve, txtAnyjaNeve, txtSzulHelye,
                        DTPSzulIdeje, txtTelefon, txtEmail,     cmdMail,      cmdNevRogzit,  ListView2,
                        txtHideg1,  txtHideg2,    txtMeleg1,    txtMeleg2,    cmdAdatokRogzitese, cmdModosit,
                        cmdUjLakas, cmd1LakoDel,  cmdOsszeLakoDel};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return page;
}

// ---- binding --------------------------------------------------------------

namespace {

// The form as the user left it.
ApartmentForm readForm(const frmKezdo& w) {
    ApartmentForm f;
    f.helyseg = w.txtHelyseg->text();
    f.irsz = w.txtIrsz->text();
    f.utca = w.txtUtca->text();
    f.hsz = w.txtHsz->text();
    f.ajto = w.txtAjto->text();
    f.epulet = w.txtEpulet->currentText();
    f.alapterulet = w.txtAlapterulet->text();
    f.pince = w.cmbPince->currentText();
    f.pinceDij = w.txtPinceDij->text();
    f.garazs = w.cmbGarazs->currentText();
    f.kozosKoltseg = w.txtkozoskoltseg->text();
    f.szemetDij = w.txtSzemetdij->text();
    f.vizoraSzam = {w.txtHideg1->text(), w.txtHideg2->text(), w.txtMeleg1->text(), w.txtMeleg2->text()};
    f.telefon = w.txtTelefon->text();
    f.email = w.txtEmail->text();
    f.megj = w.txtMegj->toPlainText();
    for (int i = 0; i < w.ListView2->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* it = w.ListView2->topLevelItem(i);
        f.lakok.push_back(ResidentRow{it->text(0), it->text(1), it->text(2), it->text(3), it->text(4), it->text(5)});
    }
    return f;
}

// The control a refusal names.
QWidget* control(const frmKezdo& w, InputField f) {
    switch (f) {
    case InputField::Helyseg: return w.txtHelyseg;
    case InputField::Irsz: return w.txtIrsz;
    case InputField::Utca: return w.txtUtca;
    case InputField::Hsz: return w.txtHsz;
    case InputField::Ajto: return w.txtAjto;
    case InputField::Epulet: return w.txtEpulet;
    case InputField::Alapterulet: return w.txtAlapterulet;
    case InputField::PinceDij: return w.txtPinceDij;
    case InputField::KozosKoltseg: return w.txtkozoskoltseg;
    case InputField::SzemetDij: return w.txtSzemetdij;
    case InputField::Lakok:
    case InputField::Nev: return w.txtNev;
    case InputField::Statusz: return w.cmbStatus;
    case InputField::Email: return w.txtEmail;
    case InputField::KKperNm: return w.txtKKperNm;
    }
    return nullptr;
}

QWidget* control(const frmKezdo& w, const SaveResult& s) { return s.refusal ? control(w, s.refusal->field) : nullptr; }

// Empty amount boxes show the 0 that is stored for them.
void zeroEmptyAmounts(const frmKezdo& w) {
    for (QLineEdit* e : {w.txtkozoskoltseg, w.txtSzemetdij}) e->setText(amountOrZero(e->text()));
}

}  // namespace

void frmKezdo::bindPageAlap() {
    connect(cmdAdatokRogzitese, &QPushButton::clicked, this, &frmKezdo::addApartmentClicked);
    connect(cmdModosit, &QPushButton::clicked, this, [this] { modifyClicked(); });
    connect(cmdUjLakas, &QPushButton::clicked, this, &frmKezdo::newApartmentClicked);
    connect(txtAlapterulet, &QLineEdit::textChanged, this, &frmKezdo::recomputeCommonCost);
    connect(txtEpulet, &QComboBox::activated, this, &frmKezdo::recomputeCommonCost);
    connect(txtPinceDij, &QLineEdit::textEdited, this, &frmKezdo::cellarFeeChanged);
    connect(cmbPince, &QComboBox::activated, this, &frmKezdo::cellarChoice);
    connect(txtMegj, &QPlainTextEdit::textChanged, this,
            [this] { lbKarakter->setText(QString::number(remarkCharsLeft(txtMegj->toPlainText()))); });

    connect(cmdNevRogzit, &QPushButton::clicked, this, &frmKezdo::addResidentClicked);
    ui::onRowChosen(ListView2, this, [this](QTreeWidgetItem* item) { residentClicked(item); });
    connect(cmd1LakoDel, &QPushButton::clicked, this, &frmKezdo::removeResidentClicked);
    connect(cmdOsszeLakoDel, &QPushButton::clicked, this, &frmKezdo::removeAllResidentsClicked);
    connect(cmdMail, &QPushButton::clicked, this, &frmKezdo::mailClicked);
}

void frmKezdo::showError(QWidget* focus, const QString& message) {
    if (focus) focus->setFocus();
    Dialogs::current().message(this, QStringLiteral("Hiba"), message, Dialogs::Icon::Critical);
}

// ---- add, modify, new apartment ----------------------------------------

void frmKezdo::addApartmentClicked() {
    if (const auto r = checkApartmentForm(readForm(*this), FormUse::Add))
        return showError(control(*this, r->field), r->message);
    if (!Dialogs::current().question(this, QStringLiteral("Lakás felvétele"),
                                     QStringLiteral("Biztos mehet \naz új lakás felvétele?\n")))
        return;
    zeroEmptyAmounts(*this);
    const ApartmentSave s = addApartment(m_folder, m_AktualisEv, readForm(*this));
    if (!s.saved) return showError(control(*this, s), s.message());
    MezoDel();
    LakasokBeolvas();
}

void frmKezdo::modifyClicked(Dialogs::Default byDefault) {
    if (const auto r = checkApartmentForm(readForm(*this), FormUse::Modify))
        return showError(control(*this, r->field), r->message);
    if (!Dialogs::current().question(this, QStringLiteral("Lakás adatok módosítása"),
                                     QStringLiteral("Biztos mehet \na kijelölt lakás módosítása?\n"), byDefault))
        return;
    zeroEmptyAmounts(*this);
    const ApartmentSave s = modifyApartment(m_folder, m_AktualisEv, m_AktualisLakas, readForm(*this));
    if (!s.saved) return showError(control(*this, s), s.message());

    // The row of the apartment, wherever the sort order put it.
    QTreeWidgetItem* row = m_selectedItem && m_selectedItem->text(4).toInt() == s.rec ? m_selectedItem : nullptr;
    for (int i = 0; !row && i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(4).toInt() == s.rec) row = ListView1->topLevelItem(i);
    if (row) {
        const QStringList texts{s.row.nev, s.row.utca, s.row.hsz, s.row.ajto};
        for (int c = 0; c < texts.size(); ++c) row->setText(c, texts[c]);
        ListView1->sortItems(m_sortColumn, Qt::AscendingOrder);
    }
    cmdModosit->setEnabled(false);
    clearResidentInputs();
    txtNev->setFocus();
}

void frmKezdo::modifyIfEnabled(Dialogs::Default byDefault) {
    if (cmdModosit->isEnabled()) modifyClicked(byDefault);
}

void frmKezdo::newApartmentClicked() {
    cmdAdatokRogzitese->setEnabled(false);
    MezoDel();
    cellarChoice();
}

// ---- computed common cost, cellar, remark -------------------------------

void frmKezdo::recomputeCommonCost() {
    const std::int16_t rate = buildingRate(readBuildings(m_folder), txtEpulet->currentText());
    txtkozoskoltseg->setText(computedCommonCost(txtAlapterulet->text(), rate, txtPinceDij->text()));
}

void frmKezdo::cellarFeeChanged() {
    if (txtEpulet->currentText().trimmed().isEmpty())
        return showError(txtEpulet, QStringLiteral("Nincs épüet kijelülve!\nPótold..."));
    recomputeCommonCost();
}

void frmKezdo::cellarChoice() {
    const bool van = cmbPince->currentText() == QLatin1String("Van");
    Label1.at(53)->setVisible(van);
    txtPinceDij->setVisible(van);
    if (van || txtPinceDij->text() == QLatin1String("0")) return;
    txtPinceDij->setText(QStringLiteral("0"));
    cellarFeeChanged();
}

// ---- residents ----------------------------------------------------------

void frmKezdo::addResidentClicked() {
    if (const auto r = checkNewResident(txtNev->text(), cmbStatus->currentText(), ListView2->topLevelItemCount()))
        return showError(control(*this, r->field), r->message);
    const ResidentRow row = newResidentRow(txtNev->text(), cmbStatus->currentText(), DTPBejelentve->date(),
                                           txtAnyjaNeve->text(), txtSzulHelye->text(), DTPSzulIdeje->text());
    new QTreeWidgetItem(ListView2, QStringList{row.nev, row.statusz, row.bejelentve, row.anyjaNeve, row.szulHelye,
                                               row.szulIdeje});
    cmdAdatokRogzitese->setEnabled(true);
    modifyIfEnabled();
    clearResidentInputs();
    txtNev->setFocus();
}

void frmKezdo::residentClicked(QTreeWidgetItem* item) {
    if (!item) return;
    m_selectedResident = ListView2->indexOfTopLevelItem(item) + 1;
    cmd1LakoDel->setEnabled(true);
    txtNev->setText(item->text(0));
    cmbStatus->setCurrentText(item->text(1));
    if (const Date d = conv::dateFromText(item->text(2)); !d.isEmpty()) DTPBejelentve->setDate(d.toQDate());
    txtAnyjaNeve->setText(item->text(3));
    txtSzulHelye->setText(item->text(4));
    DTPSzulIdeje->setText(item->text(5));
}

void frmKezdo::removeResidentClicked() {
    if (m_selectedResident >= 1 && m_selectedResident <= ListView2->topLevelItemCount())
        delete ListView2->takeTopLevelItem(m_selectedResident - 1);
    modifyIfEnabled();
    cmd1LakoDel->setEnabled(false);
}

void frmKezdo::removeAllResidentsClicked() {
    ListView2->clear();
    clearResidentInputs();
    modifyIfEnabled(Dialogs::Default::No);  // it deletes every resident
    cmdAdatokRogzitese->setEnabled(false);
}

void frmKezdo::clearResidentInputs() {
    txtNev->clear();
    cmbStatus->setCurrentIndex(-1);
    cmbStatus->setEditText(QString());
    for (QLineEdit* e : {txtAnyjaNeve, txtSzulHelye, txtTelefon, txtEmail, DTPSzulIdeje}) e->clear();
}

void frmKezdo::mailClicked() {
    const auto url = mailtoUrl(txtEmail->text());
    if (!url) return showError(txtEmail, badAddressMessage());
    if (!Dialogs::current().openUrl(*url))
        showError(nullptr, QStringLiteral("A levelezőprogram nem indítható el ehhez a címhez:\n") + txtEmail->text().trimmed());
}
