#include "frmNaplo.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/recordlist.h"
#include "windows/ui.h"

using namespace letters;

namespace {
constexpr int kRecColumn = 7;
}

frmNaplo::frmNaplo(const DataFolder& folder, const QString& year, QWidget* parent) : QDialog(parent), m_folder(folder) {
    setObjectName(QStringLiteral("frmNaplo"));
    setWindowTitle(QStringLiteral("Nyomtatási napló"));
    setModal(true);

    auto* bar = new QMenuBar;
    mnuVissza = bar->addAction(QStringLiteral("&Vissza"));
    mnuVissza->setObjectName(QStringLiteral("mnuVissza"));

    txtEv = ui::lineEdit(QStringLiteral("txtEv"));
    txtEv->setFixedWidth(txtEv->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    UpDown1 = new UpDown;
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    ListView1 = ui::recordList(
        QStringLiteral("ListView1"),
        {QStringLiteral("Név"), QStringLiteral("Cím"), QStringLiteral("Nyomtatvány"), QStringLiteral("Nyomtatva"),
         QStringLiteral("Hátralék"), QStringLiteral("Befizetve"), QStringLiteral("Egyenleg"), QStringLiteral("rec")},
        QStringLiteral("Kinyomtatott értesítők"));
    for (auto [column, width] : {std::pair{0, 150}, {1, 150}, {2, 125}, {3, 90}, {4, 75}, {5, 75}, {6, 75}, {7, 40}})
        ListView1->setColumnWidth(column, width);
    ui::recordModel(ListView1)->setRightAligned({4, 5, 6});
    lbHatralek = ui::valueLabel(QStringLiteral("lbHatralek"));
    lbBefizet = ui::valueLabel(QStringLiteral("lbBefizet"));
    lbKintlevoseg = ui::valueLabel(QStringLiteral("lbKintlevoseg"));
    txtBefiet = ui::lineEdit(QStringLiteral("txtBefiet"), 11);
    txtBefiet->setText(QStringLiteral("0"));
    txtBefiet->setFixedWidth(110);
    cmdBefizet = ui::button(QStringLiteral("cmdBefizet"), QStringLiteral("&Befizetés rögzítése"));
    cmdBefizet->setEnabled(false);

    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(ui::caption(QStringLiteral("Aktuális Év:"), txtEv));
    yearRow->addWidget(txtEv);
    yearRow->addWidget(UpDown1);
    yearRow->addStretch(1);
    auto* totals = new QGridLayout;
    int row = 0;
    for (auto [label, text] :
         {std::pair{lbHatralek, "Listában szereplő hátralék összesen:"}, std::pair{lbBefizet, "Befizetés összesen:"},
          std::pair{lbKintlevoseg, "Kintlévőség összesen:"}}) {
        totals->addWidget(ui::caption(QString::fromUtf8(text), label), row, 0);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(130);
        totals->addWidget(label, row++, 1);
    }
    auto* pay = new QHBoxLayout;
    pay->addWidget(ui::caption(QStringLiteral("Befizetés:"), txtBefiet));
    pay->addWidget(txtBefiet);
    pay->addWidget(cmdBefizet);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(totals);
    bottom->addStretch(1);
    bottom->addLayout(pay);
    auto* col = new QVBoxLayout(this);
    col->setMenuBar(bar);
    col->addLayout(yearRow);
    col->addWidget(ListView1, 1);
    col->addLayout(bottom);
    setTabOrder(txtEv, ListView1);
    setTabOrder(ListView1, txtBefiet);
    setTabOrder(txtBefiet, cmdBefizet);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(900, avail.width()), std::min(560, avail.height() - 40));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }

    connect(mnuVissza, &QAction::triggered, this, &QDialog::close);
    connect(txtEv, &QLineEdit::textChanged, this, &frmNaplo::yearChanged);
    connect(UpDown1, &UpDown::stepped, this, [this](int steps) {
        txtEv->setText(QString::number(static_cast<qint64>(conv::numericValue(txtEv->text())) + steps));
    });
    ui::onRecordChosen(ListView1, this, [this](int r) { rowChosen(r); });
    connect(cmdBefizet, &QPushButton::clicked, this, &frmNaplo::payClicked);

    txtEv->setText(year.trimmed());
    if (txtEv->text().size() != 4) Betolt();
}

void frmNaplo::Betolt() {
    m_year = txtEv->text();
    m_journal = readJournal(m_folder, m_year);
    std::vector<ui::ListRow> rows;
    rows.reserve(m_journal.records.size());
    for (size_t i = 0; i < m_journal.records.size(); ++i)
        rows.emplace_back(journalRowTexts(int(i) + 1, m_journal.records[i]));
    ui::recordModel(ListView1)->setRows(std::move(rows));
    showTotals();
}

void frmNaplo::showTotals() {
    lbHatralek->setText(journalTotalText(m_journal.totals.hatralek));
    lbBefizet->setText(journalTotalText(m_journal.totals.befizetve));
    lbKintlevoseg->setText(journalTotalText(m_journal.totals.kintlevoseg()));
}

void frmNaplo::yearChanged(const QString& text) {
    if (text.size() != 4) return;
    ui::recordModel(ListView1)->clear();
    for (QLabel* l : {lbHatralek, lbBefizet, lbKintlevoseg}) l->clear();
    m_selected = 0;
    cmdBefizet->setEnabled(false);
    Betolt();
    ListView1->setFocus();
    ui::setCurrentRowQuietly(ListView1, ui::recordModel(ListView1)->count() > 0 ? 0 : -1);
}

void frmNaplo::rowChosen(int row) {
    m_selected = ui::recordModel(ListView1)->text(row, kRecColumn).toInt();
    cmdBefizet->setEnabled(true);
    txtBefiet->clear();
}

void frmNaplo::payClicked() {
    if (m_selected < 1) return;
    const JournalPayment p = addJournalPayment(m_folder, m_year, m_selected, txtBefiet->text());
    if (!p.ok()) {
        if (p.refused) txtBefiet->setFocus();
        Dialogs::current().message(this, QStringLiteral("Hiba"), p.error,
                                   p.refused ? Dialogs::Icon::Warning : Dialogs::Icon::Critical);
        return;
    }
    // Only this letter's row and the totals change; the choice is given up.
    replaceRecord(m_journal, m_selected, *p.record);
    ui::recordModel(ListView1)->updateRow(m_selected - 1, journalRowTexts(m_selected, *p.record));
    showTotals();
    cmdBefizet->setEnabled(false);
    m_selected = 0;
    ui::setCurrentRowQuietly(ListView1, -1);
}
