#include "frmElonezet2.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "register/buildings.h"
#include "reports/csvexport.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/previewframe.h"
#include "windows/recordlist.h"
#include "windows/ui.h"

frmElonezet2::frmElonezet2(const DataFolder& folder, const QString& year, QWidget* parent)
    : PreviewDialog(QStringLiteral("frmElönézet2"), QStringLiteral("&Nyomtat"),
                    QStringLiteral("A lista nyomtatása a választott nyomtatóra"),
                    QStringLiteral("A nyomtatandó oldalak megtekintése"), parent),
      m_folder(folder),
      m_year(year) {
    lbEv = ui::valueLabel(QStringLiteral("lbÉv"));
    QFont bold = lbEv->font();
    bold.setBold(true);
    lbEv->setFont(bold);
    lbDatum = ui::valueLabel(QStringLiteral("lbDátum"));

    std::tie(Frame6, txtNevKeres, txtHelysegKeres, txtUtcaKeres, txtHszKeres, txtEpuletKeres) = ui::searchBoxes();
    opMind = new QRadioButton(QStringLiteral("Minden lakás"));
    opMind->setObjectName(QStringLiteral("opMind"));
    opTulfiz = new QRadioButton(QStringLiteral("Csak túlfizetők"));
    opTulfiz->setObjectName(QStringLiteral("opTulfiz"));
    opHatralek = new QRadioButton(QStringLiteral("Csak hátralékosok"));
    opHatralek->setObjectName(QStringLiteral("opHátralék"));
    auto* only = new QButtonGroup(this);
    for (QRadioButton* b : {opMind, opTulfiz, opHatralek}) only->addButton(b);
    opMind->setChecked(true);
    cmdKeres = ui::button(QStringLiteral("cmdKeres"), QStringLiteral("&Keresés"));
    auto* g = new QGridLayout(Frame6);
    ui::addRow(g, 0, 0, QStringLiteral("Lakó neve:"), txtNevKeres);
    ui::addRow(g, 0, 2, QStringLiteral("Helységnév:"), txtHelysegKeres);
    ui::addRow(g, 0, 4, QStringLiteral("Épület:"), txtEpuletKeres);
    ui::addRow(g, 1, 0, QStringLiteral("Utca:"), txtUtcaKeres);
    ui::addRow(g, 1, 2, QStringLiteral("Házszám:"), txtHszKeres);
    auto* options = new QHBoxLayout;
    options->addWidget(opMind);
    options->addWidget(opTulfiz);
    options->addWidget(opHatralek);
    options->addStretch(1);
    options->addWidget(cmdKeres);
    g->addLayout(options, 2, 0, 1, 6);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);

    ListView1 = ui::recordList(QStringLiteral("ListView1"),
                               {QStringLiteral("Lakás"), QStringLiteral("Lakó"), QStringLiteral("Előírás"),
                                QStringLiteral("Befizetés"), QStringLiteral("Egyenleg"), QStringLiteral("rec")},
                               QStringLiteral("Éves kimutatás összesítő"), false);
    ui::recordModel(ListView1)->sortByColumn(0);
    ui::recordModel(ListView1)->setRightAligned({2, 3, 4});
    for (auto [column, width] : {std::pair{0, 290}, {1, 210}, {2, 90}, {3, 90}, {4, 90}})
        ListView1->setColumnWidth(column, width);
    ListView1->setColumnHidden(5, true);

    ListView2 = ui::recordList(
        QStringLiteral("ListView2"),
        {QStringLiteral("Megnevezés"), QStringLiteral("Dátum"), QStringLiteral("Időszak"), QStringLiteral("Befizetve")},
        QStringLiteral("Kijelölt lakás befizetései"), false);
    ui::recordModel(ListView2)->setRightAligned({3});
    for (auto [column, width] : {std::pair{0, 160}, {1, 110}, {2, 110}, {3, 90}})
        ListView2->setColumnWidth(column, width);
    ListView2->setFixedHeight((ListView2->fontMetrics().height() + 4) * 7 + 8);
    Label2 = ui::caption(QStringLiteral("Kijelölt lakás befizetései:"), ListView2, QStringLiteral("Label2"));

    cmdCsv = ui::button(QStringLiteral("cmdCsv"), QStringLiteral("&CSV mentés..."),
                        QStringLiteral("A lista mentése táblázatkezelőnek (CSV fájl)"));
    cmdCsv->setAutoDefault(false);

    auto* col = new QVBoxLayout(this);
    col->setMenuBar(menu);
    auto* top = new QHBoxLayout;
    top->addWidget(lbEv, 1);
    top->addWidget(lbDatum);
    col->addLayout(top);
    col->addWidget(Frame6);
    col->addWidget(ListView1, 1);
    col->addWidget(Label2);
    col->addWidget(ListView2);
    printerRow->addWidget(cmdCsv);
    col->addLayout(printerRow);
    cmdKeres->setDefault(true);  // Enter in a search box searches

    QWidget* order[] = {txtNevKeres, txtHelysegKeres, txtEpuletKeres, txtUtcaKeres, txtHszKeres,
                        opMind,      opTulfiz,        opHatralek,     cmdKeres,     ListView1,
                        ListView2,   Combo2,          cmdNyomtatas,   cmdElonezet,  cmdCsv};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(mnuPrint, &QAction::triggered, this, &frmElonezet2::printClicked);
    connect(cmdElonezet, &QPushButton::clicked, this, &frmElonezet2::previewClicked);
    connect(cmdCsv, &QPushButton::clicked, this, &frmElonezet2::csvClicked);
    connect(cmdKeres, &QPushButton::clicked, this, &frmElonezet2::searchClicked);
    ui::onRecordChosen(ListView1, this, [this](int row) { rowChosen(row); });

    // Opening
    centreOnScreen(QSize(940, 700));
    lbDatum->setText(conv::shortDate(appclock::today()));
    Betolt();
    lbEv->setText(QStringLiteral("Aktuális év: ") + m_year + QLatin1Char('.'));
    EpuletBeolvas();
}

void frmElonezet2::Betolt() {
    showRows(summary::rows(m_folder, m_year));
}

void frmElonezet2::EpuletBeolvas() {
    txtEpuletKeres->clear();
    for (const Epulet& e : readBuildings(m_folder)) txtEpuletKeres->addItem(e.Nev.text());
    txtEpuletKeres->addItem(QStringLiteral(" "));
    txtEpuletKeres->setCurrentIndex(txtEpuletKeres->count() - 1);
}

void frmElonezet2::showRows(std::vector<summary::Row> rows) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_rows = std::move(rows);
    std::vector<ui::ListRow> list;
    list.reserve(m_rows.size());
    for (const auto& r : m_rows) {
        ui::ListRow row(summary::listTexts(r));
        if (r.total) row.boldColumns = summary::boldTotalColumns();
        list.push_back(std::move(row));
    }
    ui::recordModel(ListView1)->setRows(std::move(list));
    QApplication::restoreOverrideCursor();
}

std::vector<summary::Row> frmElonezet2::shownRows() const {
    const auto* model = ui::recordModel(ListView1);
    std::vector<summary::Row> out;
    out.reserve(m_rows.size());
    for (int v = 0; v < model->count(); ++v) out.push_back(m_rows[static_cast<size_t>(model->sourceOf(v))]);
    return out;
}

void frmElonezet2::searchClicked() {
    summary::Filter f;
    f.search = SearchCriteria{txtNevKeres->text(), txtHelysegKeres->text(), txtUtcaKeres->text(), txtHszKeres->text(),
                              txtEpuletKeres->currentText()};
    f.only = opHatralek->isChecked() ? summary::Only::Debtors
             : opTulfiz->isChecked() ? summary::Only::Overpayers
                                     : summary::Only::All;
    showRows(summary::rows(m_folder, m_year, f));
}

void frmElonezet2::rowChosen(int viewRow) {
    const auto* model = ui::recordModel(ListView1);
    const int rec = m_rows[static_cast<size_t>(model->sourceOf(viewRow))].rec;
    if (rec == 0) return;  // the totals row
    m_selected = rec;
    const summary::Payments p = summary::payments(m_folder, m_year, rec);
    std::vector<ui::ListRow> list;
    list.reserve(p.rows.size() + 1);
    for (const auto& pay : p.rows)
        list.emplace_back(QStringList{pay.tipus, pay.datum, pay.idoszak, QString::number(pay.osszeg)});
    ui::ListRow total(
        QStringList{QStringLiteral("ÖSSZESEN:"), QStringLiteral(" "), QStringLiteral(" "), QString::number(p.total)});
    total.boldColumns = {0, 3};
    list.push_back(std::move(total));
    ui::recordModel(ListView2)->setRows(std::move(list));
}

printing::Layout frmElonezet2::layout() const {
    return [rows = shownRows(), year = m_year, today = appclock::today()](
               PrinterSurface& s, const PrintProgress& progress) { summary::print(s, rows, year, today, progress); };
}

void frmElonezet2::printClicked() {
    printing::printToChoice(Combo2, this, summary::title(m_year), layout());
}

void frmElonezet2::previewClicked() {
    printing::PrintDialogs::current().preview(this, windowTitle(), layout());
}

void frmElonezet2::csvClicked() {
    const QString path = printing::askFileName(this, QStringLiteral("CSV mentés"), summary::title(m_year),
                                               QStringLiteral("CSV fájl (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const QString error = csv::save(path, summary::csv(shownRows()));
    if (!error.isEmpty()) Dialogs::current().message(this, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
}
