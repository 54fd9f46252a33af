#include "ui.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include "store/clock.h"

namespace ui {

QLabel* caption(const QString& text, QWidget* buddy, const QString& objectName) {
    auto* l = new QLabel(text);
    if (!objectName.isEmpty()) l->setObjectName(objectName);
    if (buddy) l->setBuddy(buddy);
    return l;
}

QLabel* valueLabel(const QString& objectName, QLabel* captionLabel) {
    auto* l = new QLabel;
    l->setObjectName(objectName);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (captionLabel) captionLabel->setBuddy(l);
    return l;
}

QLineEdit* lineEdit(const QString& objectName, int maxLength) {
    auto* e = new QLineEdit;
    e->setObjectName(objectName);
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

std::tuple<QGroupBox*, QLineEdit*, QLineEdit*, QLineEdit*, QLineEdit*, QComboBox*> searchBoxes() {
    auto* frame = new QGroupBox(QStringLiteral("Keresés"));
    frame->setObjectName(QStringLiteral("Frame6"));
    return {frame,
            lineEdit(QStringLiteral("txtNevKeres"), 30),
            lineEdit(QStringLiteral("txtHelysegKeres"), 25),
            lineEdit(QStringLiteral("txtUtcaKeres"), 25),
            lineEdit(QStringLiteral("txtHszKeres"), 10),
            combo(QStringLiteral("txtÉpületKeres"), false)};
}

QPushButton* button(const QString& objectName, const QString& text, const QString& tooltip) {
    auto* b = new QPushButton(text);
    b->setObjectName(objectName);
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    return b;
}

void setFace(QPushButton* b, const QColor& face) {
    QPalette p = b->palette();
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, Qt::black);
    // A disabled button fades, so that its state shows at a glance.
    p.setColor(QPalette::Disabled, QPalette::Button,
               QColor(face.red() / 4 + 180, face.green() / 4 + 180, face.blue() / 4 + 180));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    b->setPalette(p);
}

QComboBox* combo(const QString& objectName, bool editable) {
    auto* c = new QComboBox;
    c->setObjectName(objectName);
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QDateEdit* datePicker(const QString& objectName) {
    auto* d = new QDateEdit(appclock::today());
    d->setObjectName(objectName);
    d->setDisplayFormat(QStringLiteral("yyyy. MM. dd."));
    d->setCalendarPopup(true);
    d->setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    return d;
}

QTreeWidget* listView(const QString& objectName, const QStringList& columns, const QString& accessibleName) {
    auto* t = new QTreeWidget;
    t->setObjectName(objectName);
    t->setColumnCount(static_cast<int>(columns.size()));
    t->setHeaderLabels(columns);
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    t->setAllColumnsShowFocus(true);
    t->setAlternatingRowColors(true);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setAccessibleName(accessibleName);
    t->header()->setStretchLastSection(false);
    return t;
}

void addRow(QGridLayout* grid, int row, int col, const QString& captionText, QWidget* control, int span) {
    grid->addWidget(caption(captionText, control), row, col);
    grid->addWidget(control, row, col + 1, 1, span);
}

void onRowChosen(QTreeWidget* list, QObject* context, const std::function<void(QTreeWidgetItem*)>& fn) {
    QObject::connect(list, &QTreeWidget::itemClicked, context, [fn](QTreeWidgetItem* item) { fn(item); });
    QObject::connect(list, &QTreeWidget::itemSelectionChanged, context, [list, fn] {
        const auto selected = list->selectedItems();
        if (!selected.isEmpty()) fn(selected.first());
    });
}

void tabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* const* w = widgets.begin();
    for (size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(w[i - 1], w[i]);
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/icons/domoria.svg"));
}

const QCollator& hungarianCollator() {
    static const QCollator c = [] {
        QCollator k(QLocale(QLocale::Hungarian, QLocale::Hungary));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        return k;
    }();
    return c;
}

bool SortItem::operator<(const QTreeWidgetItem& other) const {
    const int col = treeWidget() ? treeWidget()->sortColumn() : 0;
    return hungarianCollator().compare(text(col), other.text(col)) < 0;
}

}  // namespace ui
