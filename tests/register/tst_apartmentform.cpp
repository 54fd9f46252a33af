// The apartment form and the year's Lakasok.dat: the checks in order, the
// numbers, the record an add writes, what a modify keeps, the delete, the
// computed common cost and the mail link.

#include <QTest>

#include "register/apartmentform.h"
#include "register/buildings.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kFile = QStringLiteral("2026/Lakasok.dat");

ApartmentForm filledForm() {
    ApartmentForm f;
    f.helyseg = QStringLiteral("Budapest");
    f.irsz = QStringLiteral("1111");
    f.utca = QStringLiteral("Rózsa utca");
    f.hsz = QStringLiteral("12");
    f.ajto = QStringLiteral("3/1");
    f.epulet = QStringLiteral("Rózsa ház");
    f.alapterulet = QStringLiteral("52.6");
    f.pince = QStringLiteral("Van");
    f.pinceDij = QStringLiteral("1500");
    f.garazs = QStringLiteral("Nincs");
    f.kozosKoltseg = QStringLiteral("17280");
    f.szemetDij = QStringLiteral("");
    f.vizoraSzam = {QStringLiteral("HV-1"), QString(), QStringLiteral("MV-1"), QString()};
    f.telefon = QStringLiteral("06-30-123-4567");
    f.email = QStringLiteral("kovacs@example.hu");
    f.megj = QStringLiteral("Kulcs a gondnoknál.");
    for (const char* nev : {"Kovács Péter", "Kovács Anna"})
        f.lakok.push_back(ResidentRow{nev, "bérlő", "2020. 09. 15.", "Szabó Mária", "Debrecen", "1961"});
    return f;
}

// A stored apartment with its ledger, meters and reading date in use.
Lakas storedApartment(int i) {
    Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), QStringLiteral("Fő utca"), QString::number(i), QStringLiteral("1"));
    for (int r = 1; r <= 13; ++r) {
        l.KKEloiras(r) = 1000 * r;
        l.HBefizetes(r) = 200 + r;
        l.KKBefizDatum(r) = Date::fromQDate(QDate(2026, 1, r));
    }
    l.UtolsoAllas(2) = 101;
    l.ElozoAllas(4) = 90;
    l.HaviFogyasztas3(7) = 12;
    l.LeadasDatum = Date::fromQDate(QDate(2026, 3, 1));
    l.Fenntartott = 777;
    l.Lakok.Nev(2) = QStringLiteral("Második");
    l.Lakok.Nev(3) = QStringLiteral("Harmadik");
    return l;
}

std::vector<Lakas> storedApartments(int n) {
    std::vector<Lakas> out;
    for (int i = 1; i <= n; ++i) out.push_back(storedApartment(i));
    return out;
}

QByteArray encodeAll(const std::vector<Lakas>& records) {
    QByteArray out;
    for (const Lakas& l : records) out += RecordFile<Lakas>::encode(l);
    return out;
}

// What the filled form stores, over whatever the record held before.
void checkFormFields(const Lakas& l) {
    QCOMPARE(l.Helyseg.text(), QStringLiteral("Budapest"));
    QCOMPARE(int(l.Irsz), 1111);
    QCOMPARE(l.Ajto.text(), QStringLiteral("3/1"));
    QCOMPARE(l.Epulet.text(), QStringLiteral("Rózsa ház"));
    QCOMPARE(int(l.Alapterulet), 53);
    QVERIFY(l.Pince && !l.Garazs);
    QCOMPARE(int(l.PinceDij), 1500);
    QCOMPARE(l.KozosKoltseg, 17280);
    QCOMPARE(l.SzemetDij, 0);
    QCOMPARE(l.VizoraSzam(3).text(), QStringLiteral("MV-1"));
    QCOMPARE(l.Email.text(), QStringLiteral("kovacs@example.hu"));
    QCOMPARE(l.Fenntartott, 0);
    QCOMPARE(l.Lakok.Nev(2).text(), QStringLiteral("Kovács Anna"));
    QCOMPARE(l.Lakok.Bejelentve(2), Date::fromQDate(QDate(2020, 9, 15)));
    for (int i = 3; i <= 10; ++i) QVERIFY(l.Lakok.Nev(i).isBlank() && l.Lakok.Bejelentve(i).isEmpty());
}

using Change = std::function<void(ApartmentForm&)>;

class FailingWrites : public FileLayer {
public:
    bool writeAt(const QString&, qint64, const QByteArray&) override { return false; }
    bool replace(const QString&, const QByteArray&) override { return false; }
};

}  // namespace

Q_DECLARE_METATYPE(Change)

class TestApartmentForm : public QObject {
    Q_OBJECT
private slots:
    // The first failing check names its field: the required texts in order
    // (the modify's messages without "!" but for the building), residents,
    // then the numbers. Nothing is written for any of them.
    void refusals_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("add");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        using F = ApartmentForm;
        const auto row = [](const char* name, Change c, bool add, InputField f, const char* msg) {
            QTest::newRow(name) << c << add << int(f) << QString::fromUtf8(msg);
        };
        row("everything empty", [](F& f) { f = F{}; }, true, InputField::Helyseg, "Nincs megadva helységnév!");
        row("town, modify", [](F& f) { f.helyseg = "  "; }, false, InputField::Helyseg, "Nincs megadva helységnév");
        row("building", [](F& f) { f.epulet.clear(); f.utca.clear(); }, false, InputField::Epulet, "Nincs megadva Épület!");
        row("street", [](F& f) { f.utca = " "; f.hsz.clear(); }, true, InputField::Utca, "Nincs megadva utcanév!");
        row("street, modify", [](F& f) { f.utca.clear(); }, false, InputField::Utca, "Nincs megadva utcanév");
        row("house number", [](F& f) { f.hsz.clear(); f.ajto.clear(); }, true, InputField::Hsz, "Nincs megadva házszám!");
        row("house number, modify", [](F& f) { f.hsz.clear(); }, false, InputField::Hsz, "Nincs megadva házszám");
        row("door", [](F& f) { f.ajto = "\t"; }, true, InputField::Ajto, "Nincs megadva emelet/ajtó szám!");
        row("door, modify", [](F& f) { f.ajto.clear(); }, false, InputField::Ajto, "Nincs megadva emelet/ajtó szám");
        row("no resident", [](F& f) { f.lakok.clear(); f.irsz = "x"; }, true, InputField::Lakok, "Nincs lakó rögzítve!");
        row("eleven residents", [](F& f) { f.lakok.resize(11, f.lakok[0]); }, false, InputField::Lakok,
            "Egy lakásban legfeljebb 10 lakó lehet!");
        row("postal code empty", [](F& f) { f.irsz.clear(); }, true, InputField::Irsz,
            "Az irányítószám csak egész szám lehet, -32768 és 32767 között!");
        row("postal code decimal", [](F& f) { f.irsz = "1111.5"; }, false, InputField::Irsz,
            "Az irányítószám csak egész szám lehet, -32768 és 32767 között!");
        row("area rounds past 16 bits", [](F& f) { f.alapterulet = "32767.5"; }, true, InputField::Alapterulet,
            "Az alapterület csak -32768 és 32767 közötti szám lehet!");
        row("cellar fee 99999", [](F& f) { f.pinceDij = "99999"; }, false, InputField::PinceDij,
            "A pince díja csak -32768 és 32767 közötti szám lehet!");
        row("common cost decimal", [](F& f) { f.kozosKoltseg = "15802.5"; }, true, InputField::KozosKoltseg,
            "A közösköltség összege csak egész szám lehet, -2147483648 és 2147483647 között!");
        row("waste fee beyond 32 bits", [](F& f) { f.szemetDij = "2147483648"; }, false, InputField::SzemetDij,
            "A szemétszállítási díj összege csak egész szám lehet, -2147483648 és 2147483647 között!");
    }
    void refusals() {
        QFETCH(Change, change); QFETCH(bool, add); QFETCH(int, field); QFETCH(QString, message);
        TestFolder tf;
        tf.writeApartments(kYear, storedApartments(2));
        const QByteArray before = tf.bytes(kFile);
        ApartmentForm f = filledForm();
        change(f);
        const auto check = checkApartmentForm(f, add ? FormUse::Add : FormUse::Modify);
        QVERIFY(check);
        QCOMPARE(int(check->field), field);
        QCOMPARE(check->message, message);
        const ApartmentSave s = add ? addApartment(tf.folder(), kYear, f) : modifyApartment(tf.folder(), kYear, 1, f);
        QVERIFY(!s.saved && s.refusal);
        QCOMPARE(s.message(), message);
        QCOMPARE(tf.bytes(kFile), before);
    }

    // Floor area and cellar fee: leading number, halves to even; empty
    // amounts are 0; a modify needs no resident.
    void storedNumbers_data() {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("cellar");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QList<int>>("stored");  // area, cellar fee, amount
        QTest::newRow("halves down to even") << "52.5" << "1500.5" << " " << QList<int>{52, 1500, 0};
        QTest::newRow("halves up to even") << "53.5" << "1501.5" << "-250" << QList<int>{54, 1502, -250};
        QTest::newRow("text after the number") << "60 m2" << "abc" << " +7 " << QList<int>{60, 0, 7};
    }
    void storedNumbers() {
        QFETCH(QString, area); QFETCH(QString, cellar); QFETCH(QString, amount); QFETCH(QList<int>, stored);
        ApartmentForm f = filledForm();
        f.alapterulet = area, f.pinceDij = cellar, f.kozosKoltseg = amount, f.szemetDij = amount;
        f.lakok.clear();
        QVERIFY(!checkApartmentForm(f, FormUse::Modify));
        Lakas l;
        QVERIFY(!applyForm(f, l));
        QCOMPARE((QList<int>{l.Alapterulet, l.PinceDij, l.KozosKoltseg}), stored);
        QCOMPARE(l.SzemetDij, stored[2]);
    }

    // The add appends after the stored apartments (making the year folder
    // when missing); every ledger and meter field of the new record is zero.
    void add_data() {
        QTest::addColumn<int>("existing");
        QTest::newRow("after two") << 2;
        QTest::newRow("no year folder") << -1;
    }
    void add() {
        QFETCH(int, existing);
        TestFolder tf;
        if (existing >= 0) tf.writeApartments(kYear, storedApartments(existing));
        const QByteArray before = tf.bytes(kFile);
        const ApartmentSave s = addApartment(tf.folder(), kYear, filledForm());
        QVERIFY(s.saved);
        QCOMPARE(s.rec, std::max(existing, 0) + 1);
        QCOMPARE(s.row.nev, QStringLiteral("Kovács Péter"));
        QCOMPARE(tf.bytes(kFile).left(before.size()), before);
        Lakas l = tf.readApartments(kYear).back();
        checkFormFields(l);
        Lakas zero;
        QCOMPARE(l.KKEloiras, zero.KKEloiras);
        QCOMPARE(l.KKBefizDatum, zero.KKBefizDatum);
        QCOMPARE(l.HBefizetes, zero.HBefizetes);
        QCOMPARE(l.UtolsoAllas, zero.UtolsoAllas);
        QCOMPARE(l.ElozoAllas, zero.ElozoAllas);
        QCOMPARE(l.HaviFogyasztas3, zero.HaviFogyasztas3);
        QVERIFY(l.LeadasDatum.isEmpty());
    }

    // The modify keeps the ledger, meters and reading date; other records stay.
    void modify() {
        TestFolder tf;
        const auto stored = storedApartments(3);
        tf.writeApartments(kYear, stored);
        const ApartmentSave s = modifyApartment(tf.folder(), kYear, 2, filledForm());
        QVERIFY(s.saved);
        QCOMPARE(s.row.utca, QStringLiteral("Rózsa utca"));
        const auto after = tf.readApartments(kYear);
        checkFormFields(after[1]);
        QCOMPARE(after[1].KKEloiras, stored[1].KKEloiras);
        QCOMPARE(after[1].KKBefizDatum, stored[1].KKBefizDatum);
        QCOMPARE(after[1].HBefizetes, stored[1].HBefizetes);
        QCOMPARE(after[1].UtolsoAllas, stored[1].UtolsoAllas);
        QCOMPARE(after[1].ElozoAllas, stored[1].ElozoAllas);
        QCOMPARE(after[1].HaviFogyasztas3, stored[1].HaviFogyasztas3);
        QCOMPARE(after[1].LeadasDatum, stored[1].LeadasDatum);
        QCOMPARE(after[0], stored[0]);
        QCOMPARE(after[2], stored[2]);
    }

    // Removing the second of three residents moves the third up.
    void residentRemovedFromMiddle() {
        Lakas l = storedApartment(1);
        l.Lakok.Statusz(3) = QStringLiteral("bérlő");
        ApartmentForm f = filledForm();
        f.lakok = {ResidentRow{"Lakó 1", "", "", "", "", ""}, ResidentRow{"Harmadik", "bérlő", "2021. 01. 01.", "", "", ""}};
        QVERIFY(!applyForm(f, l));
        QCOMPARE(l.Lakok.Nev(2).text(), QStringLiteral("Harmadik"));
        QCOMPARE(l.Lakok.Bejelentve(2), Date::fromQDate(QDate(2021, 1, 1)));
        QVERIFY(l.Lakok.Nev(3).isBlank() && l.Lakok.Statusz(3).isBlank());
    }

    void deleteRenumbers_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("saved");
        QTest::newRow("3 of 5") << 3 << true;
        QTest::newRow("6 of 5") << 6 << false;
        QTest::newRow("none selected") << 0 << false;
    }
    void deleteRenumbers() {
        QFETCH(int, k); QFETCH(bool, saved);
        TestFolder tf;
        auto stored = storedApartments(5);
        tf.writeApartments(kYear, stored);
        QCOMPARE(deleteApartment(tf.folder(), kYear, k).saved, saved);
        if (saved) stored.erase(stored.begin() + (k - 1));
        QCOMPARE(tf.bytes(kFile), encodeAll(stored));
    }

    // A file step that fails is reported and leaves the file as it was.
    void fileFailures() {
        TestFolder tf;
        tf.writeApartments(kYear, storedApartments(3));
        const QByteArray before = tf.bytes(kFile);
        FailingWrites fs;
        const ApartmentSave added = addApartment(tf.folder(fs), kYear, filledForm());
        QVERIFY(!added.saved && !added.refusal && added.failure.contains(files::Lakasok));
        QVERIFY(!modifyApartment(tf.folder(fs), kYear, 1, filledForm()).saved);
        QVERIFY(!modifyApartment(tf.folder(), kYear, 4, filledForm()).saved);
        QVERIFY(!deleteApartment(tf.folder(fs), kYear, 1).saved);
        QCOMPARE(tf.bytes(kFile), before);
    }

    // Floor area times the first matching building's rate plus the cellar fee.
    void computedCommonCost_data() {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("building");
        QTest::addColumn<QString>("cellar");
        QTest::addColumn<QString>("shown");
        QTest::newRow("52.6 m2 at 300") << "52.6" << "Rózsa ház" << "0" << "15780";
        QTest::newRow("with cellar fee") << "50" << "Rózsa ház" << "1500" << "16500";
        QTest::newRow("duplicate name uses the first") << "10" << "Ikerház" << "" << "1000";
        QTest::newRow("unknown building") << "52.6" << "rózsa ház" << "1500" << "1500";
        QTest::newRow("half forint to even") << "52.5" << "Páratlan" << "0" << "15802";
        QTest::newRow("beyond 32 bits") << "1e300" << "Rózsa ház" << "0" << "3e+302";
    }
    void computedCommonCost() {
        QFETCH(QString, area); QFETCH(QString, building); QFETCH(QString, cellar); QFETCH(QString, shown);
        TestFolder tf;
        tf.writeBuildings({makeEpulet(QStringLiteral("Rózsa ház"), 300), makeEpulet(QStringLiteral("Ikerház"), 100),
                           makeEpulet(QStringLiteral("Ikerház"), 999), makeEpulet(QStringLiteral("Páratlan"), 301)});
        QCOMPARE(::computedCommonCost(area, buildingRate(readBuildings(tf.folder()), building), cellar), shown);
    }

    // The address is trimmed and encoded so that nothing in it becomes a
    // header or argument; blanks and control characters are refused.
    void mailto_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");  // empty: refused
        QTest::newRow("trimmed") << "  lako@example.hu\t" << "mailto:lako@example.hu";
        QTest::newRow("query stays in the address") << "a@b.hu?bcc=c@d.hu" << "mailto:a@b.hu%3Fbcc=c@d.hu";
        QTest::newRow("percent kept literally") << "a%0Ab@c.hu" << "mailto:a%250Ab@c.hu";
        QTest::newRow("accented") << "éva@példa.hu" << "mailto:%C3%A9va@p%C3%A9lda.hu";
        QTest::newRow("empty") << "   " << "";
        QTest::newRow("inner blank") << "a b@c.hu" << "";
        QTest::newRow("line break") << "a@b.hu\r\nBcc: x@y.hu" << "";
        QTest::newRow("zero-width space") << QString::fromUtf8("a\u200B@b.hu") << "";
    }
    void mailto() {
        QFETCH(QString, address); QFETCH(QString, url);
        const auto u = mailtoUrl(address);
        QCOMPARE(u ? QString::fromLatin1(u->toEncoded()) : QString(), url);
    }
};

QTEST_APPLESS_MAIN(TestApartmentForm)
#include "tst_apartmentform.moc"
