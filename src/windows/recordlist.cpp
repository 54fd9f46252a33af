#include "recordlist.h"

#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <numeric>

#include "ui.h"

namespace ui {

RecordListModel::RecordListModel(QStringList columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {
    keys_.resize(static_cast<size_t>(columns_.size()));
}

void RecordListModel::setRows(std::vector<ListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    for (auto& k : keys_) k.assign(rows_.size(), std::nullopt);
    order();
    endResetModel();
}

const QCollatorSortKey& RecordListModel::key(int source, int column) {
    auto& slot = keys_[static_cast<size_t>(column)][static_cast<size_t>(source)];
    if (!slot) slot = hungarianCollator().sortKey(rows_[static_cast<size_t>(source)].texts.value(column));
    return *slot;
}

void RecordListModel::order() {
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);
    if (sortColumn_ >= 0) {
        for (size_t i = 0; i < rows_.size(); ++i) key(static_cast<int>(i), sortColumn_);
        const auto& k = keys_[static_cast<size_t>(sortColumn_)];
        std::stable_sort(order_.begin(), order_.end(),
                         [&k](int a, int b) { return k[static_cast<size_t>(a)]->compare(*k[static_cast<size_t>(b)]) < 0; });
    }
    position_.resize(rows_.size());
    for (size_t v = 0; v < order_.size(); ++v) position_[static_cast<size_t>(order_[v])] = static_cast<int>(v);
}

void RecordListModel::resort() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sources;
    sources.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& i : before) sources.push_back(order_[static_cast<size_t>(i.row())]);

    order();

    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(position_[static_cast<size_t>(sources[static_cast<size_t>(i)])], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordListModel::sortByColumn(int column) {
    sortColumn_ = column;
    resort();
}

void RecordListModel::updateRow(int source, ListRow row) {
    if (source < 0 || source >= count()) return;
    const bool moved = sortColumn_ >= 0 && rows_[static_cast<size_t>(source)].texts.value(sortColumn_) !=
                                               row.texts.value(sortColumn_);
    rows_[static_cast<size_t>(source)] = std::move(row);
    for (auto& k : keys_) k[static_cast<size_t>(source)].reset();
    if (moved) return resort();
    const int v = position_[static_cast<size_t>(source)];
    emit dataChanged(index(v, 0), index(v, columnCount() - 1));
}

void RecordListModel::appendRow(ListRow row) {
    rows_.push_back(std::move(row));
    for (auto& k : keys_) k.emplace_back();
    const int source = count() - 1;
    beginInsertRows({}, source, source);
    order_.push_back(source);
    position_.push_back(source);
    endInsertRows();
    if (sortColumn_ >= 0) resort();
}

int RecordListModel::viewOf(int source) const {
    return source >= 0 && source < count() ? position_[static_cast<size_t>(source)] : -1;
}

int RecordListModel::find(int column, const QString& text) const {
    for (int v = 0; v < count(); ++v)
        if (this->text(v, column) == text) return v;
    return -1;
}

QStringList RecordListModel::columnTexts(int column) const {
    QStringList out;
    out.reserve(count());
    for (int v = 0; v < count(); ++v) out.append(text(v, column));
    return out;
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    const ListRow& r = shown(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return r.texts.value(index.column());
    case Qt::FontRole:
        if (r.bold || r.boldColumns.contains(index.column())) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (rightAligned_.contains(index.column())) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        if (r.color.isValid() && (r.colorColumns.isEmpty() || r.colorColumns.contains(index.column())))
            return r.color;
        return {};
    default: return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return columns_.value(section);
    return {};
}

// ---- the view -------------------------------------------------------------

QTreeView* recordList(const QString& objectName, const QStringList& columns, const QString& accessibleName,
                      bool sortable) {
    auto* view = new QTreeView;
    auto* model = new RecordListModel(columns, view);
    view->setObjectName(objectName);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setAlternatingRowColors(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAccessibleName(accessibleName);
    view->header()->setStretchLastSection(false);
    if (sortable) {
        model->sortByColumn(0);
        view->header()->setSectionsClickable(true);
        view->header()->setSortIndicatorShown(true);
        view->header()->setSortIndicator(0, Qt::AscendingOrder);
        QObject::connect(view->header(), &QHeaderView::sectionClicked, view, [view, model](int column) {
            view->header()->setSortIndicator(column, Qt::AscendingOrder);
            model->sortByColumn(column);
        });
    }
    return view;
}

RecordListModel* recordModel(QTreeView* view) {
    return view ? qobject_cast<RecordListModel*>(view->model()) : nullptr;
}

namespace {

// Remembers the current row before a mouse press reaches the view, so that
// a click can tell a newly chosen row (handled by the current-row change)
// from a click on the row already chosen.
class PressWatcher : public QObject {
public:
    explicit PressWatcher(QTreeView* view) : QObject(view), view_(view) {
        setObjectName(name());
        view->viewport()->installEventFilter(this);
    }
    static QString name() { return QStringLiteral("ui_pressWatcher"); }
    int rowBeforePress = -1;
    bool quiet = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress) rowBeforePress = view_->currentIndex().row();
        return false;
    }

private:
    QTreeView* view_;
};

PressWatcher* watcher(QTreeView* view) {
    QObject* w = view->findChild<QObject*>(PressWatcher::name(), Qt::FindDirectChildrenOnly);
    return w ? static_cast<PressWatcher*>(w) : new PressWatcher(view);
}

}  // namespace

void onRecordChosen(QTreeView* view, QObject* context, const std::function<void(int)>& fn) {
    PressWatcher* w = watcher(view);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, context,
                     [w, fn](const QModelIndex& current) {
                         if (!w->quiet && current.isValid()) fn(current.row());
                     });
    QObject::connect(view, &QAbstractItemView::clicked, context, [w, fn](const QModelIndex& index) {
        if (index.isValid() && index.row() == w->rowBeforePress) fn(index.row());
    });
}

void setCurrentRowQuietly(QTreeView* view, int row) {
    PressWatcher* w = watcher(view);
    w->quiet = true;
    if (row < 0) {
        view->selectionModel()->clear();
    } else {
        const QModelIndex i = view->model()->index(row, 0);
        view->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(i);
    }
    w->quiet = false;
}

}  // namespace ui
