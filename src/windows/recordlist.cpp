#include "recordlist.h"

#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <numeric>
#include <utility>

#include "ui.h"

namespace ui {

namespace {

const QString& textOf(const ListRow& row, int column) {
    static const QString none;
    return column < row.texts.size() ? row.texts.at(column) : none;
}

// Texts of digits alone (record numbers) collate as they compare code by
// code, so a column of them needs no collation keys.
bool digitsOnly(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

RecordListModel::RecordListModel(QStringList columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {
    sort_.resize(static_cast<size_t>(columns_.size()));
}

void RecordListModel::setRows(std::vector<ListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    for (Column& c : sort_) c.rank.clear();
    order();
    endResetModel();
}

int RecordListModel::Column::compare(int a, int b) const {
    const auto i = static_cast<size_t>(a), j = static_cast<size_t>(b);
    return digits ? QString::compare(texts[i], texts[j]) : keys[i]->compare(*keys[j]);
}

// Puts newly known texts into the column's order.
void RecordListModel::Column::place(std::vector<int> added) {
    const bool wasDigits = digits;
    digits = digits && std::all_of(added.begin(), added.end(), [&](int id) { return digitsOnly(texts[size_t(id)]); });
    if (wasDigits && !digits) {  // from now on every text needs its key
        added.resize(texts.size());
        std::iota(added.begin(), added.end(), 0);
        sorted.clear();
    }
    if (!digits)
        for (int id : added)
            if (!keys[size_t(id)]) keys[size_t(id)] = hungarianCollator().sortKey(texts[size_t(id)]);
    const auto less = [this](int a, int b) { return compare(a, b) < 0; };
    std::sort(added.begin(), added.end(), less);
    std::vector<int> merged(sorted.size() + added.size());
    std::merge(sorted.begin(), sorted.end(), added.begin(), added.end(), merged.begin(), less);
    sorted = std::move(merged);
    rankOf.assign(texts.size(), 0);
    for (size_t j = 1; j < sorted.size(); ++j)
        rankOf[size_t(sorted[j])] = compare(sorted[j - 1], sorted[j]) == 0 ? rankOf[size_t(sorted[j - 1])] : int(j);
}

const std::vector<int>& RecordListModel::ranks(int column) {
    Column& c = sort_[static_cast<size_t>(column)];
    const size_t n = rows_.size();
    if (c.rank.size() == n) return c.rank;
    // Texts no longer listed are kept for a while, so that a list narrowed by
    // a search and read in full again needs no new keys.
    if (c.texts.size() > 2 * n + 100000) c = Column{};

    // The id of every row's text: the same as before when the row at that
    // place still holds it (a list read again), else looked up or new.
    c.idOf.resize(n, -1);
    std::vector<int> added;
    for (size_t i = 0; i < n; ++i) {
        const QString& text = textOf(rows_[i], column);
        int& id = c.idOf[i];
        if (id >= 0 && c.texts[size_t(id)] == text) continue;
        auto it = c.ids.constFind(text);
        if (it == c.ids.constEnd()) {
            it = c.ids.insert(text, static_cast<int>(c.texts.size()));
            c.texts.push_back(text);
            c.keys.emplace_back();
            added.push_back(*it);
        }
        id = *it;
    }
    if (!added.empty()) c.place(std::move(added));

    c.rank.resize(n);
    for (size_t i = 0; i < n; ++i) c.rank[i] = c.rankOf[size_t(c.idOf[i])];
    return c.rank;
}

void RecordListModel::order() {
    const size_t n = rows_.size();
    order_.resize(n);
    if (sortColumn_ < 0) {
        std::iota(order_.begin(), order_.end(), 0);
    } else {
        // A counting sort on the ranks: rows of equal texts keep their order.
        const std::vector<int>& rank = ranks(sortColumn_);
        std::vector<int> start(sort_[static_cast<size_t>(sortColumn_)].texts.size() + 1, 0);
        for (int r : rank) ++start[static_cast<size_t>(r) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (size_t i = 0; i < n; ++i) order_[static_cast<size_t>(start[static_cast<size_t>(rank[i])]++)] = static_cast<int>(i);
    }
    position_.resize(n);
    for (size_t v = 0; v < n; ++v) position_[static_cast<size_t>(order_[v])] = static_cast<int>(v);
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
    ListRow& old = rows_[static_cast<size_t>(source)];
    const bool moved = sortColumn_ >= 0 && textOf(old, sortColumn_) != textOf(row, sortColumn_);
    for (int c = 0; c < columnCount(); ++c)
        if (textOf(old, c) != textOf(row, c)) sort_[static_cast<size_t>(c)].rank.clear();
    old = std::move(row);
    if (moved) return resort();
    const int v = position_[static_cast<size_t>(source)];
    emit dataChanged(index(v, 0), index(v, columnCount() - 1));
}

void RecordListModel::appendRow(ListRow row) {
    rows_.push_back(std::move(row));
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
