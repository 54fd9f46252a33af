#include "frmErtesito.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "letters/picture.h"
#include "letters/printing.h"
#include "letters/templates.h"
#include "register/apartmentlist.h"
#include "reports/printersurface.h"
#include "reports/qt/qtsurface.h"
#include "store/clock.h"
#include "store/conversions.h"
#include "windows/dialogs.h"
#include "windows/frmNaplo.h"
#include "windows/kep_browse.h"
#include "windows/printerchoice.h"
#include "windows/ui.h"

using namespace letters;

namespace {

constexpr double kTw = frmErtesito::TwipsPerPixel;
int px(double twips) {
    return int(std::lround(twips / kTw));
}

// The captions of the editor boxes, by field.
const std::array<const char*, FieldCount> kBoxCaptions{"Fejléc:",      "Levél szövege:",        "Név sor:",
                                                       "Cím sor:",     "Közösköltség felirat:", "Hulladékdíj felirat:",
                                                       "Záró szöveg:", "Közösköltség összeg:",  "Hulladékdíj összeg:",
                                                       "Hely, dátum:", "Összesen felirat:",     "Összesen összeg:"};
// What the boxes hold before the window fills them.
const std::array<const char*, FieldCount> kDesignTexts{
    "", "", "Név:", "Cím:", "Közösköltség tartozás:", "Hulladékdíj tartozás:", "", "", "", "", "Összesen:", ""};

QLabel* hiddenRuler(const QString& name, const QString& tip) {
    auto* l = new QLabel;
    l->setObjectName(name);
    if (!tip.isEmpty()) l->setToolTip(tip);
    l->setVisible(false);
    return l;
}

void setTextColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

}  // namespace

// ---- construction -------------------------------------------------------

frmErtesito::frmErtesito(ErtesitoInputs in, QWidget* parent) : QDialog(parent), m_in(std::move(in)) {
    setObjectName(QStringLiteral("frmErtesito"));
    setWindowTitle(QStringLiteral("Nyomtatvány kitöltő"));
    setModal(true);

    auto* bar = new QMenuBar;
    mnuEnd = bar->addAction(QStringLiteral("&Vissza"));
    mnuEnd->setObjectName(QStringLiteral("mnuEnd"));
    mnuNaplo = bar->addAction(QStringLiteral("Nyomtatási &napló"));
    mnuNaplo->setObjectName(QStringLiteral("mnuNaplo"));

    auto* row = new QHBoxLayout(this);
    row->setMenuBar(bar);
    row->addWidget(buildPage(), 1);
    row->addWidget(buildFields(), 0);
    row->addWidget(buildSettings(), 0);

    bind();
    opening();
}

frmErtesito::~frmErtesito() = default;

QWidget* frmErtesito::buildPage() {
    Frame1 = new QWidget;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("A nyomtatvány lapja"));
    Frame1->setAutoFillBackground(true);
    QPalette white = Frame1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Frame1->setPalette(white);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Shape1 = new QFrame(Frame1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    setTextColor(Shape1, QColor(170, 170, 170));
    Line1 = new QFrame(Frame1);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    setTextColor(Line1, QColor(200, 200, 200));
    for (QWidget* w : std::initializer_list<QWidget*>{Image1, Shape1, Line1})
        w->setAttribute(Qt::WA_TransparentForMouseEvents);

    Image3 = new QLabel(Frame1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setAccessibleName(QStringLiteral("Kép, logó"));
    Image3->setScaledContents(true);
    Image3->setCursor(Qt::SizeAllCursor);
    Image3->installEventFilter(this);
    Image3->hide();

    for (int i = 0; i < FieldCount; ++i) {
        auto* l = new QLabel(Frame1);
        l->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        l->setTextFormat(Qt::PlainText);
        l->setCursor(Qt::OpenHandCursor);
        l->installEventFilter(this);
        Label1[size_t(i)] = l;
    }

    pageArea = new QScrollArea;
    pageArea->setObjectName(QStringLiteral("pageArea"));
    pageArea->setWidget(Frame1);
    Frame1->setBackgroundRole(QPalette::Window);
    Frame1->setPalette(white);
    pageArea->setBackgroundRole(QPalette::Dark);
    pageArea->setAlignment(Qt::AlignHCenter);
    pageArea->setMinimumWidth(px(7626 + 100) + pageArea->verticalScrollBar()->sizeHint().width() + 6);
    return pageArea;
}

QWidget* frmErtesito::buildFields() {
    auto* box = new QGroupBox(QStringLiteral("Az értesítő szövegei"));
    box->setObjectName(QStringLiteral("FrameSzovegek"));
    auto* col = new QVBoxLayout(box);
    col->setSpacing(2);
    for (int i = 0; i < FieldCount; ++i) {
        QWidget* editor = nullptr;
        if (isTextBlock(i)) {
            auto* e = new QPlainTextEdit;
            e->setTabChangesFocus(true);
            e->setFixedHeight(e->fontMetrics().lineSpacing() * 3 + 12);
            e->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            editor = e;
        } else {
            auto* e = new QLineEdit;
            if (i == Fejlec) e->setAlignment(Qt::AlignHCenter);
            if (i == KKOsszeg || i == HOsszeg || i == OsszesenOsszeg) e->setAlignment(Qt::AlignRight);
            if (i == Fejlec) e->setMaxLength(100);
            if (i == KKFelirat || i == HFelirat) e->setMaxLength(35);
            editor = e;
        }
        editor->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        editor->installEventFilter(this);
        Text1[size_t(i)] = editor;
        QLabel* caption = ui::caption(QString::fromUtf8(kBoxCaptions[size_t(i)]), editor);
        caption->setContentsMargins(0, 3, 0, 0);  // room for the accents of capitals
        col->addWidget(caption);
        col->addWidget(editor);
        lbBal[size_t(i)] =
            hiddenRuler(QStringLiteral("lbBal(%1)").arg(i),
                        i == 0 ? QStringLiteral("A szöveg távolsága a nyomtatvány bal szélétől.") : QString());
        lbTop[size_t(i)] =
            hiddenRuler(QStringLiteral("lbTop(%1)").arg(i),
                        i == 0 ? QStringLiteral("A szöveg távolsága a nyomtatvány tetejétől.") : QString());
        col->addWidget(lbBal[size_t(i)]);
        col->addWidget(lbTop[size_t(i)]);
        setBoxText(i, QString::fromUtf8(kDesignTexts[size_t(i)]));
    }
    col->addStretch(1);
    box->setFixedWidth(300);
    return box;
}

QWidget* frmErtesito::buildSettings() {
    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("SettingsSide"));
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(6);

    // Templates
    cmbNyomtatvanyok = ui::combo(QStringLiteral("cmbNyomtatvanyok"), false);
    cmdNyomtatvanySave = ui::button(QStringLiteral("cmdNyomtatvanySave"), QStringLiteral("Értesítő &Mentése"),
                                    QStringLiteral("A kitöltött értesítő mentése."));
    cmdNyomtatvanyDel = ui::button(QStringLiteral("cmdNyomtatvanyDel"), QStringLiteral("Értesítő &Törlése"),
                                   QStringLiteral("A kijelölt elmentett értesítő törlése."));
    auto* templates = new QGridLayout;
    templates->addWidget(ui::caption(QStringLiteral("Elmentett értesítők:"), cmbNyomtatvanyok), 0, 0, 1, 2);
    templates->addWidget(cmbNyomtatvanyok, 1, 0, 1, 2);
    templates->addWidget(cmdNyomtatvanySave, 2, 0);
    templates->addWidget(cmdNyomtatvanyDel, 2, 1);
    col->addLayout(templates);

    // Font
    cmbBetuTipus = ui::combo(QStringLiteral("cmbBetuTipus"), true);
    cmbBetuMeret = ui::combo(QStringLiteral("cmbBetuMeret"), true);
    cmbBetuMeret->setValidator(new QIntValidator(1, 999, cmbBetuMeret));
    cmbBetuMeret->setFixedWidth(64);
    auto* font = new QHBoxLayout;
    font->addWidget(ui::caption(QStringLiteral("Betűtípus:"), cmbBetuTipus));
    font->addWidget(cmbBetuTipus, 1);
    font->addWidget(ui::caption(QStringLiteral("Méret"), cmbBetuMeret));
    font->addWidget(cmbBetuMeret);
    col->addLayout(font);

    // Paper size and orientation
    FramePapir = new QGroupBox(QStringLiteral("Papírméret"));
    FramePapir->setObjectName(QStringLiteral("FramePapir"));
    opA4 = new QRadioButton(QStringLiteral("A4-es"));
    opA4->setObjectName(QStringLiteral("opA4"));
    opA5 = new QRadioButton(QStringLiteral("A5-ös"));
    opA5->setObjectName(QStringLiteral("opA5"));
    opEgyedi = new QRadioButton(QStringLiteral("Egyedi"));
    opEgyedi->setObjectName(QStringLiteral("opEgyedi"));
    txtSzeles = ui::lineEdit(QStringLiteral("txtSzeles"), 4);
    txtMagas = ui::lineEdit(QStringLiteral("txtMagas"), 4);
    for (QLineEdit* e : {txtSzeles, txtMagas}) {
        e->setValidator(new QIntValidator(1, 2000, e));
        e->setFixedWidth(56);
    }
    cmdPapirMeret =
        ui::button(QStringLiteral("cmdPapirMeret"), QStringLiteral("OK"), QStringLiteral("Egyedi méret elfogadása."));
    auto* pg = new QGridLayout(FramePapir);
    pg->addWidget(opA4, 0, 0, 1, 2);
    pg->addWidget(opA5, 0, 2, 1, 2);
    pg->addWidget(opEgyedi, 0, 4, 1, 2);
    int pr = 1;
    for (auto [e, text] : {std::pair{txtSzeles, "Szélesség:"}, std::pair{txtMagas, "Magasság:"}}) {
        pg->addWidget(ui::caption(QString::fromUtf8(text), e), pr, 0, 1, 2);
        pg->addWidget(e, pr, 2);
        pg->addWidget(new QLabel(QStringLiteral("mm")), pr, 3);
        ++pr;
    }
    pg->addWidget(cmdPapirMeret, 2, 4, 1, 2);
    col->addWidget(FramePapir);

    auto* orient = new QGroupBox(QStringLiteral("Nyomtatási pozíció"));
    orient->setObjectName(QStringLiteral("FrameOrientacio"));
    opOrientacio[0] = new QRadioButton(QStringLiteral("Fekvő"));
    opOrientacio[1] = new QRadioButton(QStringLiteral("Álló   nyomtatás"));
    auto* og = new QHBoxLayout(orient);
    for (int k = 0; k < 2; ++k) {
        opOrientacio[size_t(k)]->setObjectName(QStringLiteral("opOrientacio(%1)").arg(k));
        og->addWidget(opOrientacio[size_t(k)]);
    }
    og->addStretch(1);
    col->addWidget(orient);

    // Corrections
    txtXkorrekcio = ui::lineEdit(QStringLiteral("txtXkorrekcio"), 4);
    txtYkorrekcio = ui::lineEdit(QStringLiteral("txtYkorrekcio"), 4);
    auto* corr = new QGridLayout;
    int r = 0;
    for (auto [e, text] :
         {std::pair{txtXkorrekcio, "Vízszintes korrekció:"}, std::pair{txtYkorrekcio, "Függőleges korrekció:"}}) {
        e->setValidator(new QIntValidator(-999, 999, e));
        e->setText(QStringLiteral("0"));
        e->setFixedWidth(56);
        corr->addWidget(ui::caption(QString::fromUtf8(text), e), r, 0);
        corr->addWidget(e, r, 1);
        corr->addWidget(new QLabel(QStringLiteral("mm")), r, 2);
        ++r;
    }
    corr->setColumnStretch(3, 1);
    col->addLayout(corr);

    // Picture
    chkLogo = new QCheckBox(QStringLiteral("Kép, logó nyomtatása"));
    chkLogo->setObjectName(QStringLiteral("chkLogo"));
    col->addWidget(chkLogo);
    Frame5 = new QGroupBox(QStringLiteral("Kép helyzete és mérete"));
    Frame5->setObjectName(QStringLiteral("Frame5"));
    lbXpoz = ui::valueLabel(QStringLiteral("lbXpoz"));
    lbXpoz->setToolTip(QStringLiteral("A kép helyzete a bal margótól"));
    lbYpoz = ui::valueLabel(QStringLiteral("lbYpoz"));
    lbYpoz->setToolTip(QStringLiteral("A kép helyzete a felső margótól."));
    lbSzeles = ui::valueLabel(QStringLiteral("lbSzeles"));
    lbMagas = ui::valueLabel(QStringLiteral("lbMagas"));
    HScroll1 = new QSlider(Qt::Horizontal);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("A kép mérete"));
    HScroll1->setRange(SliderMinimum, 7626);
    HScroll1->setSingleStep(20);
    HScroll1->setPageStep(200);
    cmdKepek = ui::button(QStringLiteral("cmdKepek"), QStringLiteral("Kép keresés"),
                          QStringLiteral("Kép keresése saját gépen..."));
    cmdKepMentese = ui::button(QStringLiteral("cmdKepMentese"), QStringLiteral("Kép mentése"));
    auto* fg = new QGridLayout(Frame5);
    fg->addWidget(ui::caption(QStringLiteral("Bal margó"), lbXpoz), 0, 0);
    fg->addWidget(lbXpoz, 0, 1);
    fg->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
    fg->addWidget(ui::caption(QStringLiteral("Felső margó"), lbYpoz), 0, 3);
    fg->addWidget(lbYpoz, 0, 4);
    fg->addWidget(new QLabel(QStringLiteral("mm")), 0, 5);
    fg->addWidget(ui::caption(QStringLiteral("méret:"), lbSzeles), 1, 0);
    fg->addWidget(lbSzeles, 1, 1, 1, 2);
    fg->addWidget(new QLabel(QStringLiteral("×")), 1, 3, Qt::AlignRight);
    fg->addWidget(lbMagas, 1, 4, 1, 2);
    fg->addWidget(HScroll1, 2, 0, 1, 6);
    fg->addWidget(cmdKepek, 3, 0, 1, 3);
    fg->addWidget(cmdKepMentese, 3, 3, 1, 3);
    col->addWidget(Frame5);

    // Printing
    Combo2 = ui::combo(QStringLiteral("Combo2"), false);
    auto* printer = new QHBoxLayout;
    printer->addWidget(ui::caption(QStringLiteral("Nyomtató:"), Combo2));
    printer->addWidget(Combo2, 1);
    col->addLayout(printer);
    cmdPrint = ui::button(QStringLiteral("cmdPrint"), QStringLiteral("&Nyomtatás (Kijelölt lakás)"),
                          QStringLiteral("A listában kijelölt lakás"));
    cmdMindPrint = ui::button(QStringLiteral("cmdMindPrint"), QStringLiteral("Ny&omtatás (0-db.)"),
                              QStringLiteral("A listában kigyűjtött lakások"));
    cmdPrintElonezet = ui::button(QStringLiteral("cmdPrintElonezet"), QStringLiteral("&Előnézet"),
                                  QStringLiteral("A kijelölt lakás értesítőjének nyomtatási előnézete"));
    cmdMindPrintElonezet =
        ui::button(QStringLiteral("cmdMindPrintElonezet"), QStringLiteral("Előnézet (ö&sszes)"),
                   QStringLiteral("A listában kigyűjtött lakások értesítőinek nyomtatási előnézete"));
    auto* prints = new QGridLayout;
    prints->addWidget(cmdPrint, 0, 0);
    prints->addWidget(cmdPrintElonezet, 0, 1);
    prints->addWidget(cmdMindPrint, 1, 0);
    prints->addWidget(cmdMindPrintElonezet, 1, 1);
    prints->setColumnStretch(0, 1);
    col->addLayout(prints);
    col->addStretch(1);
    side->setFixedWidth(360);
    return side;
}

// ---- binding ------------------------------------------------------------

void frmErtesito::bind() {
    connect(mnuEnd, &QAction::triggered, this, &QDialog::close);
    connect(mnuNaplo, &QAction::triggered, this, &frmErtesito::openJournal);
    for (int i = 0; i < FieldCount; ++i) {
        if (auto* e = qobject_cast<QLineEdit*>(Text1[size_t(i)]))
            connect(e, &QLineEdit::textChanged, this, [this, i] { boxChanged(i); });
        else
            connect(static_cast<QPlainTextEdit*>(Text1[size_t(i)]), &QPlainTextEdit::textChanged, this,
                    [this, i] { boxChanged(i); });
    }
    connect(cmbNyomtatvanyok, &QComboBox::activated, this,
            [this](int index) { templateChosen(cmbNyomtatvanyok->itemText(index)); });
    connect(cmdNyomtatvanySave, &QPushButton::clicked, this, &frmErtesito::saveClicked);
    connect(cmdNyomtatvanyDel, &QPushButton::clicked, this, &frmErtesito::deleteClicked);
    connect(cmbBetuTipus, &QComboBox::currentTextChanged, this, &frmErtesito::applyFont);
    connect(cmbBetuMeret, &QComboBox::activated, this, &frmErtesito::sizeBoxDone);
    connect(cmbBetuMeret->lineEdit(), &QLineEdit::editingFinished, this, &frmErtesito::sizeBoxDone);
    connect(opA4, &QRadioButton::clicked, this, [this] { paperChosen(Paper::A4); });
    connect(opA5, &QRadioButton::clicked, this, [this] { paperChosen(Paper::A5); });
    connect(opEgyedi, &QRadioButton::clicked, this, [this] { paperChosen(Paper::Egyedi); });
    connect(cmdPapirMeret, &QPushButton::clicked, this, &frmErtesito::applyPaperSize);
    connect(chkLogo, &QCheckBox::toggled, this, &frmErtesito::showPicture);
    connect(HScroll1, &QSlider::valueChanged, this, &frmErtesito::applySlider);
    connect(cmdKepek, &QPushButton::clicked, this, &frmErtesito::choosePicture);
    connect(cmdKepMentese, &QPushButton::clicked, this, &frmErtesito::savePicture);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { printLetters(false); });
    connect(cmdMindPrint, &QPushButton::clicked, this, [this] { printLetters(true); });
    connect(cmdPrintElonezet, &QPushButton::clicked, this, [this] { previewLetters(false); });
    connect(cmdMindPrintElonezet, &QPushButton::clicked, this, [this] { previewLetters(true); });
}

// ---- opening ------------------------------------------------------------

void frmErtesito::opening() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1340, avail.width()), std::min(700, avail.height() - 40));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    printing::fillPrinterCombo(Combo2);
    cmdMindPrint->setText(QStringLiteral("Ny&omtatás (") + QString::number(m_in.listed.size()) +
                          QStringLiteral("-db.)"));

    for (int i = 0; i < FieldCount; ++i) boxChanged(i);
    // The selected apartment.
    if (const auto l = readApartment(m_in.folder, m_in.year, m_in.rec)) {
        const AmountTexts amounts = amountsFromCaptions(m_in.kkCaption, m_in.hCaption);
        setBoxText(NevSor, nameLine(*l));
        setBoxText(CimSor, addressText(*l));
        setBoxText(KKFelirat, QStringLiteral("Közösköltség tartozás: "));
        setBoxText(HFelirat, QStringLiteral("Hulladék díj tartozás: "));
        setBoxText(KKOsszeg, amounts.kk);
        setBoxText(HOsszeg, amounts.h);
        setBoxText(OsszesenOsszeg, amounts.total);
        setBoxText(HelyDatum, placeAndDate(*l, conv::shortDate(appclock::today())));
    }
    Label1[Szoveg1]->clear();

    // Templates: the first one is loaded.
    opA4->setChecked(true);
    opOrientacio[1]->setChecked(true);
    paperChosen(Paper::A4);
    fillTemplates(0);
    if (cmbNyomtatvanyok->count() > 0) templateChosen(cmbNyomtatvanyok->itemText(0));

    // Font: size 12 and Times New Roman, whatever the template holds.
    cmbBetuMeret->clear();
    cmbBetuMeret->addItems({QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14")});
    cmbBetuMeret->setCurrentText(DefaultFontSize);
    QStringList fonts = QtPrinterSurface().fonts();
    for (const char* face : {"Courier New", "Times New Roman", "Times New Roman CE"})
        if (!fonts.contains(QString::fromLatin1(face))) fonts.append(QString::fromLatin1(face));
    fonts.sort(Qt::CaseInsensitive);
    {
        const QSignalBlocker block(cmbBetuTipus);
        cmbBetuTipus->clear();
        cmbBetuTipus->addItems(fonts);
    }
    cmbBetuTipus->setCurrentText(QStringLiteral("Times New Roman"));
    applyFont();

    loadSavedPicture();
    showPicture();
}

void frmErtesito::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applySlider();
}

// ---- the fields ---------------------------------------------------------

QString frmErtesito::boxText(int i) const {
    if (auto* e = qobject_cast<QLineEdit*>(Text1[size_t(i)])) return e->text();
    return static_cast<QPlainTextEdit*>(Text1[size_t(i)])->toPlainText();
}

void frmErtesito::setBoxText(int i, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(Text1[size_t(i)]))
        e->setText(text);
    else
        static_cast<QPlainTextEdit*>(Text1[size_t(i)])->setPlainText(text);
}

void frmErtesito::boxChanged(int i) {
    QLabel* l = Label1[size_t(i)];
    l->setText(boxText(i));
    l->adjustSize();
    if (i == Fejlec) centreHeading();
}

void frmErtesito::centreHeading() {
    m_pos[Fejlec].left = (m_page.width + 100 - Label1[Fejlec]->width() * kTw) / 2;
    placeField(Fejlec);
}

void frmErtesito::placeField(int i) {
    const Pos& p = m_pos[size_t(i)];
    Label1[size_t(i)]->move(px(p.left), px(p.top));
    lbBal[size_t(i)]->setText(rulerText(p.left));
    lbTop[size_t(i)]->setText(rulerText(p.top));
}

void frmErtesito::placeFields() {
    for (int i = 0; i < FieldCount; ++i) placeField(i);
}

void frmErtesito::applyFont() {
    const auto points = screenPoints(cmbBetuMeret->currentText());
    if (!points) {
        cmbBetuMeret->setCurrentText(DefaultFontSize);
        return applyFont();
    }
    QFont f(cmbBetuTipus->currentText().trimmed());
    f.setPointSizeF(*points);
    for (QLabel* l : Label1) {
        l->setFont(f);
        l->adjustSize();
    }
    centreHeading();
}

void frmErtesito::sizeBoxDone() {
    if (!screenPoints(cmbBetuMeret->currentText())) cmbBetuMeret->setCurrentText(DefaultFontSize);
    applyFont();
}

bool frmErtesito::eventFilter(QObject* watched, QEvent* event) {
    // While a box has the focus its field is red on the page.
    for (int i = 0; i < FieldCount; ++i) {
        if (watched != Text1[size_t(i)]) continue;
        if (event->type() == QEvent::FocusIn) setTextColor(Label1[size_t(i)], Qt::red);
        if (event->type() == QEvent::FocusOut) setTextColor(Label1[size_t(i)], Qt::black);
        return false;
    }
    // Dragging a field or the picture.
    const auto dragged = [&]() -> int {
        if (watched == Image3) return FieldCount;
        for (int i = 0; i < FieldCount; ++i)
            if (watched == Label1[size_t(i)]) return i;
        return -1;
    }();
    const auto* me = dynamic_cast<QMouseEvent*>(event);
    if (dragged < 0 || !me) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (me->button() != Qt::LeftButton) break;
            m_drag = dragged;
            m_grab = QPointF(std::round(me->position().x() * kTw), std::round(me->position().y() * kTw));
            return true;
        case QEvent::MouseMove: {
            if (m_drag != dragged) break;
            const double dx = me->position().x() * kTw - m_grab.x();
            const double dy = me->position().y() * kTw - m_grab.y();
            if (dragged == FieldCount) {
                m_picture.left += dx;
                m_picture.top += dy;
                Image3->move(px(m_picture.left), px(m_picture.top));
                pictureCaptions();
            } else {
                dragField(m_pos, dragged, dx, dy);
                placeFields();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (m_drag != dragged) break;
            m_drag = -1;
            return true;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

LetterPage frmErtesito::letterPage() const {
    LetterPage page;
    for (int i = 0; i < FieldCount; ++i) page.texts[size_t(i)] = Label1[size_t(i)]->text();
    page.positions = m_pos;
    page.xKorr = int(conv::numericValue(txtXkorrekcio->text()));
    page.yKorr = int(conv::numericValue(txtYkorrekcio->text()));
    page.fontName = cmbBetuTipus->currentText().trimmed();
    page.fontSize = int(conv::numericValue(cmbBetuMeret->currentText()));
    page.landscape = opOrientacio[0]->isChecked();
    page.picture = m_picture;
    page.picture.print = chkLogo->isChecked() && pictureLoaded();
    return page;
}

// ---- templates ----------------------------------------------------------

void frmErtesito::fillTemplates(int select) {
    cmbNyomtatvanyok->clear();
    cmbNyomtatvanyok->addItems(templateNames(m_in.folder));
    cmbNyomtatvanyok->setCurrentIndex(select < cmbNyomtatvanyok->count() ? select : -1);
}

void frmErtesito::templateChosen(const QString& name) {
    if (const auto found = findTemplate(m_in.folder, name)) {
        const Design& d = found->design;
        cmdNyomtatvanyDel->setEnabled(true);
        m_KivalasztottNy = found->rec;
        m_pos = d.positions;
        placeFields();
        setBoxText(Fejlec, d.fejlec);
        setBoxText(Szoveg2, d.szoveg2);
        setBoxText(Szoveg1, d.szoveg1);
        setBoxText(KKFelirat, d.kkFelirat);
        setBoxText(HFelirat, d.hFelirat);
        cmbBetuMeret->setCurrentText(QString::number(d.fontSize));
        cmbBetuTipus->setCurrentText(d.fontName);
        applyFont();
        txtYkorrekcio->setText(QString::number(d.yKorr));
        txtXkorrekcio->setText(QString::number(d.xKorr));
        m_HatterKep = found->background;
        opOrientacio[d.landscape ? 0 : 1]->setChecked(true);
        if (d.paper == Paper::A4) opA4->setChecked(true), paperChosen(Paper::A4);
        if (d.paper == Paper::A5) opA5->setChecked(true), paperChosen(Paper::A5);
        if (d.paper == Paper::Egyedi) {
            opEgyedi->setChecked(true);
            txtMagas->setText(QString::number(d.magas));
            txtSzeles->setText(QString::number(d.szeles));
            cmdPapirMeret->setEnabled(true);
            applyPaperSize();
        }
    }
    // The page picture from the template's background path; one that does
    // not load leaves the page as it was.
    QImageReader reader(m_HatterKep.trimmed());
    const QImage background = reader.read();
    if (!background.isNull()) Image1->setPixmap(QPixmap::fromImage(background));
}

Design frmErtesito::design() const {
    Design d;
    d.positions = m_pos;
    d.fejlec = boxText(Fejlec);
    d.szoveg2 = boxText(Szoveg2);
    d.szoveg1 = boxText(Szoveg1);
    d.kkFelirat = boxText(KKFelirat);
    d.hFelirat = boxText(HFelirat);
    d.fontName = cmbBetuTipus->currentText();
    d.fontSize = int(conv::numericValue(cmbBetuMeret->currentText()));
    d.xKorr = int(conv::numericValue(txtXkorrekcio->text()));
    d.yKorr = int(conv::numericValue(txtYkorrekcio->text()));
    d.landscape = opOrientacio[0]->isChecked();
    d.paper = paper();
    d.szeles = int(conv::numericValue(txtSzeles->text()));
    d.magas = int(conv::numericValue(txtMagas->text()));
    return d;
}

void frmErtesito::saveClicked() {
    const QString name =
        Dialogs::current().input(this, QStringLiteral("Értesítés mentése!"),
                                 QStringLiteral("Kérem adja meg az értesítés nevét (max. 50 karakter)."), QString());
    if (name.isEmpty()) return;
    const QString error = saveTemplate(m_in.folder, design(), name);
    if (!error.isEmpty()) Dialogs::current().message(this, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
    // The list is refilled; the template selected before stays selected.
    fillTemplates(m_KivalasztottNy - 1);
}

void frmErtesito::deleteClicked() {
    if (m_KivalasztottNy < 1) return;
    if (!Dialogs::current().question(this, QStringLiteral(" Törlés "),
                                     QStringLiteral("Biztos törölhető a kijelölt nyomtatvány?\n\n"),
                                     Dialogs::Default::No))
        return;
    const QString error = deleteTemplate(m_in.folder, m_KivalasztottNy);
    if (!error.isEmpty()) {
        Dialogs::current().message(this, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
        return;
    }
    m_KivalasztottNy = 0;
    cmdNyomtatvanyDel->setEnabled(false);
    fillTemplates(-1);
}

// ---- paper --------------------------------------------------------------

Paper frmErtesito::paper() const {
    if (opA4->isChecked()) return Paper::A4;
    if (opA5->isChecked()) return Paper::A5;
    if (opEgyedi->isChecked()) return Paper::Egyedi;
    return Paper::None;
}

void frmErtesito::paperChosen(Paper p) {
    if (p == Paper::Egyedi) {
        txtSzeles->clear();
        txtMagas->clear();
        txtSzeles->setFocus();
        cmdPapirMeret->setEnabled(true);
        return;
    }
    const PaperBoxes boxes = paperBoxes(p);
    txtSzeles->setText(QString::number(boxes.width));
    txtMagas->setText(QString::number(boxes.height));
    applyPaperSize();
    cmdPapirMeret->setEnabled(false);
}

void frmErtesito::applyPaperSize() {
    const auto size = pagePicture(paper(), txtSzeles->text().toInt(), txtMagas->text().toInt());
    if (!size) return;  // a custom size without both sides: the page stays as it was
    m_page = *size;
    const double frameHeight = paper() == Paper::A4 ? 10875 : paper() == Paper::A5 ? 5480 : m_page.height + 100;
    Frame1->setFixedSize(px(m_page.width + 100), px(frameHeight));
    Image1->setGeometry(0, 0, px(m_page.width), px(m_page.height));
    Shape1->setGeometry(px(450), px(450), px(m_page.width - 900), px(m_page.height - 900));
    Line1->setGeometry(px(m_page.width / 2) - 1, 0, 3, px(m_page.height));
    centreHeading();
    if (!m_image.isNull()) HScroll1->setMaximum(sliderMaximum(m_image.width(), m_image.height(), m_page));
}

// ---- picture ------------------------------------------------------------

void frmErtesito::loadSavedPicture() {
    m_picture.left = m_picture.top = 450;
    const auto saved = readSavedPicture(m_in.folder);
    if (!saved) return;
    m_picture.left = saved->left;
    m_picture.top = saved->top;
    m_picture.width = saved->width;
    m_picture.height = saved->height;
    m_picture.path = saved->path;
    const QSignalBlocker block(HScroll1);
    HScroll1->setValue(int(std::lround(std::max(saved->width, saved->height))));
    pictureCaptions();
}

bool frmErtesito::loadImage(const QString& path, QString* error) {
    if (path == m_imagePath && !m_image.isNull()) return true;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error) *error = reader.errorString();
        return false;
    }
    m_image = image;
    m_imagePath = path;
    Image3->setPixmap(QPixmap::fromImage(image));
    return true;
}

void frmErtesito::fitPicture(double side) {
    const PictureSize fitted = fitInSquare(m_image.width(), m_image.height(), side);
    m_picture.width = fitted.width;
    m_picture.height = fitted.height;
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setMaximum(sliderMaximum(m_image.width(), m_image.height(), m_page));
        HScroll1->setValue(int(std::lround(side)));
    }
    Image3->setGeometry(px(m_picture.left), px(m_picture.top), std::max(1, px(m_picture.width)),
                        std::max(1, px(m_picture.height)));
    pictureCaptions();
    showPicture();
}

void frmErtesito::applySlider() {
    if (m_picture.path.isEmpty() || !loadImage(m_picture.path)) return;
    fitPicture(HScroll1->value());
}

void frmErtesito::showPicture() {
    const bool on = chkLogo->isChecked();
    Frame5->setVisible(on);
    Image3->setVisible(on && pictureLoaded());
}

void frmErtesito::pictureCaptions() {
    lbXpoz->setText(QString::number(positionMm(m_picture.left)));
    lbYpoz->setText(QString::number(positionMm(m_picture.top)));
    lbSzeles->setText(sizeCaption(m_picture.width));
    lbMagas->setText(sizeCaption(m_picture.height));
}

void frmErtesito::choosePicture() {
    kep_browse picker(m_in.folder, this);
    picker.exec();
    const QString path = picker.acceptedPath();
    QString error;
    if (path.isEmpty()) {
        // cancelled: the picture stays as it was
    } else if (loadImage(path, &error)) {
        m_picture.path = path;
        fitPicture(AcceptedSide);
    } else {
        Dialogs::current().message(this, hiba::Title, hiba::text(hiba::TypeMismatch, error), Dialogs::Icon::NoIcon);
    }
    pictureCaptions();
}

void frmErtesito::savePicture() {
    const QString error = saveSavedPicture(
        m_in.folder, SavedPicture{m_picture.path, m_picture.left, m_picture.top, m_picture.width, m_picture.height});
    if (!error.isEmpty()) Dialogs::current().message(this, QStringLiteral("Hiba"), error, Dialogs::Icon::Critical);
}

// ---- printing -----------------------------------------------------------

LetterRun frmErtesito::run() const {
    return LetterRun{m_in.year, cmbNyomtatvanyok->currentText(), appclock::today()};
}

void frmErtesito::printLetters(bool listed) {
    if (listed && m_in.listed.empty()) return;
    const bool pdf = Combo2->currentText() == printing::pdfEntry();
    const auto surface = printing::surfaceForChoice(Combo2, this, windowTitle());
    if (!surface) return;
    const LetterPage page = letterPage();
    RunResult r;
    printing::run(*surface, this, [&](PrinterSurface& s, const PrintProgress& progress) {
        r = listed ? letters::printListed(s, m_in.folder, run(), m_in.listed, page,
                                          pdf ? Output::OneDocument : Output::JobPerLetter, progress)
                   : letters::printSelected(s, m_in.folder, run(), m_in.rec, page);
    });
    showFailure(r);
    if (r.cancelled && r.printed > 0)
        Dialogs::current().message(this, QStringLiteral("Nyomtatás"),
                                   QStringLiteral("A nyomtatás megszakadt: %1 értesítő készült el, ezek a nyomtatási "
                                                  "naplóba is bekerültek.")
                                       .arg(r.printed),
                                   Dialogs::Icon::Information);
}

void frmErtesito::previewLetters(bool listed) {
    if (listed && m_in.listed.empty()) return;
    const LetterPage page = letterPage();
    const std::vector<int> recs = listed ? m_in.listed : std::vector<int>{m_in.rec};
    RunResult laid;
    const bool printed = printing::PrintDialogs::current().preview(
        this, windowTitle(), [&](PrinterSurface& s, const PrintProgress& progress) {
            laid = layOutLetters(s, m_in.folder, run(), recs, page, listed, progress);
        });
    // Printed from the preview: the letters go into the journal.
    showFailure(printed ? recordLetters(laid, m_in.folder, m_in.year) : laid);
}

void frmErtesito::showFailure(const RunResult& r) {
    // A failed printer or file is shown by the printing itself.
    if (!r.ok() && !r.printFailed)
        Dialogs::current().message(this, QStringLiteral("Hiba"), r.error, Dialogs::Icon::Critical);
}

void frmErtesito::openJournal() {
    frmNaplo journal(m_in.folder, m_in.year, this);
    journal.exec();
}
