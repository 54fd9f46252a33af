// The expense and income book: the building filter, the three lists with
// their totals and the balance, recording and modifying an entry (every
// refusal and failed write leaving the book as it was), and the book
// reports through the recorder (their columns, the amounts in eleven
// characters; their pages are proved with the summary's) and as CSV.

#include <QTest>

#include "book/book.h"
#include "book/bookreports.h"
#include "reports/recordingsurface.h"
#include "support/faults.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

// An entry of March 2026 (day 0: the empty date).
KonyvTetel entry(const char* epulet, int kiadas, int bevetel, int day, const char* megnevezes = "tétel") {
    return makeTetel(QString::fromUtf8(epulet), kiadas, bevetel, day ? QDate(2026, 3, day) : QDate(),
                     QString::fromUtf8(megnevezes));
}

// Records 1..6: two buildings whose names hold "rózsa", one without it.
std::vector<KonyvTetel> sample() {
    return {entry("Rózsa utca 12.", 0, 10000, 9, "bérleti díj"), entry("Rózsa utca 12.", 12500, 0, 5, "festés"),
            entry("Őszirózsa ház", 3000, 0, 5),          entry("Tölgyfa sor", 0, 700, 1),
            entry("  rózsa utca 12.  ", 100, 200, 0),      entry("Őszirózsa ház", 0, 4000, 2)};
}

QList<int> recs(const book::List& l) {
    QList<int> out;
    for (const auto& e : l.rows) out << e.rec;
    return out;
}

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

class TestBook : public QObject {
    Q_OBJECT
private slots:
    // The filter picks the combined list's entries, in date order (the empty
    // date first, a day's entries by record number).
    void filter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("blank: every entry") << "   " << QList<int>{5, 4, 6, 2, 3, 1};
        QTest::newRow("part of two names") << "rózsa" << QList<int>{5, 6, 2, 3, 1};
        QTest::newRow("case and blanks ignored") << " RÓZSA U " << QList<int>{5, 2, 1};
        QTest::newRow("no building") << "Nincs ilyen" << QList<int>{};
    }
    void filter() {
        QFETCH(QString, text); QFETCH(QList<int>, shown);
        TestFolder tf;
        tf.writeBook(kYear, sample());
        const book::Lists l = book::readLists(tf.folder(), kYear, text);
        QCOMPARE(recs(l.kiBe), shown);
    }

    void listsTotalsAndBalance() {
        TestFolder tf;
        QVERIFY(book::readLists(tf.folder(), kYear, QString()).kiBe.rows.empty());  // no book yet
        tf.writeBook(kYear, sample());
        const book::Lists l = book::readLists(tf.folder(), kYear, QStringLiteral("Rózsa utca"));
        QCOMPARE(recs(l.kiadas) + recs(l.bevetel), (QList<int>{5, 2, 5, 1}));  // an entry may carry both amounts
        QCOMPARE((QList<qint64>{l.kiadas.kiadas, l.bevetel.bevetel, l.kiBe.kiadas, l.kiBe.bevetel, l.balance()}),
                 (QList<qint64>{12600, 10200, 12600, 10200, -2400}));
        QCOMPARE(book::balanceText(10000 - 12500), QStringLiteral(" -2 500,-Ft"));  // "### ### ###"

        // A row of the lists (the combined list's rows and the totals rows are
        // also those of the reports and the CSV file).
        QCOMPARE(book::rowTexts(book::ListKind::Bevetel, l.kiBe.rows[2]),
                 (QStringList{"2026. 03. 09.", "bérleti díj", "10000", "számla", "1"}));
        QCOMPARE(book::rowTexts(book::ListKind::KiBe, l.kiBe.rows[1]).last(), QStringLiteral("2"));
    }

    // What each action takes from the fields; a refused amount names its box.
    void prepare_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("kiadas");
        QTest::addColumn<QString>("bevetel");
        QTest::addColumn<QString>("outcome");  // "kiadas/bevetel" stored, or the box refused
        using A = book::Action;
        QTest::newRow("income ignores the expense box") << int(A::Income) << "abc" << " 10000 " << "0/10000";
        QTest::newRow("expense ignores the income box") << int(A::Expense) << "12500" << "" << "12500/0";
        QTest::newRow("modify takes both") << int(A::Modify) << "-5" << "2147483647" << "-5/2147483647";
        for (const char* bad : {"", "abc", "12.5", "1 000", "2147483648", "1e3"}) {
            QTest::addRow("income \"%s\"", bad) << int(A::Income) << "" << bad << "bevétel";
            QTest::addRow("expense \"%s\"", bad) << int(A::Expense) << bad << "1" << "kiadás";
        }
        QTest::newRow("modify, the expense first") << int(A::Modify) << "x" << "y" << "kiadás";
        QTest::newRow("modify, the income") << int(A::Modify) << "5" << "-2147483649" << "bevétel";
    }
    void prepare() {
        QFETCH(int, action); QFETCH(QString, kiadas); QFETCH(QString, bevetel); QFETCH(QString, outcome);
        const book::Input in{QDate(2026, 3, 1), "festés", "számla 12", " Rózsa utca 12. és a szomszéd", kiadas, bevetel};
        const book::Prepared p = book::prepare(book::Action(action), in);
        if (!p.entry) {
            QCOMPARE(*p.refused == book::Field::Kiadas ? QStringLiteral("kiadás") : QStringLiteral("bevétel"), outcome);
            QVERIFY(p.message.contains(outcome + QStringLiteral(" összege")));
            return;
        }
        QCOMPARE(QStringLiteral("%1/%2").arg(p.entry->Kiadas).arg(p.entry->Bevetel), outcome);
        QCOMPARE(p.entry->Epulet.padded(), QStringLiteral(" Rózsa utca 12. és a"));  // untrimmed, cut to 20
        QCOMPARE(p.entry->Datum, Date::fromQDate(QDate(2026, 3, 1)));
    }

    // Appending, modifying in place, and the writes that must not happen.
    void writeEntry() {
        TestFolder tf;
        QDir(tf.path()).mkpath(kYear);
        const DataFolder folder = tf.folder();
        const auto a = entry("A", 0, 500, 3), b = entry("B", 900, 0, 4);
        auto changed = a;
        changed.Bevetel = 650;
        QCOMPARE((QList<int>{book::writeEntry(folder, kYear, 0, a).rec, book::writeEntry(folder, kYear, 0, b).rec,
                             book::writeEntry(folder, kYear, 1, changed).rec}),
                 (QList<int>{1, 2, 1}));
        QCOMPARE(tf.readBook(kYear), (std::vector<KonyvTetel>{changed, b}));

        const auto before = tf.readBook(kYear);
        for (int rec : {-1, 3}) QVERIFY(!book::writeEntry(folder, kYear, rec, a).ok());  // no such entry
        FaultySystem failing;  // no write goes through
        failing.failOn(FaultySystem::Call::Pwrite, QString());
        for (int rec : {0, 2})
            QVERIFY(book::writeEntry(tf.folder(failing.layer()), kYear, rec, a).error.contains("Kiadások.dat"));
        QCOMPARE(tf.readBook(kYear), before);
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
        book::List shown = list(2);  // the separate lists hold only their own entries: 1 an expense, 2 an income
        if (k == book::ListKind::Kiadas) shown.rows.pop_back(), shown.bevetel = 0;
        if (k == book::ListKind::Bevetel) shown.rows.erase(shown.rows.begin()), shown.kiadas = 0;
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

QTEST_GUILESS_MAIN(TestBook)
#include "tst_book.moc"
