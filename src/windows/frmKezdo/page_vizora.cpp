// "Vízóra": meter readings and consumption of the apartment and the house.

#include <QApplication>
#include <QButtonGroup>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frmKezdo.h"
#include "ledger/months.h"
#include "ledger/water.h"
#include "pages.h"
#include "windows/dialogs.h"
#include "windows/ui.h"

QWidget* frmKezdo::buildPageVizora() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageVizora"));
    Frame8 = makeCaptionFrame(QStringLiteral("Frame8"), lbNev[1], lbCim[1], 1);

    Frame3_1 = new QGroupBox(QStringLiteral("Vízórák állása"));
    Frame3_1->setObjectName(QStringLiteral("Frame3(1)"));
    DTPLeadas = ui::datePicker(QStringLiteral("DTPLeadas"));
    txtHideg11 = ui::lineEdit(QStringLiteral("txtHideg11"), 15);
    txtHideg22 = ui::lineEdit(QStringLiteral("txtHideg22"), 15);
    txtMeleg11 = ui::lineEdit(QStringLiteral("txtMeleg11"), 15);
    txtMeleg22 = ui::lineEdit(QStringLiteral("txtMeleg22"), 15);
    const std::array<QLineEdit*, 4> serials{txtHideg11, txtHideg22, txtMeleg11, txtMeleg22};
    const QStringList meters{QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("M1"), QStringLiteral("M2")};
    for (int k = 0; k < 4; ++k) serials[size_t(k)]->setAccessibleName(meters[k] + QStringLiteral(" mérőóra száma"));
    const QStringList meterCaptions{QStringLiteral("H1 Hidegvíz:"), QStringLiteral("H2 Hidegvíz:"),
                                    QStringLiteral("M1 Melegvíz:"), QStringLiteral("M2 Melegvíz:")};

    auto* g = new QGridLayout(Frame3_1);
    g->addWidget(ui::caption(QStringLiteral("Utolsó leadás dátuma:"), DTPLeadas), 0, 0);
    g->addWidget(DTPLeadas, 0, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Mérőóra száma:")), 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Előző       Utolsó")), 1, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Fogyasztás")), 1, 4);
    for (int k = 1; k <= 4; ++k) {
        txtElozo[k] = ui::lineEdit(QStringLiteral("txtElozo(%1)").arg(k));
        txtUtolso[k] = ui::lineEdit(QStringLiteral("txtUtolso(%1)").arg(k));
        txtElozo[k]->setAccessibleName(meters[k - 1] + QStringLiteral(" előző állása"));
        txtUtolso[k]->setAccessibleName(meters[k - 1] + QStringLiteral(" utolsó állása"));
        lbvizfogy[k] = ui::valueLabel(QStringLiteral("lbvizfogy(%1)").arg(k));
        for (QLineEdit* e : {txtElozo[k], txtUtolso[k]}) {
            e->setAlignment(Qt::AlignRight);
            e->setMaximumWidth(80);
        }
        lbvizfogy[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lbvizfogy[k]->setMinimumWidth(60);
        g->addWidget(ui::caption(meterCaptions[k - 1], txtElozo[k]), k + 1, 0);
        g->addWidget(serials[k - 1], k + 1, 1);
        g->addWidget(txtElozo[k], k + 1, 2);
        g->addWidget(txtUtolso[k], k + 1, 3);
        g->addWidget(lbvizfogy[k], k + 1, 4);
    }

    lbHo[0] = ui::valueLabel(QStringLiteral("lbHo(0)"));
    lbHo[1] = ui::valueLabel(QStringLiteral("lbHo(1)"));
    auto* lakasCaption = ui::caption(QStringLiteral("havi fogyasztása:"));
    lbLakasFogy = ui::valueLabel(QStringLiteral("lbLakasFogy"), lakasCaption);
    auto* hazCaption = ui::caption(QStringLiteral("havi fogyasztása:"));
    lbHazFogy = ui::valueLabel(QStringLiteral("lbHazFogy"), hazCaption);
    auto* lakasRow = new QHBoxLayout;
    lakasRow->addWidget(new QLabel(QStringLiteral("Lakás")));
    lakasRow->addWidget(lbHo[0]);
    lakasRow->addWidget(lakasCaption);
    lakasRow->addWidget(lbLakasFogy);
    lakasRow->addStretch(1);
    auto* hazRow = new QHBoxLayout;
    hazRow->addWidget(new QLabel(QStringLiteral("Ház")));
    hazRow->addWidget(lbHo[1]);
    hazRow->addWidget(hazCaption);
    hazRow->addWidget(lbHazFogy);
    hazRow->addStretch(1);
    g->addLayout(lakasRow, 6, 0, 1, 5);
    g->addLayout(hazRow, 7, 0, 1, 5);

    // Alt+V is the page's own.
    cmdKozmuModosit = ui::button(QStringLiteral("cmdKozmuModosit"), QStringLiteral("Vízóraállások rö&gzítése"),
                                 QStringLiteral("Utolsó mérőállásokat rögzíti"));
    cmdKozmuModosit->setEnabled(false);
    g->addWidget(cmdKozmuModosit, 8, 0, 1, 3);

    cmdLeadas = ui::button(QStringLiteral("cmdLeadas"), QStringLiteral("&Leadás"));
    opVizLeadas[0] = new QRadioButton(QStringLiteral("Ennél a lakásnál"));
    opVizLeadas[0]->setObjectName(QStringLiteral("opVizLeadas(0)"));
    opVizLeadas[1] = new QRadioButton(QStringLiteral("Az összes lakásnál"));
    opVizLeadas[1]->setObjectName(QStringLiteral("opVizLeadas(1)"));
    opVizLeadas[0]->setChecked(true);
    auto* leadGroup = new QButtonGroup(Frame3_1);
    leadGroup->addButton(opVizLeadas[0]);
    leadGroup->addButton(opVizLeadas[1]);
    auto* leadas = new QGroupBox;
    leadas->setObjectName(QStringLiteral("FrameLeadas"));
    auto* lg = new QGridLayout(leadas);
    lg->addWidget(ui::caption(QStringLiteral("Utolsó mérőállás előzőre állítása"), cmdLeadas), 0, 0, 1, 2);
    lg->addWidget(opVizLeadas[0], 1, 0);
    lg->addWidget(opVizLeadas[1], 1, 1);
    lg->addWidget(cmdLeadas, 2, 0);
    g->addWidget(leadas, 9, 0, 1, 5);
    g->setRowStretch(10, 1);

    ListView5 = ui::listView(QStringLiteral("ListView5"),
                             {QStringLiteral("Leadva"), QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("M1"),
                              QStringLiteral("M2"), QStringLiteral("Össz.")},
                             QStringLiteral("Havi vízfogyasztás"));
    ListView5->setColumnWidth(0, 95);
    for (int c = 1; c <= 5; ++c) ListView5->setColumnWidth(c, 55);
    for (int i = 1; i <= 13; ++i) {
        auto* row = new QTreeWidgetItem(ListView5, QStringList{i <= 12 ? monthName(i) : QString()});
        for (int c = 1; c <= 5; ++c) row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* lakasEvesCaption = ui::caption(QStringLiteral("Lakás éves fogyasztása:"));
    lbLakasEvesVizFogy = ui::valueLabel(QStringLiteral("lbLakasEvesVizFogy"), lakasEvesCaption);
    auto* hazEvesCaption = ui::caption(QStringLiteral("Ház éves fogyasztása:"));
    lbHazEvesVizFogy = ui::valueLabel(QStringLiteral("lbHazEvesVizFogy"), hazEvesCaption);
    auto* totals = new QGridLayout;
    totals->addWidget(lakasEvesCaption, 0, 0);
    totals->addWidget(lbLakasEvesVizFogy, 0, 1);
    totals->addWidget(hazEvesCaption, 1, 0);
    totals->addWidget(lbHazEvesVizFogy, 1, 1);
    totals->setColumnStretch(2, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(ListView5, 1);
    right->addLayout(totals);
    auto* body = new QHBoxLayout;
    body->addWidget(Frame3_1, 1);
    body->addLayout(right, 1);
    auto* col = new QVBoxLayout(page);
    col->addWidget(Frame8);
    col->addLayout(body, 1);
    return page;
}

void frmKezdo::bindPageVizora() {
    connect(cmdKozmuModosit, &QPushButton::clicked, this, &frmKezdo::recordReadings);
    connect(cmdLeadas, &QPushButton::clicked, this, &frmKezdo::setReadingsForward);
    connect(DTPLeadas, &QDateEdit::dateChanged, this, &frmKezdo::readingDateChanged);
}

void frmKezdo::showWater(const Lakas& l) {
    showWaterYear(l, DTPLeadas->date().month());
}

void frmKezdo::showWaterYear(const Lakas& l, int month) {
    const water::YearView v = water::yearView(l, month);
    for (int j = 1; j <= 12; ++j) {
        const water::MonthRow& m = v.months(j);
        QTreeWidgetItem* item = ListView5->topLevelItem(j - 1);
        for (int k = 1; k <= water::kMeters; ++k) item->setText(k, m.shown ? QString::number(m.values(k)) : QString());
        item->setText(5, m.shown ? QString::number(m.total) : QString());
    }
    lbLakasEvesVizFogy->setText(QString::number(v.yearly));
}

void frmKezdo::recordReadings() {
    const QString title = QStringLiteral("Vízóraállás módosítása");
    std::array<QString, water::kMeters> elozo, utolso;
    for (int k = 1; k <= water::kMeters; ++k) {
        elozo[size_t(k - 1)] = txtElozo[k]->text();
        utolso[size_t(k - 1)] = txtUtolso[k]->text();
    }
    const water::ReadingsCheck check = water::checkReadings(elozo, utolso);
    if (!check.readings) {
        Dialogs::current().message(this, title, check.error, Dialogs::Icon::Warning);
        return;
    }
    const QDate date = DTPLeadas->date();
    const QString month = QString::number(date.month());
    if (!Dialogs::current().question(
            this, title,
            QStringLiteral("Biztos mehet a(z)\n     ") + month + QStringLiteral(". havi\nvízóra állás módosítása?\n")))
        return;
    const water::Result r = water::recordReadings(m_folder, m_AktualisEv, m_AktualisLakas, *check.readings, date);
    if (!r.ok()) {
        Dialogs::current().message(this, title, r.error, Dialogs::Icon::Critical);
        return;
    }
    for (int k = 1; k <= water::kMeters; ++k) {
        txtElozo[k]->setText(QString::number(r.record->ElozoAllas(k)));
        txtUtolso[k]->setText(QString::number(r.record->UtolsoAllas(k)));
        lbvizfogy[k]->setText(QString::number(water::shownConsumption(*r.record, k)));
    }
    lbLakasFogy->setText(QString::number(water::periodConsumption(*r.record)));
    showWaterYear(*r.record, date.month());
    for (QLabel* ho : lbHo) ho->setText(month + QLatin1Char('.'));
    cmdKozmuModosit->setEnabled(false);
    LakasokBeolvas();  // the house totals
}

void frmKezdo::setReadingsForward() {
    const QString title = QStringLiteral("Leadás");
    const bool everyone = !opVizLeadas[0]->isChecked();
    if (!everyone && m_AktualisLakas < 1) {
        Dialogs::current().message(this, title, QStringLiteral("Nincs kiválasztott lakás."), Dialogs::Icon::Warning);
        return;
    }
    if (everyone) {
        // It cannot be undone: ask first, naming how many apartments change.
        const auto count = water::apartmentsToSetForward(m_folder, m_AktualisEv);
        if (!count || *count == 0) {
            Dialogs::current().message(
                this, title,
                count ? QStringLiteral("Egyik lakásnál sincs utolsó mérőállás: nincs mit előzőre állítani.")
                      : QStringLiteral("A lakások adatai nem olvashatók:\n") +
                            QDir::toNativeSeparators(m_folder.yearFile(m_AktualisEv, files::Lakasok)),
                count ? Dialogs::Icon::Information : Dialogs::Icon::Critical);
            return;
        }
        if (!Dialogs::current().question(this, title,
                                         QStringLiteral("Biztos mehet \naz utolsó mérőállások előzőre állítása\n"
                                                        "%1 lakásnál?\n\nEz nem vonható vissza.")
                                             .arg(*count),
                                         Dialogs::Default::No))
            return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const water::Result r = water::setForward(m_folder, m_AktualisEv, m_AktualisLakas, everyone);
    QApplication::restoreOverrideCursor();
    if (!r.ok()) {
        Dialogs::current().message(this, title, r.error, Dialogs::Icon::Critical);
        return;
    }
    if (!r.record) return;
    for (int k = 1; k <= water::kMeters; ++k) {
        if (!everyone && !r.moved(k)) continue;
        lbvizfogy[k]->clear();
        txtElozo[k]->setText(QString::number(r.record->ElozoAllas(k)));
        txtUtolso[k]->setText(QString::number(r.record->UtolsoAllas(k)));
    }
}

void frmKezdo::readingDateChanged(const QDate& date) {
    const int month = date.month();
    const auto totals = water::monthTotals(m_folder, m_AktualisEv, m_AktualisLakas, month);
    if (totals && totals->own) lbLakasFogy->setText(QString::number(*totals->own));
    for (QLabel* ho : lbHo) ho->setText(QString::number(month));
    if (totals) lbHazFogy->setText(QString::number(totals->house));
}
