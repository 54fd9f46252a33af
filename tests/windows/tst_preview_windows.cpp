// The two print preview windows and the print menu of the main window: each
// control bound to its operation (stepping, search, filters, the payment
// list, printing into a PDF file, the preview, the CSV file), the selected
// apartment handed back to the main window, and the resident list.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include "store/clock.h"
#include "store/recordfile.h"
#include "support/scripteddialogs.h"
#include "support/scriptedprinting.h"
#include "support/testfolder.h"
#include "windows/frmElonezet.h"
#include "windows/frmElonezet2.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/recordlist.h"

namespace {

const QString kYear = QStringLiteral("2026");

// Four apartments (the second and fourth share an address), one in debt,
// one overpaid; a payment log with two entries of the first.
struct Fixture {
    TestFolder data;
    QTemporaryDir out;  // where the chosen files go
    ScriptedDialogs dlg;
    ScriptedPrintDialogs print;

    Fixture() {
        std::vector<Lakas> v{makeLakas("Kovács Péter", "Rózsa utca", "12", "1"),
                             makeLakas("Nagy Ilona", "Fő utca", "3", "2"), makeLakas("Ábel Ödön", "Kert utca", "5", ""),
                             makeLakas("Szűcs Éva", "Fő utca", "3", "2")};
        v[0].KKEloiras(1) = 10000, v[0].KKBefizetes(1) = 4000, v[0].HEloiras(1) = 3000, v[0].HBefizetes(1) = 3000;
        v[1].KKEloiras(1) = 10000, v[1].KKBefizetes(1) = 12000;
        data.writeApartments(kYear, v);
        data.writeBuildings({makeEpulet("A épület", 300), makeEpulet("B épület", 250)});
        QByteArray log;
        for (int amount : {4000, 3000}) {
            Befizetes b;
            b.Osszeg = amount, b.Nev = v[0].Lakok.Nev(1), b.Hsz = v[0].Hsz, b.Honap = 1, b.Tipus = "Közösköltség";
            b.Datum = Date::fromQDate(QDate(2026, 1, 20));
            log += RecordFile<Befizetes>::encode(b);
        }
        data.writeBytes(kYear + "/Befiz.dat", log);
        data.writeBytes(files::Set, QByteArray("2026\0\0", 6));
        appclock::setNow(QDateTime(QDate(2026, 4, 2), QTime(9, 0)));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }

    QString file(const QString& name) const { return out.filePath(name); }
    QStringList messages() const {
        QStringList m;
        for (const auto& s : dlg.shown) m << s.title + '|' + s.text;
        return m;
    }
};

QStringList column(const QTreeWidget* list, int c) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(c);
    return out;
}

QStringList column(QTreeView* view, int c) {
    return ui::recordModel(view)->columnTexts(c);
}

void choosePdf(QComboBox* combo) {
    combo->setCurrentIndex(combo->count() - 1);
}

// Runs `act` on the modal window that the next exec() opens, then closes it.
template <class W>
void whenOpen(const std::function<void(W&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        QVERIFY(w);
        act(*w);
        w->accept();
    });
}

}  // namespace

class tst_preview_windows : public QObject {
    Q_OBJECT
private slots:
    void statementStepsAndSearches();
    void statementPrints();
    void statementHandsBackTheApartment();
    void summaryListsAndFilters();
    void summaryPaymentsPrintsAndSaves();
    void residentList();
    void keyboardCaptions();
};

// Opening with no apartment selected shows the first; the scroll bar, the
// address list and a typed name choose the apartment shown; "Szemétdíjjal"
// shows the waste-fee columns and their balances.
void tst_preview_windows::statementStepsAndSearches() {
    Fixture f;
    frmElonezet w(f.data.folder(), kYear, kYear, 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Nyomtatási előnézet"));
    QCOMPARE(w.AktualisLakas(), 1);
    QCOMPARE(w.lbNev->text(), QStringLiteral("Kovács Péter"));
    QCOMPARE(w.lbFejlec->text(), QStringLiteral("2026. évi kimutatás"));
    QCOMPARE(w.lbDatum->text(), QStringLiteral("2026. 04. 02."));
    QCOMPARE(w.ListView1->topLevelItemCount(), 14);
    QCOMPARE(w.ListView1->topLevelItem(0)->text(7), QStringLiteral("-6000"));
    QVERIFY(w.ListView1->isColumnHidden(4));
    QVERIFY(w.ListView1->topLevelItem(13)->font(7).bold());

    w.chkSzemetdij->setChecked(true);
    QVERIFY(!w.ListView1->isColumnHidden(4));
    QCOMPARE(column(w.ListView1, 4).mid(0, 1), QStringList{"3000"});
    QCOMPARE(w.ListView1->topLevelItem(13)->text(7), QStringLiteral("-6000"));

    w.FlatScrollBar1->setValue(3);
    QCOMPARE(w.AktualisLakas(), 3);
    QCOMPARE(w.lbCim->text(), QStringLiteral("1111 Budapest, Kert utca 5. "));
    QCOMPARE(column(w.ListView1, 7).last(), QStringLiteral("0"));

    // The shared address names the lower record; the name list is emptied.
    w.cmbNev->setEditText(QStringLiteral("valami"));
    QCOMPARE(w.cmbCim->count(), 4);
    emit w.cmbCim->activated(3);
    QCOMPARE(w.AktualisLakas(), 2);
    QCOMPARE(w.cmbNev->currentText(), QString());
    QCOMPARE(w.FlatScrollBar1->value(), 2);

    w.cmbNev->setEditText(QStringLiteral(" Szűcs Éva "));
    QTest::keyClick(w.cmbNev->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.AktualisLakas(), 4);
    w.cmbNev->setEditText(QStringLiteral("Senki"));
    QTest::keyClick(w.cmbNev->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.AktualisLakas(), 4);
}

// Printing: "PDF fájl..." asks for a name (".pdf" added) and writes the
// file; a cancelled name writes nothing; an unwritable file and an apartment
// that is not in the file are reported; "Előnézet" shows the same page.
void tst_preview_windows::statementPrints() {
    Fixture f;
    frmElonezet w(f.data.folder(), kYear, kYear, 2);
    QCOMPARE(w.Combo2->itemText(w.Combo2->count() - 1), QStringLiteral("PDF fájl..."));
    choosePdf(w.Combo2);

    f.print.fileNames = {f.file("kimutatas")};
    w.mnuPrint->trigger();
    QVERIFY(QFile(f.file("kimutatas.pdf")).size() > 1000);
    QCOMPARE(f.print.shown.back().suggested.section('/', -1), QStringLiteral("2026. évi kimutatás - Nagy Ilona.pdf"));

    w.cmdNyomtatas->click();  // no name given: cancelled
    QCOMPARE(QDir(f.out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kimutatas.pdf"});
    QVERIFY(f.dlg.shown.empty());

    f.print.fileNames = {f.file("nincs/mappa.pdf")};
    w.cmdNyomtatas->click();
    QCOMPARE(f.messages(),
             QStringList{"Hiba|A PDF fájl nem írható: " + QDir::toNativeSeparators(f.file("nincs/mappa.pdf"))});

    w.cmdElonezet->click();
    QCOMPARE(f.print.shown.back().kind, QStringLiteral("preview"));
    QVERIFY(f.print.pages.findText(QStringLiteral("1111 Budapest, Fő utca 3. 2")));
    QCOMPARE(f.print.pages.pages(), 1);

    frmElonezet gone(f.data.folder(), kYear, kYear, 9);
    f.dlg.shown.clear();
    const size_t asked = f.print.shown.size();
    gone.cmdNyomtatas->click();
    QCOMPARE(f.messages(), QStringList{"Hiba|A kiválasztott lakás nem található, nincs mit nyomtatni."});
    QCOMPARE(f.print.shown.size(), asked);
}

// "É&ves kimutatás" opens the window on the selected apartment; the last
// apartment it shows is selected in the main window afterwards.
void tst_preview_windows::statementHandsBackTheApartment() {
    Fixture f;
    frmKezdo main(f.data.folder());
    QVERIFY(main.mnuPrintEvesKimutatas->isEnabled());
    main.selectApartment(2);
    int opened = 0;
    whenOpen<frmElonezet>([&](frmElonezet& w) {
        opened = w.AktualisLakas();
        w.FlatScrollBar1->setValue(3);
    });
    main.mnuPrintEvesKimutatas->trigger();
    QCOMPARE(opened, 2);
    QCOMPARE(main.AktualisLakas(), 3);
    QCOMPARE(main.ListView1->currentItem()->text(4), QStringLiteral("3"));
    QCOMPARE(main.txtUtca->text(), QStringLiteral("Kert utca"));
}

// The list sorted by address with the totals row last; the search and the
// debtor filter narrow it; the building list ends with the blank entry.
void tst_preview_windows::summaryListsAndFilters() {
    Fixture f;
    frmElonezet2 w(f.data.folder(), kYear);
    w.show();
    QCOMPARE(w.lbEv->text(), QStringLiteral("Aktuális év: 2026."));
    QCOMPARE(column(w.ListView1, 5), (QStringList{"2", "4", "3", "1", " "}));
    QCOMPARE(column(w.ListView1, 4).last(), QStringLiteral("-4000"));
    QVERIFY(ui::recordModel(w.ListView1)->shown(4).boldColumns.contains(4));
    QCOMPARE(w.txtEpuletKeres->count(), 3);
    QCOMPARE(w.txtEpuletKeres->currentText(), QStringLiteral(" "));

    w.opHatralek->setChecked(true);
    w.cmdKeres->click();
    QCOMPARE(column(w.ListView1, 5), (QStringList{"1", " "}));
    w.opMind->setChecked(true);
    w.txtUtcaKeres->setText(QStringLiteral("fő"));
    QTest::keyClick(w.txtUtcaKeres, Qt::Key_Return);  // Enter searches
    QCOMPARE(column(w.ListView1, 5), (QStringList{"2", "4", " "}));
}

// A click on an apartment lists its payments with their total; the totals
// row changes nothing. The list as shown is previewed, printed into a PDF
// file and saved as a CSV file.
void tst_preview_windows::summaryPaymentsPrintsAndSaves() {
    Fixture f;
    frmElonezet2 w(f.data.folder(), kYear);
    w.show();
    const auto clickRow = [&](int row) {
        const QModelIndex i = w.ListView1->model()->index(row, 0);
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, w.ListView1->visualRect(i).center());
    };
    clickRow(3);  // Kovács Péter
    QCOMPARE(w.selected(), 1);
    QCOMPARE(column(w.ListView2, 3), (QStringList{"4000", "3000", "7000"}));
    QCOMPARE(column(w.ListView2, 0).last(), QStringLiteral("ÖSSZESEN:"));
    QCOMPARE(column(w.ListView2, 2).first(), QStringLiteral("Január"));
    clickRow(4);  // totals
    QCOMPARE(w.selected(), 1);
    QCOMPARE(ui::recordModel(w.ListView2)->count(), 3);

    w.txtNevKeres->setText(QStringLiteral("l"));
    w.cmdKeres->click();  // Nagy Ilona, Ábel Ödön

    w.cmdElonezet->click();
    QCOMPARE(f.print.pages.texts().filter(QStringLiteral("Budapest")).size(), 2);

    choosePdf(w.Combo2);
    f.print.fileNames = {f.file("osszesito.PDF")};
    w.mnuPrint->trigger();
    QVERIFY(QFile(f.file("osszesito.PDF")).size() > 1000);

    f.print.fileNames = {f.file("lista")};
    w.cmdCsv->click();
    QFile csv(f.file("lista.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(
        QString::fromUtf8(bytes.mid(3)).split("\r\n"),
        (QStringList{"Lakás;Lakó;Előírás;Befizetés;Egyenleg", "1111 Budapest, Fő utca 3. 2;Nagy Ilona;10000;12000;2000",
                     "1111 Budapest, Kert utca 5. ;Ábel Ödön;0;0;0", ";Összesen:;10000;12000;2000", ""}));
    QVERIFY(f.dlg.shown.empty());
}

// "&Lista nyomtatása": an empty list is refused; otherwise the heading is
// asked for and the preview shows the listed apartments in list order.
void tst_preview_windows::residentList() {
    Fixture f;
    frmKezdo main(f.data.folder());
    f.dlg.inputs = {QStringLiteral("Társasház 2026")};
    main.mnuListaPrint->trigger();
    QCOMPARE(f.messages(), QStringList{"Listamező nyomtatása|Kérem adja meg a fejléc szövegét..."});
    QCOMPARE(f.print.shown.back().kind, QStringLiteral("preview"));
    QVERIFY(f.print.pages.findText(QStringLiteral("Társasház 2026")));
    QStringList names, expected;  // the names at 130 mm, in list order
    for (const auto& op : f.print.pages.ops)
        if (op.kind == RecordingSurface::Op::Text && op.x == 130 && op.y > 26) names << op.text;
    const auto stored = f.data.readApartments(kYear);
    for (int r : main.listedRecords()) expected << stored[size_t(r - 1)].Lakok.Nev(1).text();
    QCOMPARE(names, expected);

    main.txtNevKeres->setText(QStringLiteral("senki"));
    main.cmdKeres->click();
    f.dlg.shown.clear();
    main.mnuListaPrint->trigger();
    QCOMPARE(f.messages(), QStringList{" H i b a !|A listamező üres!\nÍgy nincs mit nyomtatni..."});
}

// Every input and value of both windows is named by its caption.
void tst_preview_windows::keyboardCaptions() {
    Fixture f;
    frmElonezet a(f.data.folder(), kYear, kYear, 1);
    frmElonezet2 b(f.data.folder(), kYear);
    const auto captioned = [](QWidget* window, const QStringList& names) {
        QStringList missing;
        for (const QString& n : names) {
            bool found = false;
            for (QLabel* l : window->findChildren<QLabel*>())
                found = found || (l->buddy() && l->buddy()->objectName() == n && !l->text().isEmpty());
            if (!found) missing << n;
        }
        return missing;
    };
    QCOMPARE(captioned(&a, {"cmbCim", "cmbNév", "FlatScrollBar1", "Combo2", "lbNév", "lbCim"}), QStringList());
    QCOMPARE(captioned(&b, {"txtNevKeres", "txtHelysegKeres", "txtUtcaKeres", "txtHszKeres", "txtÉpületKeres",
                            "ListView2", "Combo2"}),
             QStringList());
    QVERIFY(!a.ListView1->accessibleName().isEmpty() && !b.ListView1->accessibleName().isEmpty());
}

QTEST_MAIN(tst_preview_windows)
#include "tst_preview_windows.moc"
