#include "kep_browse.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "letters/picture.h"
#include "windows/dialogs.h"
#include "windows/ui.h"

using namespace letters;

namespace {
const QString kUp = QStringLiteral("..");
}

kep_browse::kep_browse(const DataFolder& folder, QWidget* parent) : QDialog(parent), m_folder(folder) {
    setObjectName(QStringLiteral("kep_browse"));
    setWindowTitle(QStringLiteral("Kép keresés"));
    setModal(true);

    Drive1 = ui::combo(QStringLiteral("Drive1"), false);
    Drive1->setAccessibleName(QStringLiteral("Meghajtók"));
    Dir1 = new QListWidget;
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setAccessibleName(QStringLiteral("Mappák"));
    File1 = new QListWidget;
    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("Fájlok"));
    Label1 = ui::valueLabel(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Text1 = ui::lineEdit(QStringLiteral("Text1"));
    Option1[0] = new QRadioButton(QStringLiteral("*.*   összes"));
    Option1[1] = new QRadioButton(QStringLiteral("*.jpg; *.gif; *.bmp -  kép fájl"));
    for (int k = 0; k < 2; ++k) Option1[size_t(k)]->setObjectName(QStringLiteral("Option1(%1)").arg(k));
    Option1[1]->setChecked(true);
    Command1 = ui::button(QStringLiteral("Command1"), QStringLiteral("C:\\"),
                          QStringLiteral("Aktuális meghajtó gyökérkönyvtárba ugrás..."));
    Command1->setAccessibleName(QStringLiteral("Ugrás a meghajtó gyökerébe"));
    Check1 = new QCheckBox(QStringLiteral("Preview"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Képek előnézete. Lassítja a futást gyengébb gépeknél..."));
    Check1->setChecked(true);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Előnézet"));
    Image1->setFixedSize(PreviewPixels, PreviewPixels);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    Command2 = ui::button(QStringLiteral("Command2"), QStringLiteral("&Rendben"),
                          QStringLiteral("A kijelölt kép elfogadása."));
    Command2->setEnabled(false);
    Command2->setDefault(true);
    Command3 = ui::button(QStringLiteral("Command3"), QStringLiteral("&Mégsem"));

    auto* left = new QVBoxLayout;
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(Drive1, 1);
    driveRow->addWidget(Command1);
    left->addLayout(driveRow);
    left->addWidget(Dir1, 1);
    left->addWidget(Label1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(ui::caption(QStringLiteral("Keresés szűkítése:"), Text1));
    middle->addWidget(Text1);
    middle->addWidget(File1, 1);
    middle->addWidget(Option1[0]);
    middle->addWidget(Option1[1]);
    auto* right = new QVBoxLayout;
    right->addWidget(Image1);
    right->addWidget(Check1);
    right->addStretch(1);
    right->addWidget(Command2);
    right->addWidget(Command3);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left, 1);
    row->addLayout(middle, 1);
    row->addLayout(right);
    resize(820, 440);

    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) Drive1->addItem(v.rootPath());

    connect(Drive1, &QComboBox::activated, this, &kep_browse::driveChosen);
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target =
            item->text() == kUp ? QFileInfo(m_dir).dir().absolutePath() : QDir(m_dir).filePath(item->text());
        showFolder(target, true);
    });
    connect(File1, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) fileClicked(name);
    });
    for (QRadioButton* o : Option1) connect(o, &QRadioButton::clicked, this, [this] { listFiles(true); });
    connect(Command1, &QPushButton::clicked, this, &kep_browse::rootClicked);
    connect(Text1, &QLineEdit::textEdited, this, &kep_browse::searchTyped);
    connect(Command2, &QPushButton::clicked, this, &kep_browse::acceptClicked);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);

    // The folder of the last visit, else the data folder.
    const QString last = readLastFolder(m_folder);
    showFolder(!last.isEmpty() && QFileInfo(last).isDir() ? last : m_folder.root(), false);
    Text1->setFocus();
}

void kep_browse::showFolder(const QString& path, bool selectFirst) {
    m_dir = QDir(path).absolutePath();
    Dir1->clear();
    if (!QDir(m_dir).isRoot()) Dir1->addItem(kUp);
    Dir1->addItems(subfolders(m_dir));
    Label1->setText(QDir::toNativeSeparators(m_dir));
    const QString root = QStorageInfo(m_dir).rootPath();
    Command1->setText(QDir::toNativeSeparators(root.isEmpty() ? QDir::rootPath() : root));
    Drive1->setCurrentIndex(Drive1->findText(root));
    listFiles(selectFirst);
}

void kep_browse::listFiles(bool selectFirst) {
    const QSignalBlocker block(File1);
    File1->clear();
    File1->addItems(matchingFiles(m_dir, pickerFilters(Option1[1]->isChecked(), Text1->text())));
    Image1->clear();
    if (selectFirst && File1->count() > 0) {
        File1->setCurrentRow(0);
        fileClicked(File1->item(0)->text());
    }
}

void kep_browse::fileClicked(const QString& name) {
    Command2->setEnabled(false);
    Command2->setText(QStringLiteral("Kis Türelem..."));
    m_clicked = QDir(m_dir).filePath(name);
    const bool picture = Check1->isChecked() ? KepBetoltes2(m_clicked) : hasPictureExtension(name);
    Command2->setEnabled(picture);
    Command2->setText(picture ? QStringLiteral("&Rendben") : QStringLiteral("Nem kép fájl..."));
}

bool kep_browse::KepBetoltes2(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        Image1->clear();
        return false;
    }
    const PictureSize s = fitInSquare(image.width(), image.height(), PreviewPixels);
    Image1->setPixmap(QPixmap::fromImage(image.scaled(int(std::lround(s.width)), int(std::lround(s.height)),
                                                      Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return true;
}

void kep_browse::driveChosen(int index) {
    const QString root = Drive1->itemText(index);
    const QStorageInfo volume(root);
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(root).isReadable()) {
        error(hiba::DeviceUnavailable, QStringLiteral("A meghajtó nem olvasható: ") + QDir::toNativeSeparators(root));
        return;
    }
    showFolder(root, true);
}

void kep_browse::rootClicked() {
    showFolder(QStorageInfo(m_dir).rootPath(), true);
}

void kep_browse::searchTyped(const QString&) {
    listFiles(true);
    Text1->setFocus();
}

void kep_browse::acceptClicked() {
    if (m_clicked.isEmpty()) return;
    m_accepted = m_clicked;
    accept();
}

void kep_browse::error(int code, const QString& description) {
    Dialogs::current().message(this, hiba::Title, hiba::text(code, description), Dialogs::Icon::NoIcon);
}

void kep_browse::done(int result) {
    writeLastFolder(m_folder, m_dir);
    QDialog::done(result);
}
