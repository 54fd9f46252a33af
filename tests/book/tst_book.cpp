// The expense and income book: the building filter, the three lists with
// their totals and the balance, and recording and modifying an entry, with
// every refusal and failed write leaving the book as it was.

#include <QTest>

#include "book/book.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kBook = QStringLiteral("2026/Kiadások.dat");

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

// Fails every write in place.
class FailingWrites : public FileLayer {
public:
    bool writeAt(const QString&, qint64, const QByteArray&) override { return false; }
};

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
        QFETCH(QString, text);
        QFETCH(QList<int>, shown);
        TestFolder tf;
        tf.writeBook(kYear, sample());
        const book::Lists l = book::readLists(tf.folder(), kYear, text);
        QVERIFY(l.error.isEmpty());
        QCOMPARE(recs(l.kiBe), shown);
    }

    void listsTotalsAndBalance() {
        TestFolder tf;
        tf.writeBook(kYear, sample());
        const book::Lists l = book::readLists(tf.folder(), kYear, QStringLiteral("Rózsa utca"));
        QCOMPARE(recs(l.kiadas), (QList<int>{5, 2}));
        QCOMPARE(recs(l.bevetel), (QList<int>{5, 1}));  // an entry may carry both amounts
        QCOMPARE((QList<qint64>{l.kiadas.kiadas, l.bevetel.bevetel, l.kiBe.kiadas, l.kiBe.bevetel}),
                 (QList<qint64>{12600, 10200, 12600, 10200}));
        QCOMPARE(l.balance(), qint64(-2400));
        QCOMPARE(book::balanceText(10000 - 12500), QStringLiteral("- 2 500,-Ft"));  // "### ### ###"

        using book::ListKind;
        const book::Entry& festes = l.kiBe.rows[1];
        QCOMPARE(book::rowTexts(ListKind::KiBe, festes),
                 (QStringList{"2026. 03. 05.", "festés", "12500", "0", "számla", "2"}));
        QCOMPARE(book::rowTexts(ListKind::Kiadas, festes), (QStringList{"2026. 03. 05.", "festés", "12500", "számla", "2"}));
        QCOMPARE(book::rowTexts(ListKind::Bevetel, l.kiBe.rows[2]),
                 (QStringList{"2026. 03. 09.", "bérleti díj", "10000", "számla", "1"}));
        const QString blanks(13, QLatin1Char(' '));
        QCOMPARE(book::totalsTexts(ListKind::KiBe, l.kiBe), (QStringList{"ÖSSZESEN", blanks, "12600", "10200", "", ""}));
        QCOMPARE(book::totalsTexts(ListKind::Bevetel, l.bevetel), (QStringList{"ÖSSZESEN", blanks, "10200", "", ""}));
        QCOMPARE(book::columns(ListKind::Bevetel), (QStringList{"Dátum", "Megnevezés", "Bevét", "Megjegyzés", "rec"}));
    }

    void missingBook() {
        TestFolder tf;
        const book::Lists l = book::readLists(tf.folder(), kYear, QString());
        QVERIFY(l.error.isEmpty() && l.kiBe.rows.empty() && l.balance() == 0);
        QVERIFY(!tf.exists(kBook));
    }

    // What each action takes from the fields; a refused amount names its box.
    void prepare_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("kiadas");
        QTest::addColumn<QString>("bevetel");
        QTest::addColumn<QString>("outcome");  // "kiadas/bevetel" stored, or the refused box
        const auto row = [](const char* name, book::Action a, const char* k, const char* b, const char* out) {
            QTest::newRow(name) << int(a) << QString::fromUtf8(k) << QString::fromUtf8(b) << QString::fromUtf8(out);
        };
        using A = book::Action;
        row("income ignores the expense box", A::Income, "abc", " 10000 ", "0/10000");
        row("expense ignores the income box", A::Expense, "12500", "", "12500/0");
        row("modify takes both", A::Modify, "-5", "2147483647", "-5/2147483647");
        for (const char* bad : {"", "abc", "12.5", "1 000", "2147483648", "1e3"}) {
            QTest::addRow("income \"%s\"", bad) << int(A::Income) << QString() << QString(bad) << "Bevetel";
            QTest::addRow("expense \"%s\"", bad) << int(A::Expense) << QString(bad) << QString("1") << "Kiadas";
        }
        row("modify, expense refused first", A::Modify, "x", "y", "Kiadas");
        row("modify, income refused", A::Modify, "5", "-2147483649", "Bevetel");
    }
    void prepare() {
        QFETCH(int, action);
        QFETCH(QString, kiadas);
        QFETCH(QString, bevetel);
        QFETCH(QString, outcome);
        const book::Input in{QDate(2026, 3, 1), "festés", "számla 12", " Rózsa utca 12. és a szomszéd", kiadas, bevetel};
        const book::Prepared p = book::prepare(book::Action(action), in);
        if (p.entry) {
            QCOMPARE(QStringLiteral("%1/%2").arg(p.entry->Kiadas).arg(p.entry->Bevetel), outcome);
            QCOMPARE(p.entry->Epulet.padded(), QStringLiteral(" Rózsa utca 12. és a"));  // untrimmed, cut to 20
            QCOMPARE(p.entry->Datum, Date::fromQDate(QDate(2026, 3, 1)));
            QVERIFY(p.message.isEmpty());
        } else {
            QCOMPARE(p.refused == book::Field::Kiadas ? QStringLiteral("Kiadas") : QStringLiteral("Bevetel"), outcome);
            QVERIFY(p.message.contains(outcome == QLatin1String("Kiadas") ? QStringLiteral("kiadás összege")
                                                                          : QStringLiteral("bevétel összege")));
        }
    }

    // Appending, modifying in place, and the writes that must not happen.
    void writeEntry() {
        TestFolder tf;
        QDir(tf.path()).mkpath(kYear);
        const DataFolder folder = tf.folder();
        const auto a = entry("A", 0, 500, 3), b = entry("B", 900, 0, 4);
        QCOMPARE(book::writeEntry(folder, kYear, 0, a).rec, 1);  // the missing book is created
        QCOMPARE(book::writeEntry(folder, kYear, 0, b).rec, 2);
        auto changed = a;
        changed.Bevetel = 650;
        QCOMPARE(book::writeEntry(folder, kYear, 1, changed).rec, 1);
        QCOMPARE(tf.readBook(kYear), (std::vector<KonyvTetel>{changed, b}));

        const QByteArray before = tf.bytes(kBook);
        for (int rec : {-1, 3}) QVERIFY(!book::writeEntry(folder, kYear, rec, a).ok());  // no such entry
        FailingWrites failing;
        for (int rec : {0, 2}) {
            const book::Written w = book::writeEntry(tf.folder(failing), kYear, rec, a);
            QVERIFY(!w.ok());
            QVERIFY(w.error.contains(QStringLiteral("Kiadások.dat")));
        }
        QCOMPARE(tf.bytes(kBook), before);
    }
};

QTEST_GUILESS_MAIN(TestBook)
#include "tst_book.moc"
