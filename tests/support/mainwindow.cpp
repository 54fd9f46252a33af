#include "mainwindow.h"

#include "store/clock.h"

namespace {
QModelIndex indexOf(const frmKezdo& w, int row, int column) {
    return w.ListView1->model()->index(row, column);
}
}  // namespace

QStringList listColumn(const frmKezdo& w, int column) {
    QStringList out;
    for (int r = 0; r < w.ListView1->model()->rowCount(); ++r) out << indexOf(w, r, column).data().toString();
    return out;
}

void selectRecord(frmKezdo& w, int rec) {
    const int row = static_cast<int>(listColumn(w, 4).indexOf(QString::number(rec)));
    if (row < 0) qFatal("record %d is not listed", rec);
    w.ListView1->setCurrentIndex(indexOf(w, row, 0));
}

int currentRecord(const frmKezdo& w) {
    const QModelIndex current = w.ListView1->currentIndex();
    return current.isValid() ? indexOf(w, current.row(), 4).data().toInt() : 0;
}

void clickHeader(frmKezdo& w, int column) {
    QHeaderView* h = w.ListView1->header();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, 5));
}

QString pageTexts(const frmKezdo& w) {
    QStringList out;
    for (QWidget* c : w.SSTab1->findChildren<QWidget*>()) {
        const auto* e = qobject_cast<QLineEdit*>(c);
        const auto* l = qobject_cast<QLabel*>(c);
        const QString text = e ? e->text() : l && !l->objectName().startsWith("Label") ? l->text() : QString();
        if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_") && !text.isEmpty()) out << c->objectName() + '=' + text;
    }
    return out.join(' ');
}

void clickRow(QAbstractItemView* view, int row) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
}

QStringList unnamedInputs(const QWidget* window) {
    QStringList out;
    const auto labels = window->findChildren<QLabel*>();
    for (QWidget* input : window->findChildren<QWidget*>()) {
        const bool isInput = qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input) ||
                             qobject_cast<QPlainTextEdit*>(input) || qobject_cast<QAbstractItemView*>(input) ||
                             qobject_cast<QSlider*>(input);
        if (!isInput || qobject_cast<QComboBox*>(input->parentWidget()) || qobject_cast<QHeaderView*>(input) ||
            qobject_cast<QAbstractSpinBox*>(input->parentWidget()) || input->inherits("QComboBoxListView"))
            continue;
        const bool named = !input->accessibleName().isEmpty() ||
                           std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == input; });
        if (!named) out << input->objectName();
    }
    return out;
}

MainWindow::MainWindow() {
    appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    data.writeBytes(files::Set, QByteArray("2026\0\0", 6));
}

MainWindow::~MainWindow() {
    w.reset();
    appclock::setNow(QDateTime());
}

frmKezdo& MainWindow::open() {
    w = std::make_unique<frmKezdo>(data.folder());
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
    return *w;
}

QString MainWindow::focused() const {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}
