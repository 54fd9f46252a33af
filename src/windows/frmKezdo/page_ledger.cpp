// "Közösköltség, Hulladék": the common-cost and waste-fee ledgers.

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
#include "pages.h"
#include "ledger/months.h"
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
         "DTPHbefizet", "cmdSzemetBefiz", "&Befizetés rögzítése", "Rögzíti a kijelölt hónap hulladék díj befizetését.",
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

void frmKezdo::bindPageLedger() {}

void frmKezdo::showLedgers(const Lakas&) {}
