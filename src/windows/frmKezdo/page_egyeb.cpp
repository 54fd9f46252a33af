// "Egyéb": statuses, buildings and the final delete of an apartment.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QComboBox>

#include "frmKezdo.h"
#include "register/apartmentform.h"
#include "register/apartmentlist.h"
#include "register/buildings.h"
#include "register/statuses.h"
#include "windows/dialogs.h"
#include "windows/ui.h"

QWidget* frmKezdo::buildPageEgyeb() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageEgyeb"));

    Frame4 = new QGroupBox(QStringLiteral("Új státuszok felvétele"));
    Frame4->setObjectName(QStringLiteral("Frame4"));
    txtStatu = ui::lineEdit(QStringLiteral("txtStatu"), 15);
    List1 = new QListWidget;
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Státuszok"));
    cmdStatuszFelv = ui::button(QStringLiteral("cmdStatuszFelv"), QStringLiteral("Státusz felvétele"));
    cmdStatuszFelv->setEnabled(false);
    auto* s = new QGridLayout(Frame4);
    s->addWidget(ui::caption(QStringLiteral("Új státusz:"), txtStatu), 0, 0);
    s->addWidget(txtStatu, 0, 1);
    s->addWidget(cmdStatuszFelv, 1, 1);
    s->addWidget(List1, 2, 0, 1, 2);

    Frame9 = new QGroupBox(QStringLiteral("Épületek felvétele"));
    Frame9->setObjectName(QStringLiteral("Frame9"));
    txtEpuletNeve = ui::lineEdit(QStringLiteral("txtÉpületNeve"), 20);
    txtKKperNm = ui::lineEdit(QStringLiteral("txtKKperNm"));
    txtKKperNm->setAlignment(Qt::AlignRight);
    cmdEpuletFelvetele = ui::button(QStringLiteral("cmdÉpületFelvétele"), QStringLiteral("Épület felvétele"));
    cmdEpuletFelvetele->setEnabled(false);
    cmdEpuletDel = ui::button(QStringLiteral("cmdÉpületDel"), QStringLiteral("Épület törlése"));
    cmdEpuletDel->setEnabled(false);
    ListView6 = ui::listView(QStringLiteral("ListView6"),
                             {QStringLiteral("Megnevezés"), QStringLiteral("Közös ktg."), QStringLiteral("rec")},
                             QStringLiteral("Épületek listája"));
    ListView6->setColumnWidth(0, 180);
    ListView6->setColumnWidth(1, 80);
    auto* b = new QGridLayout(Frame9);
    ui::addRow(b, 0, 0, QStringLiteral("Megnevezés:"), txtEpuletNeve);
    ui::addRow(b, 1, 0, QStringLiteral("Közösköltség díja Ft/nm :"), txtKKperNm);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdEpuletFelvetele);
    buttons->addWidget(cmdEpuletDel);
    b->addLayout(buttons, 2, 0, 1, 2);
    b->addWidget(ListView6, 3, 0, 1, 2);

    lbDelCim = ui::valueLabel(QStringLiteral("lbDelCim"));
    cmdLakasDel = ui::button(QStringLiteral("cmdLakásDel"), QStringLiteral("Lakás végleges törlése"));
    ui::setFace(cmdLakasDel, QColor(255, 0, 0));
    cmdLakasDel->setEnabled(false);
    auto* delFrame = new QGroupBox;
    delFrame->setObjectName(QStringLiteral("FrameLakasDel"));
    auto* d = new QHBoxLayout(delFrame);
    d->addWidget(cmdLakasDel);
    d->addWidget(lbDelCim, 1);
    // The label names the apartment the button would delete.
    cmdLakasDel->setAccessibleDescription(QStringLiteral("A törlendő lakás a gomb mellett látható."));

    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame4, 1);
    frames->addWidget(Frame9, 1);
    auto* col = new QVBoxLayout(page);
    col->addLayout(frames, 1);
    col->addWidget(delFrame);
    return page;
}

void frmKezdo::bindPageEgyeb() {
    connect(txtStatu, &QLineEdit::textChanged, this,
            [this](const QString& t) { cmdStatuszFelv->setEnabled(!t.trimmed().isEmpty()); });
    connect(cmdStatuszFelv, &QPushButton::clicked, this, &frmKezdo::addStatusClicked);

    // Any name counts, even a single blank.
    connect(txtEpuletNeve, &QLineEdit::textChanged, this,
            [this](const QString& t) { cmdEpuletFelvetele->setEnabled(!t.isEmpty()); });
    connect(cmdEpuletFelvetele, &QPushButton::clicked, this, &frmKezdo::addBuildingClicked);
    ui::onRowChosen(ListView6, this, [this](QTreeWidgetItem* item) { buildingClicked(item); });
    connect(cmdEpuletDel, &QPushButton::clicked, this, &frmKezdo::deleteBuildingClicked);

    connect(cmdLakasDel, &QPushButton::clicked, this, &frmKezdo::deleteApartmentClicked);
}

// ---- statuses -----------------------------------------------------------

void frmKezdo::addStatusClicked() {
    const SaveResult s = addStatus(m_folder, txtStatu->text());
    if (!s.saved) return showError(txtStatu, s.message());
    fillStatuses();
    txtStatu->clear();
    cmdStatuszFelv->setEnabled(false);
}

// ---- buildings ----------------------------------------------------------

void frmKezdo::addBuildingClicked() {
    const SaveResult s = addBuilding(m_folder, txtEpuletNeve->text(), txtKKperNm->text());
    if (!s.saved) return showError(s.refusal ? txtKKperNm : txtEpuletNeve, s.message());
    cmdEpuletFelvetele->setEnabled(false);
    txtEpuletNeve->clear();
    txtKKperNm->clear();
    EpuletBeolvas();
}

void frmKezdo::buildingClicked(QTreeWidgetItem* item) {
    if (!item) return;
    m_selectedBuilding = item->text(2).toInt();
    cmdEpuletDel->setEnabled(true);
}

void frmKezdo::deleteBuildingClicked() {
    const std::vector<Epulet> buildings = readBuildings(m_folder);
    if (m_selectedBuilding < 1 || m_selectedBuilding > static_cast<int>(buildings.size())) return;
    // It cannot be undone: ask first, naming the building and its apartments.
    const QString name = buildings[static_cast<size_t>(m_selectedBuilding - 1)].Nev.text();
    const auto users = apartmentsInBuilding(m_folder, m_AktualisEv, name);
    QString text = QStringLiteral("Biztos mehet \naz épület törlése?\n\n%1\n\n").arg(name);
    if (users && *users > 0)
        text += QStringLiteral("A(z) %1. évben %2 lakás tartozik ehhez az épülethez; a lakások megtartják "
                               "az épület nevét.")
                    .arg(m_AktualisEv)
                    .arg(*users);
    else if (users)
        text += QStringLiteral("A(z) %1. évben egy lakás sem tartozik ehhez az épülethez.").arg(m_AktualisEv);
    if (!Dialogs::current().question(this, QStringLiteral("Épület törlése"), text, Dialogs::Default::No)) return;
    const SaveResult s = deleteBuilding(m_folder, m_selectedBuilding);
    cmdEpuletDel->setEnabled(false);
    EpuletBeolvas();
    if (!s.saved) showError(nullptr, s.message());
}

// ---- apartment delete ---------------------------------------------------

void frmKezdo::deleteApartmentClicked() {
    // The question names the apartment as stored, whatever the form shows now.
    const auto stored = readApartment(m_folder, m_AktualisEv, m_AktualisLakas);
    if (!stored) {
        cmdLakasDel->setEnabled(false);
        return showError(nullptr, QStringLiteral("A kijelölt lakás nem olvasható."));
    }
    const bool yes = Dialogs::current().question(
        this, QStringLiteral("Lakás TÖRLÉSE"),
        QStringLiteral("Biztos mehet a kijelölt lakás:\n\n") + deleteCaption(*stored) +
            QStringLiteral("\n\nVÉGLEGES TÖRLÉSE?"),
        Dialogs::Default::No);
    cmdLakasDel->setEnabled(false);
    if (!yes) return;
    const SaveResult s = deleteApartment(m_folder, m_AktualisEv, m_AktualisLakas);
    if (!s.saved) return showError(nullptr, s.message());
    // The record number now names the next apartment: nothing is selected.
    forgetApartment(false);
    LakasokBeolvas();
    lbDelCim->clear();
}

void frmKezdo::EpuletBeolvas() {
    const std::vector<Epulet> buildings = readBuildings(m_folder);
    // The apartment's building stays as shown, so that the next modify keeps
    // it; the search looks in any building until one is chosen.
    const QString shown = txtEpulet->currentText();
    ListView6->clear();
    txtEpulet->clear();
    txtEpuletKeres->clear();
    int rec = 0;
    for (const Epulet& e : buildings) {
        ++rec;
        new ui::SortItem(ListView6, QStringList{e.Nev.text(), QString::number(e.KKperNm), QString::number(rec)});
        txtEpuletKeres->addItem(e.Nev.text());
        txtEpulet->addItem(e.Nev.text());
    }
    txtEpuletKeres->addItem(QStringLiteral(" "));
    txtEpuletKeres->setCurrentIndex(txtEpuletKeres->count() - 1);
    txtEpulet->setCurrentText(shown);
}


