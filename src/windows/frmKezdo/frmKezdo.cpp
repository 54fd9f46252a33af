#include "frmKezdo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ledger/water.h"
#include "register/apartmentlist.h"
#include "register/statuses.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "store/settings.h"
#include "windows/dialogs.h"
#include "windows/recordlist.h"
#include "windows/ui.h"

// ---- UpDown -------------------------------------------------------------

UpDown::UpDown(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFocusPolicy(Qt::NoFocus);
    lineEdit()->setReadOnly(true);
}

void UpDown::stepBy(int steps) { emit stepped(steps); }

QSize UpDown::sizeHint() const {
    const QSize s = QAbstractSpinBox::sizeHint();
    return QSize(fontMetrics().height() + 8, s.height());
}

// ---- construction -------------------------------------------------------

frmKezdo::frmKezdo(const DataFolder& folder, QWidget* parent) : QMainWindow(parent), m_folder(folder) {
    setObjectName(QStringLiteral("frmKezdo"));
    setWindowTitle(QStringLiteral("Domoria program"));
    setWindowIcon(ui::programIcon());

    buildMenus();

    SSTab1 = new QTabWidget;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildPageAlap(), QStringLiteral("Ala&p adatok"));
    SSTab1->addTab(buildPageLedger(), QStringLiteral("Közösköltség, &Hulladék"));
    SSTab1->addTab(buildPageVizora(), QStringLiteral("&Vízóra"));
    SSTab1->addTab(buildPageEgyeb(), QStringLiteral("Eg&yéb"));
    // Ctrl+Tab and Ctrl+PgDown change the page from anywhere in the window,
    // the apartment list included.
    const auto page = [this](int step) {
        SSTab1->setCurrentIndex((SSTab1->currentIndex() + step + SSTab1->count()) % SSTab1->count());
    };
    for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                     {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                     {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [page, step] { page(step); });

    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(6, 6, 6, 6);
    row->addWidget(buildListSide(), 0);
    row->addWidget(SSTab1, 1);
    setCentralWidget(central);

    bindPageAlap();
    bindPageLedger();
    bindPageVizora();
    bindPageEgyeb();
    bindSearch();
    bindPrintMenu();
    bindData();
    bindLetters();

    opening();
}

frmKezdo::~frmKezdo() = default;

void frmKezdo::buildMenus() {
    QMenuBar* bar = menuBar();
    auto named = [](QAction* a, const char* name) {
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    mnuKilep = named(bar->addAction(QStringLiteral("&Kilépés")), "mnuKilep");
    connect(mnuKilep, &QAction::triggered, this, &frmKezdo::exitAsked);

    mnuPrint = bar->addMenu(QStringLiteral("&Nyomtatás"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuPrintEvesKimutatas = named(mnuPrint->addAction(QStringLiteral("É&ves kimutatás")), "mnuPrintEvesKimutatas");
    mnuPrintListamezoOsszesito =
        named(mnuPrint->addAction(QStringLiteral("Év&es kimutatás összesítő")), "mnuPrintListamezoOsszesito");
    mnuListaPrint = named(mnuPrint->addAction(QStringLiteral("&Lista nyomtatása")), "mnuListaPrint");

    mnuEgyenlegErtesito = named(bar->addAction(QStringLiteral("&Egyenleg értesítő")), "mnuEgyenlegErtesito");
    mnuKiadBevet = named(bar->addAction(QStringLiteral("Kiadás-&Bevétel")), "mnuKiadBevét");

    mnuAdatok = bar->addMenu(QStringLiteral("Adatok"));
    mnuAdatok->setObjectName(QStringLiteral("mnuAdatok"));
    mnuAdatMentes = named(mnuAdatok->addAction(QStringLiteral("Adatok mentése")), "mnuAdatMentes");
    mnuAdatVisszatoltes = named(mnuAdatok->addAction(QStringLiteral("Adatok visszatöltése")), "mnuAdatVisszatoltes");

    // Windows that are not part of the program yet.
    for (QAction* a : {mnuPrintEvesKimutatas, mnuPrintListamezoOsszesito, mnuListaPrint, mnuEgyenlegErtesito})
        a->setEnabled(false);
}

QWidget* frmKezdo::buildListSide() {
    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("ListSide"));
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(0, 0, 0, 0);

    // Year controls
    txtEv = ui::lineEdit(QStringLiteral("txtEv"));
    txtEv->setFixedWidth(txtEv->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    UpDown1 = new UpDown;
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    cmdUjEv = ui::button(QStringLiteral("cmdUjEv"), QStringLiteral("Új év létrehozása"),
                         QStringLiteral("Az új évbe átmásolja a lakónévsort, a közösköltség és hulladék előírásokat "
                                        "és befizetéseket pedig nullázza, a hátralékot átvezeti (az új évbe)!"));
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(ui::caption(QStringLiteral("Akt&uális Év:"), txtEv));
    yearRow->addWidget(txtEv);
    yearRow->addWidget(UpDown1);
    yearRow->addSpacing(8);
    yearRow->addWidget(cmdUjEv);
    yearRow->addStretch(1);
    col->addLayout(yearRow);

    // Apartment list
    ListView1 = ui::recordList(QStringLiteral("ListView1"),
                               {QStringLiteral("Lakó neve"), QStringLiteral("Utca"), QStringLiteral("Házszám"),
                                QStringLiteral("Em./ajtó"), QStringLiteral("rec")},
                               QStringLiteral("Lakások listája"));
    ListView1->setColumnWidth(0, 150);
    ListView1->setColumnWidth(1, 110);
    ListView1->setColumnWidth(2, 60);
    ListView1->setColumnWidth(3, 60);
    ListView1->setColumnWidth(4, 40);
    ListView1->setMinimumWidth(440);
    col->addWidget(ListView1, 1);

    // Search frame
    std::tie(Frame6, txtNevKeres, txtHelysegKeres, txtUtcaKeres, txtHszKeres, txtEpuletKeres) = ui::searchBoxes();
    // Alt+K is the "Kilépés" menu's.
    cmdKeres = ui::button(QStringLiteral("cmdKeres"), QStringLiteral("Ke&resés"));
    auto* g = new QGridLayout(Frame6);
    ui::addRow(g, 0, 0, QStringLiteral("Lakó neve:"), txtNevKeres);
    ui::addRow(g, 0, 2, QStringLiteral("Helységnév:"), txtHelysegKeres);
    ui::addRow(g, 1, 0, QStringLiteral("Utca:"), txtUtcaKeres);
    ui::addRow(g, 1, 2, QStringLiteral("Házszám:"), txtHszKeres);
    ui::addRow(g, 2, 0, QStringLiteral("Épület:"), txtEpuletKeres);
    g->addWidget(cmdKeres, 2, 3);
    col->addWidget(Frame6);

    connect(txtEv, &QLineEdit::textChanged, this, &frmKezdo::yearChanged);
    connect(UpDown1, &UpDown::stepped, this, &frmKezdo::stepYear);
    txtEv->installEventFilter(this);
    ui::onRecordChosen(ListView1, this, [this](int row) { apartmentSelected(row); });
    return side;
}

// ---- opening, year and exit --------------------------------------------

void frmKezdo::opening() {
    // Fit the screen and centre the window on it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1340, avail.width()), std::min(720, avail.height() - 30));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    // The numbered labels are black; the three row-name labels of the
    // ledger frames stand out in blue.
    for (auto& [index, label] : Label1) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, (index >= 35 && index <= 37) ? QColor(Qt::blue) : QColor(Qt::black));
        label->setPalette(p);
    }

    // Everything the apartment pages show is prepared before the year is set:
    // setting the year selects the first apartment, and a choice list filled
    // or a date set after that would show something else than the stored
    // apartment (a modify would then store it).
    for (QComboBox* c : {cmbPince, cmbGarazs}) {
        c->clear();
        c->addItems({QStringLiteral("Van"), QStringLiteral("Nincs")});
        c->setCurrentIndex(1);
    }
    for (QDateEdit* d : {DTPBejelentve, DTPLeadas, DTPKKbefizet, DTPHbefizet}) {
        const QSignalBlocker block(d);
        d->setDate(appclock::today());
    }
    // An unfinished change is completed, and damaged shared files are named,
    // before anything is read.
    for (const QString& notice : m_folder.startNotices())
        Dialogs::current().message(this, QStringLiteral("Domoria program"), notice, Dialogs::Icon::Warning);
    fillStatuses();
    EpuletBeolvas();
    // The month rows of the ledger and meter lists are made with the pages.

    const QString stored = settings::readYear(m_folder);
    if (DataFolder::isUsableYear(stored))
        txtEv->setText(stored);
    else
        txtEv->setText(QString::number(appclock::today().year()));

    m_AktualisEv = txtEv->text().trimmed();
    setUjEvCaption();
    // A four-character year has just been read in by the year handling.
    if (txtEv->text().size() != 4) LakasokBeolvas();
}

void frmKezdo::fillStatuses() {
    List1->clear();
    cmbStatus->clear();
    for (const QString& s : readStatuses(m_folder)) {
        List1->addItem(s);
        cmbStatus->addItem(s);
    }
    cmbStatus->setCurrentIndex(-1);
    cmbStatus->setEditText(QString());
}

void frmKezdo::setUjEvCaption() {
    cmdUjEv->setText(QStringLiteral("Új év létrehozása ") +
                     QString::number(conv::wholeValue(m_AktualisEv) + 1) +
                     QStringLiteral(". évre"));
}

void frmKezdo::yearChanged(const QString& text) {
    if (text.size() != 4) {
        cmdUjEv->setEnabled(false);
        return;
    }
    cmdUjEv->setEnabled(true);
    // Record n of another year is another apartment: nothing stays selected.
    forgetApartment(true);
    m_AktualisEv = text.trimmed();
    setUjEvCaption();
    LakasokBeolvas();
    focusListHome();
}

void frmKezdo::stepYear(int steps) {
    const auto year = conv::wholeValue(txtEv->text());
    txtEv->setText(QString::number(year + steps));
}

void frmKezdo::focusListHome() {
    ListView1->setFocus();
    if (ui::recordModel(ListView1)->count() > 0) {
        const QModelIndex first = ListView1->model()->index(0, 0);
        ListView1->setCurrentIndex(first);
        ListView1->scrollTo(first);
    }
}

void frmKezdo::exitAsked() {
    if (Dialogs::current().question(this, QStringLiteral(" Kilépés "), QStringLiteral("Biztos hogy Befejezed?\n\n")))
        close();
}

void frmKezdo::closeEvent(QCloseEvent* e) {
    if (!settings::writeYear(m_folder, txtEv->text()))
        Dialogs::current().message(this, QStringLiteral("Hiba"),
                                   QStringLiteral("Az aktuális év nem menthető: ") + m_folder.file(files::Set),
                                   Dialogs::Icon::Critical);
    e->accept();
}

// ---- apartment list ----------------------------------------------------

void frmKezdo::LakasokBeolvas() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ApartmentList list = readApartmentList(m_folder, m_AktualisEv);
    fillList(list.rows);
    m_yearTotals = list.totals;
    showYearTotals();
    QApplication::restoreOverrideCursor();
    if (!list.notice.isEmpty())
        Dialogs::current().message(this, QStringLiteral("Domoria program"), list.notice, Dialogs::Icon::Warning);
}

void frmKezdo::showYearTotals() {
    showListTotals(m_yearTotals);
    lbHazEvesVizFogy->setText(QString::number(m_yearTotals.yearlyWaterConsumption));
}

namespace {
ui::ListRow listRowOf(const ApartmentRow& r) {
    return ui::ListRow(QStringList{r.nev, r.utca, r.hsz, r.ajto, QString::number(r.rec)});
}
}  // namespace

void frmKezdo::fillList(const std::vector<ApartmentRow>& rows) {
    std::vector<ui::ListRow> shown;
    shown.reserve(rows.size());
    for (const ApartmentRow& r : rows) shown.push_back(listRowOf(r));
    ui::recordModel(ListView1)->setRows(std::move(shown));  // nothing is current afterwards
}

void frmKezdo::listChanged(const std::optional<ListChange>& change, const std::optional<HouseTotals>& yearTotals) {
    if (yearTotals) m_yearTotals = *yearTotals;
    if (!change) return;
    m_yearTotals += change->delta;
    ui::RecordListModel* model = ui::recordModel(ListView1);
    const int row = model->find(4, QString::number(change->rec));
    if (row >= 0 && !(change->after == change->before)) model->updateRow(model->sourceOf(row), listRowOf(change->after));
}

void frmKezdo::listAfterFailure() {
    const int rec = m_AktualisLakas;
    LakasokBeolvas();
    // The apartment stays the current one, its row chosen again without
    // reading it anew (the pages show what the failure left).
    ui::RecordListModel* model = ui::recordModel(ListView1);
    ui::setCurrentRowQuietly(ListView1, rec > 0 ? model->find(4, QString::number(rec)) : -1);
}

std::vector<int> frmKezdo::listedRecords() const {
    const ui::RecordListModel* model = ui::recordModel(ListView1);
    std::vector<int> out;
    out.reserve(static_cast<size_t>(model->count()));
    for (int row = 0; row < model->count(); ++row) out.push_back(model->text(row, 4).toInt());
    return out;
}

void frmKezdo::showListTotals(const HouseTotals& t) {
    lbHazFogy->setText(QString::number(t.waterConsumption));
    lbKKOtartozas->setText(conv::forintText(t.kkArrears()));
    lbHullOTartozas->setText(conv::forintText(t.hArrears()));
}

// ---- apartment selection -----------------------------------------------

void frmKezdo::apartmentSelected(int row) {
    loadApartment(ui::recordModel(ListView1)->text(row, 4).toInt());
}

void frmKezdo::selectApartment(int rec) {
    ui::setCurrentRowQuietly(ListView1, ui::recordModel(ListView1)->find(4, QString::number(rec)));
    loadApartment(rec);
}

void frmKezdo::loadApartment(int rec) {
    m_AktualisLakas = rec;
    cmdModosit->setEnabled(true);
    cmdKozmuModosit->setEnabled(true);
    cmdLakasDel->setEnabled(true);
    cmdAdatokRogzitese->setEnabled(false);
    cmd1LakoDel->setEnabled(false);

    const auto lakas = readApartment(m_folder, m_AktualisEv, m_AktualisLakas);
    if (!lakas) return;
    showApartment(*lakas);
}

void frmKezdo::showApartment(const Lakas& l) {
    txtTelefon->setText(l.Telefon.text());
    txtEmail->setText(l.Email.text());
    cmdMail->setEnabled(!txtEmail->text().trimmed().isEmpty());
    cmbGarazs->setCurrentText(l.Garazs ? QStringLiteral("Van") : QStringLiteral("Nincs"));
    txtIrsz->setText(QString::number(l.Irsz));
    txtHelyseg->setText(l.Helyseg.text());
    txtEpulet->setCurrentText(l.Epulet.text());
    txtUtca->setText(l.Utca.text());
    txtHsz->setText(l.Hsz.text());
    txtAjto->setText(l.Ajto.text());
    lbDelCim->setText(deleteCaption(l));

    {
        const QSignalBlocker block(DTPLeadas);
        DTPLeadas->setDate(water::shownReadingDate(l, appclock::today()));
    }
    for (QLabel* ho : lbHo) ho->setText(QString::number(DTPLeadas->date().month()) + QLatin1Char('.'));
    for (int i = 0; i < 2; ++i) {
        lbCim[i]->setText(addressLine(l));
        lbNev[i]->setText(l.Lakok.Nev(1).text());
    }
    txtAlapterulet->setText(QString::number(l.Alapterulet));
    if (!l.Pince) {
        cmbPince->setCurrentText(QStringLiteral("Nincs"));
        Label1.at(53)->setVisible(false);
        txtPinceDij->setVisible(false);
        txtPinceDij->setText(QStringLiteral("0"));
    } else {
        cmbPince->setCurrentText(QStringLiteral("Van"));
        Label1.at(53)->setVisible(true);
        txtPinceDij->setVisible(true);
        txtPinceDij->setText(QString::number(l.PinceDij));
    }
    txtMegj->setPlainText(l.Megj.text());
    const std::array<QLineEdit*, 4> serials{txtHideg1, txtHideg2, txtMeleg1, txtMeleg2};
    const std::array<QLineEdit*, 4> serialCopies{txtHideg11, txtHideg22, txtMeleg11, txtMeleg22};
    for (int k = 1; k <= 4; ++k) {
        serials[k - 1]->setText(l.VizoraSzam(k).text());
        serialCopies[k - 1]->setText(l.VizoraSzam(k).text());
    }

    // Meter readings of the current period.
    std::int64_t lakasFogy = 0;
    for (int k = 1; k <= 4; ++k) {
        txtElozo[k]->setText(QString::number(l.ElozoAllas(k)));
        txtUtolso[k]->setText(QString::number(l.UtolsoAllas(k)));
        const int diff = l.UtolsoAllas(k) - l.ElozoAllas(k);
        lbvizfogy[k]->setText(QString::number(std::max(0, diff)));
        if (l.UtolsoAllas(k) >= 1) lakasFogy += std::max(0, diff);
    }
    lbLakasFogy->setText(QString::number(lakasFogy));

    txtkozoskoltseg->setText(QString::number(l.KozosKoltseg));
    txtSzemetdij->setText(QString::number(l.SzemetDij));

    ListView2->clear();
    for (int i = 1; i <= Lakas::MaxLakok; ++i) {
        if (l.Lakok.Nev(i).text().isEmpty()) break;
        new QTreeWidgetItem(ListView2, QStringList{l.Lakok.Nev(i).text(), l.Lakok.Statusz(i).text(),
                                                   conv::shortDate(l.Lakok.Bejelentve(i)),
                                                   l.Lakok.AnyjaNeve(i).text(), l.Lakok.SzulHelye(i).text(),
                                                   l.Lakok.SzulIdeje(i).text()});
    }
    showLedgers(l);
    showWater(l);
}

void frmKezdo::forgetApartment(bool clearPages) {
    m_AktualisLakas = 0;
    for (QPushButton* b : {cmdModosit, cmdKozmuModosit, cmdLakasDel, cmd1LakoDel}) b->setEnabled(false);
    resetLedgerRows();
    if (!clearPages) return;
    MezoDel();
    lbDelCim->clear();
    cmdMail->setEnabled(false);
    showLedgers(Lakas{});
    showWaterYear(Lakas{}, 0);
}

// ---- clearing the form for a new apartment -----------------------------

void frmKezdo::MezoDel() {
    txtNev->clear();
    cmbStatus->setCurrentIndex(-1);
    cmbStatus->setEditText(QString());
    DTPBejelentve->setDate(appclock::today());
    for (QLineEdit* e : {txtHsz, txtAjto, txtTelefon, txtEmail, txtHideg1, txtHideg2, txtMeleg1, txtMeleg2, txtHideg11,
                         txtHideg22, txtMeleg11, txtMeleg22, txtAlapterulet, txtkozoskoltseg, txtSzemetdij})
        e->clear();
    cmbPince->setCurrentText(QStringLiteral("Nincs"));
    cmbGarazs->setCurrentText(QStringLiteral("Nincs"));
    txtAnyjaNeve->clear();
    txtSzulHelye->clear();
    DTPSzulIdeje->clear();
    txtMegj->clear();
    for (int k = 1; k <= 4; ++k) {
        txtElozo[k]->clear();
        txtUtolso[k]->clear();
        lbvizfogy[k]->clear();
    }
    for (int i = 0; i < 2; ++i) {
        lbNev[i]->clear();
        lbCim[i]->clear();
    }
    lbLakasFogy->setText(QStringLiteral("0"));
    txtHsz->setFocus();
    cmdModosit->setEnabled(false);
    cmd1LakoDel->setEnabled(false);
    ListView2->clear();
}

bool frmKezdo::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys in the year box step the year, like the spin buttons.
    if (watched == txtEv && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
            stepYear(k->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
