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
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <memory>

#include "letters/journal.h"
#include "letters/picture.h"
#include "letters/templates.h"
#include "reports/recordingsurface.h"
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
constexpr double kTw = frmErtesito::TwipsPerPixel;

std::vector<Lakas> house() {
    Lakas a = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2/5"));
    a.KKEloiras(2) = 12345;
    a.HEloiras(1) = 3200;
    Lakas b = makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Kert utca"), QStringLiteral("10"), QStringLiteral("1"));
    b.KKEloiras(1) = 500;
    return {a, b};
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

void mouse(QWidget* w, QEvent::Type type, QPoint local) {
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QString writePicture(const QString& dir, const QString& name, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    const QString path = QDir(dir).filePath(name);
    img.save(path, "BMP");
    return path;
}

struct Fixture {
    TestFolder data;
    ScriptedDialogs dlg;
    ScriptedPrintDialogs print;
    std::unique_ptr<frmErtesito> w;

    Fixture() {
        data.writeApartments(kYear, house());
        appclock::setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    }
    ~Fixture() { appclock::setNow(QDateTime()); }
    frmErtesito& open() {
        w = std::make_unique<frmErtesito>(
            ErtesitoInputs{data.folder(), kYear, 1, {2, 1}, QStringLiteral("12345,-Ft"), QStringLiteral("3200,-Ft")});
        w->show();
        return *w;
    }
    std::vector<Naplo> journal() const {
        return RecordFile<Naplo>(data.folder().yearFile(kYear, files::NaploFile)).readAll().value_or(std::vector<Naplo>{});
    }
    QStringList dialogs() const {
        QStringList out;
        for (const auto& d : dlg.shown) out << d.kind + QLatin1Char('|') + d.title;
        return out;
    }
};

Design saved(int left) {
    Design d;
    d.positions[7] = Pos{double(left), 3000};
    d.fejlec = QStringLiteral("Értesítő");
    d.szoveg2 = QStringLiteral("Első sor\nMásodik sor");
    d.kkFelirat = QStringLiteral("KK:");
    d.fontName = QStringLiteral("Courier New");
    d.fontSize = 14;
    d.xKorr = 2;
    d.landscape = true;
    d.paper = Paper::Egyedi;
    d.szeles = 100;
    d.magas = 50;
    return d;
}

}  // namespace

class tst_letter_windows : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamedAndFit();
    void menuOpensTheDesigner();
    void dragMovesTheFieldAndItsCompanions();
    void templatesSaveSelectDelete();
    void fontSizeAndPaper();
    void printingRecordsTheLetters_data();
    void printingRecordsTheLetters();
    void picturePicker();
    void pictureOnThePage();
    void journalWindow();
};

void tst_letter_windows::controlsAreNamedAndFit() {
    Fixture f;
    frmErtesito& e = f.open();
    kep_browse picker(f.data.folder());
    frmNaplo journal(f.data.folder(), kYear);
    const std::vector<std::pair<QWidget*, QStringList>> windows{
        {&e,
         {"Frame1", "Image1", "Shape1", "Line1", "Label1(0)", "Label1(11)", "Image3", "Text1(0)", "Text1(1)", "Text1(11)",
          "lbBal(0)", "lbTop(11)", "cmbNyomtatvanyok", "cmdNyomtatvanySave", "cmdNyomtatvanyDel", "cmbBetuTipus",
          "cmbBetuMeret", "opA4", "opA5", "opEgyedi", "txtSzeles", "txtMagas", "cmdPapirMeret", "opOrientacio(0)",
          "opOrientacio(1)", "txtXkorrekcio", "txtYkorrekcio", "Combo2", "cmdPrint", "cmdMindPrint", "chkLogo", "cmdKepek",
          "cmdKepMentese", "HScroll1", "lbXpoz", "lbYpoz", "lbSzeles", "lbMagas", "Frame5"}},
        {&picker,
         {"Drive1", "Dir1", "File1", "Label1", "Text1", "Option1(0)", "Option1(1)", "Command1", "Check1", "Image1",
          "Command2", "Command3"}},
        {&journal,
         {"txtEv", "UpDown1", "ListView1", "lbHatralek", "lbBefizet", "lbKintlevoseg", "txtBefiet", "cmdBefizet"}}};
    for (const auto& [window, names] : windows) {
        for (const QString& n : names) QVERIFY2(window->findChildren<QWidget*>(n).size() == 1, qPrintable(n));
        // Every input is named by its caption or carries an accessible name.
        for (QWidget* input : window->findChildren<QWidget*>()) {
            const bool isInput = qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input) ||
                                 qobject_cast<QPlainTextEdit*>(input) || qobject_cast<QAbstractItemView*>(input) ||
                                 qobject_cast<QSlider*>(input);
            if (!isInput || !input->parentWidget() || qobject_cast<QComboBox*>(input->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(input->parentWidget()) || input->inherits("QComboBoxListView") ||
                qobject_cast<QHeaderView*>(input))
                continue;
            bool labelled = !input->accessibleName().isEmpty();
            for (const QLabel* l : window->findChildren<QLabel*>()) labelled = labelled || l->buddy() == input;
            QVERIFY2(labelled, qPrintable(window->objectName() + QLatin1Char('/') + input->objectName()));
        }
        QVERIFY2(window->minimumSizeHint().width() <= 1366 && window->minimumSizeHint().height() <= 700,
                 qPrintable(window->objectName()));
    }
    const QList<std::pair<QWidget*, QString>> titles{
        {&e, "Nyomtatvány kitöltő"}, {&picker, "Kép keresés"}, {&journal, "Nyomtatási napló"}};
    for (const auto& [window, title] : titles) QCOMPARE(window->windowTitle(), title);
    QCOMPARE(e.findChild<QAction*>(QStringLiteral("mnuNaplo"))->text(), QStringLiteral("Nyomtatási &napló"));
    QCOMPARE(e.findChild<QAction*>(QStringLiteral("mnuEnd"))->text(), QStringLiteral("&Vissza"));
    QCOMPARE(journal.findChild<QAction*>(QStringLiteral("mnuVissza"))->text(), QStringLiteral("&Vissza"));
}

void tst_letter_windows::menuOpensTheDesigner() {
    Fixture f;
    {
        // An empty year: no apartment selected, a refusal and no window.
        TestFolder empty;
        frmKezdo main{empty.folder()};
        QVERIFY(main.mnuEgyenlegErtesito->isEnabled());
        main.mnuEgyenlegErtesito->trigger();
        QCOMPARE(f.dialogs(), QStringList{"message|! HIBA !"});
        QCOMPARE(f.dlg.last()->text, QStringLiteral("Nincs kijelölve lakás a listából!\n"));
        QCOMPARE(f.dlg.last()->icon, Dialogs::Icon::Warning);
    }
    // The first apartment of the list, Kovács Éva, is selected at start: the
    // letter window shows her with the captions' amounts and counts the list.
    f.data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
    frmKezdo main{f.data.folder()};
    main.show();
    QCOMPARE(main.AktualisLakas(), 1);
    QStringList seen;
    onModal([&](QWidget* w) {
        auto* e = qobject_cast<frmErtesito*>(w);
        QVERIFY(e);
        seen << e->windowTitle() << e->boxText(NevSor) << e->boxText(KKOsszeg) << e->boxText(OsszesenOsszeg)
             << e->cmdMindPrint->text() << e->boxText(HelyDatum);
    });
    main.mnuEgyenlegErtesito->trigger();
    QCOMPARE(seen, (QStringList{"Nyomtatvány kitöltő", "Név: Kovács Éva", "  12345,-Ft", "  15545,-Ft",
                                "Ny&omtatás (2-db.)", "Budapest, 2026. 03. 15."}));
    QCOMPARE(f.dlg.shown.size(), size_t(1));
}

void tst_letter_windows::dragMovesTheFieldAndItsCompanions() {
    Fixture f;
    frmErtesito& w = f.open();
    const Positions before = w.positions();
    QLabel* amount = w.Label1[KKOsszeg];
    mouse(amount, QEvent::MouseButtonPress, {3, 2});
    mouse(amount, QEvent::MouseMove, {23, 12});  // 20 and 10 pixels
    mouse(amount, QEvent::MouseButtonRelease, {3, 2});
    mouse(amount, QEvent::MouseMove, {50, 50});  // released: nothing moves
    const Positions& p = w.positions();
    QCOMPARE(p[KKOsszeg].left, before[KKOsszeg].left + 20 * kTw);
    QCOMPARE(p[KKOsszeg].top, before[KKOsszeg].top + 10 * kTw);
    QCOMPARE(p[KKFelirat].top, p[KKOsszeg].top);
    QCOMPARE(p[OsszesenOsszeg].left, p[KKOsszeg].left);
    QCOMPARE(amount->pos(), QPoint(int(std::lround(p[KKOsszeg].left / kTw)), int(std::lround(p[KKOsszeg].top / kTw))));
    QCOMPARE(w.lbBal[KKOsszeg]->text(), rulerText(p[KKOsszeg].left));
    QCOMPARE(w.lbTop[KKFelirat]->text(), rulerText(p[KKOsszeg].top));
    QVERIFY(w.lbBal[0]->isHidden());

    // Typing changes the field on the page; the heading stays centred.
    w.setBoxText(Fejlec, QStringLiteral("Hosszabb fejléc szövege"));
    QCOMPARE(w.Label1[Fejlec]->text(), QStringLiteral("Hosszabb fejléc szövege"));
    QCOMPARE(w.positions()[Fejlec].left, (7626 + 100 - w.Label1[Fejlec]->width() * kTw) / 2);
    // While its box has the focus, the field is red.
    w.activateWindow();
    w.Text1[NevSor]->setFocus();
    QTRY_COMPARE(w.Label1[NevSor]->palette().color(QPalette::WindowText), QColor(Qt::red));
    w.Text1[CimSor]->setFocus();
    QTRY_COMPARE(w.Label1[NevSor]->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void tst_letter_windows::templatesSaveSelectDelete() {
    Fixture f;
    saveTemplate(f.data.folder(), saved(4000), QStringLiteral("Első"));
    saveTemplate(f.data.folder(), saved(5000), QStringLiteral("Második"));
    frmErtesito& w = f.open();
    // The first template is loaded at opening, but with size 12 and Times New Roman.
    QCOMPARE(w.KivalasztottNy(), 1);
    QCOMPARE(w.positions()[KKOsszeg].left, 4000.0);
    QCOMPARE((QStringList{w.cmbBetuMeret->currentText(), w.cmbBetuTipus->currentText(), w.boxText(Szoveg2)}),
             (QStringList{"12", "Times New Roman", "Első sor\nMásodik sor"}));
    QVERIFY(w.cmdNyomtatvanyDel->isEnabled());

    // Selecting from the list applies everything the template holds.
    w.cmbNyomtatvanyok->setCurrentIndex(1);
    emit w.cmbNyomtatvanyok->activated(1);
    QCOMPARE(w.KivalasztottNy(), 2);
    QCOMPARE(w.positions()[KKOsszeg].left, 5000.0);
    QCOMPARE((QStringList{w.cmbBetuMeret->currentText(), w.cmbBetuTipus->currentText(), w.txtXkorrekcio->text(),
                          w.txtSzeles->text(), w.txtMagas->text()}),
             (QStringList{"14", "Courier New", "2", "100", "50"}));
    QVERIFY(w.opEgyedi->isChecked() && w.opOrientacio[0]->isChecked());
    QCOMPARE(w.Frame1->size(), QSize(int(std::lround((100 * TervezoArany + 100) / kTw)), int(std::lround((50 * TervezoArany + 100) / kTw))));

    // Saving asks for a name; the new template is appended, the selection stays.
    f.dlg.inputs = {QStringLiteral("Harmadik")};
    w.cmdNyomtatvanySave->click();
    QCOMPARE(f.dlg.last()->title, QStringLiteral("Értesítés mentése!"));
    QCOMPARE(f.dlg.last()->text, QStringLiteral("Kérem adja meg az értesítés nevét (max. 50 karakter)."));
    QCOMPARE(templateNames(f.data.folder()), (QStringList{"Első", "Második", "Harmadik"}));
    QCOMPARE(w.cmbNyomtatvanyok->count(), 3);
    QCOMPARE(w.cmbNyomtatvanyok->currentText(), QStringLiteral("Második"));
    const auto third = findTemplate(f.data.folder(), QStringLiteral("Harmadik"));
    QCOMPARE(third->design.positions, w.positions());
    QCOMPARE(third->record.Papir, std::int16_t(3));
    w.cmdNyomtatvanySave->click();  // cancelled: nothing saved
    QCOMPARE(templateNames(f.data.folder()).size(), 3);

    // Deleting asks first; No keeps it, Yes deletes the selected template.
    w.cmdNyomtatvanyDel->click();
    QCOMPARE(f.dlg.last()->title, QStringLiteral(" Törlés "));
    QCOMPARE(f.dlg.last()->text, QStringLiteral("Biztos törölhető a kijelölt nyomtatvány?\n\n"));
    QCOMPARE(templateNames(f.data.folder()).size(), 3);
    f.dlg.answers = {true};
    w.cmdNyomtatvanyDel->click();
    QCOMPARE(templateNames(f.data.folder()), (QStringList{"Első", "Harmadik"}));
    QVERIFY(!w.cmdNyomtatvanyDel->isEnabled());
    QCOMPARE(w.cmbNyomtatvanyok->count(), 2);
    QCOMPARE(w.KivalasztottNy(), 0);
}

void tst_letter_windows::fontSizeAndPaper() {
    Fixture f;
    frmErtesito& w = f.open();
    QCOMPARE(w.Label1[0]->font().pointSizeF(), 7.5);
    w.cmbBetuMeret->setCurrentText(QStringLiteral("14"));
    emit w.cmbBetuMeret->lineEdit()->editingFinished();
    QCOMPARE(w.Label1[5]->font().pointSizeF(), 9.0);
    w.cmbBetuMeret->setCurrentText(QStringLiteral("16"));
    emit w.cmbBetuMeret->lineEdit()->editingFinished();
    QCOMPARE(w.cmbBetuMeret->currentText(), QStringLiteral("12"));
    QCOMPARE(w.Label1[5]->font().pointSizeF(), 7.5);
    w.cmbBetuTipus->setCurrentText(QStringLiteral("Courier New"));
    QCOMPARE(w.Label1[3]->font().family(), QStringLiteral("Courier New"));

    // A5 sets the boxes and the page; custom waits for "OK".
    QTest::mouseClick(w.opA5, Qt::LeftButton);
    QCOMPARE((QStringList{w.txtSzeles->text(), w.txtMagas->text()}), (QStringList{"210", "148"}));
    QCOMPARE(w.Frame1->height(), int(std::lround(5480 / kTw)));
    QVERIFY(!w.cmdPapirMeret->isEnabled());
    QTest::mouseClick(w.opEgyedi, Qt::LeftButton);
    QVERIFY(w.txtSzeles->text().isEmpty() && w.cmdPapirMeret->isEnabled());
    QTest::keyClicks(w.txtSzeles, QStringLiteral("1x50"));  // only digits are taken
    QTest::keyClicks(w.txtMagas, QStringLiteral("99"));
    QCOMPARE(w.txtSzeles->text(), QStringLiteral("150"));
    w.cmdPapirMeret->click();
    QCOMPARE(w.Frame1->size(), QSize(int(std::lround((150 * TervezoArany + 100) / kTw)), int(std::lround((99 * TervezoArany + 100) / kTw))));
    QTest::mouseClick(w.opA4, Qt::LeftButton);
    QCOMPARE(w.Frame1->height(), int(std::lround(10875 / kTw)));
}

void tst_letter_windows::printingRecordsTheLetters_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");        // the PDF file named; "" cancels
    QTest::addColumn<bool>("fromPreview");    // the preview's pages are printed
    QTest::addColumn<QStringList>("recorded");  // journal names in order
    QTest::addColumn<QStringList>("dialogs");
    const QStringList none;
    QTest::newRow("selected to PDF") << "cmdPrint" << "level.pdf" << false << QStringList{"Kovács Éva"} << none;
    QTest::newRow("listed to PDF") << "cmdMindPrint" << "mind" << false << QStringList{"Nagy Ilona", "Kovács Éva"} << none;
    QTest::newRow("file not named") << "cmdMindPrint" << "" << false << none << none;
    QTest::newRow("file not writable") << "cmdPrint" << "nincs/level.pdf" << false << none << QStringList{"message|Hiba"};
    QTest::newRow("preview only") << "cmdPrintElonezet" << "" << false << none << none;
    QTest::newRow("printed from the preview") << "cmdMindPrintElonezet" << "" << true
                                              << QStringList{"Nagy Ilona", "Kovács Éva"} << none;
}

void tst_letter_windows::printingRecordsTheLetters() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(bool, fromPreview);
    QFETCH(QStringList, recorded);
    QFETCH(QStringList, dialogs);
    Fixture f;
    QTemporaryDir out;
    if (!file.isEmpty()) f.print.fileNames = {QDir(out.path()).filePath(file)};
    f.print.printFromDialogs = fromPreview;
    frmErtesito& w = f.open();
    w.Combo2->setCurrentIndex(w.Combo2->findText(QStringLiteral("PDF fájl...")));
    w.setBoxText(NevSor, QStringLiteral("Név: Átírt Név"));
    w.findChild<QPushButton*>(button)->click();

    QStringList names;
    for (const Naplo& n : f.journal()) names << n.LakoNev.text();
    QCOMPARE(names, recorded);
    QCOMPARE(f.dialogs(), dialogs);
    const bool preview = button.endsWith(QLatin1String("Elonezet"));
    if (!preview && !recorded.isEmpty())
        QVERIFY(QFile::exists(printing::withSuffix(QDir(out.path()).filePath(file), QStringLiteral("pdf"))));
    if (!preview) return;
    // The preview shows the letters that would print: the selected one as the
    // designer shows it, the listed ones each with its own apartment.
    const bool listed = button.startsWith(QLatin1String("cmdMind"));
    QCOMPARE(f.print.pages.pages(), listed ? 2 : 1);
    QCOMPARE(f.print.pages.findText(QStringLiteral("Név: Átírt Név")) != nullptr, !listed);
    QCOMPARE(f.print.pages.findText(QStringLiteral("Név: Nagy Ilona"), 1) != nullptr, listed);
    QCOMPARE(w.Label1[NevSor]->text(), QStringLiteral("Név: Átírt Név"));  // the designer keeps its own
}

void tst_letter_windows::picturePicker() {
    Fixture f;
    QTemporaryDir pics;
    writePicture(pics.path(), QStringLiteral("logo.bmp"), {400, 300});
    writePicture(pics.path(), QStringLiteral("abc.jpg"), {100, 100});  // BMP bytes under a JPG name
    QFile bad(QDir(pics.path()).filePath(QStringLiteral("rossz.gif")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("nem kép");
    bad.close();
    writePicture(pics.path(), QStringLiteral("kep.png"), {10, 10});
    QDir(pics.path()).mkdir(QStringLiteral("alma"));
    writeLastFolder(f.data.folder(), pics.path());

    {
        kep_browse p(f.data.folder());
        p.show();
        // Opens in the last folder, picture files listed, nothing chosen yet.
        QCOMPARE(p.Label1->text(), QDir::toNativeSeparators(pics.path()));
        QCOMPARE(p.Dir1->item(p.Dir1->count() - 1)->text(), QStringLiteral("alma"));
        const auto files = [&] {
            QStringList out;
            for (int i = 0; i < p.File1->count(); ++i) out << p.File1->item(i)->text();
            return out;
        };
        QCOMPARE(files(), (QStringList{"abc.jpg", "logo.bmp", "rossz.gif"}));
        QVERIFY(!p.Command2->isEnabled());
        // A file that does not decode is refused in the preview.
        p.File1->setCurrentRow(2);
        QCOMPARE(p.Command2->text(), QStringLiteral("Nem kép fájl..."));
        QVERIFY(!p.Command2->isEnabled());
        p.File1->setCurrentRow(1);
        QCOMPARE(p.Command2->text(), QStringLiteral("&Rendben"));
        QCOMPARE(p.Image1->pixmap().width(), kep_browse::PreviewPixels);
        // Preview off: the name decides; all files shown.
        p.Check1->setChecked(false);
        p.Option1[0]->click();
        QCOMPARE(files().size(), 4);
        p.File1->setCurrentRow(files().indexOf(QStringLiteral("kep.png")));
        QCOMPARE(p.Command2->text(), QStringLiteral("Nem kép fájl..."));
        // The search text lists the JPG files holding it.
        QTest::keyClicks(p.Text1, QStringLiteral("ab"));
        QCOMPARE(files(), QStringList{"abc.jpg"});
        QVERIFY(p.Command2->isEnabled());
        // Into a folder and back.
        emit p.Dir1->itemActivated(p.Dir1->findItems(QStringLiteral("alma"), Qt::MatchExactly).first());
        QCOMPARE(p.folderShown(), QDir(pics.path()).filePath(QStringLiteral("alma")));
        emit p.Dir1->itemActivated(p.Dir1->item(0));
        QCOMPARE(p.folderShown(), QDir(pics.path()).absolutePath());
        p.Command3->click();  // cancelled
        QVERIFY(p.acceptedPath().isEmpty());
    }
    QCOMPARE(readLastFolder(f.data.folder()), QDir(pics.path()).absolutePath());
}

void tst_letter_windows::pictureOnThePage() {
    Fixture f;
    QTemporaryDir pics;
    const QString logo = writePicture(pics.path(), QStringLiteral("logo.bmp"), {400, 300});
    writePicture(pics.path(), QStringLiteral("hamis.jpg"), {1, 1});
    QFile(QDir(pics.path()).filePath(QStringLiteral("hamis.jpg"))).resize(10);  // cut: no longer decodes
    writeLastFolder(f.data.folder(), pics.path());
    frmErtesito& w = f.open();
    QVERIFY(!w.Frame5->isVisible());
    w.chkLogo->setChecked(true);
    QVERIFY(w.Frame5->isVisible());

    // Choosing a file in the picker, with the preview off: the name passes,
    // but a file that does not decode is never placed.
    const auto choose = [&](const QString& name) {
        onModal([&](QWidget* m) {
            auto* p = qobject_cast<kep_browse*>(m);
            QVERIFY(p);
            p->Check1->setChecked(false);
            p->File1->setCurrentItem(p->File1->findItems(name, Qt::MatchExactly).first());
            p->Command2->click();
        });
        w.cmdKepek->click();
    };
    choose(QStringLiteral("hamis.jpg"));
    QCOMPARE(f.dialogs(), QStringList{"message|! H I B A ! "});
    QVERIFY(f.dlg.last()->text.startsWith(QStringLiteral("           Típus hiba !\nVB. Hibakód :     13\n")));
    QVERIFY(!w.Image3->isVisible());
    choose(QStringLiteral("logo.bmp"));
    QCOMPARE(f.dlg.shown.size(), size_t(1));
    QVERIFY(w.Image3->isVisible());
    QCOMPARE(w.picture().width, 1845.0);
    QCOMPARE(w.Image3->width(), int(std::lround(1845 / kTw)));
    QCOMPARE(w.lbSzeles->text(), sizeCaption(1845));

    // Dragging moves it and its captions; the slider sizes it.
    const QPoint start = w.Image3->pos();
    mouse(w.Image3, QEvent::MouseButtonPress, {2, 2});
    mouse(w.Image3, QEvent::MouseMove, {32, 2});
    mouse(w.Image3, QEvent::MouseButtonRelease, {2, 2});
    QCOMPARE(w.Image3->pos(), start + QPoint(30, 0));
    QCOMPARE(w.lbXpoz->text(), QString::number(positionMm(w.picture().left)));
    w.HScroll1->setValue(3000);
    QCOMPARE(w.picture().width, 3000.0);
    QCOMPARE(w.picture().height, 2250.0);

    // "Kép mentése" stores it; a new window shows it again.
    w.cmdKepMentese->click();
    const auto stored = readSavedPicture(f.data.folder());
    QVERIFY(stored);
    QCOMPARE((QList<double>{stored->left, stored->width, stored->height}), (QList<double>{w.picture().left, 3000, 2250}));
    QCOMPARE(stored->path, logo);
    frmErtesito again(ErtesitoInputs{f.data.folder(), kYear, 1, {}, {}, {}});
    again.show();
    QCOMPARE(again.picture().width, 3000.0);
    QCOMPARE(again.HScroll1->value(), 3000);
    QVERIFY(again.letterPage().picture.path == logo && !again.letterPage().picture.print);
}

void tst_letter_windows::journalWindow() {
    Fixture f;
    std::vector<Naplo> recs;
    for (const auto& [name, arrears] : {std::pair{"Zöld Zoé", 5000}, std::pair{"Ábel Anna", 3000}}) {
        Naplo n;
        n.LakoNev = QString::fromUtf8(name);
        n.Hatralek = arrears;
        recs.push_back(n);
    }
    QCOMPARE(writeJournal(f.data.folder(), kYear, 0, recs), QString());
    f.data.writeBytes(QStringLiteral("2025/Naplo.dat"), RecordFile<Naplo>::encode(recs[0]));

    // Opened from the letter window's menu, on the current year.
    frmErtesito& e = f.open();
    QString year;
    onModal([&](QWidget* m) {
        auto* j = qobject_cast<frmNaplo*>(m);
        QVERIFY(j);
        year = j->txtEv->text();
    });
    e.mnuNaplo->trigger();
    QCOMPARE(year, kYear);

    frmNaplo w(f.data.folder(), kYear);
    w.show();
    ui::RecordListModel* model = ui::recordModel(w.ListView1);
    QCOMPARE(model->columnTexts(0), (QStringList{"Ábel Anna", "Zöld Zoé"}));
    QCOMPARE((QStringList{w.lbHatralek->text(), w.lbBefizet->text(), w.lbKintlevoseg->text()}),
             (QStringList{" 8 000,-Ft", "  ,-Ft", " 8 000,-Ft"}));

    // A row chosen, two payments of 1000 against Zöld Zoé's letter.
    QVERIFY(!w.cmdBefizet->isEnabled());
    for (int k = 0; k < 2; ++k) {
        ui::setCurrentRowQuietly(w.ListView1, -1);
        w.ListView1->setCurrentIndex(model->index(1, 0));
        QVERIFY(w.cmdBefizet->isEnabled());
        QVERIFY(w.txtBefiet->text().isEmpty());
        QTest::keyClicks(w.txtBefiet, QStringLiteral("1000"));
        w.cmdBefizet->click();
        QVERIFY(!w.cmdBefizet->isEnabled());
    }
    QCOMPARE((QStringList{model->text(1, 5), model->text(1, 6), model->text(1, 7)}), (QStringList{"2000", "3000", "1"}));
    QCOMPARE(w.lbKintlevoseg->text(), QStringLiteral(" 6 000,-Ft"));
    QCOMPARE(f.journal()[0].Befizetve, 2000);
    // Not a whole number: refused with a message, nothing written.
    w.ListView1->setCurrentIndex(model->index(0, 0));
    QTest::keyClicks(w.txtBefiet, QStringLiteral("12,5"));
    w.cmdBefizet->click();
    QCOMPARE(f.dialogs(), QStringList{"message|Hiba"});
    QCOMPARE(f.journal()[1].Befizetve, 0);

    // Stepping the year: a year without a folder is empty, the one before has its letter.
    w.UpDown1->stepBy(1);
    QCOMPARE(w.txtEv->text(), QStringLiteral("2027"));
    QCOMPARE(model->count(), 0);
    QVERIFY(!f.data.exists(QStringLiteral("2027")));
    w.UpDown1->stepBy(-2);
    QCOMPARE(model->columnTexts(0), QStringList{"Zöld Zoé"});
    QCOMPARE(w.ListView1->currentIndex().row(), 0);
    QVERIFY(!w.cmdBefizet->isEnabled());
}

QTEST_MAIN(tst_letter_windows)
#include "tst_letter_windows.moc"
