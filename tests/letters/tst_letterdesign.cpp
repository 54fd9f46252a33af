// The designer's arithmetic: rulers and print positions, the fields that move
// along with a dragged one, font sizes, the padded amounts, the picture's
// sizes, the picker's file lists and the texts of its error box.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "letters/letter.h"
#include "letters/picture.h"

using namespace letters;

class tst_letterdesign : public QObject {
    Q_OBJECT
private slots:
    void rulers_data();
    void rulers();
    void dragCompanions_data();
    void dragCompanions();
    void screenFont();
    void amounts_data();
    void amounts();
    void pictureSizes();
    void pickerLists();
    void errorText();
};

void tst_letterdesign::rulers_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("hu");
    QTest::addColumn<double>("printedAt");  // millimetres, corrections 0
    QTest::newRow("1000 twips") << 1000.0 << "27.5"
                                << "27,5" << 21.5;
    QTest::newRow("30 mm") << 30 * TervezoArany << "30.0"
                           << "30,0" << 24.0;
    QTest::newRow("below 1 mm") << 18.0 << ".5"
                                << ",5" << -5.5;
    QTest::newRow("left of the page") << -100.0 << "-2.8"
                                      << "-2,8" << -8.8;
}

void tst_letterdesign::rulers() {
    QFETCH(double, twips);
    QFETCH(QString, c);
    QFETCH(QString, hu);
    QFETCH(double, printedAt);
    QCOMPARE(rulerText(twips, QLocale::c()), c);
    QCOMPARE(rulerText(twips, QLocale(QLocale::Hungarian, QLocale::Hungary)), hu);
    QCOMPARE(printPosition(twips, 0), printedAt);
}

void tst_letterdesign::dragCompanions_data() {
    QTest::addColumn<int>("field");
    // The fields expected to move, each with the field whose new left or top it takes.
    QTest::addColumn<QList<QList<int>>>("tops");   // {placed, from}
    QTest::addColumn<QList<QList<int>>>("lefts");  // {placed, from}
    using L = QList<QList<int>>;
    QTest::newRow("common-cost amount") << 7 << L{{4, 7}} << L{{8, 7}, {11, 7}};
    QTest::newRow("waste-fee amount") << 8 << L{{5, 8}} << L{{7, 8}, {11, 8}};
    QTest::newRow("total amount") << 11 << L{{10, 11}} << L{{7, 11}, {8, 11}};
    QTest::newRow("common-cost caption") << 4 << L{{7, 4}} << L{};
    QTest::newRow("waste-fee caption") << 5 << L{{8, 5}} << L{{10, 5}, {11, 8}};
    QTest::newRow("total caption") << 10 << L{{11, 10}} << L{};
    QTest::newRow("heading alone") << 0 << L{} << L{};
    QTest::newRow("text block alone") << 6 << L{} << L{};
}

void tst_letterdesign::dragCompanions() {
    QFETCH(int, field);
    QFETCH(QList<QList<int>>, tops);
    QFETCH(QList<QList<int>>, lefts);
    Positions before;
    for (int i = 0; i < FieldCount; ++i) before[size_t(i)] = Pos{1000.0 + 37 * i, 2000.0 + 53 * i};
    Positions p = before;
    dragField(p, field, 150, -90);

    Positions expected = before;
    expected[size_t(field)] = Pos{before[size_t(field)].left + 150, before[size_t(field)].top - 90};
    for (const auto& t : tops) expected[size_t(t[0])].top = expected[size_t(t[1])].top;
    for (const auto& l : lefts) expected[size_t(l[0])].left = expected[size_t(l[1])].left;
    for (int i = 0; i < FieldCount; ++i) {
        QCOMPARE(p[size_t(i)].left, expected[size_t(i)].left);
        QCOMPARE(p[size_t(i)].top, expected[size_t(i)].top);
    }
}

void tst_letterdesign::screenFont() {
    QCOMPARE(screenPoints(QStringLiteral("10")), std::optional<double>(6.0));
    QCOMPARE(screenPoints(QStringLiteral("12")), std::optional<double>(7.5));
    QCOMPARE(screenPoints(QStringLiteral(" 14")), std::optional<double>(9.0));
    QCOMPARE(screenPoints(QStringLiteral("16")), std::nullopt);
    QCOMPARE(screenPoints(QString()), std::nullopt);
}

void tst_letterdesign::amounts_data() {
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("12345") << qint64(12345) << "  12345,-Ft";
    QTest::newRow("123") << qint64(123) << "      123,-Ft";
    QTest::newRow("overpaid -1234") << qint64(-1234) << "  -1234,-Ft";
    QTest::newRow("1234") << qint64(1234) << "    1234,-Ft";
    QTest::newRow("two digits") << qint64(-5) << "        -5,-Ft";
    QTest::newRow("zero") << qint64(0) << "        0,-Ft";
    QTest::newRow("six digits") << qint64(123456) << "123456,-Ft";
}

void tst_letterdesign::amounts() {
    QFETCH(qint64, amount);
    QFETCH(QString, text);
    QCOMPARE(letterAmount(amount), text);
    // The selected apartment's letter pads the main window's captions the same way.
    const AmountTexts t =
        amountsFromCaptions(QString::number(amount) + QStringLiteral(",-Ft"), QStringLiteral("-300,-Ft"));
    QCOMPARE(t.kk, text);
    QCOMPARE(t.h, QStringLiteral("    -300,-Ft"));
    QCOMPARE(t.total, letterAmount(amount - 300));
}

void tst_letterdesign::pictureSizes() {
    // A wide picture accepted from the picker: 1845 twips wide, prints 48.55 mm wide.
    const PictureSize wide = fitInSquare(400, 300, AcceptedSide);
    QCOMPARE(wide.width, 1845.0);
    QCOMPARE(wide.height, 1383.75);
    const PictureSize tall = fitInSquare(100, 200, PreviewSide);
    QCOMPARE(tall.width, 2107.5);
    QCOMPARE(tall.height, 4215.0);
    LetterPicture p{true, QStringLiteral("logo.bmp"), 365, 730, wide.width, wide.height};
    const PictureBox b = pictureBox(p);
    QCOMPARE(b.x, 10.0 - 3);
    QCOMPARE(b.y, 20.0 - 4);
    QCOMPARE(b.width, 48.553);
    QCOMPARE(b.height, 36.414);
    QCOMPARE(sizeCaption(1845, QLocale(QLocale::Hungarian)), QStringLiteral("4,9 cm"));
    // The slider's largest side keeps the fitted picture on the page.
    QCOMPARE(sliderMaximum(400, 300, PageSize{7626, 10785}), 7626);
    QCOMPARE(sliderMaximum(100, 200, PageSize{7626, 5393}), 5393);
    QCOMPARE(sliderMaximum(100, 100, PageSize{300, 400}), SliderMinimum);
}

void tst_letterdesign::pickerLists() {
    QTemporaryDir dir;
    for (const char* name : {"abc.JPG", "xab.jpg", "kep.gif", "k.BMP", "doc.png", "ab.txt", "noext"}) {
        QFile f(QDir(dir.path()).filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Képek")));
    const QString d = dir.path();
    QCOMPARE(subfolders(d), QStringList{QStringLiteral("Képek")});
    QCOMPARE(matchingFiles(d, pickerFilters(true)), (QStringList{"abc.JPG", "k.BMP", "kep.gif", "xab.jpg"}));
    QCOMPARE(matchingFiles(d, pickerFilters(false)).size(), 7);
    QCOMPARE(matchingFiles(d, pickerFilters(false, QStringLiteral("ab"))), (QStringList{"abc.JPG", "xab.jpg"}));
    for (const char* name : {"a.jpg", "A.JPG", "b.Gif", "c.bmp"})
        QVERIFY(hasPictureExtension(QString::fromLatin1(name)));
    for (const char* name : {"c.png", "x.jpeg", "bmp.txt"}) QVERIFY(!hasPictureExtension(QString::fromLatin1(name)));
}

void tst_letterdesign::errorText() {
    QCOMPARE(hiba::text(hiba::FileNotFound, QStringLiteral("nincs meg")),
             QStringLiteral("A file nem található !\nVB. Hibakód :     53\nA hiba fajtálya:  nincs meg"));
    QCOMPARE(hiba::text(481, QStringLiteral("x")),
             QStringLiteral("Ismeretlen hiba.\nVB. Hibakód :     481\nA hiba fajtálya:  x"));
    QVERIFY(hiba::text(hiba::InvalidCall, QString())
                .startsWith(QStringLiteral("                Illegális funkció hívás !\n")));
}

QTEST_GUILESS_MAIN(tst_letterdesign)
#include "tst_letterdesign.moc"
