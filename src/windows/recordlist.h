#pragma once
// The lists that hold one row per apartment or per record (the apartment
// list, the summary, the book, the journal): a QTreeView over a table model
// fed by a vector of rows. Sort keys are computed once per row and column,
// and a sort orders an index vector, never the rows themselves.

#include <QAbstractTableModel>
#include <QCollatorSortKey>
#include <QColor>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QTreeView;

namespace ui {

// One row as the list shows it.
struct ListRow {
    ListRow() = default;
    ListRow(QStringList t, bool b = false) : texts(std::move(t)), bold(b) {}  // NOLINT
    QStringList texts;           // one text per column
    bool bold = false;           // every column bold ...
    QList<int> boldColumns;      // ... or only these
    QColor color;                // text colour of the row, when valid ...
    QList<int> colorColumns;     // ... in these columns only (empty: all)
};

class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordListModel(QStringList columns, QObject* parent = nullptr);

    // Replaces every row; the rows are shown sorted by the sort column when
    // sorting is on, else in the order given.
    void setRows(std::vector<ListRow> rows);
    // Replaces the row at source position `source` (the position in the
    // vector last given), keeping it in sort order.
    void updateRow(int source, ListRow row);
    // Appends one row (kept in sort order when sorting is on).
    void appendRow(ListRow row);
    void clear() { setRows({}); }

    // Sorts by a column in ascending Hungarian, case-insensitive order; -1
    // shows the rows in the order they were given.
    void sortByColumn(int column);
    int sortColumn() const { return sortColumn_; }

    // Columns whose texts (amounts) stand right-aligned.
    void setRightAligned(QList<int> columns) { rightAligned_ = std::move(columns); }

    int count() const { return static_cast<int>(rows_.size()); }
    // The row shown at view position `row`, and the source position of it.
    const ListRow& shown(int row) const { return rows_[static_cast<size_t>(order_[static_cast<size_t>(row)])]; }
    int sourceOf(int row) const { return order_[static_cast<size_t>(row)]; }
    // The view position of a source row; -1 when there is none.
    int viewOf(int source) const;
    // The text shown at (row, column).
    QString text(int row, int column) const { return shown(row).texts.value(column); }
    // The first view row whose column holds exactly this text; -1 when none.
    int find(int column, const QString& text) const;
    // Every text of a column in view order.
    QStringList columnTexts(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Fills the view order from the sort keys.
    void order();
    // Sorts again, keeping selection and current row on their rows.
    void resort();
    const QCollatorSortKey& key(int source, int column);

    QStringList columns_;
    std::vector<ListRow> rows_;
    std::vector<int> order_;     // view position -> source position
    std::vector<int> position_;  // source position -> view position
    // Sort keys per column, made the first time a column sorts.
    std::vector<std::vector<std::optional<QCollatorSortKey>>> keys_;
    int sortColumn_ = -1;
    QList<int> rightAligned_;
};

// A report-style list over a RecordListModel with the given columns. The
// header sorts ascending by the clicked column when `sortable` is true.
QTreeView* recordList(const QString& objectName, const QStringList& columns, const QString& accessibleName,
                      bool sortable = true);
RecordListModel* recordModel(QTreeView* view);

// Calls fn with the view row chosen, once per click or keyboard move: a
// move to another row, or a click on the row that is already chosen.
void onRecordChosen(QTreeView* view, QObject* context, const std::function<void(int)>& fn);

// Makes a view row the current and selected one and scrolls to it (-1
// clears the choice), without calling the onRecordChosen handlers.
void setCurrentRowQuietly(QTreeView* view, int row);

}  // namespace ui
