#pragma once
// Small builders for the controls of the windows, so that every window makes
// its labels, lists and pickers the same way.

#include <QCollator>
#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QTreeWidgetItem>
#include <functional>
#include <initializer_list>
#include <tuple>

class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace ui {

// A caption label; when buddy is given the label names it for the keyboard
// and for screen readers.
QLabel* caption(const QString& text, QWidget* buddy = nullptr, const QString& objectName = QString());
// A label that shows a value; its caption (when given) is made its buddy's
// partner so that assistive tools read the caption with the value.
QLabel* valueLabel(const QString& objectName, QLabel* captionLabel = nullptr);
QLineEdit* lineEdit(const QString& objectName, int maxLength = 0);
QPushButton* button(const QString& objectName, const QString& text, const QString& tooltip = QString());
void setFace(QPushButton* b, const QColor& face);
QComboBox* combo(const QString& objectName, bool editable);
// Date picker in the program's short date form, with a calendar pop-up.
QDateEdit* datePicker(const QString& objectName);
// A report-style list with the given column captions.
QTreeWidget* listView(const QString& objectName, const QStringList& columns, const QString& accessibleName);
// The "Keresés" frame and its boxes (name, place, street, house number,
// building), the same in every window that searches the apartments; the
// window lays them out.
std::tuple<QGroupBox*, QLineEdit*, QLineEdit*, QLineEdit*, QLineEdit*, QComboBox*> searchBoxes();
// Adds "caption" + control to a grid row.
void addRow(QGridLayout* grid, int row, int col, const QString& captionText, QWidget* control, int span = 1);

// Calls fn with the row chosen in a list, by a click or by moving the selection
// with the keyboard.
void onRowChosen(QTreeWidget* list, QObject* context, const std::function<void(QTreeWidgetItem*)>& fn);

// Sets the tab order of the widgets to the order given.
void tabOrder(std::initializer_list<QWidget*> widgets);

// The program's icon (an SVG, drawn by Qt's SVG icon engine).
QIcon programIcon();

// Hungarian collation, case-insensitive.
const QCollator& hungarianCollator();

// A list row that sorts by Hungarian collation of the texts of its sort column.
class SortItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;
};

}  // namespace ui
