// The letter designer's arithmetic (rulers and print positions, the fields
// that move along with a dragged one, font sizes, the padded amounts, the
// picture's sizes, the picker's file lists and the texts of its error box)
// and the files it keeps between runs: the templates of Nyomtatvanyok.dat
// (save, find, delete by copy), the saved picture of Kepment.dat and the
// picker's last folder in browse.pat.

#include <QDir>
#include <QTest>

#include "letters/letter.h"
#include "letters/picture.h"
#include "letters/templates.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

Design sample(int seed) {
    Design d{.fejlec = "Egyenleg értesítő", .szoveg2 = "Tisztelt Lakó!\nKérjük, rendezze tartozását.",
             .szoveg1 = "Köszönjük.", .kkFelirat = "Közösköltség tartozás: ", .hFelirat = "Hulladék díj tartozás: ",
             .fontName = "Courier New", .fontSize = 14, .xKorr = -2, .yKorr = 3, .landscape = true,
             .paper = Paper::Egyedi, .szeles = 180, .magas = 120};
    for (int i = 0; i < FieldCount; ++i) d.positions[size_t(i)] = Pos{1000.5 + i * seed, 2000.25 + i};
    return d;
}

std::vector<Nyomtatvany> stored(const TestFolder& data) {
    return RecordFile<Nyomtatvany>(data.folder().file(files::Nyomtatvanyok)).readAll().value();
}
}  // namespace

class tst_letterdesign : public QObject {
    Q_OBJECT
private slots:
    // The ruler in both locales (no leading zero) and the print position with corrections 0.
    void rulers_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("hu");
        QTest::addColumn<double>("printedAt");
        QTest::newRow("1000 twips") << 1000.0 << "27.5" << "27,5" << 21.5;
        QTest::newRow("30 mm") << 30 * TervezoArany << "30.0" << "30,0" << 24.0;
        QTest::newRow("below 1 mm") << 18.0 << ".5" << ",5" << -5.5;
        QTest::newRow("left of the page") << -100.0 << "-2.8" << "-2,8" << -8.8;
    }
    void rulers() {
        QFETCH(double, twips); QFETCH(QString, c); QFETCH(QString, hu); QFETCH(double, printedAt);
        QCOMPARE(rulerText(twips, QLocale::c()) + '|' + rulerText(twips, QLocale(QLocale::Hungarian)), c + '|' + hu);
        QCOMPARE(printPosition(twips, 0), printedAt);
    }

    // The fields expected to move, each {placed, from}: the field whose new top or left it takes.
    void dragCompanions_data() {
        using L = QList<QList<int>>;
        QTest::addColumn<int>("field");
        QTest::addColumn<L>("tops");
        QTest::addColumn<L>("lefts");
        QTest::newRow("common-cost amount") << 7 << L{{4, 7}} << L{{8, 7}, {11, 7}};
        QTest::newRow("waste-fee amount") << 8 << L{{5, 8}} << L{{7, 8}, {11, 8}};
        QTest::newRow("total amount") << 11 << L{{10, 11}} << L{{7, 11}, {8, 11}};
        QTest::newRow("common-cost caption") << 4 << L{{7, 4}} << L{};
        QTest::newRow("waste-fee caption") << 5 << L{{8, 5}} << L{{10, 5}, {11, 8}};
        QTest::newRow("total caption") << 10 << L{{11, 10}} << L{};
        QTest::newRow("heading alone") << 0 << L{} << L{};
    }
    void dragCompanions() {
        QFETCH(int, field); QFETCH(QList<QList<int>>, tops); QFETCH(QList<QList<int>>, lefts);
        Positions p, e;
        for (size_t i = 0; i < FieldCount; ++i) p[i] = Pos{1000.0 + 37 * i, 2000.0 + 53 * i};
        e = p;
        dragField(p, field, 150, -90);
        e[size_t(field)].left += 150, e[size_t(field)].top -= 90;
        for (const auto& t : tops) e[size_t(t[0])].top = e[size_t(t[1])].top;
        for (const auto& l : lefts) e[size_t(l[0])].left = e[size_t(l[1])].left;
        QCOMPARE(p, e);
    }

    void screenFont() {
        QList<std::optional<double>> got;
        for (const char* size : {"10", "12", " 14", "16", ""}) got << screenPoints(QString::fromLatin1(size));
        QCOMPARE(got, (QList<std::optional<double>>{6.0, 7.5, 9.0, std::nullopt, std::nullopt}));
    }

    // Padded by the length of "<amount>,-Ft"; the selected apartment's
    // letter pads the main window's captions the same way.
    void amounts_data() {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("12345") << qint64(12345) << "  12345,-Ft";
        QTest::newRow("123") << qint64(123) << "      123,-Ft";
        QTest::newRow("overpaid -1234") << qint64(-1234) << "  -1234,-Ft";
        QTest::newRow("two characters") << qint64(-5) << "        -5,-Ft";
        QTest::newRow("six digits") << qint64(123456) << "123456,-Ft";
    }
    void amounts() {
        QFETCH(qint64, amount); QFETCH(QString, text);
        const AmountTexts t = amountsFromCaptions(QString::number(amount) + ",-Ft", "-300,-Ft");
        QCOMPARE((QStringList{letterAmount(amount), t.kk, t.h, t.total}),
                 (QStringList{text, text, "    -300,-Ft", letterAmount(amount - 300)}));
    }

    // A wide picture accepted from the picker: 1845 twips wide, prints 48.55
    // mm wide at its position captions less 3 and 4 mm; the slider's largest
    // side keeps the fitted picture on the page.
    void pictureSizes() {
        const PictureSize wide = fitInSquare(400, 300, AcceptedSide), tall = fitInSquare(100, 200, PreviewSide);
        QCOMPARE((QList<double>{wide.width, wide.height, tall.width, tall.height}), (QList<double>{1845, 1383.75, 2107.5, 4215}));
        const PictureBox b = pictureBox(LetterPicture{true, "logo.bmp", 365, 730, wide.width, wide.height});
        QCOMPARE((QList<double>{b.x, b.y, b.width, b.height}), (QList<double>{7, 16, 48.553, 36.414}));
        QCOMPARE(sizeCaption(1845, QLocale(QLocale::Hungarian)), QStringLiteral("4,9 cm"));
        QCOMPARE((QList<int>{sliderMaximum(400, 300, PageSize{7626, 10785}), sliderMaximum(100, 200, PageSize{7626, 5393}),
                             sliderMaximum(100, 100, PageSize{300, 400})}),
                 (QList<int>{7626, 5393, SliderMinimum}));
    }

    void pickerLists() {
        TestFolder tf;
        const QString d = tf.path();
        for (const char* name : {"abc.JPG", "xab.jpg", "kep.gif", "k.BMP", "doc.png", "ab.txt", "noext", "Képek/x"})
            tf.writeBytes(QString::fromUtf8(name), {});
        QCOMPARE(subfolders(d), QStringList{QStringLiteral("Képek")});
        QCOMPARE(matchingFiles(d, pickerFilters(true)), (QStringList{"abc.JPG", "k.BMP", "kep.gif", "xab.jpg"}));
        QCOMPARE(matchingFiles(d, pickerFilters(false)).size(), 7);
        QCOMPARE(matchingFiles(d, pickerFilters(false, QStringLiteral("ab"))), (QStringList{"abc.JPG", "xab.jpg"}));
        QList<bool> picture;
        for (const char* name : {"a.jpg", "A.JPG", "b.Gif", "c.bmp", "c.png", "x.jpeg", "bmp.txt"})
            picture << hasPictureExtension(QString::fromLatin1(name));
        QCOMPARE(picture, (QList<bool>{true, true, true, true, false, false, false}));
    }

    void errorText() {
        QCOMPARE(hiba::text(hiba::FileNotFound, QStringLiteral("nincs meg")),
                 QStringLiteral("A file nem található !\nVB. Hibakód :     53\nA hiba fajtálya:  nincs meg"));
        QCOMPARE(hiba::text(481, QStringLiteral("x")), QStringLiteral("Ismeretlen hiba.\nVB. Hibakód :     481\nA hiba fajtálya:  x"));
    }

    void saveWritesTheRecord() {
        TestFolder data;
        QVERIFY(templateNames(data.folder()).isEmpty());
        QVERIFY(data.exists(QStringLiteral("Nyomtatvanyok.dat")));  // made empty on first open
        QCOMPARE(saveTemplate(data.folder(), sample(7), QStringLiteral("Első")), QString());
        const Nyomtatvany r = stored(data).at(0);
        QCOMPARE(r.HatterUtvonal.text(), QDir::toNativeSeparators(data.folder().file(files::Nyomtatvanyok)));
        QCOMPARE(QList<qint64>({r.Azon, r.Jelzo, r.BetuMeret, r.XKorr, r.YKorr, r.Fekvo, r.Papir, r.Szeles, r.Magas,
                                r.BalPoz[11].scaled, r.FelsoPoz[3].scaled, r.BalPoz[12].scaled}),
                 QList<qint64>({1, 6, 14, -2, 3, -1, 3, 180, 120, 10775000, 20032500, 0}));  // positions 12..23 stay 0
        QCOMPARE((QStringList{r.NyNev.text(), r.BetuTipus.text(), r.Szoveg2.text()}),
                 (QStringList{"Első", "Courier New", "Tisztelt Lakó!\r\nKérjük, rendezze tartozását."}));
        // Found again by its trimmed name, it gives back the design it was saved
        // from (the captions with their blanks): stored again, the same record.
        const auto found = findTemplate(data.folder(), QStringLiteral("  Első "));
        QVERIFY(found && found->rec == 1 && !findTemplate(data.folder(), QStringLiteral("Nincs ilyen")));
        QCOMPARE(found->design.kkFelirat, QStringLiteral("Közösköltség tartozás: ").leftJustified(35));
        Nyomtatvany again = templateRecord(found->design);
        again.Azon = r.Azon, again.HatterUtvonal = r.HatterUtvonal, again.NyNev = r.NyNev;
        QVERIFY(again == r);
        // Identifiers count on from the last record's; a name is cut to 48; no
        // paper chosen keeps what the last record had; the first of a name is found.
        Design none = sample(1);
        none.paper = Paper::None;
        QVERIFY(saveTemplate(data.folder(), sample(2), "Első").isEmpty());
        QVERIFY(saveTemplate(data.folder(), none, QString(50, 'n')).isEmpty());
        const auto recs = stored(data);
        QCOMPARE((QList<int>{recs.at(1).Azon, recs.at(2).Azon, recs.at(2).Papir}), (QList<int>{2, 3, 3}));
        QCOMPARE(templateNames(data.folder()), (QStringList{"Első", "Első", QString(48, 'n')}));
        QCOMPARE(findTemplate(data.folder(), QStringLiteral("Első"))->rec, 1);
    }

    void deleteByCopy() {
        TestFolder data;
        const QString file = QStringLiteral("Nyomtatvanyok.dat");
        for (const char* name : {"A", "B", "C"}) saveTemplate(data.folder(), sample(3), QString::fromLatin1(name));
        const QByteArray before = data.bytes(file);
        FaultySystem failing;  // no whole-file replacement goes through
        failing.failOn(FaultySystem::Call::Rename, QString());
        QVERIFY(!deleteTemplate(data.folder(failing.layer()), 2).isEmpty() && !deleteTemplate(data.folder(), 4).isEmpty());
        QCOMPARE(data.bytes(file), before);
        QCOMPARE(deleteTemplate(data.folder(), 2), QString());
        QCOMPARE(templateNames(data.folder()), (QStringList{"A", "C"}));
        QCOMPARE(data.bytes(file), before.left(4830) + before.mid(2 * 4830));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{file});  // no temporary file left
        saveTemplate(data.folder(), sample(3), QStringLiteral("D"));  // the next identifier follows the last record's
        QCOMPARE(stored(data).back().Azon, std::int16_t(4));
    }

    // A record written by other software keeps its reserved bytes; what the
    // file cannot hold is refused and the record stays as it was.
    void savedPicture() {
        TestFolder data;
        const QString file = QStringLiteral("Kepment.dat");
        QVERIFY(!readSavedPicture(data.folder()));
        Kepment old;
        old.Fenntartott.bytes.fill('\xAB');
        data.writeBytes(file, RecordFile<Kepment>::encode(old));
        const SavedPicture p{QStringLiteral("/képek/logó.jpg"), 120.6, 340.4, 1845, 1383.75};
        QCOMPARE(saveSavedPicture(data.folder(), p), QString());
        const Kepment r = decodeRecord<Kepment>(data.bytes(file).constData());
        QCOMPARE(r.Fenntartott.bytes, old.Fenntartott.bytes);
        QCOMPARE((QList<qint64>{r.KepBal, r.KepFent, r.KepSzeles.scaled, r.KepMagas.scaled}),
                 (QList<qint64>{121, 340, 18450000, 13837500}));
        const auto back = readSavedPicture(data.folder());
        QVERIFY(back && back->path == p.path && back->width == 1845.0);
        const QByteArray saved = data.bytes(file);
        for (const SavedPicture& bad : {SavedPicture{QString(256, QLatin1Char('a')), 0, 0, 1, 1},
                                        SavedPicture{QStringLiteral("/kép/鳥.jpg"), 0, 0, 1, 1},
                                        SavedPicture{QStringLiteral("/a.jpg"), 40000, 0, 1, 1}})
            QVERIFY(!saveSavedPicture(data.folder(), bad).isEmpty());
        QCOMPARE(data.bytes(file), saved);
    }

    void lastFolder() {
        TestFolder data;
        QCOMPARE(readLastFolder(data.folder()), QString());
        UtolsoMappaRec old;
        old.Fenntartott.bytes.fill('\x11');
        data.writeBytes(QStringLiteral("browse.pat"), RecordFile<UtolsoMappaRec>::encode(old));
        QVERIFY(writeLastFolder(data.folder(), QStringLiteral("/home/gondnok/Képek ")));
        QCOMPARE(readLastFolder(data.folder()), QStringLiteral("/home/gondnok/Képek"));
        const QByteArray bytes = data.bytes(QStringLiteral("browse.pat"));
        QCOMPARE(bytes.size(), 516);
        QCOMPARE(bytes.right(16), QByteArray(16, '\x11'));
    }
};

QTEST_GUILESS_MAIN(tst_letterdesign)
#include "tst_letterdesign.moc"
