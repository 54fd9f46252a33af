// The letter windows: what each user action of the designer, the picture
// picker and the print journal does to the controls and the files. The rules
// behind them (positions, paddings, journal records) are tested on the engine.

#include "letters/journal.h"
#include "letters/picture.h"
#include "store/recordfile.h"
#include "support/mainwindow.h"
#include "support/scriptedprinting.h"
#include "windows/frmErtesito.h"
#include "windows/frmNaplo.h"
#include "windows/kep_browse.h"
#include "windows/recordlist.h"

using namespace letters;

namespace {

const QString kYear = QStringLiteral("2026");
int px(double twips) { return int(std::lround(twips / frmErtesito::TwipsPerPixel)); }

// A drag by the mouse from `from` to `to`, in the widget's pixels.
void drag(QWidget* w, QPoint from, QPoint to) {
    for (auto [type, at] : {std::pair{QEvent::MouseButtonPress, from}, {QEvent::MouseMove, to}, {QEvent::MouseButtonRelease, to}}) {
        QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

// Picture files (BMP bytes, also under other names) and files that are no picture.
void writeFiles(const QString& dir, const QStringList& pictures, const QStringList& others = {}) {
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    for (const QString& name : pictures) img.save(QDir(dir).filePath(name), "BMP");
    for (const QString& name : others) {
        QFile f(QDir(dir).filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write("nem kép");
    }
}

// Kovács Éva (record 1, selected) and Nagy Ilona, listed in the order 2, 1.
struct Fixture : MainWindow {
    ScriptedPrintDialogs print;
    std::unique_ptr<frmErtesito> letter;
    Fixture() {
        Lakas a = makeLakas("Kovács Éva", "Fő utca", "1", "2/5");
        a.KKEloiras(2) = 12345, a.HEloiras(1) = 3200;
        data.writeApartments(kYear, {a, makeLakas("Nagy Ilona", "Kert utca", "10", "")});
    }
    frmErtesito& openLetter() {
        letter = std::make_unique<frmErtesito>(ErtesitoInputs{data.folder(), kYear, 1, {2, 1}, "12345,-Ft", "3200,-Ft"});
        letter->show();
        return *letter;
    }
    QStringList journalNames() const {
        QStringList out;
        for (const Naplo& n : readJournal(data.folder(), kYear).records)
            out << n.LakoNev.text() + (n.Befizetve ? ' ' + QString::number(n.Befizetve) : QString());
        return out;
    }
};

}  // namespace

class tst_letter_windows : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamedAndFit();
    void menuOpensTheDesigner();
    void designer();
    void templates();
    void printing_data();
    void printing();
    void picturePicker();
    void pictureOnThePage();
    void journalWindow();
};

void tst_letter_windows::controlsAreNamedAndFit() {
    Fixture f;
    kep_browse picker(f.data.folder());
    frmNaplo journal(f.data.folder(), kYear);
    const std::vector<std::pair<QWidget*, QString>> windows{
        {&f.openLetter(), "Nyomtatvány kitöltő"}, {&picker, "Kép keresés"}, {&journal, "Nyomtatási napló"}};
    for (const auto& [window, title] : windows) {
        QVERIFY(window->windowTitle() == title && unnamedInputs(window).isEmpty());
        QVERIFY(window->minimumSizeHint().width() <= 1366 && window->minimumSizeHint().height() <= 700);
    }
}

void tst_letter_windows::menuOpensTheDesigner() {
    Fixture f;
    {
        // An empty year: no apartment selected, a refusal and no window.
        TestFolder empty;
        frmKezdo main{empty.folder()};
        main.mnuEgyenlegErtesito->trigger();
        QCOMPARE(f.dlg.texts(), QStringList{"message|! HIBA !|Nincs kijelölve lakás a listából!\n"});
    }
    // Kovács Éva, first in the list, is selected at start: the letter window
    // shows her with the captions' amounts and counts the listed apartments.
    QStringList seen;
    QVERIFY(onModal<frmErtesito>([&] { f.open().mnuEgyenlegErtesito->trigger(); }, [&](frmErtesito& e) {
        seen << e.boxText(NevSor) << e.boxText(KKOsszeg) << e.boxText(OsszesenOsszeg) << e.cmdMindPrint->text() << e.boxText(HelyDatum);
    }));
    QCOMPARE(seen, (QStringList{"Név: Kovács Éva", "  12345,-Ft", "  15545,-Ft", "Ny&omtatás (2-db.)", "Budapest, 2026. 03. 15."}));
}

void tst_letter_windows::designer() {
    Fixture f;
    frmErtesito& w = f.openLetter();
    // Dragging an amount moves it, its ruler and the fields that keep in line.
    const Positions before = w.positions();
    drag(w.Label1[KKOsszeg], {3, 2}, {23, 12});
    QCOMPARE(w.Label1[KKOsszeg]->pos(), QPoint(px(before[KKOsszeg].left) + 20, px(before[KKOsszeg].top) + 10));
    QVERIFY(w.lbBal[KKOsszeg]->text() == rulerText(w.positions()[KKOsszeg].left) && w.Label1[KKFelirat]->y() == w.Label1[KKOsszeg]->y());
    // Typing changes the field on the page; a size other than 10, 12 or 14 goes back to 12.
    w.setBoxText(CimSor, "Cím: máshol");
    w.cmbBetuMeret->setCurrentText("16");
    emit w.cmbBetuMeret->lineEdit()->editingFinished();
    QCOMPARE(w.Label1[CimSor]->text() + '|' + w.cmbBetuMeret->currentText(), QStringLiteral("Cím: máshol|12"));
    // Paper: A5 sets the boxes and the page; a custom size takes digits only and waits for "OK".
    w.opA5->click();
    QCOMPARE(w.txtMagas->text() + '|' + QString::number(w.Frame1->height()), QStringLiteral("148|%1").arg(px(5480)));
    w.opEgyedi->click();
    QTest::keyClicks(w.txtSzeles, "1x50");
    QTest::keyClicks(w.txtMagas, "99");
    w.cmdPapirMeret->click();
    QCOMPARE(w.Frame1->size(), QSize(px(150 * TervezoArany + 100), px(99 * TervezoArany + 100)));
}

void tst_letter_windows::templates() {
    Fixture f;
    for (const QString name : {"Első", "Második"}) {
        Design d;
        d.positions[KKOsszeg].left = name.size() * 1000;
        d.szoveg2 = "Első sor\nMásodik sor", d.fontName = "Courier New", d.fontSize = 14, d.landscape = true, d.paper = Paper::A5;
        saveTemplate(f.data.folder(), d, name);
    }
    frmErtesito& w = f.openLetter();
    // The first is loaded at opening, but with size 12 and Times New Roman; chosen
    // from the list, a template applies all it holds.
    const auto shown = [&] {
        return QStringList{QString::number(w.KivalasztottNy()), QString::number(w.positions()[KKOsszeg].left), w.cmbBetuMeret->currentText(),
                           w.cmbBetuTipus->currentText(), w.boxText(Szoveg2), QString::number(w.opA5->isChecked() && w.opOrientacio[0]->isChecked() && w.cmdNyomtatvanyDel->isEnabled())};
    };
    const QStringList first = shown().mid(0, 5);
    w.cmbNyomtatvanyok->setCurrentIndex(1);
    emit w.cmbNyomtatvanyok->activated(1);
    QCOMPARE(first + shown(), (QStringList{"1", "4000", "12", "Times New Roman", "Első sor\nMásodik sor",
                                           "2", "7000", "14", "Courier New", "Első sor\nMásodik sor", "1"}));

    // Saving asks for a name and appends; the selection stays.
    f.dlg.inputs = {"Harmadik"};
    w.cmdNyomtatvanySave->click();
    QCOMPARE(templateNames(f.data.folder()) << w.cmbNyomtatvanyok->currentText() + QString::number(w.cmbNyomtatvanyok->count()),
             (QStringList{"Első", "Második", "Harmadik", "Második3"}));
    QCOMPARE(findTemplate(f.data.folder(), "Harmadik")->design.positions, w.positions());
    // Deleting asks first: No keeps it, Yes deletes the selected one.
    w.cmdNyomtatvanyDel->click();
    f.dlg.answers = {true};
    w.cmdNyomtatvanyDel->click();
    const QString ask = "question/Nem| Törlés |Biztos törölhető a kijelölt nyomtatvány?\n\n";
    QCOMPARE(f.dlg.texts(), (QStringList{"input|Értesítés mentése!|Kérem adja meg az értesítés nevét (max. 50 karakter).", ask, ask}));
    QVERIFY(templateNames(f.data.folder()) == (QStringList{"Első", "Harmadik"}) && w.cmbNyomtatvanyok->count() == 2 && !w.cmdNyomtatvanyDel->isEnabled());
}

void tst_letter_windows::printing_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");          // the PDF file named; "" cancels
    QTest::addColumn<bool>("fromPreview");      // the preview's pages are printed
    QTest::addColumn<QStringList>("recorded");  // the journal afterwards
    const QStringList both{"Nagy Ilona", "Kovács Éva"};
    QTest::newRow("selected to PDF") << "cmdPrint" << "level.pdf" << false << QStringList{"Kovács Éva"};
    QTest::newRow("listed to PDF") << "cmdMindPrint" << "mind" << false << both;
    QTest::newRow("file not named") << "cmdMindPrint" << "" << false << QStringList{};
    QTest::newRow("file not writable") << "cmdPrint" << "nincs/level.pdf" << false << QStringList{};
    QTest::newRow("preview only") << "cmdMindPrintElonezet" << "" << false << QStringList{};
    QTest::newRow("printed from the preview") << "cmdMindPrintElonezet" << "" << true << both;
}

void tst_letter_windows::printing() {
    QFETCH(QString, button); QFETCH(QString, file); QFETCH(bool, fromPreview); QFETCH(QStringList, recorded);
    Fixture f;
    QTemporaryDir out;
    if (!file.isEmpty()) f.print.fileNames = {out.filePath(file)};
    f.print.printFromDialogs = fromPreview;
    frmErtesito& w = f.openLetter();
    w.Combo2->setCurrentIndex(w.Combo2->findText("PDF fájl..."));
    w.findChild<QPushButton*>(button)->click();
    QCOMPARE(f.journalNames() + f.dlg.titles(), recorded + (file.startsWith("nincs") ? QStringList{"Hiba"} : QStringList{}));
    if (!fromPreview && !recorded.isEmpty()) QVERIFY(QFile::exists(printing::withSuffix(out.filePath(file), "pdf")));
    // The preview shows the letters that would print, each with its apartment.
    if (button.endsWith("Elonezet")) QVERIFY(f.print.pages.pages() == 2 && f.print.pages.findText("Név: Nagy Ilona", 1));
}

void tst_letter_windows::picturePicker() {
    Fixture f;
    QTemporaryDir pics;
    writeFiles(pics.path(), {"logo.bmp", "abc.jpg", "kep.png"}, {"rossz.gif"});
    QDir(pics.path()).mkdir("alma");
    writeLastFolder(f.data.folder(), pics.path());
    {
        kep_browse p(f.data.folder());
        const auto files = [&] {
            QStringList out;
            for (int i = 0; i < p.File1->count(); ++i) out << p.File1->item(i)->text();
            return out;
        };
        // Opens in the last folder with the picture files.
        QCOMPARE(files() << p.Label1->text(), (QStringList{"abc.jpg", "logo.bmp", "rossz.gif", QDir::toNativeSeparators(pics.path())}));
        // With the preview a file is taken when it decodes, without it by its name.
        p.File1->setCurrentRow(2);
        QCOMPARE(p.Command2->text() + QString::number(p.Command2->isEnabled()), QStringLiteral("Nem kép fájl...0"));
        p.File1->setCurrentRow(1);
        QCOMPARE(p.Command2->text() + QString::number(p.Image1->pixmap().width()), QStringLiteral("&Rendben%1").arg(kep_browse::PreviewPixels));
        p.Check1->setChecked(false);
        p.Option1[0]->click();
        p.File1->setCurrentRow(files().indexOf("kep.png"));
        QCOMPARE(p.Command2->text(), QStringLiteral("Nem kép fájl..."));
        QTest::keyClicks(p.Text1, "ab");
        QCOMPARE(files(), QStringList{"abc.jpg"});
        emit p.Dir1->itemActivated(p.Dir1->findItems("alma", Qt::MatchExactly).first());
        QCOMPARE(p.folderShown(), QDir(pics.path()).filePath("alma"));
        p.Command3->click();
        QVERIFY(p.acceptedPath().isEmpty());
    }
    // The folder shown at closing is remembered.
    QCOMPARE(readLastFolder(f.data.folder()), QDir(pics.path()).filePath("alma"));
}

void tst_letter_windows::pictureOnThePage() {
    Fixture f;
    QTemporaryDir pics;
    writeFiles(pics.path(), {"logo.bmp"}, {"hamis.jpg"});
    writeLastFolder(f.data.folder(), pics.path());
    frmErtesito& w = f.openLetter();
    w.chkLogo->setChecked(true);
    QVERIFY(w.Frame5->isVisible());
    const auto choose = [&](const QString& name) {
        QVERIFY(onModal<kep_browse>([&] { w.cmdKepek->click(); }, [&](kep_browse& p) {
            p.Check1->setChecked(false);  // the name alone passes the picker
            p.File1->setCurrentItem(p.File1->findItems(name, Qt::MatchExactly).first());
            p.Command2->click();
        }));
    };
    // A file that does not decode is never placed.
    choose("hamis.jpg");
    QVERIFY(f.dlg.titles() == QStringList{"! H I B A ! "} && f.dlg.last()->text.startsWith("           Típus hiba !\nVB. Hibakód :     13\n") && !w.Image3->isVisible());
    // A wide picture is placed 1845 twips wide; dragged, sized and saved.
    choose("logo.bmp");
    QVERIFY(w.Image3->isVisible() && w.Image3->width() == px(1845) && w.lbSzeles->text() == sizeCaption(1845));
    const QPoint start = w.Image3->pos();
    drag(w.Image3, {2, 2}, {32, 2});
    QVERIFY(w.Image3->pos() == start + QPoint(30, 0) && w.lbXpoz->text() == QString::number(positionMm(w.picture().left)));
    w.HScroll1->setValue(3000);
    QCOMPARE(w.picture().height, 2250.0);
    w.cmdKepMentese->click();
    frmErtesito again(ErtesitoInputs{f.data.folder(), kYear, 1, {}, {}, {}});
    again.show();
    QVERIFY(again.picture().left == w.picture().left && again.picture().width == 3000.0 &&
            again.letterPage().picture.path == QDir(pics.path()).filePath("logo.bmp"));
}

void tst_letter_windows::journalWindow() {
    Fixture f;
    std::vector<Naplo> recs(2);
    recs[0].LakoNev = "Zöld Zoé", recs[0].Hatralek = 5000, recs[1].LakoNev = "Ábel Anna", recs[1].Hatralek = 3000;
    QCOMPARE(writeJournal(f.data.folder(), kYear, 0, recs), QString());
    f.data.writeBytes("2025/Naplo.dat", RecordFile<Naplo>::encode(recs[1]));
    // Opened from the letter window's menu, on the current year.
    QString year;
    QVERIFY(onModal<frmNaplo>([&] { f.openLetter().mnuNaplo->trigger(); }, [&](frmNaplo& m) { year = m.txtEv->text(); }) && year == kYear);

    frmNaplo w(f.data.folder(), kYear);
    ui::RecordListModel* model = ui::recordModel(w.ListView1);
    QCOMPARE(model->columnTexts(0) << w.lbHatralek->text() + w.lbBefizet->text(), (QStringList{"Ábel Anna", "Zöld Zoé", " 8 000,-Ft  ,-Ft"}));
    // Two payments of 1000 against Zöld Zoé's letter, each after choosing its row.
    for (int k = 0; k < 2; ++k) {
        QVERIFY(!w.cmdBefizet->isEnabled());
        w.ListView1->setCurrentIndex(model->index(1, 0));
        QVERIFY(w.cmdBefizet->isEnabled() && w.txtBefiet->text().isEmpty());
        QTest::keyClicks(w.txtBefiet, "1000");
        w.cmdBefizet->click();
    }
    QCOMPARE(model->text(1, 5) + '|' + model->text(1, 6) + '|' + w.lbKintlevoseg->text(), QStringLiteral("2000|3000| 6 000,-Ft"));
    // Not a whole number: refused with a message, nothing written.
    w.ListView1->setCurrentIndex(model->index(0, 0));
    QTest::keyClicks(w.txtBefiet, "12,5");
    w.cmdBefizet->click();
    QCOMPARE(f.dlg.titles() + f.journalNames(), (QStringList{"Hiba", "Zöld Zoé 2000", "Ábel Anna"}));
    // A year without a folder is empty; the year before has its letter.
    w.UpDown1->stepBy(1);
    QVERIFY(model->count() == 0 && !f.data.exists("2027"));
    w.UpDown1->stepBy(-2);
    QVERIFY(model->columnTexts(0) == QStringList{"Ábel Anna"} && w.ListView1->currentIndex().row() == 0);
}

QTEST_MAIN(tst_letter_windows)
#include "tst_letter_windows.moc"
