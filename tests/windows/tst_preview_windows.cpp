// The two print preview windows and the print menu of the main window: each
// control bound to its operation (stepping, search, filters, the payment
// list, printing into a PDF file, the preview, the CSV file), the selected
// apartment handed back to the main window, and the resident list.

#include "store/recordfile.h"
#include "support/mainwindow.h"
#include "support/scriptedprinting.h"
#include "windows/frmElonezet.h"
#include "windows/frmElonezet2.h"
#include "windows/frmKiadBevet.h"
#include "windows/recordlist.h"

namespace {

const QString kYear = QStringLiteral("2026");

// Four apartments (the second and fourth share an address), the first in
// debt with two logged payments, the second overpaid.
struct Fixture : MainWindow {
    ScriptedPrintDialogs print;
    QTemporaryDir out;  // where the chosen files go

    Fixture() {
        std::vector<Lakas> v{makeLakas("Kovács Péter", "Rózsa utca", "12", "1"), makeLakas("Nagy Ilona", "Fő utca", "3", "2"),
                             makeLakas("Ábel Ödön", "Kert utca", "5", ""), makeLakas("Szűcs Éva", "Fő utca", "3", "2")};
        v[0].KKEloiras(1) = 10000, v[0].KKBefizetes(1) = 4000, v[0].HEloiras(1) = 3000, v[0].HBefizetes(1) = 3000;
        v[1].KKEloiras(1) = 10000, v[1].KKBefizetes(1) = 12000;
        data.writeApartments(kYear, v);
        data.writeBuildings({makeEpulet("A épület", 300), makeEpulet("B épület", 250)});
        QByteArray log;
        for (int amount : {4000, 3000}) {
            Befizetes b;
            b.Osszeg = amount, b.Nev = v[0].Lakok.Nev(1), b.Hsz = v[0].Hsz, b.Honap = 1;
            log += RecordFile<Befizetes>::encode(b);
        }
        data.writeBytes(kYear + "/Befiz.dat", log);
    }
    QString file(const QString& name) const { return out.filePath(name); }
    QStringList files() const { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); }
    QString readFile(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

QStringList column(const QTreeWidget* list, int c) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(c);
    return out;
}
QStringList column(QTreeView* view, int c) { return ui::recordModel(view)->columnTexts(c); }

}  // namespace

class tst_preview_windows : public QObject {
    Q_OBJECT
private slots:
    void statementStepsAndSearches();
    void statementPrints();
    void statementHandsBackTheApartment();
    void summary();
    void residentList();
    void bookPrintMenu();
};

// Opening with no apartment selected shows the first; the scroll bar, the
// address list and a typed name choose the apartment shown; "Szemétdíjjal"
// shows the waste-fee columns and their balances.
void tst_preview_windows::statementStepsAndSearches() {
    Fixture f;
    frmElonezet w(f.data.folder(), kYear, kYear, 0);
    QCOMPARE((QStringList{QString::number(w.AktualisLakas()), w.lbNev->text(), w.lbFejlec->text(), w.lbDatum->text(), column(w.ListView1, 7).last()}),
             (QStringList{"1", "Kovács Péter", "2026. évi kimutatás", "2026. 03. 15.", "-6000"}));
    QVERIFY(w.ListView1->isColumnHidden(4) && w.ListView1->topLevelItem(13)->font(7).bold());
    w.chkSzemetdij->setChecked(true);
    QVERIFY(!w.ListView1->isColumnHidden(4) && column(w.ListView1, 4).first() == "3000");

    w.FlatScrollBar1->setValue(3);
    QVERIFY(w.AktualisLakas() == 3 && w.lbCim->text() == "1111 Budapest, Kert utca 5. ");
    // The shared address names the lower record; the name list is emptied.
    w.cmbNev->setEditText("valami");
    emit w.cmbCim->activated(3);
    QCOMPARE(w.cmbNev->currentText() + QString::number(w.AktualisLakas()) + QString::number(w.FlatScrollBar1->value()), QStringLiteral("22"));
    for (const char* typed : {" Szűcs Éva ", "Senki"}) {  // no match keeps the apartment
        w.cmbNev->setEditText(QString::fromUtf8(typed));
        QTest::keyClick(w.cmbNev->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.AktualisLakas(), 4);
    }
}

// "PDF fájl..." asks for a name (".pdf" added) and writes the file; a
// cancelled name writes nothing; an unwritable file and an apartment that
// is not in the file are reported; "Előnézet" shows the same page.
void tst_preview_windows::statementPrints() {
    Fixture f;
    frmElonezet w(f.data.folder(), kYear, kYear, 2);
    w.Combo2->setCurrentIndex(w.Combo2->findText("PDF fájl..."));
    f.print.fileNames = {f.file("kimutatas"), "", f.file("nincs/mappa.pdf")};
    w.mnuPrint->trigger();
    QCOMPARE(f.print.shown.back().suggested.section('/', -1), QStringLiteral("2026. évi kimutatás - Nagy Ilona.pdf"));
    w.cmdNyomtatas->click();  // cancelled
    QVERIFY(f.files() == QStringList{"kimutatas.pdf"} && QFile(f.file("kimutatas.pdf")).size() > 1000 && f.dlg.shown.empty());
    w.cmdNyomtatas->click();
    QCOMPARE(f.dlg.texts(), QStringList{"message|Hiba|A PDF fájl nem írható: " + QDir::toNativeSeparators(f.file("nincs/mappa.pdf"))});

    // The page is the one "Szemétdíjjal" chooses: with the waste-fee columns or without.
    for (const bool waste : {false, true}) {
        w.chkSzemetdij->setChecked(waste);
        w.cmdElonezet->click();
        QVERIFY(f.print.shown.back().kind == "preview" && f.print.pages.findText("1111 Budapest, Fő utca 3. 2"));
        QCOMPARE(f.print.pages.findText("Szemétdíj") != nullptr, waste);
    }

    frmElonezet gone(f.data.folder(), kYear, kYear, 9);
    f.dlg.shown.clear();
    const size_t asked = f.print.shown.size();
    gone.cmdNyomtatas->click();
    QVERIFY(f.dlg.texts() == QStringList{"message|Hiba|A kiválasztott lakás nem található, nincs mit nyomtatni."} && f.print.shown.size() == asked);
}

// "É&ves kimutatás" opens the window on the selected apartment; the last
// apartment it shows is selected in the main window afterwards.
void tst_preview_windows::statementHandsBackTheApartment() {
    Fixture f;
    frmKezdo& main = f.open();
    selectRecord(main, 2);
    int opened = 0;
    QVERIFY(onModal<frmElonezet>([&] { main.mnuPrintEvesKimutatas->trigger(); }, [&](frmElonezet& w) {
        opened = w.AktualisLakas();
        w.FlatScrollBar1->setValue(3);
    }));
    QCOMPARE(QString::number(opened) + QString::number(main.AktualisLakas()) + QString::number(currentRecord(main)) + main.txtUtca->text(), QStringLiteral("233Kert utca"));
}

// The list sorted by address with the totals row last; Enter in a search
// box searches with the filters; a click lists an apartment's payments (the
// totals row changes nothing); the list as shown is previewed, printed into
// a PDF file and saved as a CSV file.
void tst_preview_windows::summary() {
    Fixture f;
    frmElonezet2 w(f.data.folder(), kYear);
    w.show();
    QCOMPARE(column(w.ListView1, 5) << w.lbEv->text() << w.txtEpuletKeres->currentText() + QString::number(w.txtEpuletKeres->count()),
             (QStringList{"2", "4", "3", "1", " ", "Aktuális év: 2026.", " 3"}));
    w.opHatralek->setChecked(true);
    w.cmdKeres->click();
    QCOMPARE(column(w.ListView1, 5), (QStringList{"1", " "}));
    clickRow(w.ListView1, 0);
    clickRow(w.ListView1, 1);
    QCOMPARE((column(w.ListView2, 3) << QString::number(w.selected())) + column(w.ListView2, 0).mid(2),
             (QStringList{"4000", "3000", "7000", "1", "ÖSSZESEN:"}));

    w.opMind->setChecked(true);
    w.txtNevKeres->setText("l");
    QTest::keyClick(w.txtNevKeres, Qt::Key_Return);  // Nagy Ilona, Ábel Ödön
    w.cmdElonezet->click();
    QCOMPARE(f.print.pages.texts().filter("Budapest").size(), 2);
    w.Combo2->setCurrentIndex(w.Combo2->count() - 1);
    f.print.fileNames = {f.file("osszesito.PDF"), f.file("lista")};
    w.mnuPrint->trigger();
    w.txtNevKeres->clear();
    w.cmdKeres->click();  // the whole list, shown in another order than the file's
    w.cmdCsv->click();
    QCOMPARE(f.files(), (QStringList{"lista.csv", "osszesito.PDF"}));
    QCOMPARE(f.readFile("lista.csv").split("\r\n"),
             (QStringList{"\uFEFFLakás;Lakó;Előírás;Befizetés;Egyenleg", "1111 Budapest, Fő utca 3. 2;Nagy Ilona;10000;12000;2000",
                          "1111 Budapest, Fő utca 3. 2;Szűcs Éva;0;0;0", "1111 Budapest, Kert utca 5. ;Ábel Ödön;0;0;0",
                          "1111 Budapest, Rózsa utca 12. 1;Kovács Péter;13000;7000;-6000", ";Összesen:;23000;19000;-4000", ""}));
    QVERIFY(f.dlg.shown.empty());
}

// "&Lista nyomtatása": the heading is asked for and the preview shows the
// listed apartments in list order; an empty list is refused.
void tst_preview_windows::residentList() {
    Fixture f;
    frmKezdo& main = f.open();
    f.dlg.inputs = {"Társasház 2026"};
    main.mnuListaPrint->trigger();
    QVERIFY(f.print.shown.back().kind == "preview" && f.print.pages.findText("Társasház 2026"));
    QStringList names;  // the names at 130 mm, in list order
    for (const auto& op : f.print.pages.ops)
        if (op.kind == RecordingSurface::Op::Text && op.x == 130 && op.y > 26) names << op.text;
    QCOMPARE(names, listColumn(main, 0));

    main.txtNevKeres->setText("senki");
    main.cmdKeres->click();
    main.mnuListaPrint->trigger();
    QCOMPARE(f.dlg.texts(), (QStringList{"input|Listamező nyomtatása|Kérem adja meg a fejléc szövegét...",
                                         "message| H i b a !|A listamező üres!\nÍgy nincs mit nyomtatni..."}));
}

// The book window's print menu shows each list's report in the preview and
// saves the combined list as a CSV file.
void tst_preview_windows::bookPrintMenu() {
    Fixture f;
    f.data.writeBook(kYear, {makeTetel("B épület", 0, 5000, QDate(2026, 3, 2), "Bérleti díj")});
    frmKiadBevet w(f.data.folder(), kYear);
    for (QAction* a : {w.mnuPrintKiadas, w.mnuPrintBevetel, w.mnuPrintKiBe}) a->trigger();
    QStringList titles;
    for (const auto& s : f.print.shown) titles << s.title;
    QCOMPARE(titles, (QStringList{"2026. évi kimutatás a kiadásokról.", "2026. évi kimutatás a bevételekről.", "2026. évi kimutatás"}));
    QCOMPARE(f.print.pages.texts().filter("Bérleti díj").size(), 1);
    f.print.fileNames = {f.file("konyv")};
    w.mnuCsvMentes->trigger();
    QVERIFY(f.readFile("konyv.csv").contains("2026. 03. 02.;Bérleti díj;0;5000;számla\r\nÖSSZESEN;;0;5000;\r\n"));
}

QTEST_MAIN(tst_preview_windows)
#include "tst_preview_windows.moc"
