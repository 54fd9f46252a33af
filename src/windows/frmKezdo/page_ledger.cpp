// "Közösköltség, Hulladék": the common-cost and waste-fee ledgers.

#include <QApplication>
#include <QButtonGroup>
#include <QDateEdit>
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
#include "ledger/ledger.h"
#include "ledger/months.h"
#include "pages.h"
#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/ui.h"

namespace {

// The controls of one ledger frame; both frames are laid out alike.
struct LedgerFrame {
    QGroupBox* frame;
    QTreeWidget* list;
    QLabel* own;
    QLabel* all;
    QRadioButton* thisOne;
    QRadioButton* everyone;
    QPushButton* charge;
    QLabel* chargeMonth;
    QLabel* payCaption;
    QLineEdit* amount;
    QLabel* rowName;
    QLabel* monthWord;
    QDateEdit* date;
    QPushButton* pay;
    QPushButton* previousYear;
};

struct LedgerNames {
    const char* frame;
    const char* title;
    const char* list;
    const char* accessible;
    const char* own;
    const char* all;
    const char* thisOne;
    const char* everyone;
    const char* charge;
    int chargeMonthLabel;
    int payCaptionLabel;
    const char* amount;
    int rowNameLabel;
    int monthWordLabel;
    const char* date;
    const char* pay;
    const char* payText;
    const char* payTip;
    const char* previousYear;
    const char* previousYearTip;
};

LedgerFrame buildLedgerFrame(const LedgerNames& n, std::map<int, QLabel*>& label1) {
    LedgerFrame f{};
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    f.frame = new QGroupBox(s(n.title));
    f.frame->setObjectName(s(n.frame));
    f.list = ui::listView(s(n.list),
                          {QStringLiteral("Hónap"), QStringLiteral("Előírás"), QStringLiteral("Befizetés"),
                           QStringLiteral("Dátum")},
                          s(n.accessible));
    f.list->setColumnWidth(0, 95);
    f.list->setColumnWidth(1, 80);
    f.list->setColumnWidth(2, 80);
    f.list->setColumnWidth(3, 95);
    for (int i = 1; i <= 13; ++i) {
        auto* row = new QTreeWidgetItem(f.list, QStringList{monthName(i), QString(), QString(), QString()});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    f.list->setMinimumHeight(f.list->sizeHintForRow(0) * 13 + f.list->header()->sizeHint().height() + 6);

    auto* ownCaption = ui::caption(QStringLiteral("Hátralék ennek a lakónak:"));
    f.own = ui::valueLabel(s(n.own), ownCaption);
    auto* allCaption = ui::caption(QStringLiteral("Hátralék az összes lakónak:"));
    f.all = ui::valueLabel(s(n.all), allCaption);
    f.own->setText(QStringLiteral("0,-Ft"));
    f.all->setText(QStringLiteral("0,-Ft"));

    f.thisOne = new QRadioButton(QStringLiteral("Ennek a lakónak"));
    f.thisOne->setObjectName(s(n.thisOne));
    f.everyone = new QRadioButton(QStringLiteral("Az összes lakónak"));
    f.everyone->setObjectName(s(n.everyone));
    auto* group = new QButtonGroup(f.frame);
    group->addButton(f.thisOne);
    group->addButton(f.everyone);

    f.charge = ui::button(s(n.charge), QStringLiteral("Előírás"));
    f.chargeMonth = ui::caption(QStringLiteral("a kijelölt hónapra"), nullptr,
                                QStringLiteral("Label1(%1)").arg(n.chargeMonthLabel));
    f.amount = ui::lineEdit(s(n.amount));
    f.amount->setAlignment(Qt::AlignRight);
    f.amount->setMaximumWidth(90);
    f.payCaption = ui::caption(QStringLiteral("Befizetés:"), f.amount, QStringLiteral("Label1(%1)").arg(n.payCaptionLabel));
    f.rowName = ui::caption(QString(), nullptr, QStringLiteral("Label1(%1)").arg(n.rowNameLabel));
    f.monthWord = ui::caption(QStringLiteral("hónapra."), nullptr, QStringLiteral("Label1(%1)").arg(n.monthWordLabel));
    f.date = ui::datePicker(s(n.date));
    f.date->setAccessibleName(QStringLiteral("A befizetés dátuma"));
    f.pay = ui::button(s(n.pay), s(n.payText), s(n.payTip));
    f.previousYear = ui::button(s(n.previousYear), QStringLiteral("Előző év felv."), s(n.previousYearTip));
    label1[n.chargeMonthLabel] = f.chargeMonth;
    label1[n.payCaptionLabel] = f.payCaption;
    label1[n.rowNameLabel] = f.rowName;
    label1[n.monthWordLabel] = f.monthWord;

    // Nothing can be charged or paid before a row is chosen.
    for (QWidget* w : {static_cast<QWidget*>(f.charge), static_cast<QWidget*>(f.pay),
                       static_cast<QWidget*>(f.previousYear), static_cast<QWidget*>(f.thisOne)})
        w->setEnabled(false);

    auto* g = new QGridLayout(f.frame);
    g->addWidget(f.list, 0, 0, 1, 4);
    g->addWidget(ownCaption, 1, 0, 1, 2);
    g->addWidget(f.own, 1, 2, 1, 2);
    g->addWidget(allCaption, 2, 0, 1, 2);
    g->addWidget(f.all, 2, 2, 1, 2);
    g->addWidget(f.thisOne, 3, 0, 1, 2);
    g->addWidget(f.everyone, 3, 2, 1, 2);
    g->addWidget(f.charge, 4, 0);
    g->addWidget(f.chargeMonth, 4, 1, 1, 3);
    g->addWidget(f.payCaption, 5, 0);
    g->addWidget(f.amount, 5, 1);
    g->addWidget(f.rowName, 5, 2);
    g->addWidget(f.monthWord, 5, 3);
    g->addWidget(f.date, 6, 0, 1, 2);
    g->addWidget(f.pay, 6, 2, 1, 2);
    g->addWidget(f.previousYear, 7, 0, 1, 2);
    g->setColumnStretch(3, 1);
    return f;
}

}  // namespace

QGroupBox* makeCaptionFrame(const QString& objectName, QLabel*& nev, QLabel*& cim, int index) {
    auto* frame = new QGroupBox;
    frame->setObjectName(objectName);
    nev = ui::valueLabel(QStringLiteral("lbNev(%1)").arg(index));
    cim = ui::valueLabel(QStringLiteral("lbCim(%1)").arg(index));
    QFont bold = nev->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    nev->setFont(bold);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(nev);
    row->addSpacing(24);
    row->addWidget(cim, 1);
    return frame;
}

QWidget* frmKezdo::buildPageLedger() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageLedger"));
    Frame7 = makeCaptionFrame(QStringLiteral("Frame7"), lbNev[0], lbCim[0], 0);

    const LedgerFrame kk = buildLedgerFrame(
        {"Frame5(0)", "Közösköltség", "ListView3", "Közösköltség havi sorai", "lbKKTartozas", "lbKKOtartozas",
         "opEloiras(0)", "opEloiras(1)", "cmdKozoskEloiras", 35, 31, "txtKozoskBefizet", 33, 34, "DTPKKbefizet",
         "cmdKozoskBefiz", "Befi&zetés rögzítése", "Rögzíti a kijelölt hónap közös költség befizetését.",
         "cmdElozoEviKKFelvitel", "Rögzíti az előző évi közösköltség tartozást."},
        Label1);
    const LedgerFrame h = buildLedgerFrame(
        {"Frame5(1)", "Hulladékkezelési díj", "ListView4", "Hulladékdíj havi sorai", "lbHullTartozas",
         "lbHullOTartozas", "opEloiras(3)", "opEloiras(2)", "cmdSzemetEloiras", 37, 41, "txtSzemetBefizet", 39, 38,
         "DTPHbefizet", "cmdSzemetBefiz", "Bef&izetés rögzítése", "Rögzíti a kijelölt hónap hulladék díj befizetését.",
         "cmdElozoEviHFelvitel", "Rögzíti az előző évi hulladékdíj tartozást."},
        Label1);

    Frame5_0 = kk.frame;
    ListView3 = kk.list;
    lbKKTartozas = kk.own;
    lbKKOtartozas = kk.all;
    opEloiras[0] = kk.thisOne;
    opEloiras[1] = kk.everyone;
    cmdKozoskEloiras = kk.charge;
    txtKozoskBefizet = kk.amount;
    DTPKKbefizet = kk.date;
    cmdKozoskBefiz = kk.pay;
    cmdElozoEviKKFelvitel = kk.previousYear;

    Frame5_1 = h.frame;
    ListView4 = h.list;
    lbHullTartozas = h.own;
    lbHullOTartozas = h.all;
    opEloiras[3] = h.thisOne;
    opEloiras[2] = h.everyone;
    cmdSzemetEloiras = h.charge;
    txtSzemetBefizet = h.amount;
    DTPHbefizet = h.date;
    cmdSzemetBefiz = h.pay;
    cmdElozoEviHFelvitel = h.previousYear;

    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame5_0);
    frames->addWidget(Frame5_1);
    auto* col = new QVBoxLayout(page);
    col->addWidget(Frame7);
    col->addLayout(frames, 1);
    return page;
}

// ---- binding -------------------------------------------------------------

struct frmKezdo::LedgerSide {
    ledger::Kind kind;
    int* selected;  // m_KijeloltKKHo or m_KijeloltHHo
    QTreeWidget* list;
    QLabel* own;
    QLabel* all;
    QLabel* rowName;      // Label1(33) / Label1(39)
    QLabel* chargeMonth;  // Label1(35) / Label1(37)
    QLabel* monthWord;    // Label1(34) / Label1(38)
    QRadioButton* thisOne;
    QRadioButton* everyone;
    QPushButton* charge;
    QPushButton* pay;
    QPushButton* previousYear;
    QLineEdit* amount;
    QDateEdit* date;
    QString chargeTitle;  // the texts of the questions
    QString chargeNoun;
    QString payTitle;
    QString payNoun;
    QString debtTitle;
};

frmKezdo::LedgerSide frmKezdo::ledgerSide(int which) {
    if (which == 0)
        return {ledger::Kind::KozosKoltseg,
                &m_KijeloltKKHo,
                ListView3,
                lbKKTartozas,
                lbKKOtartozas,
                Label1.at(33),
                Label1.at(35),
                Label1.at(34),
                opEloiras[0],
                opEloiras[1],
                cmdKozoskEloiras,
                cmdKozoskBefiz,
                cmdElozoEviKKFelvitel,
                txtKozoskBefizet,
                DTPKKbefizet,
                QStringLiteral("Közösköltség előírás"),
                QStringLiteral("közösköltség"),
                QStringLiteral("Közösköltség befizetés"),
                QStringLiteral("közösköltség"),
                QStringLiteral("Előző évi közösköltség")};
    return {ledger::Kind::Szemetdij,
            &m_KijeloltHHo,
            ListView4,
            lbHullTartozas,
            lbHullOTartozas,
            Label1.at(39),
            Label1.at(37),
            Label1.at(38),
            opEloiras[3],
            opEloiras[2],
            cmdSzemetEloiras,
            cmdSzemetBefiz,
            cmdElozoEviHFelvitel,
            txtSzemetBefizet,
            DTPHbefizet,
            QStringLiteral("Szemétdíj előírás"),
            QStringLiteral("szemétdíj"),
            QStringLiteral("Szemétdíj befizetés"),
            QStringLiteral("hulladékdíj"),
            QStringLiteral("Előző évi hulladékdíj")};
}

namespace {

void showArrears(QLabel* own, QLabel* all, const std::optional<ledger::Arrears>& a) {
    if (!a) return;
    own->setText(conv::forintText(a->own));
    all->setText(conv::forintText(a->all));
}

// Shows why an operation did nothing; false then.
bool done(QWidget* parent, const QString& title, const ledger::Result& r) {
    if (r.ok()) return true;
    Dialogs::current().message(parent, title, r.error, r.refused ? Dialogs::Icon::Warning : Dialogs::Icon::Critical);
    return false;
}

}  // namespace

void frmKezdo::bindPageLedger() {
    for (int which : {0, 1}) {
        const LedgerSide s = ledgerSide(which);
        // A row is chosen by the mouse or, for the keyboard, by moving onto it.
        connect(s.list, &QTreeWidget::itemClicked, this,
                [this, s](QTreeWidgetItem* item) { ledgerRowSelected(s, item); });
        connect(s.list, &QTreeWidget::currentItemChanged, this,
                [this, s](QTreeWidgetItem* item) { ledgerRowSelected(s, item); });
        connect(s.charge, &QPushButton::clicked, this, [this, s] { ledgerCharge(s); });
        connect(s.pay, &QPushButton::clicked, this, [this, s] { ledgerPay(s); });
        connect(s.previousYear, &QPushButton::clicked, this, [this, s] { ledgerPreviousYear(s); });
        connect(s.amount, &QLineEdit::returnPressed, s.pay, &QPushButton::click);
    }
}

void frmKezdo::showLedgers(const Lakas& l) {
    for (int which : {0, 1}) {
        const LedgerSide s = ledgerSide(which);
        for (int i = 1; i <= kLedgerRows; ++i) {
            const ledger::RowTexts t = ledger::rowTexts(l, s.kind, i);
            QTreeWidgetItem* item = s.list->topLevelItem(i - 1);
            item->setText(1, t.charge);
            item->setText(2, t.paid);
            item->setText(3, t.date);
        }
        s.own->setText(conv::forintText(ledger::arrears(l, s.kind, kLedgerRows)));
    }
    // A row chosen while another apartment was shown must be chosen again, so
    // that nothing meant for that apartment lands on this one.
    resetLedgerRows();
}

void frmKezdo::resetLedgerRows() {
    for (int which : {0, 1}) {
        const LedgerSide s = ledgerSide(which);
        {
            const QSignalBlocker block(s.list);
            s.list->setCurrentItem(nullptr);
            s.list->clearSelection();
        }
        for (QPushButton* b : {s.charge, s.pay, s.previousYear}) b->setEnabled(false);
    }
}

void frmKezdo::ledgerRowSelected(const LedgerSide& s, QTreeWidgetItem* item) {
    const int row = item ? s.list->indexOfTopLevelItem(item) + 1 : 0;
    if (row < 1) return;
    *s.selected = row;
    s.rowName->setText(item->text(0));
    s.chargeMonth->setText(item->text(0) + QStringLiteral(" hónapra"));
    s.amount->setText(ledger::proposedPayment(item->text(1), item->text(2)));
    if (m_AktualisLakas >= 1 && !lbNev[0]->text().isEmpty()) {
        s.pay->setEnabled(true);
        s.thisOne->setEnabled(true);
        // Until the user chooses, a charge goes to this apartment only.
        if (!s.thisOne->isChecked() && !s.everyone->isChecked()) s.thisOne->setChecked(true);
    }
    const bool month = row < kPreviousYearRow;
    s.monthWord->setVisible(month);
    s.chargeMonth->setVisible(month);
    s.charge->setEnabled(month);
    s.previousYear->setEnabled(!month);
}

void frmKezdo::ledgerCharge(const LedgerSide& s) {
    const int row = *s.selected;
    const bool everyone = !s.thisOne->isChecked();
    const QString text = QStringLiteral("Biztos mehet \n") + s.rowName->text() + QStringLiteral(" hónapra a ") +
                         s.chargeNoun + QStringLiteral("\nelőírás rögzítése") +
                         (everyone ? QStringLiteral(" MINDEN lakónak?") : QStringLiteral("?"));
    if (!Dialogs::current().question(this, s.chargeTitle, text)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ledger::Result r = ledger::charge(m_folder, m_AktualisEv, m_AktualisLakas, s.kind, row, everyone);
    QApplication::restoreOverrideCursor();
    if (!done(this, s.chargeTitle, r)) return;
    if (r.record)
        s.list->topLevelItem(row - 1)->setText(1, QString::number((*r.record.*ledger::fields(s.kind).charge)(row)));
    s.charge->setEnabled(false);
    showArrears(s.own, s.all, r.arrears);
}

void frmKezdo::ledgerPay(const LedgerSide& s) {
    const ledger::Amount amount = ledger::paymentAmount(s.amount->text());
    if (amount.status == ledger::Amount::Status::Refused) {
        Dialogs::current().message(this, s.payTitle, amount.error, Dialogs::Icon::Warning);
        s.amount->setFocus();
        s.amount->selectAll();
        return;
    }
    const int row = *s.selected;
    const QDate date = s.date->date();
    const QString text = QStringLiteral("Biztos mehet \n") + s.rowName->text() + QStringLiteral(" hónapra a ") +
                         s.payNoun + QStringLiteral("\nbefizetés rögzítése\n") + conv::shortDate(date) +
                         QStringLiteral(" dátummal?");
    if (!Dialogs::current().question(this, s.payTitle, text)) return;
    if (amount.value == 0) s.amount->setText(QStringLiteral("0"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ledger::Result r = ledger::pay(m_folder, m_AktualisEv, m_AktualisLakas, s.kind, row, amount.value, date);
    QApplication::restoreOverrideCursor();
    if (!done(this, s.payTitle, r)) return;
    const ledger::Fields& f = ledger::fields(s.kind);
    QTreeWidgetItem* item = s.list->topLevelItem(row - 1);
    item->setText(2, QString::number((*r.record.*f.paid)(row)));
    item->setText(3, conv::shortDate((*r.record.*f.date)(row)));
    s.pay->setEnabled(false);
    showArrears(s.own, s.all, r.arrears);
}

void frmKezdo::ledgerPreviousYear(const LedgerSide& s) {
    const QString inputTitle = QStringLiteral("Előző évi tartozás felvitele!");
    const QString answer = Dialogs::current().input(
        this, inputTitle,
        QStringLiteral("Kérem adja meg, az előző évi \n") + s.payNoun + QStringLiteral(" tartozás összegét."),
        QString());
    const ledger::Amount amount = ledger::previousYearAmount(s.kind, answer);
    if (amount.status == ledger::Amount::Status::Stop) return;
    if (amount.status == ledger::Amount::Status::Refused) {
        Dialogs::current().message(this, inputTitle, amount.error, Dialogs::Icon::Warning);
        return;
    }
    if (!Dialogs::current().question(
            this, s.debtTitle,
            QStringLiteral("Biztos mehet \naz előző évi ") + s.payNoun + QStringLiteral(" tartozás\nrögzítése?")))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ledger::Result r = ledger::setPreviousYearDebt(m_folder, m_AktualisEv, m_AktualisLakas, s.kind, amount.value);
    QApplication::restoreOverrideCursor();
    if (!done(this, s.debtTitle, r)) return;
    s.list->topLevelItem(kPreviousYearRow - 1)
        ->setText(1, QString::number((*r.record.*ledger::fields(s.kind).charge)(kPreviousYearRow)));
    showArrears(s.own, s.all, r.arrears);
}
