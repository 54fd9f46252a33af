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
        QTest::newRow("text block alone") << 6 << L{} << L{};
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
        for (size_t i = 0; i < FieldCount; ++i) QCOMPARE(QPointF(p[i].left, p[i].top), QPointF(e[i].left, e[i].top));
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
        QTest::newRow("1234") << qint64(1234) << "    1234,-Ft";
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
        QTemporaryDir dir;
        const QString d = dir.path();
        for (const char* name : {"abc.JPG", "xab.jpg", "kep.gif", "k.BMP", "doc.png", "ab.txt", "noext"})
            QVERIFY(QFile(QDir(d).filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(d).mkdir(QStringLiteral("Képek")));
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
};

QTEST_GUILESS_MAIN(tst_letterdesign)
#include "tst_letterdesign.moc"
