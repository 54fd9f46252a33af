#include "frmVisszatoltes.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "store/backup.h"
#include "windows/ui.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
const QString kUp = QStringLiteral("..");
}  // namespace

frmVisszatoltes::frmVisszatoltes(const DataFolder& folder, const QString& year, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVisszatoltes"));
    setWindowTitle(QStringLiteral("Form1"));
    setAccessibleName(QStringLiteral("Adatok visszatöltése"));
    setModal(true);

    Dir1 = ui::listView(QStringLiteral("Dir1"), {QStringLiteral("Mappa"), QStringLiteral("Ideje")},
                        QStringLiteral("Mentések mappái"));
    Dir1->setColumnWidth(0, 130);
    Dir1->header()->setStretchLastSection(true);
    File1 = new QListWidget;
    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("A mappa fájljai"));
    Label2_0 = ui::caption(QStringLiteral("Mentés helye:"), Dir1, QStringLiteral("Label2(0)"));
    Label2_1 = ui::caption(QStringLiteral("Mentett adatok:"), File1, QStringLiteral("Label2(1)"));
    Label1 = ui::valueLabel(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Command1 = ui::button(QStringLiteral("Command1"), QStringLiteral("&Visszatöltés"));
    Command2 = ui::button(QStringLiteral("Command2"), QStringLiteral("&Mégsem"));
    for (QPushButton* b : {Command1, Command2}) b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label2_0, 0, 0);
    grid->addWidget(Label2_1, 0, 1);
    grid->addWidget(Dir1, 1, 0);
    grid->addWidget(File1, 1, 1);
    grid->addWidget(Label1, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    ui::tabOrder({Dir1, File1, Command1, Command2});
    resize(640, 420);

    connect(Dir1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->text(0) != kUp) choose(item->data(0, kPathRole).toString());
    });
    connect(Dir1, &QTreeWidget::itemActivated, this, &frmVisszatoltes::activated);
    connect(Command1, &QPushButton::clicked, this, [this] {
        m_ValasztottMentes = m_chosen.trimmed();
        accept();
    });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    // The year's backups; a year without them shows its own folder, with no
    // folder chosen yet.
    const QString root = backup::root(folder, year);
    if (folder.fs().dirExists(root)) {
        openFolder(root);
    } else {
        openFolder(folder.yearFolder(year));
        choose(QString());
    }
    Dir1->setFocus();
}

void frmVisszatoltes::openFolder(const QString& path) {
    m_shown = QDir::cleanPath(path);
    const QSignalBlocker block(Dir1);
    Dir1->clear();
    auto* up = new QTreeWidgetItem(Dir1, QStringList{kUp});
    up->setData(0, kPathRole, QDir::cleanPath(m_shown + QStringLiteral("/..")));
    up->setToolTip(0, QStringLiteral("Egy mappával feljebb"));
    for (const backup::FolderEntry& f : backup::subfolders(m_shown)) {
        auto* item = new QTreeWidgetItem(Dir1, QStringList{f.name, f.made.toString(QStringLiteral("yyyy. MM. dd. HH:mm"))});
        item->setData(0, kPathRole, f.path);
    }
    choose(m_shown);
}

void frmVisszatoltes::choose(const QString& path) {
    m_chosen = path;
    Label1->setText(QDir::toNativeSeparators(path));
    File1->clear();
    if (!path.isEmpty()) File1->addItems(backup::filesIn(path));
}

void frmVisszatoltes::activated(QTreeWidgetItem* item) {
    if (item) openFolder(item->data(0, kPathRole).toString());
}
