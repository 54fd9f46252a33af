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
    ui::addRow(g, 0, 0, QStringLiteral("Helységnév:"), txtHelyseg);
    ui::addRow(g, 0, 2, QStringLiteral("Irányítósz.:"), txtIrsz);
    ui::addRow(g, 1, 0, QStringLiteral("Utca:"), txtUtca);
    ui::addRow(g, 1, 2, QStringLiteral("Házszám:"), txtHsz);
    ui::addRow(g, 2, 0, QStringLiteral("Épület:"), txtEpulet);
    ui::addRow(g, 2, 2, QStringLiteral("Emelet/ajtó:"), txtAjto);
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
    ui::addRow(r, 0, 0, QStringLiteral("Lakó neve:"), txtNev, 2);
    ui::addRow(r, 1, 0, QStringLiteral("Státusza:"), cmbStatus, 2);
    ui::addRow(r, 2, 0, QStringLiteral("Bejelentve:"), DTPBejelentve);
    ui::addRow(r, 3, 0, QStringLiteral("Anyja neve:"), txtAnyjaNeve, 2);
    ui::addRow(r, 4, 0, QStringLiteral("Születési helye:"), txtSzulHelye, 2);
    ui::addRow(r, 5, 0, QStringLiteral("Születési ideje:"), DTPSzulIdeje);
    ui::addRow(r, 6, 0, QStringLiteral("Telefon:"), txtTelefon);
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

void frmKezdo::bindPageAlap() {}
