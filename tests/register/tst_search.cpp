// The search over a year's apartments: substring matches on the upper-cased
// fields, untrimmed criteria, the name over all ten slots, and the totals of
// the apartments found.

#include <QTest>

#include "register/search.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");

Lakas flat(const QString& nev, const QString& helyseg, const QString& utca, const QString& hsz, const QString& epulet) {
    Lakas l = makeLakas(nev, utca, hsz, QStringLiteral("1"));
    l.Helyseg = helyseg;
    l.Epulet = epulet;
    return l;
}

std::vector<Lakas> fixture() {
    std::vector<Lakas> v{
        flat("Kovács Péter", "Budapest", "Rózsa utca", "1", "Rózsa ház"),
        flat("Nagy Ilona", "Budapest", "Rózsa", "12", "Rózsa ház"),
        flat("Őri Árpád", "Győr", "Fő utca", "21", "Tölgy"),
        flat("Szűcs Erzsébet", "Budapest", "Rózsa utca", "3", "Tölgy"),
        flat("", "Debrecen", "Kossuth tér", "1/A", ""),
    };
    v[1].Lakok.Nev(5) = QStringLiteral("Szakovics Ödön");
    return v;
}

QList<int> recs(const ApartmentList& list) {
    QList<int> out;
    for (const ApartmentRow& r : list.rows) out << r.rec;
    return out;
}

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void criteria_data() {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("helyseg");
        QTest::addColumn<QString>("utca");
        QTest::addColumn<QString>("hsz");
        QTest::addColumn<QString>("epulet");
        QTest::addColumn<QList<int>>("found");
        const auto row = [](const char* name, const char* n, const char* h, const char* u, const char* hz,
                            const char* e, QList<int> found) {
            QTest::newRow(name) << QString::fromUtf8(n) << QString::fromUtf8(h) << QString::fromUtf8(u)
                                << QString::fromUtf8(hz) << QString::fromUtf8(e) << found;
        };
        row("nothing typed", "", "", "", "", "", {1, 2, 3, 4, 5});
        row("blank building item", " ", "  ", "", "", " ", {1, 2, 3, 4, 5});
        row("name, lower case, at the start and inside", "kov", "", "", "", "", {1, 2});
        row("name in slot 5", "ödön", "", "", "", "", {2});
        row("accented capitals", "őri árpád", "", "", "", "", {3});
        row("accented inside", "ŰCS", "", "", "", "", {4});
        row("accents are letters of their own", "a", "", "", "", "Tölgy", {});
        row("name and building", "e", "", "", "", "tölgy", {4});
        row("trailing blank needs text after it", "", "", "rózsa ", "", "", {1, 4});
        row("leading blank needs text before it", "", "", " utca", "", "", {1, 3, 4});
        row("house number 1 finds 1, 12, 21", "", "", "", "1", "", {1, 2, 3, 5});
        row("house number within a town", "", "buda", "", "1", "", {1, 2});
        row("building substring", "", "", "", "", "RÓZSA", {1, 2});
        row("found nowhere", "xyz", "", "", "", "", {});
    }
    void criteria() {
        QFETCH(QString, nev); QFETCH(QString, helyseg); QFETCH(QString, utca); QFETCH(QString, hsz);
        QFETCH(QString, epulet); QFETCH(QList<int>, found);
        TestFolder tf;
        tf.writeApartments(kYear, fixture());
        const ApartmentList list = searchApartments(tf.folder(), kYear, SearchCriteria{nev, helyseg, utca, hsz, epulet});
        QVERIFY(list.opened);
        QCOMPARE(recs(list), found);
    }

    // Consumption and the arrears of months 1..12 are summed over the found
    // apartments only; the previous-year row and the yearly water stay out.
    void totalsOfFound() {
        auto v = fixture();
        for (size_t i = 0; i < v.size(); ++i) {
            v[i].KKEloiras(1) = 1000;
            v[i].KKEloiras(12) = 500;
            v[i].KKBefizetes(2) = 300;
            v[i].KKEloiras(13) = 99999;
            v[i].HEloiras(3) = 200;
            v[i].HBefizetes(3) = 50;
            v[i].HEloiras(13) = 77777;
            v[i].UtolsoAllas(1) = 110;
            v[i].ElozoAllas(1) = 100;
            v[i].ElozoAllas(2) = 40;  // no last reading: left out
            v[i].HaviFogyasztas1(1) = 9;
        }
        TestFolder tf;
        tf.writeApartments(kYear, v);
        const ApartmentList list = searchApartments(tf.folder(), kYear, SearchCriteria{{}, {}, {}, {}, "Tölgy"});
        QCOMPARE(recs(list), (QList<int>{3, 4}));
        QCOMPARE(list.totals.kkArrears(), 2 * (1000 + 500 - 300));
        QCOMPARE(list.totals.hArrears(), 2 * (200 - 50));
        QCOMPARE(list.totals.waterConsumption, 2 * 10);
        QCOMPARE(list.totals.yearlyWaterConsumption, 0);
        QCOMPARE(list.rows[0].nev, QStringLiteral("Őri Árpád"));
        QCOMPARE(list.rows[1].utca, QStringLiteral("Rózsa utca"));

        const ApartmentList none = searchApartments(tf.folder(), kYear, SearchCriteria{"xyz", {}, {}, {}, {}});
        QVERIFY(none.rows.empty());
        QCOMPARE(none.totals.kkArrears(), 0);
        QCOMPARE(none.totals.waterConsumption, 0);
    }

    // A year without a file finds nothing and makes no folder.
    void missingYear() {
        TestFolder tf;
        const ApartmentList list = searchApartments(tf.folder(), QStringLiteral("2030"), SearchCriteria{});
        QVERIFY(list.rows.empty());
        QVERIFY(!tf.exists(QStringLiteral("2030")));
    }
};

QTEST_APPLESS_MAIN(TestSearch)
#include "tst_search.moc"
