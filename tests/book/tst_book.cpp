// The expense and income book: the building filter, the three lists with
// their totals and the balance, and recording and modifying an entry, with
// every refusal and failed write leaving the book as it was.

#include <QTest>

#include "book/book.h"
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

}  // namespace

class TestBook : public QObject {
    Q_OBJECT
private slots:
    // The filter picks the combined list's entries, in date order (the empty
    // date first, a day's entries by record number).
    void filter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("empty: every entry") << "" << QList<int>{5, 4, 6, 2, 3, 1};
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
        QVERIFY(l.error.isEmpty());
        QCOMPARE(recs(l.kiBe), shown);
    }

    void listsTotalsAndBalance() {
        TestFolder tf;
        QVERIFY(book::readLists(tf.folder(), kYear, QString()).kiBe.rows.empty());  // no book yet
        tf.writeBook(kYear, sample());
        const book::Lists l = book::readLists(tf.folder(), kYear, QStringLiteral("Rózsa utca"));
        QCOMPARE(recs(l.kiadas), (QList<int>{5, 2}));
        QCOMPARE(recs(l.bevetel), (QList<int>{5, 1}));  // an entry may carry both amounts
        QCOMPARE((QList<qint64>{l.kiadas.kiadas, l.bevetel.bevetel, l.kiBe.kiadas, l.kiBe.bevetel, l.balance()}),
                 (QList<qint64>{12600, 10200, 12600, 10200, -2400}));
        QCOMPARE(book::balanceText(10000 - 12500), QStringLiteral(" -2 500,-Ft"));  // "### ### ###"

        using book::ListKind;
        QCOMPARE(book::rowTexts(ListKind::KiBe, l.kiBe.rows[1]),
                 (QStringList{"2026. 03. 05.", "festés", "12500", "0", "számla", "2"}));
        QCOMPARE(book::rowTexts(ListKind::Bevetel, l.kiBe.rows[2]),
                 (QStringList{"2026. 03. 09.", "bérleti díj", "10000", "számla", "1"}));
        const QString blanks(13, QLatin1Char(' '));
        QCOMPARE(book::totalsTexts(ListKind::KiBe, l.kiBe), (QStringList{"ÖSSZESEN", blanks, "12600", "10200", "", ""}));
        QCOMPARE(book::totalsTexts(ListKind::Kiadas, l.kiadas), (QStringList{"ÖSSZESEN", blanks, "12600", "", ""}));
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
};

QTEST_GUILESS_MAIN(TestBook)
#include "tst_book.moc"
