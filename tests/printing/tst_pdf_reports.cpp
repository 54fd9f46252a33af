// Every report printed through the Qt surface into a PDF file and read back:
// its texts where the layout puts them (within 1 mm), its pages, its paper,
// and the Liberation fonts embedded.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup.h"
#include "register/residentlist.h"
#include "reports/statement.h"
#include "reports/summary.h"
#include "support/pdfcheck.h"
#include "support/testfolder.h"

namespace {
constexpr double kMm = 25.4 / 72.0;  // one point in millimetres
}

class tst_pdf_reports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reports_data();
    void reports();

private:
    QTemporaryDir dir_;
};

void tst_pdf_reports::initTestCase() {
    startup::registerFontSubstitutions();
    if (!pdfcheck::available()) QSKIP(qPrintable(pdfcheck::missingMessage()));
}

void tst_pdf_reports::reports_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QStringList>("texts");  // "text@page:x,y" in millimetres
    QTest::addColumn<QStringList>("fonts");
    // Statement: Tab(120) of Times 10 is 119 average characters of 0.401 em;
    // amounts padded to six characters of Courier 8 (0.6 em each).
    const double times10 = 0.401 * 10 * kMm, courier8 = 0.6 * 8 * kMm, courier9 = 0.6 * 9 * kMm;
    QTest::newRow("statement") << "statement" << 1 << false
                               << QStringList{QStringLiteral("2026. 04. 02.@1:%1,0").arg(119 * times10),
                                              "Hónap@1:25,25",
                                              "Március@1:25,40",
                                              QStringLiteral("1000@1:%1,40").arg(70 + 2 * courier8),
                                              QStringLiteral("-4500@1:%1,84").arg(160 + courier8),
                                              "Összesen:@1:35,84"}
                               << QStringList{"LiberationSerif", "LiberationSerif-Bold", "LiberationMono",
                                              "LiberationMono-Bold"};
    QTest::newRow("summary") << "summary" << 2 << false
                             << QStringList{"oldal: 1@1:170,10",
                                            "2026. évi kimutatás@1:10,10",
                                            "Lakás@1:12,30",
                                            "1111 Budapest, Fő utca 1. 1@1:11,35",
                                            QStringLiteral("1234 567@1:%1,35").arg(125 + courier9),
                                            QStringLiteral("-1 500@1:%1,35").arg(179 + 3 * courier9),
                                            "oldal: 2@2:170,10",
                                            "Egyenleg@2:177,30",
                                            "Összesen:@2:82,35"}
                             << QStringList{"LiberationSerif", "LiberationSerif-Bold", "LiberationMono",
                                            "LiberationMono-Bold"};
    QTest::newRow("resident list") << "residents" << 2 << true
                                   << QStringList{"1111 Budapest@1:10,15", "Emelet/ajtó@1:110,26",  "Lakó 1@1:130,30",
                                                  "Megjegyzés:@1:15,34",   "1111 Budapest@2:10,15", "Lakó 21@2:130,30"}
                                   << QStringList{"LiberationSerif", "LiberationSerif-Bold"};
}

void tst_pdf_reports::reports() {
    QFETCH(QString, report);
    QFETCH(int, pages);
    QFETCH(bool, landscape);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, fonts);
    const QDate today(2026, 4, 2);
    const QString pdf = dir_.filePath(report + QStringLiteral(".pdf"));
    QString error;
    const bool written = pdfcheck::render(
        pdf,
        [&](PrinterSurface& s) {
            if (report == QLatin1String("statement")) {
                Lakas l = makeLakas("Kovács Péter", "Fő utca", "12", "3");
                l.KKEloiras(13) = 5000, l.KKEloiras(3) = 1000, l.KKBefizetes(3) = 1500;
                statement::print(s, l, QStringLiteral("2026"), today, false);
            } else if (report == QLatin1String("summary")) {
                std::vector<summary::Row> rows;
                rows.push_back({"1111 Budapest, Fő utca 1. 1", "Kiss Ödön", 1234567, 0, -1500, 1, false});
                for (int i = 2; i <= 45; ++i)
                    rows.push_back({QStringLiteral("1111 Cím %1").arg(i), "Lakó", 1, 1, 0, i, false});
                rows.push_back({"zz ", "Összesen: ", 0, 0, 0, 0, true});
                summary::print(s, rows, QStringLiteral("2026"), today);
            } else {
                std::vector<Lakas> flats;
                for (int i = 1; i <= 25; ++i)
                    flats.push_back(makeLakas(QStringLiteral("Lakó %1").arg(i), "Fő utca", "1", "2"));
                printResidentList(s, flats, QStringLiteral("1111 Budapest "));
            }
        },
        &error);
    QVERIFY2(written, qPrintable(error));

    QCOMPARE(pdfcheck::pageCount(pdf), pages);
    const QSizeF size = pdfcheck::pageSize(pdf);
    QCOMPARE(qRound(size.width()), landscape ? 297 : 210);

    const auto words = pdfcheck::words(pdf);
    QStringList misplaced;
    for (const QString& t : texts) {
        const QString text = t.section('@', 0, -2), where = t.section('@', -1);
        const int page = where.section(':', 0, 0).toInt();
        const double x = where.section(':', 1).section(',', 0, 0).toDouble(), y = where.section(',', 1).toDouble();
        const auto w = pdfcheck::find(words, text, page);
        // y 0: the first line of the page, only its x is fixed.
        if (!w || qAbs(w->x - x) > 1 || (y > 0 && qAbs(w->y - y) > 1))
            misplaced << (w ? QStringLiteral("%1 at %2,%3").arg(t).arg(w->x).arg(w->y)
                            : t + QStringLiteral(" missing"));
    }
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(" / ")));

    QStringList embedded;
    for (const auto& f : pdfcheck::fonts(pdf))
        if (f.embedded) embedded << f.name;
    embedded.removeDuplicates();
    embedded.sort();
    fonts.sort();
    QCOMPARE(embedded, fonts);
}

QTEST_MAIN(tst_pdf_reports)
#include "tst_pdf_reports.moc"
