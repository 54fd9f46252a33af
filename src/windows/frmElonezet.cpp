#include "frmElonezet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "register/apartmentlist.h"
#include "reports/statement.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/previewframe.h"
#include "windows/printerchoice.h"
#include "windows/ui.h"

namespace {
// Column widths in twips, common cost only and with the waste fee; 0 hides.
constexpr int kWidthsKK[8] = {1000, 1300, 900, 1100, 0, 0, 0, 1300};
constexpr int kWidthsKKSZ[8] = {1000, 1300, 900, 1100, 1000, 900, 1100, 1300};

// Twips to pixels for this window's font: the widths were measured for a
// small system font (about 5 pixels a character); a larger font widens them
// in proportion, so that a month name or a date fits its column.
int pixels(const QWidget* w, int twips) {
    const double scale = std::max(1.0, w->fontMetrics().averageCharWidth() / 5.0);
    return static_cast<int>(twips / 15.0 * scale + 0.5);
}
}  // namespace

frmElonezet::frmElonezet(const DataFolder& folder, const QString& year, const QString& yearText, int aktualisLakas,
                         QWidget* parent)
    : PreviewDialog(QStringLiteral("frmElönézet"), QStringLiteral("&Nyomtatás"),
                    QStringLiteral("A kimutatás nyomtatása a választott nyomtatóra"),
                    QStringLiteral("A nyomtatandó oldal megtekintése"), parent),
      m_folder(folder),
      m_year(year),
      m_yearText(yearText),
      m_AktualisLakas(aktualisLakas) {
    lbFejlec = ui::valueLabel(QStringLiteral("lbFejléc"));
    QFont big = lbFejlec->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lbFejlec->setFont(big);
    lbDatum = ui::valueLabel(QStringLiteral("lbDátum"));
    auto* nevCaption = ui::caption(QStringLiteral("Lakó:"));
    lbNev = ui::valueLabel(QStringLiteral("lbNév"), nevCaption);
    auto* cimCaption = ui::caption(QStringLiteral("Cím:"));
    lbCim = ui::valueLabel(QStringLiteral("lbCim"), cimCaption);

    Frame1 = new QGroupBox(QStringLiteral("Keresés"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    cmbCim = ui::combo(QStringLiteral("cmbCim"), true);
    cmbNev = ui::combo(QStringLiteral("cmbNév"), true);
    for (QComboBox* c : {cmbCim, cmbNev}) {
        c->setMinimumContentsLength(30);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    auto* search = new QGridLayout(Frame1);
    ui::addRow(search, 0, 0, QStringLiteral("Cím szerinti keresés"), cmbCim);
    ui::addRow(search, 1, 0, QStringLiteral("Név szerinti keresés"), cmbNev);
    search->setColumnStretch(1, 1);

    FlatScrollBar1 = new QScrollBar(Qt::Horizontal);
    FlatScrollBar1->setObjectName(QStringLiteral("FlatScrollBar1"));
    FlatScrollBar1->setFocusPolicy(Qt::StrongFocus);
    FlatScrollBar1->setMinimumWidth(220);
    Label1 = ui::caption(QStringLiteral("Lakások léptetése"), FlatScrollBar1, QStringLiteral("Label1"));
    chkSzemetdij = new QCheckBox(QStringLiteral("Szemétdíjjal"));
    chkSzemetdij->setObjectName(QStringLiteral("chkSzemétdij"));

    ListView1 = ui::listView(
        QStringLiteral("ListView1"),
        {QStringLiteral("Hónap"), QStringLiteral("Közösköltség"), QStringLiteral("Befizetés"), QStringLiteral("Dátum"),
         QStringLiteral("Szemétdíj"), QStringLiteral("Befizetés"), QStringLiteral("Dátum"), QStringLiteral("Egyenleg")},
        QStringLiteral("Éves kimutatás"));
    ListView1->setMinimumHeight((ListView1->fontMetrics().height() + 4) * 15 + 8);

    // Layout
    auto* col = new QVBoxLayout(this);
    col->setMenuBar(menu);
    auto* top = new QHBoxLayout;
    top->addWidget(lbFejlec, 1);
    top->addWidget(lbDatum);
    col->addLayout(top);
    auto* who = new QGridLayout;
    who->addWidget(nevCaption, 0, 0);
    who->addWidget(lbNev, 0, 1);
    who->addWidget(cimCaption, 1, 0);
    who->addWidget(lbCim, 1, 1);
    who->setColumnStretch(1, 1);
    col->addLayout(who);
    col->addWidget(Frame1);
    auto* step = new QHBoxLayout;
    step->addWidget(Label1);
    step->addWidget(FlatScrollBar1, 1);
    step->addSpacing(16);
    step->addWidget(chkSzemetdij);
    col->addLayout(step);
    col->addWidget(ListView1, 1);
    col->addLayout(printerRow);

    setTabOrder(cmbCim, cmbNev);
    setTabOrder(cmbNev, FlatScrollBar1);
    setTabOrder(FlatScrollBar1, chkSzemetdij);
    setTabOrder(chkSzemetdij, ListView1);
    setTabOrder(ListView1, Combo2);
    setTabOrder(Combo2, cmdNyomtatas);
    setTabOrder(cmdNyomtatas, cmdElonezet);

    connect(mnuPrint, &QAction::triggered, this, &frmElonezet::printClicked);
    connect(cmdElonezet, &QPushButton::clicked, this, &frmElonezet::previewClicked);
    connect(cmbCim, &QComboBox::activated, this, [this](int i) { addressChosen(cmbCim->itemText(i)); });
    connect(cmbCim->lineEdit(), &QLineEdit::returnPressed, this, [this] { addressChosen(cmbCim->currentText()); });
    connect(cmbNev, &QComboBox::activated, this, [this](int i) { nameChosen(cmbNev->itemText(i)); });
    connect(cmbNev->lineEdit(), &QLineEdit::returnPressed, this, [this] { nameChosen(cmbNev->currentText()); });
    connect(FlatScrollBar1, &QScrollBar::valueChanged, this, [this](int v) {
        m_AktualisLakas = v;
        setColumns();
        reload();
    });
    connect(chkSzemetdij, &QCheckBox::toggled, this, [this] {
        setColumns();
        reload();
    });

    // Opening
    centreOnScreen(QSize(pixels(this, 10230), sizeHint().height()));
    setColumns();
    BeolvasKK();
    BeolvasLakok();
}

void frmElonezet::setColumns() {
    const int* widths = chkSzemetdij->isChecked() ? kWidthsKKSZ : kWidthsKK;
    for (int c = 0; c < 8; ++c) {
        ListView1->setColumnHidden(c, widths[c] == 0);
        if (widths[c] > 0) ListView1->setColumnWidth(c, pixels(this, widths[c]));
    }
}

void frmElonezet::BeolvasKK() {
    load(false);
}
void frmElonezet::BeolvasKKésSz() {
    load(true);
}
void frmElonezet::reload() {
    load(chkSzemetdij->isChecked());
}

void frmElonezet::load(bool withWaste) {
    lbDatum->setText(conv::shortDate(appclock::today()));
    lbFejlec->setText(statement::title(m_yearText));
    if (m_AktualisLakas == 0 && withWaste) return;
    const int count = statement::apartmentCount(m_folder, m_year);
    if (m_AktualisLakas == 0) {
        if (count == 0) return;
        m_AktualisLakas = 1;
    }
    {
        const QSignalBlocker block(FlatScrollBar1);
        FlatScrollBar1->setRange(1, std::max(1, count));
        FlatScrollBar1->setValue(m_AktualisLakas);
    }

    ListView1->clear();
    const auto l = readApartment(m_folder, m_year, m_AktualisLakas);
    if (!l) {
        lbNev->clear();
        lbCim->clear();
        return;
    }
    lbNev->setText(l->Lakok.Nev(1).text());
    lbCim->setText(statement::addressText(*l));
    const auto rows = statement::listRows(statement::table(*l, withWaste), withWaste);
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(ListView1, rows[i]);
        for (int c = 1; c < 8; ++c)
            if (c != 3 && c != 6) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (i + 1 < rows.size()) continue;
        for (int c : statement::boldTotalColumns()) {
            QFont f = item->font(c);
            f.setBold(true);
            item->setFont(c, f);
        }
    }
}

void frmElonezet::BeolvasLakok() {
    const auto lists = statement::searchLists(m_folder, m_year);
    for (auto [combo, texts] : {std::pair{cmbCim, &lists.addresses}, std::pair{cmbNev, &lists.names}}) {
        combo->clear();
        combo->addItems(*texts);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
}

void frmElonezet::addressChosen(const QString& text) {
    if (const int rec = statement::findByAddress(m_folder, m_year, text.trimmed())) {
        cmbNev->setEditText(QString());
        m_AktualisLakas = rec;
    }
    reload();
}

void frmElonezet::nameChosen(const QString& text) {
    if (const int rec = statement::findByName(m_folder, m_year, text.trimmed())) {
        cmbCim->setEditText(QString());
        m_AktualisLakas = rec;
    }
    reload();
}

bool frmElonezet::PrintKK() {
    return printStatement(false);
}
bool frmElonezet::PrintKKésSZ() {
    return printStatement(true);
}

namespace {
// The statement's layout for the printer, or none (with the message shown)
// when the apartment is not in the file.
std::optional<printing::Layout> statementLayout(QWidget* parent, const DataFolder& folder, const QString& year,
                                                const QString& yearText, int rec, bool withWaste, QString* name) {
    const auto l = readApartment(folder, year, rec);
    if (!l) {
        Dialogs::current().message(parent, QStringLiteral("Hiba"),
                                   QStringLiteral("A kiválasztott lakás nem található, nincs mit nyomtatni."),
                                   Dialogs::Icon::Critical);
        return std::nullopt;
    }
    if (name) *name = statement::title(yearText) + QStringLiteral(" - ") + l->Lakok.Nev(1).text();
    const QDate today = appclock::today();
    return [lakas = *l, yearText, today, withWaste](PrinterSurface& s, const PrintProgress&) {
        statement::print(s, lakas, yearText, today, withWaste);
    };
}
}  // namespace

bool frmElonezet::printStatement(bool withWaste) {
    QString name;
    const auto layout = statementLayout(this, m_folder, m_year, m_yearText, m_AktualisLakas, withWaste, &name);
    return layout && printing::printToChoice(Combo2, this, name, *layout);
}

void frmElonezet::printClicked() {
    if (chkSzemetdij->isChecked())
        PrintKKésSZ();
    else
        PrintKK();
}

void frmElonezet::previewClicked() {
    const auto layout =
        statementLayout(this, m_folder, m_year, m_yearText, m_AktualisLakas, chkSzemetdij->isChecked(), nullptr);
    if (layout) printing::PrintDialogs::current().preview(this, windowTitle(), *layout);
}
