// The book reports through the recorder: 45 rows a page, the frame bottoms,
// the page numbers, the columns of the single and the combined report, the
// amounts in eleven characters; and the combined list as a CSV file.

#include <QTest>

#include "book/bookreports.h"
#include "reports/recordingsurface.h"
#include "support/testfolder.h"

namespace {
// A list of n entries (expenses of 100 and incomes of 1234567 in turn) and
// its totals.
book::List list(int n) {
    book::List l;
    for (int i = 1; i <= n; ++i) {
        const bool expense = i % 2 == 1;
        l.rows.push_back({i, makeTetel("Ház", expense ? 100 : 0, expense ? 0 : 1234567, QDate(2026, 3, i % 28 + 1),
                                       QStringLiteral("Tétel %1").arg(i))});
        l.kiadas += l.rows.back().t.Kiadas, l.bevetel += l.rows.back().t.Bevetel;
    }
    return l;
}
}  // namespace

class tst_bookreports : public QObject {
    Q_OBJECT
private slots:
    // A report of only its totals row has lines to 40 mm; 45 rows fill a page
    // (lines to 260); 47 rows leave two for page 2, numbered in size 12 with its
    // lines to 45 mm.
    void pages_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QList<int>>("bottoms");
        QTest::newRow("totals only") << 0 << QList<int>{40};
        QTest::newRow("45 rows") << 44 << QList<int>{260};
        QTest::newRow("47 rows") << 46 << QList<int>{260, 45};
    }

    void pages() {
        QFETCH(int, entries); QFETCH(QList<int>, bottoms);
        RecordingSurface s;
        QVERIFY(book::printReport(s, book::ListKind::Bevetel, list(entries), "2026", QDate(2026, 4, 2)));
        QCOMPARE(s.pages(), int(bottoms.size()));
        for (int page = 1; page <= bottoms.size(); ++page) {
            QStringList verticals;
            for (const QString& l : s.ruled(page))
                if (l.section(',', 0, 0) == l.section('-', 1).section(',', 0, 0)) verticals << l;
            QCOMPARE(verticals, QStringList({"10,30-10,%1", "50,30-50,%1", "160,30-160,%1", "195,30-195,%1"})
                                    .replaceInStrings("%1", QString::number(bottoms[page - 1])));
            const auto* number = s.findText(QStringLiteral("oldal: %1").arg(page), page);
            QVERIFY(number && number->x == 170 && number->size == (page == 1 ? 10 : 12));
            QVERIFY(s.placed(page).contains("2026. évi kimutatás a bevételekről.@10,10 b"));
        }
        QCOMPARE(s.texts().filter("ÖSSZESEN").size(), 1);
    }

    // The columns of each report: headers at 30 mm, a row's date, description
    // and amounts, the totals row last.
    void columns_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("texts");  // from 30 mm on
        // clang-format off
        QTest::newRow("incomes") << int(book::ListKind::Bevetel)
            << "Dátum@12,30 b|Megnevezés@52,30 b|Összeg@165,30 b|2026. 03. 03.@11,35|Tétel 2@51,35|  1 234 567@172,35|"
               "ÖSSZESEN@11,40|             @51,40|  1 234 567@172,40";
        QTest::newRow("expenses") << int(book::ListKind::Kiadas)
            << "Dátum@12,30 b|Megnevezés@52,30 b|Összeg@165,30 b|2026. 03. 02.@11,35|Tétel 1@51,35|        100@172,35|"
               "ÖSSZESEN@11,40|             @51,40|        100@172,40";
        QTest::newRow("both") << int(book::ListKind::KiBe)
            << "Dátum@12,30 b|Megnevezés@32,30 b|Kiadás@140,30 b|Bevétel@170,30 b|2026. 03. 02.@11,35|Tétel 1@31,35|"
               "        100@142,35|          0@172,35|2026. 03. 03.@11,40|Tétel 2@31,40|          0@142,40|"
               "  1 234 567@172,40|ÖSSZESEN@11,45|             @31,45|        100@142,45|  1 234 567@172,45";
        // clang-format on
    }

    void columns() {
        QFETCH(int, kind); QFETCH(QString, texts);
        const auto k = book::ListKind(kind);
        const book::List all = list(2);
        book::List shown;  // the separate lists hold only their own entries
        for (const auto& e : all.rows)
            if (k == book::ListKind::KiBe || (k == book::ListKind::Kiadas) == (e.t.Kiadas != 0)) shown.rows.push_back(e);
        shown.kiadas = k == book::ListKind::Bevetel ? 0 : all.kiadas,
        shown.bevetel = k == book::ListKind::Kiadas ? 0 : all.bevetel;
        RecordingSurface s;
        book::printReport(s, k, shown, "2026", QDate(2026, 4, 2));
        QCOMPARE(s.placed(1, 30), texts.split('|'));
    }

    void csvFile() {
        const QByteArray bytes = book::csv(list(2));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(bytes.mid(3)).split("\r\n"),
                 (QStringList{"Dátum;Megnevezés;Kiadás;Bevétel;Megjegyzés", "2026. 03. 02.;Tétel 1;100;0;számla",
                              "2026. 03. 03.;Tétel 2;0;1234567;számla", "ÖSSZESEN;;100;1234567;", ""}));
    }
};

QTEST_GUILESS_MAIN(tst_bookreports)
#include "tst_bookreports.moc"
