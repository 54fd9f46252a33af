// The letter windows: what each user action of the designer, the picture
// picker and the print journal does to the controls and the files. The rules
// behind them (positions, paddings, journal records) are tested on the engine.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "letters/journal.h"
#include "letters/picture.h"
#include "store/clock.h"
#include "store/recordfile.h"
#include "support/scripteddialogs.h"
#include "support/scriptedprinting.h"
#include "support/testfolder.h"
#include "windows/frmErtesito.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/frmNaplo.h"
#include "windows/kep_browse.h"
#include "windows/recordlist.h"

using namespace letters;

namespace {

const QString kYear = QStringLiteral("2026");
int px(double twips) {
    return int(std::lround(twips / frmErtesito::TwipsPerPixel));
}

// Runs `fn` on the modal window that the next action opens, then closes it.
void onModal(const std::function<void(QWidget*)>& fn) {
    QTimer::singleShot(0, [fn] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        fn(w);
        if (w->isVisible()) w->close();
    });
}

// A drag by the mouse from `from` to `to`, in the widget's pixels.
void drag(QWidget* w, QPoint from, QPoint to) {
    for (auto [type, at] :
         {std::pair{QEvent::MouseButtonPress, from}, {QEvent::MouseMove, to}, {QEvent::MouseButtonRelease, to}}) {
        QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

// Picture files: BMP bytes (also under other names), or bytes that are no picture.
void writeFiles(const QString& dir, const QStringList& pictures, const QStringList& others = {}) {
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    for (const QString& name : pictures) img.save(QDir(dir).filePath(name), "BMP");
    for (const QString& name : others) {
        QFile f(QDir(dir).filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write("nem kép");
    }
}

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    ScriptedPrintDialogs print;
    std::unique_ptr<frmErtesito> w;

    Fixture() {
        Lakas a = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"),
                            QStringLiteral("2/5"));
        a.KKEloiras(2) = 12345;
        a.HEloiras(1) = 3200;
        data.writeApartments(kYear, {a, makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Kert utca"),
                                                  QStringLiteral("10"), QString())});
        appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }
    frmErtesito& open() {
        w = std::make_unique<frmErtesito>(
            ErtesitoInputs{data.folder(), kYear, 1, {2, 1}, QStringLiteral("12345,-Ft"), QStringLiteral("3200,-Ft")});
        w->show();
        return *w;
    }
    QStringList journalNames() const {
        QStringList out;
        for (const Naplo& n : readJournal(data.folder(), kYear).records)
            out << n.LakoNev.text() + (n.Befizetve ? QLatin1Char(' ') + QString::number(n.Befizetve) : QString());
        return out;
    }
    QStringList dialogs() const {
        QStringList out;
        for (const auto& d : dlg.shown) out << d.kind + QLatin1Char('|') + d.title;
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
    const std::vector<std::tuple<QWidget*, QString, QString>> windows{
        {&f.open(), "Nyomtatvány kitöltő",
         "Frame1 Image1 Shape1 Line1 Label1(0) Label1(11) Image3 Text1(0) Text1(1) Text1(11) lbBal(0) lbTop(11) "
         "cmbNyomtatvanyok cmdNyomtatvanySave cmdNyomtatvanyDel cmbBetuTipus cmbBetuMeret opA4 opA5 opEgyedi txtSzeles "
         "txtMagas cmdPapirMeret opOrientacio(0) opOrientacio(1) txtXkorrekcio txtYkorrekcio Combo2 cmdPrint "
         "cmdMindPrint chkLogo cmdKepek cmdKepMentese HScroll1 lbXpoz lbYpoz lbSzeles lbMagas Frame5"},
        {&picker, "Kép keresés",
         "Drive1 Dir1 File1 Label1 Text1 Option1(0) Option1(1) Command1 Check1 Image1 Command2 Command3"},
        {&journal, "Nyomtatási napló",
         "txtEv UpDown1 ListView1 lbHatralek lbBefizet lbKintlevoseg txtBefiet cmdBefizet"}};
    for (const auto& [window, title, names] : windows) {
        QCOMPARE(window->windowTitle(), title);
        for (const QString& n : names.split(QLatin1Char(' ')))
            QVERIFY2(window->findChildren<QWidget*>(n).size() == 1, qPrintable(n));
        // Every input is named by its caption or carries an accessible name.
        for (QWidget* input : window->findChildren<QWidget*>()) {
            const bool isInput = qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input) ||
                                 qobject_cast<QPlainTextEdit*>(input) || qobject_cast<QAbstractItemView*>(input) ||
                                 qobject_cast<QSlider*>(input);
            if (!isInput || qobject_cast<QComboBox*>(input->parentWidget()) || qobject_cast<QHeaderView*>(input) ||
                qobject_cast<QAbstractSpinBox*>(input->parentWidget()) || input->inherits("QComboBoxListView"))
                continue;
            bool labelled = !input->accessibleName().isEmpty();
            for (const QLabel* l : window->findChildren<QLabel*>()) labelled = labelled || l->buddy() == input;
            QVERIFY2(labelled, qPrintable(window->objectName() + QLatin1Char('/') + input->objectName()));
        }
        QVERIFY(window->minimumSizeHint().width() <= 1366 && window->minimumSizeHint().height() <= 700);
    }
    QCOMPARE(f.w->mnuNaplo->text(), QStringLiteral("Nyomtatási &napló"));
    QCOMPARE(f.w->mnuEnd->text(), QStringLiteral("&Vissza"));
    QCOMPARE(journal.mnuVissza->text(), QStringLiteral("&Vissza"));
}

void tst_letter_windows::menuOpensTheDesigner() {
    Fixture f;
    {
        // An empty year: no apartment selected, a refusal and no window.
        TestFolder empty;
        frmKezdo main{empty.folder()};
        main.mnuEgyenlegErtesito->trigger();
        QCOMPARE(f.dialogs(), QStringList{"message|! HIBA !"});
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Nincs kijelölve lakás a listából!\n"));
    }
    // Kovács Éva, first in the list, is selected at start: the letter window
    // shows her with the captions' amounts and counts the listed apartments.
    f.data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
    frmKezdo main{f.data.folder()};
    QStringList seen;
    onModal([&](QWidget* w) {
        auto* e = qobject_cast<frmErtesito*>(w);
        QVERIFY(e);
        seen << e->boxText(NevSor) << e->boxText(KKOsszeg) << e->boxText(OsszesenOsszeg) << e->cmdMindPrint->text()
             << e->boxText(HelyDatum);
    });
    main.mnuEgyenlegErtesito->trigger();
    QCOMPARE(seen, (QStringList{"Név: Kovács Éva", "  12345,-Ft", "  15545,-Ft", "Ny&omtatás (2-db.)",
                                "Budapest, 2026. 03. 15."}));
}

void tst_letter_windows::designer() {
    Fixture f;
    frmErtesito& w = f.open();
    // Dragging an amount moves it, its ruler and the fields that keep in line.
    const Positions before = w.positions();
    drag(w.Label1[KKOsszeg], {3, 2}, {23, 12});
    const Positions& p = w.positions();
    QCOMPARE(w.Label1[KKOsszeg]->pos(), QPoint(px(before[KKOsszeg].left) + 20, px(before[KKOsszeg].top) + 10));
    QCOMPARE(w.lbBal[KKOsszeg]->text(), rulerText(p[KKOsszeg].left));
    QCOMPARE(w.Label1[KKFelirat]->y(), w.Label1[KKOsszeg]->y());
    QVERIFY(w.lbBal[0]->isHidden());
    // Typing changes the field on the page.
    w.setBoxText(CimSor, QStringLiteral("Cím: máshol"));
    QCOMPARE(w.Label1[CimSor]->text(), QStringLiteral("Cím: máshol"));
    // A size other than 10, 12 or 14 goes back to 12.
    w.cmbBetuMeret->setCurrentText(QStringLiteral("16"));
    emit w.cmbBetuMeret->lineEdit()->editingFinished();
    QCOMPARE(w.cmbBetuMeret->currentText(), QStringLiteral("12"));
    // Paper: A5 sets the boxes and the page; a custom size takes digits only and waits for "OK".
    w.opA5->click();
    QCOMPARE(w.txtMagas->text() + QLatin1Char('|') + QString::number(w.Frame1->height()),
             QStringLiteral("148|%1").arg(px(5480)));
    w.opEgyedi->click();
    QVERIFY(w.txtSzeles->text().isEmpty() && w.cmdPapirMeret->isEnabled());
    QTest::keyClicks(w.txtSzeles, QStringLiteral("1x50"));
    QTest::keyClicks(w.txtMagas, QStringLiteral("99"));
    w.cmdPapirMeret->click();
    QCOMPARE(w.Frame1->size(), QSize(px(150 * TervezoArany + 100), px(99 * TervezoArany + 100)));
}

void tst_letter_windows::templates() {
    Fixture f;
    for (const QString& name : {QStringLiteral("Első"), QStringLiteral("Második")}) {
        Design d;
        d.positions[KKOsszeg].left = name.size() * 1000;
        d.szoveg2 = QStringLiteral("Első sor\nMásodik sor");
        d.fontName = QStringLiteral("Courier New");
        d.fontSize = 14;
        d.landscape = true;
        d.paper = Paper::A5;
        saveTemplate(f.data.folder(), d, name);
    }
    frmErtesito& w = f.open();
    // The first is loaded at opening, but with size 12 and Times New Roman.
    QCOMPARE(w.KivalasztottNy(), 1);
    QCOMPARE((QStringList{w.cmbBetuMeret->currentText(), w.cmbBetuTipus->currentText(), w.boxText(Szoveg2)}),
             (QStringList{"12", "Times New Roman", "Első sor\nMásodik sor"}));
    // Chosen from the list, a template applies all it holds.
    w.cmbNyomtatvanyok->setCurrentIndex(1);
    emit w.cmbNyomtatvanyok->activated(1);
    QCOMPARE(w.KivalasztottNy(), 2);
    QCOMPARE(w.positions()[KKOsszeg].left, 7000.0);
    QCOMPARE(w.cmbBetuTipus->currentText() + w.cmbBetuMeret->currentText(), QStringLiteral("Courier New14"));
    QVERIFY(w.opA5->isChecked() && w.opOrientacio[0]->isChecked() && w.cmdNyomtatvanyDel->isEnabled());

    // Saving asks for a name and appends; the selection stays.
    f.dlg.inputs = {QStringLiteral("Harmadik")};
    w.cmdNyomtatvanySave->click();
    QCOMPARE(f.dlg.last()->text, QStringLiteral("Kérem adja meg az értesítés nevét (max. 50 karakter)."));
    QCOMPARE(templateNames(f.data.folder()), (QStringList{"Első", "Második", "Harmadik"}));
    QCOMPARE(findTemplate(f.data.folder(), QStringLiteral("Harmadik"))->design.positions, w.positions());
    QCOMPARE(w.cmbNyomtatvanyok->currentText() + QString::number(w.cmbNyomtatvanyok->count()),
             QStringLiteral("Második3"));
    // Deleting asks first: No keeps it, Yes deletes the selected one.
    w.cmdNyomtatvanyDel->click();
    QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos törölhető a kijelölt nyomtatvány?\n\n"));
    QVERIFY(f.dlg.last()->byDefault == Dialogs::Default::No);
    f.dlg.answers = {true};
    w.cmdNyomtatvanyDel->click();
    QCOMPARE(f.dialogs(), (QStringList{"input|Értesítés mentése!", "question| Törlés ", "question| Törlés "}));
    QCOMPARE(templateNames(f.data.folder()), (QStringList{"Első", "Harmadik"}));
    QVERIFY(!w.cmdNyomtatvanyDel->isEnabled() && w.cmbNyomtatvanyok->count() == 2);
}

void tst_letter_windows::printing_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");          // the PDF file named; "" cancels
    QTest::addColumn<bool>("fromPreview");      // the preview's pages are printed
    QTest::addColumn<QStringList>("recorded");  // the journal afterwards
    const QStringList both{"Nagy Ilona", "Kovács Éva"};
    QTest::newRow("selected to PDF") << "cmdPrint"
                                     << "level.pdf" << false << QStringList{"Kovács Éva"};
    QTest::newRow("listed to PDF") << "cmdMindPrint"
                                   << "mind" << false << both;
    QTest::newRow("file not named") << "cmdMindPrint"
                                    << "" << false << QStringList{};
    QTest::newRow("file not writable") << "cmdPrint"
                                       << "nincs/level.pdf" << false << QStringList{};
    QTest::newRow("preview only") << "cmdMindPrintElonezet"
                                  << "" << false << QStringList{};
    QTest::newRow("printed from the preview") << "cmdMindPrintElonezet"
                                              << "" << true << both;
}

void tst_letter_windows::printing() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(bool, fromPreview);
    QFETCH(QStringList, recorded);
    Fixture f;
    QTemporaryDir out;
    if (!file.isEmpty()) f.print.fileNames = {QDir(out.path()).filePath(file)};
    f.print.printFromDialogs = fromPreview;
    frmErtesito& w = f.open();
    w.Combo2->setCurrentIndex(w.Combo2->findText(QStringLiteral("PDF fájl...")));
    w.findChild<QPushButton*>(button)->click();
    QCOMPARE(f.journalNames(), recorded);
    QCOMPARE(f.dialogs(), file.startsWith(QLatin1String("nincs")) ? QStringList{"message|Hiba"} : QStringList{});
    if (!fromPreview && !recorded.isEmpty())
        QVERIFY(QFile::exists(printing::withSuffix(QDir(out.path()).filePath(file), QStringLiteral("pdf"))));
    // The preview shows the letters that would print, each with its apartment.
    if (button.endsWith(QLatin1String("Elonezet")))
        QVERIFY(f.print.pages.pages() == 2 && f.print.pages.findText(QStringLiteral("Név: Nagy Ilona"), 1));
}

void tst_letter_windows::picturePicker() {
    Fixture f;
    QTemporaryDir pics;
    writeFiles(pics.path(), {"logo.bmp", "abc.jpg", "kep.png"}, {"rossz.gif"});
    QDir(pics.path()).mkdir(QStringLiteral("alma"));
    writeLastFolder(f.data.folder(), pics.path());
    {
        kep_browse p(f.data.folder());
        const auto files = [&] {
            QStringList out;
            for (int i = 0; i < p.File1->count(); ++i) out << p.File1->item(i)->text();
            return out;
        };
        // Opens in the last folder with the picture files.
        QCOMPARE(p.Label1->text(), QDir::toNativeSeparators(pics.path()));
        QCOMPARE(files(), (QStringList{"abc.jpg", "logo.bmp", "rossz.gif"}));
        // With the preview a file is taken when it decodes, without it by its name.
        p.File1->setCurrentRow(2);
        QCOMPARE(p.Command2->text() + QString::number(p.Command2->isEnabled()), QStringLiteral("Nem kép fájl...0"));
        p.File1->setCurrentRow(1);
        QCOMPARE(p.Command2->text() + QString::number(p.Image1->pixmap().width()),
                 QStringLiteral("&Rendben%1").arg(kep_browse::PreviewPixels));
        p.Check1->setChecked(false);
        p.Option1[0]->click();
        p.File1->setCurrentRow(files().indexOf(QStringLiteral("kep.png")));
        QCOMPARE(p.Command2->text(), QStringLiteral("Nem kép fájl..."));
        QTest::keyClicks(p.Text1, QStringLiteral("ab"));
        QCOMPARE(files(), QStringList{"abc.jpg"});
        emit p.Dir1->itemActivated(p.Dir1->findItems(QStringLiteral("alma"), Qt::MatchExactly).first());
        QCOMPARE(p.folderShown(), QDir(pics.path()).filePath(QStringLiteral("alma")));
        p.Command3->click();
        QVERIFY(p.acceptedPath().isEmpty());
    }
    // The folder shown at closing is remembered.
    QCOMPARE(readLastFolder(f.data.folder()), QDir(pics.path()).filePath(QStringLiteral("alma")));
}

void tst_letter_windows::pictureOnThePage() {
    Fixture f;
    QTemporaryDir pics;
    writeFiles(pics.path(), {"logo.bmp"}, {"hamis.jpg"});
    writeLastFolder(f.data.folder(), pics.path());
    frmErtesito& w = f.open();
    w.chkLogo->setChecked(true);
    QVERIFY(w.Frame5->isVisible());
    const auto choose = [&](const QString& name) {
        onModal([&](QWidget* m) {
            auto* p = qobject_cast<kep_browse*>(m);
            p->Check1->setChecked(false);  // the name alone passes the picker
            p->File1->setCurrentItem(p->File1->findItems(name, Qt::MatchExactly).first());
            p->Command2->click();
        });
        w.cmdKepek->click();
    };
    // A file that does not decode is never placed.
    choose(QStringLiteral("hamis.jpg"));
    QCOMPARE(f.dialogs(), QStringList{"message|! H I B A ! "});
    QVERIFY(f.dlg.last()->text.startsWith(QStringLiteral("           Típus hiba !\nVB. Hibakód :     13\n")));
    QVERIFY(!w.Image3->isVisible());
    // A wide picture is placed 1845 twips wide; dragged, sized and saved.
    choose(QStringLiteral("logo.bmp"));
    QVERIFY(w.Image3->isVisible());
    QCOMPARE(w.Image3->width(), px(1845));
    QCOMPARE(w.lbSzeles->text(), sizeCaption(1845));
    const QPoint start = w.Image3->pos();
    drag(w.Image3, {2, 2}, {32, 2});
    QCOMPARE(w.Image3->pos(), start + QPoint(30, 0));
    QCOMPARE(w.lbXpoz->text(), QString::number(positionMm(w.picture().left)));
    w.HScroll1->setValue(3000);
    QCOMPARE(w.picture().height, 2250.0);
    w.cmdKepMentese->click();
    frmErtesito again(ErtesitoInputs{f.data.folder(), kYear, 1, {}, {}, {}});
    again.show();
    QCOMPARE(again.picture().left, w.picture().left);
    QCOMPARE(again.picture().width, 3000.0);
    QCOMPARE(again.letterPage().picture.path, QDir(pics.path()).filePath(QStringLiteral("logo.bmp")));
}

void tst_letter_windows::journalWindow() {
    Fixture f;
    std::vector<Naplo> recs(2);
    recs[0].LakoNev = QStringLiteral("Zöld Zoé");
    recs[0].Hatralek = 5000;
    recs[1].LakoNev = QStringLiteral("Ábel Anna");
    recs[1].Hatralek = 3000;
    QCOMPARE(writeJournal(f.data.folder(), kYear, 0, recs), QString());
    f.data.writeBytes(QStringLiteral("2025/Naplo.dat"), RecordFile<Naplo>::encode(recs[1]));
    // Opened from the letter window's menu, on the current year.
    QString year;
    onModal([&](QWidget* m) { year = qobject_cast<frmNaplo*>(m)->txtEv->text(); });
    f.open().mnuNaplo->trigger();
    QCOMPARE(year, kYear);

    frmNaplo w(f.data.folder(), kYear);
    ui::RecordListModel* model = ui::recordModel(w.ListView1);
    QCOMPARE(model->columnTexts(0), (QStringList{"Ábel Anna", "Zöld Zoé"}));
    QCOMPARE(w.lbHatralek->text() + w.lbBefizet->text(), QStringLiteral(" 8 000,-Ft  ,-Ft"));
    // Two payments of 1000 against Zöld Zoé's letter, each after choosing its row.
    for (int k = 0; k < 2; ++k) {
        QVERIFY(!w.cmdBefizet->isEnabled());
        w.ListView1->setCurrentIndex(model->index(1, 0));
        QVERIFY(w.cmdBefizet->isEnabled() && w.txtBefiet->text().isEmpty());
        QTest::keyClicks(w.txtBefiet, QStringLiteral("1000"));
        w.cmdBefizet->click();
    }
    QCOMPARE(model->text(1, 5) + QLatin1Char('|') + model->text(1, 6), QStringLiteral("2000|3000"));
    QCOMPARE(w.lbKintlevoseg->text(), QStringLiteral(" 6 000,-Ft"));
    // Not a whole number: refused with a message, nothing written.
    w.ListView1->setCurrentIndex(model->index(0, 0));
    QTest::keyClicks(w.txtBefiet, QStringLiteral("12,5"));
    w.cmdBefizet->click();
    QCOMPARE(f.dialogs(), QStringList{"message|Hiba"});
    QCOMPARE(f.journalNames(), (QStringList{"Zöld Zoé 2000", "Ábel Anna"}));
    // A year without a folder is empty; the year before has its letter.
    w.UpDown1->stepBy(1);
    QVERIFY(model->count() == 0 && !f.data.exists(QStringLiteral("2027")));
    w.UpDown1->stepBy(-2);
    QCOMPARE(model->columnTexts(0), QStringList{"Ábel Anna"});
    QCOMPARE(w.ListView1->currentIndex().row(), 0);
}

QTEST_MAIN(tst_letter_windows)
#include "tst_letter_windows.moc"
