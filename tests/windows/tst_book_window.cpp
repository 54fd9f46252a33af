// The expense and income window: what it shows at opening, the list
// options, reading for a building text, recording, choosing and modifying an
// entry, the totals row and "Vissza". The book's rules are tested on the
// engine.

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKiadBevet.h"
#include "windows/recordlist.h"

namespace {

const QString kYear = QStringLiteral("2026");

KonyvTetel entry(const char* epulet, int kiadas, int bevetel, int day, const char* megnevezes) {
    return makeTetel(QString::fromUtf8(epulet), kiadas, bevetel, QDate(2026, 3, day), QString::fromUtf8(megnevezes));
}
std::vector<KonyvTetel> sample() {
    return {entry("Rózsa utca 12.", 0, 700, 1, "bérleti díj"), entry("Őszirózsa ház", 12500, 0, 5, "festés"),
            entry("Őszirózsa ház", 0, 10000, 2, "befizetés")};
}

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    std::unique_ptr<frmKiadBevet> w;

    Fixture() {
        data.writeBuildings({makeEpulet("Rózsa utca 12.", 300), makeEpulet("Őszirózsa ház", 280)});
        data.writeBook(kYear, sample());
        appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        w = std::make_unique<frmKiadBevet>(data.folder(), kYear);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }

    static QStringList column(QTreeView* v, int c) { return ui::recordModel(v)->columnTexts(c); }
    void clickRow(int row) {
        QTreeView* v = w->ListViewKiBe;
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(row, 0)).center());
    }
    QStringList fields() const {
        return {w->txtMegnevezes->text(), w->txtMegjegyzes->text(), w->txtEpuletKeres->currentText(),
                w->txtKiadas->text(), w->txtBevetel->text()};
    }
};

}  // namespace

class TestBookWindow : public QObject {
    Q_OBJECT
private slots:
    void opening() {
        Fixture f;
        frmKiadBevet& w = *f.w;
        QVERIFY(w.width() <= 1366 && w.height() <= 768);
        QCOMPARE((QStringList{w.windowTitle(), w.txtEpuletKeres->itemText(0), w.txtEpuletKeres->currentText(),
                              w.lbEv->text(), w.DTP1->date().toString(Qt::ISODate)}),
                 (QStringList{"Kiadások - Bevételek", " ", "Őszirózsa ház", "Aktuális év: 2026.", "2026-03-15"}));
        QVERIFY(w.opListak[1]->isChecked() && w.ListViewKiBe->isVisible() && !w.twoLists->isVisible());
        QVERIFY(w.mnuPrintKiadas->isEnabled() && w.mnuPrintBevetel->isEnabled() && w.mnuPrintKiBe->isEnabled());

        QCOMPARE(f.column(w.ListViewKiBe, 0) + f.column(w.ListViewKiadas, 2) + f.column(w.ListViewBevetel, 2),
                 (QStringList{"2026. 03. 02.", "2026. 03. 05.", "ÖSSZESEN", "12500", "12500", "10000", "10000"}));
        const QAbstractItemModel* m = w.ListViewKiBe->model();
        QCOMPARE(m->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));  // an expense's date
        QVERIFY(!m->index(0, 0).data(Qt::ForegroundRole).isValid() && !m->index(1, 1).data(Qt::ForegroundRole).isValid());
        QVERIFY(m->index(2, 0).data(Qt::FontRole).value<QFont>().bold() && m->index(2, 3).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(w.lbEgyenleg->text(), QStringLiteral(" -2 500,-Ft"));
        QCOMPARE(w.lbEgyenleg->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        w.mnuVissza->trigger();
        QVERIFY(!w.isVisible() && w.result() == QDialog::Accepted);
    }

    void listOptionsAndReading() {
        Fixture f;
        QTest::mouseClick(f.w->opListak[0], Qt::LeftButton);
        QVERIFY(!f.w->ListViewKiBe->isVisible() && f.w->twoLists->isVisible());
        QTest::mouseClick(f.w->opListak[1], Qt::LeftButton);
        QVERIFY(f.w->ListViewKiBe->isVisible() && !f.w->twoLists->isVisible());

        f.w->txtEpuletKeres->setEditText(QString());
        QTest::mouseClick(f.w->cmdBeolvas, Qt::LeftButton);
        const QStringList all = f.column(f.w->ListViewKiBe, 5);
        f.w->txtEpuletKeres->setEditText(QStringLiteral("rózsa u"));
        QTest::keyClick(f.w->txtEpuletKeres->lineEdit(), Qt::Key_Return);  // Enter reads as well
        QCOMPARE(all + f.column(f.w->ListViewKiBe, 5), (QStringList{"1", "3", "2", "", "1", ""}));
        QCOMPARE(f.w->lbEgyenleg->palette().color(QPalette::WindowText), QColor(Qt::black));  // "  700,-Ft"
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
        QFETCH(bool, expense);
        QFETCH(QString, amount);
        QFETCH(bool, yes);
        Fixture f;
        f.dlg.answers = {yes};
        f.w->DTP1->setDate(QDate(2026, 3, 12));
        f.w->txtMegnevezes->setText(QStringLiteral("kéményseprés"));
        (expense ? f.w->txtKiadas : f.w->txtBevetel)->setText(amount);
        QTest::mouseClick(expense ? f.w->cmdKiadas : f.w->cmdBevetel, Qt::LeftButton);

        auto expected = sample();
        const bool refused = amount.contains(QLatin1Char(' '));
        if (refused) {
            QCOMPARE(f.dlg.titles(), QStringList{"Hiba"});
            QCOMPARE(QApplication::focusWidget(), f.w->txtBevetel);
        } else {
            QCOMPARE(f.dlg.titles(), QStringList{expense ? "Kiadás rögzítése" : "bevétel rögzítése"});
            QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos mehet \nŐszirózsa ház épület\n") +
                                             (expense ? "kiadásának rögzítése?" : "bevételének rögzítése?"));
        }
        if (yes && !refused) {
            expected.push_back(entry("Őszirózsa ház", expense ? 4000 : 0, expense ? 0 : 10000, 12, "kéményseprés"));
            expected.back().Megjegyzes = QString();
            QCOMPARE(f.fields(), (QStringList{"", "", "Őszirózsa ház", "", ""}));
            QCOMPARE(QApplication::focusWidget(), f.w->txtMegnevezes);
            QCOMPARE(f.column(f.w->ListViewKiBe, 5), (QStringList{"3", "2", "4", ""}));
        }
        QCOMPARE(f.data.readBook(kYear), expected);
    }

    // Choosing an entry loads it with its date; a modification keeps that
    // date and disables the button again. The totals row empties the fields.
    void chooseModifyAndTotals() {
        Fixture f;
        f.clickRow(1);
        QCOMPARE(f.w->KivalasztottRec(), 2);
        QCOMPARE(f.fields(), (QStringList{"festés", "számla", "Őszirózsa ház", "12500", "0"}));
        QCOMPARE(f.w->DTP1->date(), QDate(2026, 3, 5));
        QVERIFY(f.w->cmdBevetModosit->isEnabled());
        f.w->txtKiadas->setText(QStringLiteral("13000"));
        f.dlg.answers = {true};
        QTest::mouseClick(f.w->cmdBevetModosit, Qt::LeftButton);
        QCOMPARE(f.dlg.titles(), QStringList{"Módosítás"});
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos mehet \nŐszirózsa ház épület\nmódosítása?"));
        auto expected = sample();
        expected[1].Kiadas = 13000;
        QCOMPARE(f.data.readBook(kYear), expected);
        QVERIFY(!f.w->cmdBevetModosit->isEnabled());
        QCOMPARE(f.column(f.w->ListViewKiadas, 2), (QStringList{"13000", "13000"}));

        f.clickRow(0);
        QVERIFY(f.w->cmdBevetModosit->isEnabled());
        f.clickRow(2);
        QCOMPARE(f.w->KivalasztottRec(), 0);
        QCOMPARE(f.fields(), (QStringList{"", "", "", "0", "0"}));
        QVERIFY(!f.w->cmdBevetModosit->isEnabled());
    }
};

QTEST_MAIN(TestBookWindow)
#include "tst_book_window.moc"
