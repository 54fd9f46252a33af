#include "frmKiadBevet.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "book/bookreports.h"
#include "register/buildings.h"
#include "reports/csvexport.h"
#include "store/clock.h"
#include "windows/dialogs.h"
#include "windows/printerchoice.h"
#include "windows/recordlist.h"
#include "windows/ui.h"

namespace {

const QColor kRed(255, 0, 0);

QTreeView* bookList(const char* objectName, book::ListKind k, const QString& accessibleName) {
    QTreeView* v = ui::recordList(QString::fromUtf8(objectName), book::columns(k), accessibleName, false);
    const bool both = k == book::ListKind::KiBe;
    const QList<int> widths = both ? QList<int>{95, 280, 85, 85, 300, 55} : QList<int>{95, 280, 85, 300, 55};
    for (int c = 0; c < widths.size(); ++c) v->setColumnWidth(c, widths[c]);
    ui::recordModel(v)->setRightAligned(both ? QList<int>{2, 3} : QList<int>{2});
    return v;
}

// The rows of the three lists. Each entry's texts are made once, for the
// combined list (expense dates red); a separate list shows them without the
// other amount. Every list ends with its totals row, the totals bold.
struct ListRows {
    std::vector<ui::ListRow> kiBe, kiadas, bevetel;
};
ListRows listRows(const book::Lists& lists) {
    using book::ListKind;
    ListRows out;
    out.kiBe.reserve(lists.kiBe.rows.size() + 1);
    out.kiadas.reserve(lists.kiadas.rows.size() + 1);
    out.bevetel.reserve(lists.bevetel.rows.size() + 1);
    const int bevetelColumn = book::amountColumn(ListKind::KiBe) + 1;
    for (const book::Entry& e : lists.kiBe.rows) {
        ui::ListRow r(book::rowTexts(ListKind::KiBe, e));
        if (e.t.Kiadas != 0) {
            out.kiadas.emplace_back(r.texts);
            out.kiadas.back().texts.removeAt(bevetelColumn);
        }
        if (e.t.Bevetel != 0) {
            out.bevetel.emplace_back(r.texts);
            out.bevetel.back().texts.removeAt(bevetelColumn - 1);
        }
        if (e.t.Kiadas > 0) {
            r.color = kRed;
            r.colorColumns = {0};
        }
        out.kiBe.push_back(std::move(r));
    }
    const auto totals = [&](std::vector<ui::ListRow>& rows, ListKind k) {
        rows.emplace_back(book::totalsTexts(k, lists.of(k)));
        rows.back().boldColumns = k == ListKind::KiBe ? QList<int>{0, 2, 3} : QList<int>{0, 2};
    };
    totals(out.kiBe, ListKind::KiBe);
    totals(out.kiadas, ListKind::Kiadas);
    totals(out.bevetel, ListKind::Bevetel);
    return out;
}

}  // namespace

frmKiadBevet::frmKiadBevet(const DataFolder& folder, const QString& year, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_year(year) {
    setObjectName(QStringLiteral("frmKiadBevet"));
    setWindowTitle(QStringLiteral("Kiadások - Bevételek"));
    setModal(true);
    build();

    // Fit the screen and stand in its middle.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1040, avail.width()), std::min(705, avail.height() - 40));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    DTP1->setDate(appclock::today());
    lbEv->setText(QStringLiteral("Aktuális év: ") + m_year + QLatin1Char('.'));
    EpuletBeolvas();
    Beolvas();
}

void frmKiadBevet::build() {
    auto* col = new QVBoxLayout(this);

    menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("menu"));
    mnuVissza = menu->addAction(QStringLiteral("&Vissza"));
    mnuVissza->setObjectName(QStringLiteral("mnuVissza"));
    mnuPrint = menu->addMenu(QStringLiteral("&Nyomtatás"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuPrintKiadas = mnuPrint->addAction(QStringLiteral("&Kiadások nyomtatása"));
    mnuPrintKiadas->setObjectName(QStringLiteral("mnuPrintKiadás"));
    mnuPrintBevetel = mnuPrint->addAction(QStringLiteral("&Bevételek nyomtatása"));
    mnuPrintBevetel->setObjectName(QStringLiteral("mnuPrintBevétel"));
    mnuPrintKiBe = mnuPrint->addAction(QStringLiteral("Kiadás-Bevétel nyomtatása"));
    mnuPrintKiBe->setObjectName(QStringLiteral("mnuPrintKiBe"));
    mnuPrint->addSeparator();
    mnuCsvMentes = mnuPrint->addAction(QStringLiteral("CSV mentés..."));
    mnuCsvMentes->setObjectName(QStringLiteral("mnuCsvMentes"));
    col->setMenuBar(menu);

    // Building choice, reading, list options, year.
    txtEpuletKeres = ui::combo(QStringLiteral("txtÉpületKeres"), true);
    txtEpuletKeres->setMinimumWidth(220);
    txtEpuletKeres->lineEdit()->setMaxLength(20);
    cmdBeolvas = ui::button(QStringLiteral("cmdBeolvas"), QStringLiteral("Be&olvas"));
    lbEv = ui::valueLabel(QStringLiteral("lbÉv"));
    auto* top = new QHBoxLayout;
    top->addWidget(ui::caption(QStringLiteral("Épület kiválasztása:"), txtEpuletKeres));
    top->addWidget(txtEpuletKeres);
    top->addWidget(cmdBeolvas);
    top->addSpacing(24);
    opListak[1] = new QRadioButton(QStringLiteral("Kiadás és Bevét egy listán"));
    opListak[1]->setObjectName(QStringLiteral("opListák(1)"));
    opListak[0] = new QRadioButton(QStringLiteral("Kiadás és Bevét külön listán"));
    opListak[0]->setObjectName(QStringLiteral("opListák(0)"));
    auto* group = new QButtonGroup(this);
    group->addButton(opListak[1]);
    group->addButton(opListak[0]);
    top->addWidget(opListak[1]);
    top->addWidget(opListak[0]);
    top->addStretch(1);
    top->addWidget(lbEv);
    col->addLayout(top);

    // The lists: the combined one, or the expenses above the incomes.
    ListViewKiBe = bookList("ListViewKiBe", book::ListKind::KiBe, QStringLiteral("Kiadások és bevételek"));
    ListViewKiadas = bookList("ListViewKiadás", book::ListKind::Kiadas, QStringLiteral("Kiadások"));
    ListViewBevetel = bookList("ListViewBevétel", book::ListKind::Bevetel, QStringLiteral("Bevételek"));
    twoLists = new QWidget;
    twoLists->setObjectName(QStringLiteral("twoLists"));
    auto* two = new QVBoxLayout(twoLists);
    two->setContentsMargins(0, 0, 0, 0);
    two->addWidget(ui::caption(QStringLiteral("Kiadások:"), ListViewKiadas));
    two->addWidget(ListViewKiadas, 1);
    two->addWidget(ui::caption(QStringLiteral("Bevételek:"), ListViewBevetel));
    two->addWidget(ListViewBevetel, 1);
    col->addWidget(ListViewKiBe, 1);
    col->addWidget(twoLists, 1);

    // One entry: its fields on the left, the buttons and the balance on the right.
    DTP1 = ui::datePicker(QStringLiteral("DTP1"));
    txtMegnevezes = ui::lineEdit(QStringLiteral("txtMegnevezés"), 50);
    txtKiadas = ui::lineEdit(QStringLiteral("txtKiadás"), 12);
    txtBevetel = ui::lineEdit(QStringLiteral("txtBevétel"), 12);
    txtMegjegyzes = ui::lineEdit(QStringLiteral("txtMegjegyzés"), 80);
    for (QLineEdit* amount : {txtKiadas, txtBevetel}) amount->setMaximumWidth(140);
    cmdKiadas = ui::button(QStringLiteral("cmdKiadas"), QStringLiteral("&Kiadás rögzítése"));
    cmdBevetel = ui::button(QStringLiteral("cmdBevetel"), QStringLiteral("&Bevétel rögzítése"));
    cmdBevetModosit = ui::button(QStringLiteral("cmdBevétModosit"), QStringLiteral("Kiadás-Bevétel módosítás"));
    cmdBevetModosit->setEnabled(false);
    auto* egyenlegCaption = ui::caption(QStringLiteral("Egyenleg:"));
    lbEgyenleg = ui::valueLabel(QStringLiteral("lbEgyenleg"), egyenlegCaption);
    QFont bold = lbEgyenleg->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lbEgyenleg->setFont(bold);
    egyenlegCaption->setFont(bold);

    auto* form = new QGridLayout;
    ui::addRow(form, 0, 0, QStringLiteral("Dátum:"), DTP1);
    ui::addRow(form, 1, 0, QStringLiteral("Megnevezés:"), txtMegnevezes);
    ui::addRow(form, 2, 0, QStringLiteral("Kiadás összege:"), txtKiadas);
    ui::addRow(form, 3, 0, QStringLiteral("Bevétel összege:"), txtBevetel);
    ui::addRow(form, 4, 0, QStringLiteral("Megjegyzés:"), txtMegjegyzes);
    DTP1->setMaximumWidth(160);
    form->setColumnStretch(1, 1);
    form->setColumnMinimumWidth(2, 24);
    form->addWidget(cmdKiadas, 0, 3);
    form->addWidget(cmdBevetel, 1, 3);
    form->addWidget(cmdBevetModosit, 2, 3);
    auto* balance = new QHBoxLayout;
    balance->addWidget(egyenlegCaption);
    balance->addWidget(lbEgyenleg, 1);
    form->addLayout(balance, 4, 3);
    col->addLayout(form);

    for (QPushButton* b : {cmdBeolvas, cmdKiadas, cmdBevetel, cmdBevetModosit}) b->setAutoDefault(false);
    ui::tabOrder({txtEpuletKeres, cmdBeolvas, opListak[1], opListak[0], ListViewKiBe, ListViewKiadas, ListViewBevetel,
                 DTP1, txtMegnevezes, txtKiadas, txtBevetel, txtMegjegyzes, cmdKiadas, cmdBevetel, cmdBevetModosit});

    connect(mnuVissza, &QAction::triggered, this, &QDialog::accept);
    connect(mnuPrintKiadas, &QAction::triggered, this, [this] { printList(book::ListKind::Kiadas); });
    connect(mnuPrintBevetel, &QAction::triggered, this, [this] { printList(book::ListKind::Bevetel); });
    connect(mnuPrintKiBe, &QAction::triggered, this, [this] { printList(book::ListKind::KiBe); });
    connect(mnuCsvMentes, &QAction::triggered, this, &frmKiadBevet::saveCsv);
    connect(cmdBeolvas, &QPushButton::clicked, this, [this] {
        Beolvas();
        m_KivalasztottRec = 0;
        cmdBevetModosit->setEnabled(false);
    });
    connect(txtEpuletKeres->lineEdit(), &QLineEdit::returnPressed, cmdBeolvas, &QPushButton::click);
    connect(opListak[0], &QRadioButton::toggled, this, &frmKiadBevet::listModeChanged);
    connect(cmdKiadas, &QPushButton::clicked, this, [this] { record(book::Action::Expense); });
    connect(cmdBevetel, &QPushButton::clicked, this, [this] { record(book::Action::Income); });
    connect(cmdBevetModosit, &QPushButton::clicked, this, [this] { record(book::Action::Modify); });
    ui::onRecordChosen(ListViewKiBe, this, [this](int row) { entryChosen(row); });

    opListak[1]->setChecked(true);
    listModeChanged();
}

void frmKiadBevet::listModeChanged() {
    const bool separate = opListak[0]->isChecked();
    ListViewKiBe->setVisible(!separate);
    twoLists->setVisible(separate);
}

void frmKiadBevet::EpuletBeolvas() {
    txtEpuletKeres->clear();
    txtEpuletKeres->addItem(QStringLiteral(" "));
    QString last;
    for (const Epulet& e : readBuildings(m_folder)) {
        last = e.Nev.text();
        txtEpuletKeres->addItem(last);
    }
    txtEpuletKeres->setEditText(last);
}

void frmKiadBevet::Beolvas() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_lists = book::readLists(m_folder, m_year, txtEpuletKeres->currentText());
    const book::Lists& lists = m_lists;
    ListRows rows = listRows(lists);
    ui::recordModel(ListViewKiadas)->setRows(std::move(rows.kiadas));
    ui::recordModel(ListViewBevetel)->setRows(std::move(rows.bevetel));
    ui::recordModel(ListViewKiBe)->setRows(std::move(rows.kiBe));
    const std::int64_t balance = lists.balance();
    lbEgyenleg->setText(book::balanceText(balance));
    QPalette p = lbEgyenleg->palette();
    p.setColor(QPalette::WindowText, balance < 0 ? kRed : QColor(Qt::black));
    lbEgyenleg->setPalette(p);
    QApplication::restoreOverrideCursor();
    if (!lists.error.isEmpty()) Dialogs::current().message(this, QStringLiteral("Hiba"), lists.error, Dialogs::Icon::Critical);
}

void frmKiadBevet::entryChosen(int viewRow) {
    const ui::RecordListModel* model = ui::recordModel(ListViewKiBe);
    m_KivalasztottRec = model->text(viewRow, book::recColumn(book::ListKind::KiBe)).toInt();
    const auto entry = m_KivalasztottRec > 0 ? book::readEntry(m_folder, m_year, m_KivalasztottRec) : std::nullopt;
    if (!entry) {
        // The totals row: nothing to modify.
        m_KivalasztottRec = 0;
        txtMegnevezes->clear();
        txtMegjegyzes->clear();
        txtEpuletKeres->setEditText(QString());
        txtKiadas->setText(QStringLiteral("0"));
        txtBevetel->setText(QStringLiteral("0"));
        cmdBevetModosit->setEnabled(false);
        return;
    }
    cmdBevetModosit->setEnabled(true);
    txtMegnevezes->setText(entry->Megnevezes.text());
    txtMegjegyzes->setText(entry->Megjegyzes.text());
    txtEpuletKeres->setEditText(entry->Epulet.text());
    txtKiadas->setText(QString::number(entry->Kiadas));
    txtBevetel->setText(QString::number(entry->Bevetel));
    DTP1->setDate(entry->Datum.toQDate());
}

void frmKiadBevet::record(book::Action a) {
    const book::Input in{DTP1->date(),          txtMegnevezes->text(), txtMegjegyzes->text(),
                         txtEpuletKeres->currentText(), txtKiadas->text(), txtBevetel->text()};
    const book::Prepared prepared = book::prepare(a, in);
    if (!prepared.entry) {
        (prepared.refused == book::Field::Kiadas ? txtKiadas : txtBevetel)->setFocus();
        Dialogs::current().message(this, QStringLiteral("Hiba"), prepared.message, Dialogs::Icon::Critical);
        return;
    }
    const QString building = txtEpuletKeres->currentText().trimmed();
    const QString title = a == book::Action::Income    ? QStringLiteral("bevétel rögzítése")
                          : a == book::Action::Expense ? QStringLiteral("Kiadás rögzítése")
                                                       : QStringLiteral("Módosítás");
    const QString what = a == book::Action::Income    ? QStringLiteral("bevételének rögzítése?")
                         : a == book::Action::Expense ? QStringLiteral("kiadásának rögzítése?")
                                                      : QStringLiteral("módosítása?");
    if (!Dialogs::current().question(this, title,
                                     QStringLiteral("Biztos mehet \n") + building + QStringLiteral(" épület\n") + what))
        return;

    const int rec = a == book::Action::Modify ? m_KivalasztottRec : 0;
    if (a == book::Action::Modify && rec < 1) return;
    const book::Written written = book::writeEntry(m_folder, m_year, rec, *prepared.entry);
    if (!written.ok()) {
        Dialogs::current().message(this, QStringLiteral("Hiba"), written.error, Dialogs::Icon::Critical);
        return;
    }
    clearEntry();
    Beolvas();
    // The lists were refilled: no entry is chosen any more.
    m_KivalasztottRec = 0;
    cmdBevetModosit->setEnabled(false);
    const ui::RecordListModel* model = ui::recordModel(ListViewKiBe);
    const int row = model->find(book::recColumn(book::ListKind::KiBe), QString::number(written.rec));
    if (row >= 0) ListViewKiBe->scrollTo(model->index(row, 0));
}

void frmKiadBevet::clearEntry() {
    for (QLineEdit* e : {txtKiadas, txtBevetel, txtMegjegyzes, txtMegnevezes}) e->clear();
    txtMegnevezes->setFocus();
}

// ---- printing ------------------------------------------------------------

void frmKiadBevet::printList(book::ListKind k) {
    printing::PrintDialogs::current().preview(this, book::reportTitle(k, m_year),
                                              [list = m_lists.of(k), k, year = m_year, today = appclock::today()](
                                                  PrinterSurface& s, const PrintProgress& progress) {
                                                  book::printReport(s, k, list, year, today, progress);
                                              });
}

void frmKiadBevet::saveCsv() {
    const QString path =
        printing::askFileName(this, QStringLiteral("CSV mentés"), m_year + QStringLiteral(". évi kiadások és bevételek"),
                              QStringLiteral("CSV fájl (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const QString error = csv::save(path, book::csv(m_lists.kiBe));
    if (!error.isEmpty()) Dialogs::current().message(this, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
}
