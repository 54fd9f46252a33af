// The list piece under every long list: Hungarian order, a re-sort that
// keeps the chosen row, a row refreshed in place, one choice per click.

#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "windows/recordlist.h"

class tst_recordlist : public QObject {
    Q_OBJECT
private slots:
    void order();
    void sortsAndKeepsTheChosenRow();
    void oneChoicePerClick();
};

namespace {
std::vector<ui::ListRow> rows(const QStringList& names) {
    std::vector<ui::ListRow> out;
    int rec = 0;
    for (const QString& n : names) out.push_back({{n, QString::number(++rec)}});
    return out;
}
}  // namespace

// Texts that collate equal keep the order they were given in; record numbers
// sort as text; a refill sorts alike with the keys of the list before.
void tst_recordlist::order() {
    std::unique_ptr<QTreeView> view(ui::recordList("lista", {"Név", "rec"}, "Lista"));
    ui::RecordListModel* m = ui::recordModel(view.get());
    for (int refill = 0; refill < 2; ++refill) {
        m->sortByColumn(0);
        m->setRows(rows({"kiss", "Kis", "KISS", "Kiss", "Kíss", "a", "b", "c", "d", "e"}));
        QCOMPARE(m->columnTexts(0).mid(5), (QStringList{"Kis", "kiss", "KISS", "Kiss", "Kíss"}));
        m->sortByColumn(1);
        QCOMPARE(m->columnTexts(1).mid(0, 3), (QStringList{"1", "10", "2"}));
    }
}

void tst_recordlist::sortsAndKeepsTheChosenRow() {
    std::unique_ptr<QTreeView> view(ui::recordList("lista", {"Név", "rec"}, "Lista"));
    ui::RecordListModel* m = ui::recordModel(view.get());
    m->setRows(rows({"Csaba", "Cukor", "ábel", "Bence", "10", "9"}));
    // "cs" is a letter of its own after "c"; case and accents do not lead.
    QCOMPARE(m->columnTexts(0), (QStringList{"10", "9", "ábel", "Bence", "Cukor", "Csaba"}));
    ui::setCurrentRowQuietly(view.get(), m->find(1, "2"));  // Cukor
    m->sortByColumn(1);
    QCOMPARE(m->columnTexts(1), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(m->text(view->currentIndex().row(), 0), QStringLiteral("Cukor"));
    m->sortByColumn(0);
    m->updateRow(1, {{"Aladár", "2"}});  // the chosen row moves to the top
    QCOMPARE(m->columnTexts(0).first(), QStringLiteral("10"));
    QCOMPARE(m->text(view->currentIndex().row(), 0), QStringLiteral("Aladár"));
    m->updateRow(1, {{"Aladár", "2"}, true});
    QCOMPARE(m->data(m->index(view->currentIndex().row(), 0), Qt::FontRole).value<QFont>().bold(), true);
}

void tst_recordlist::oneChoicePerClick() {
    std::unique_ptr<QTreeView> view(ui::recordList("lista", {"Név", "rec"}, "Lista"));
    ui::recordModel(view.get())->setRows(rows({"A", "B", "C"}));
    view->resize(300, 200);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    QList<int> chosen;
    ui::onRecordChosen(view.get(), view.get(), [&](int row) { chosen.append(row); });
    const auto click = [&](int row) {
        const QRect r = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    };
    click(1);
    click(1);  // the same row again: chosen again
    click(2);
    QTest::keyClick(view.get(), Qt::Key_Up);
    QCOMPARE(chosen, (QList<int>{1, 1, 2, 1}));
    ui::setCurrentRowQuietly(view.get(), 0);
    QCOMPARE(chosen.size(), 4);
}

QTEST_MAIN(tst_recordlist)
#include "tst_recordlist.moc"
