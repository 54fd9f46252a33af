#include "previewframe.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "windows/printerchoice.h"
#include "windows/ui.h"

PreviewDialog::PreviewDialog(const QString& objectName, const QString& printText, const QString& printTip,
                             const QString& previewTip, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Nyomtatási előnézet"));
    setModal(true);
    menu = new QMenuBar(this);
    mnuVissza = menu->addAction(QStringLiteral("&Vissza"));
    mnuVissza->setObjectName(QStringLiteral("mnuVissza"));
    mnuPrint = menu->addAction(printText);
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    connect(mnuVissza, &QAction::triggered, this, &QDialog::accept);

    Combo2 = ui::combo(QStringLiteral("Combo2"), false);
    printing::fillPrinterCombo(Combo2);
    Label3 = ui::caption(QStringLiteral("Nyomtató:"), Combo2, QStringLiteral("Label3"));
    // The print button has no letter of its own: Alt+N opens the print menu.
    cmdNyomtatas = ui::button(QStringLiteral("cmdNyomtatas"), QStringLiteral("Nyomtatás"), printTip);
    cmdElonezet = ui::button(QStringLiteral("cmdElonezet"), QStringLiteral("&Előnézet"), previewTip);
    for (QPushButton* b : {cmdNyomtatas, cmdElonezet}) b->setAutoDefault(false);  // Enter never prints
    connect(cmdNyomtatas, &QPushButton::clicked, mnuPrint, &QAction::trigger);

    printerRow = new QHBoxLayout;
    printerRow->addWidget(Label3);
    printerRow->addWidget(Combo2, 1);
    printerRow->addWidget(cmdNyomtatas);
    printerRow->addWidget(cmdElonezet);
}

void PreviewDialog::centreOnScreen(const QSize& wanted) {
    resize(wanted);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(wanted.width(), avail.width()), std::min(wanted.height(), avail.height() - 40));
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
}
