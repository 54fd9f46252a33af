// The expense and income window: what it shows at opening, the list
// options, reading for a building text, recording, choosing and modifying an
// entry, the totals row and "Vissza". The book's rules are tested on the
// engine.

#include "support/mainwindow.h"
#include "windows/frmKiadBevet.h"
#include "windows/recordlist.h"

namespace {

KonyvTetel entry(const char* epulet, int kiadas, int bevetel, int day, const char* megnevezes) {
    return makeTetel(QString::fromUtf8(epulet), kiadas, bevetel, QDate(2026, 3, day), QString::fromUtf8(megnevezes));
}
std::vector<KonyvTetel> sample() {
    return {entry("Rózsa utca 12.", 0, 700, 1, "bérleti díj"), entry("Őszirózsa ház", 12500, 0, 5, "festés"),
            entry("Őszirózsa ház", 0, 10000, 2, "befizetés")};
}

struct Fixture : MainWindow {
    std::unique_ptr<frmKiadBevet> book;

    Fixture() {
        data.writeBuildings({makeEpulet("Rózsa utca 12.", 300), makeEpulet("Őszirózsa ház", 280)});
        data.writeBook("2026", sample());
        book = std::make_unique<frmKiadBevet>(data.folder(), "2026");
        book->show();
        QVERIFY(QTest::qWaitForWindowExposed(book.get()));
    }
    static QStringList column(QTreeView* v, int c) { return ui::recordModel(v)->columnTexts(c); }
    QStringList fields() const {
        return {book->txtMegnevezes->text(), book->txtMegjegyzes->text(), book->txtEpuletKeres->currentText(),
                book->txtKiadas->text(), book->txtBevetel->text()};
    }
};

}  // namespace

class TestBookWindow : public QObject {
    Q_OBJECT
private slots:
    void opening() {
        Fixture f;
        frmKiadBevet& w = *f.book;
        QVERIFY(w.width() <= 1366 && w.height() <= 768 && w.opListak[1]->isChecked());
        QCOMPARE((QStringList{w.windowTitle(), w.txtEpuletKeres->itemText(0), w.txtEpuletKeres->currentText(),
                              w.lbEv->text(), w.DTP1->date().toString(Qt::ISODate), w.lbEgyenleg->text()}) +
                     f.column(w.ListViewKiBe, 0) + f.column(w.ListViewKiadas, 2) + f.column(w.ListViewBevetel, 2),
                 (QStringList{"Kiadások - Bevételek", " ", "Őszirózsa ház", "Aktuális év: 2026.", "2026-03-15", " -2 500,-Ft",
                              "2026. 03. 02.", "2026. 03. 05.", "ÖSSZESEN", "12500", "12500", "10000", "10000"}));
        QVERIFY(w.mnuPrintKiadas->isEnabled() && w.mnuPrintBevetel->isEnabled() && w.mnuPrintKiBe->isEnabled());
        // An expense's date and a negative balance in red, the totals row in bold.
        const QAbstractItemModel* m = w.ListViewKiBe->model();
        QCOMPARE(m->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(!m->index(0, 0).data(Qt::ForegroundRole).isValid() && !m->index(1, 1).data(Qt::ForegroundRole).isValid());
        QVERIFY(m->index(2, 0).data(Qt::FontRole).value<QFont>().bold() && m->index(2, 3).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(w.lbEgyenleg->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        w.mnuVissza->trigger();
        QVERIFY(!w.isVisible() && w.result() == QDialog::Accepted);
    }

    void listOptionsAndReading() {
        Fixture f;
        frmKiadBevet& w = *f.book;
        QVERIFY(w.ListViewKiBe->isVisible() && !w.twoLists->isVisible());
        QTest::mouseClick(w.opListak[0], Qt::LeftButton);
        QVERIFY(!w.ListViewKiBe->isVisible() && w.twoLists->isVisible());
        w.txtEpuletKeres->setEditText(QString());
        QTest::mouseClick(w.cmdBeolvas, Qt::LeftButton);
        const QStringList all = f.column(w.ListViewKiBe, 5);
        w.txtEpuletKeres->setEditText("rózsa u");
        QTest::keyClick(w.txtEpuletKeres->lineEdit(), Qt::Key_Return);  // Enter reads as well
        QCOMPARE(all + f.column(w.ListViewKiBe, 5), (QStringList{"1", "3", "2", "", "1", ""}));
        QCOMPARE(w.lbEgyenleg->palette().color(QPalette::WindowText), QColor(Qt::black));  // "  700,-Ft"
    }

    void record_data() {
        QTest::addColumn<bool>("expense");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("yes");
        QTest::newRow("income") << false << "10000" << true;
        QTest::newRow("expense") << true << "4000" << true;
        QTest::newRow("answered No") << true << "4000" << false;
        QTest::newRow("amount refused") << false << "10 000" << true;
    }
    void record() {
        QFETCH(bool, expense); QFETCH(QString, amount); QFETCH(bool, yes);
        Fixture f;
        frmKiadBevet& w = *f.book;
        f.dlg.answers = {yes};
        w.DTP1->setDate(QDate(2026, 3, 12));
        w.txtMegnevezes->setText("kéményseprés");
        (expense ? w.txtKiadas : w.txtBevetel)->setText(amount);
        QTest::mouseClick(expense ? w.cmdKiadas : w.cmdBevetel, Qt::LeftButton);
        auto expected = sample();
        const bool refused = amount.contains(' ');
        if (refused) QVERIFY(f.dlg.titles() == QStringList{"Hiba"} && f.focused() == "txtBevétel");
        else QCOMPARE(f.dlg.texts(), QStringList{expense ? "question|Kiadás rögzítése|Biztos mehet \nŐszirózsa ház épület\nkiadásának rögzítése?"
                                                     : "question|bevétel rögzítése|Biztos mehet \nŐszirózsa ház épület\nbevételének rögzítése?"});
        if (yes && !refused) {
            expected.push_back(entry("Őszirózsa ház", expense ? 4000 : 0, expense ? 0 : 10000, 12, "kéményseprés"));
            expected.back().Megjegyzes = QString();
            QVERIFY(f.fields() == (QStringList{"", "", "Őszirózsa ház", "", ""}) && f.focused() == "txtMegnevezés");
            QCOMPARE(f.column(w.ListViewKiBe, 5), (QStringList{"3", "2", "4", ""}));
        }
        QCOMPARE(f.data.readBook("2026"), expected);
    }

    // Choosing an entry loads it with its date; a modification keeps that
    // date and disables the button again. The totals row empties the fields.
    void chooseModifyAndTotals() {
        Fixture f;
        frmKiadBevet& w = *f.book;
        clickRow(w.ListViewKiBe, 1);
        QVERIFY(w.KivalasztottRec() == 2 && w.DTP1->date() == QDate(2026, 3, 5) && w.cmdBevetModosit->isEnabled());
        QCOMPARE(f.fields(), (QStringList{"festés", "számla", "Őszirózsa ház", "12500", "0"}));
        w.txtKiadas->setText("13000");
        f.dlg.answers = {true};
        QTest::mouseClick(w.cmdBevetModosit, Qt::LeftButton);
        auto expected = sample();
        expected[1].Kiadas = 13000;
        QVERIFY(f.data.readBook("2026") == expected && !w.cmdBevetModosit->isEnabled());
        QCOMPARE(f.dlg.texts() + f.column(w.ListViewKiadas, 2),
                 (QStringList{"question|Módosítás|Biztos mehet \nŐszirózsa ház épület\nmódosítása?", "13000", "13000"}));
        clickRow(w.ListViewKiBe, 0);
        QVERIFY(w.cmdBevetModosit->isEnabled());
        clickRow(w.ListViewKiBe, 2);
        QVERIFY(w.KivalasztottRec() == 0 && !w.cmdBevetModosit->isEnabled() && f.fields() == (QStringList{"", "", "", "0", "0"}));
    }
};

QTEST_MAIN(TestBookWindow)
#include "tst_book_window.moc"
