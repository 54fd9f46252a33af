// The printing rules every report relies on: positions in twips until the
// millimetre scale is chosen, ";" continuation, Tab(n), line ends, pages and
// a document that cannot be handed over.

#include <QTest>

#include "reports/recordingsurface.h"

class tst_printersurface : public QObject {
    Q_OBJECT
private slots:
    void printMovesThePosition();
    void tabAndTwips();
    void pagesAndDocuments();
    void failureIsReported();
};

void tst_printersurface::printMovesThePosition() {
    RecordingSurface s;
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontSize(10);
    s.setCurrentX(10);
    s.setCurrentY(20);
    s.print({"ab"}, false);  // ";" keeps the line
    const double w = 2 * RecordingSurface::pointsToMm(5);
    QCOMPARE(s.currentX(), 10 + w);
    QCOMPARE(s.currentY(), 20.0);
    s.print({"c"});  // line end: X = 0, one line down
    QCOMPARE(s.currentX(), 0.0);
    QCOMPARE(s.currentY(), 20 + s.lineHeight());
    QCOMPARE(s.ops.size(), size_t(2));
    QCOMPARE(s.ops[1].x, 10 + w);
    QCOMPARE(s.ops[1].y, 20.0);
    QCOMPARE(s.texts(), (QStringList{"ab", "c"}));
}

void tst_printersurface::tabAndTwips() {
    RecordingSurface s;
    s.setFontSize(10);
    s.setCurrentY(1440);  // one inch in twips
    s.print({PrintItem::Tab(5), "x"});
    QCOMPARE(s.ops[0].y, 25.4);
    QCOMPARE(s.ops[0].x, 4 * RecordingSurface::pointsToMm(5));
    QCOMPARE(s.currentY(), 1440 + s.lineHeight());
    s.line(0, 0, 1440, 2880);
    QCOMPARE(s.ops[1].x2, 25.4);
    QCOMPARE(s.ops[1].y2, 50.8);
    s.setScaleMode(PrinterSurface::Millimetres);
    QCOMPARE(s.currentX(), 0.0);
}

void tst_printersurface::pagesAndDocuments() {
    RecordingSurface s;
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setCurrentX(50);
    s.print({"1"});
    s.newPage();
    QCOMPARE(s.page(), 2);
    QCOMPARE(s.currentX(), 0.0);
    s.print({"2"});
    QVERIFY(s.endDoc());
    QCOMPARE(s.page(), 1);
    QCOMPARE(s.texts(2), QStringList{"2"});
    QCOMPARE(s.pages(), 2);
    s.print({"next"});
    QVERIFY(s.endDoc());
    QCOMPARE(s.documents(), 2);
    QCOMPARE(s.pages(), 1);
    QVERIFY(RecordingSurface().endDoc());  // nothing printed, nothing handed over
}

void tst_printersurface::failureIsReported() {
    RecordingSurface s;
    s.failFinish = true;
    s.print({"x"});
    QVERIFY(!s.endDoc());
    QVERIFY(s.failed());
    s.failFinish = false;
    s.failBegin = true;
    s.print({"y"});
    QVERIFY(!s.endDoc());
    QCOMPARE(s.documents(), 0);
}

QTEST_GUILESS_MAIN(tst_printersurface)
#include "tst_printersurface.moc"
