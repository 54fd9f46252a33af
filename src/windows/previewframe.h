#pragma once
// What the two print preview windows share: a modal dialog "Nyomtatási
// előnézet" with a menu bar of "&Vissza" and the print command, and the
// printer row ("Nyomtató:", the printer choice, the print and the
// "&Előnézet" buttons).

#include <QDialog>

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenuBar;
class QPushButton;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    QMenuBar* menu = nullptr;
    QAction* mnuVissza = nullptr;  // closes the window
    QAction* mnuPrint = nullptr;   // the window connects it
    QLabel* Label3 = nullptr;
    QComboBox* Combo2 = nullptr;          // the printers and "PDF fájl..."
    QPushButton* cmdNyomtatas = nullptr;  // triggers mnuPrint
    QPushButton* cmdElonezet = nullptr;   // "&Előnézet"

protected:
    // printText is the print menu's caption, the tips are the buttons'.
    PreviewDialog(const QString& objectName, const QString& printText, const QString& printTip,
                  const QString& previewTip, QWidget* parent);
    // The printer row, for the window to place (and add to).
    QHBoxLayout* printerRow = nullptr;
    // Sizes the window to `wanted` within the screen and centres it there.
    void centreOnScreen(const QSize& wanted);
};
