// The apartment form and the year's Lakasok.dat: the checks in order, the
// record an add or modify writes, the delete, the computed common cost and
// the mail link.

#include <QTest>

#include "register/apartmentform.h"
#include "register/buildings.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kFile = QStringLiteral("2026/Lakasok.dat");

ApartmentForm filledForm() {
    ApartmentForm f{"Budapest", "1111", "Rózsa utca", "12", "3/1", "Rózsa ház", "52.6", "Van", "1500", "Nincs", "17280",
                    "", {"HV-1", "", "MV-1", ""}, "06-30-123-4567", "kovacs@example.hu", "Kulcs", {}};
    for (const char* nev : {"Kovács Péter", "Kovács Anna"})
        f.lakok.push_back(ResidentRow{nev, "bérlő", "2020. 09. 15.", "Szabó Mária", "Debrecen", "1961"});
    return f;
}

// Stored apartments with three residents and their ledger, meters and
// reading date in use.
std::vector<Lakas> storedApartments(int n) {
    std::vector<Lakas> out;
    for (int i = 1; i <= n; ++i) {
        Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), QStringLiteral("Fő utca"), QString::number(i), "1");
        l.Lakok.Nev(2) = "Második", l.Lakok.Nev(3) = "Harmadik", l.Lakok.Statusz(3) = "bérlő";
        l.KKEloiras(13) = 5000, l.HBefizetes(2) = 300, l.KKBefizDatum(1) = Date::fromQDate(QDate(2026, 1, 5));
        l.UtolsoAllas(2) = 101, l.ElozoAllas(4) = 90, l.HaviFogyasztas3(7) = 12, l.Fenntartott = 777;
        l.LeadasDatum = Date::fromQDate(QDate(2026, 3, 1));
        out.push_back(l);
    }
    return out;
}

using Change = std::function<void(ApartmentForm&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)

class TestApartmentForm : public QObject {
    Q_OBJECT
private slots:
    // The first failing check names its field: the required texts in order
    // (the modify's messages without "!" but for the building), residents
    // (needed by the add only), then the numbers. Nothing is written.
    void refusals_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("field");  // of the add
        QTest::addColumn<QString>("addMessage");
        QTest::addColumn<QString>("modifyMessage");
        using F = ApartmentForm;
        using I = InputField;
        const QString irsz = QStringLiteral("Az irányítószám csak egész szám lehet, -32768 és 32767 között!");
        const auto row = [](const char* name, Change c, I f, const QString& add, const QString& modify = {}) {
            QTest::newRow(name) << c << int(f) << add << (modify.isEmpty() ? add : modify);
        };
        row("everything empty", [](F& f) { f = F{}; }, I::Helyseg, "Nincs megadva helységnév!",
            "Nincs megadva helységnév");
        row("building before street", [](F& f) { f.epulet = " ", f.utca.clear(); }, I::Epulet, "Nincs megadva Épület!");
        row("street", [](F& f) { f.utca = " ", f.hsz.clear(); }, I::Utca, "Nincs megadva utcanév!",
            "Nincs megadva utcanév");
        row("house number", [](F& f) { f.hsz.clear(), f.ajto.clear(); }, I::Hsz, "Nincs megadva házszám!",
            "Nincs megadva házszám");
        row("door", [](F& f) { f.ajto = "\t"; }, I::Ajto, "Nincs megadva emelet/ajtó szám!",
            "Nincs megadva emelet/ajtó szám");
        row("no resident", [](F& f) { f.lakok.clear(), f.irsz = "x"; }, I::Lakok, "Nincs lakó rögzítve!", irsz);
        row("eleven residents", [](F& f) { f.lakok.resize(11, f.lakok[0]); }, I::Lakok,
            "Egy lakásban legfeljebb 10 lakó lehet!");
        row("postal code empty", [](F& f) { f.irsz.clear(); }, I::Irsz, irsz);
        row("postal code decimal", [](F& f) { f.irsz = "1111.5"; }, I::Irsz, irsz);
        row("area rounds past 16 bits", [](F& f) { f.alapterulet = "32767.5"; }, I::Alapterulet,
            "Az alapterület csak -32768 és 32767 közötti szám lehet!");
        row("cellar fee 99999", [](F& f) { f.pinceDij = "99999"; }, I::PinceDij,
            "A pince díja csak -32768 és 32767 közötti szám lehet!");
        row("common cost decimal", [](F& f) { f.kozosKoltseg = "15802.5"; }, I::KozosKoltseg,
            "A közösköltség összege csak egész szám lehet, -2147483648 és 2147483647 között!");
        row("waste fee beyond 32 bits", [](F& f) { f.szemetDij = "2147483648"; }, I::SzemetDij,
            "A szemétszállítási díj összege csak egész szám lehet, -2147483648 és 2147483647 között!");
    }
    void refusals() {
        QFETCH(Change, change); QFETCH(int, field); QFETCH(QString, addMessage); QFETCH(QString, modifyMessage);
        TestFolder tf;
        tf.writeApartments(kYear, storedApartments(2));
        const QByteArray before = tf.bytes(kFile);
        ApartmentForm f = filledForm();
        change(f);
        const ApartmentSave added = addApartment(tf.folder(), kYear, f);
        QVERIFY(!added.saved && added.refusal && int(added.refusal->field) == field);
        QCOMPARE(added.message(), addMessage);
        const ApartmentSave modified = modifyApartment(tf.folder(), kYear, 1, f);
        QVERIFY(!modified.saved && modified.refusal);
        QCOMPARE(modified.message(), modifyMessage);
        QCOMPARE(tf.bytes(kFile), before);
    }

    // The add appends (making the year folder when missing) a record whose
    // ledger, meters and reading date are zero; the modify keeps them. The
    // residents fill slots 1..n in list order; the other records stay.
    void write_data() {
        QTest::addColumn<int>("existing");  // -1: no year folder
        QTest::addColumn<int>("modified");  // 0: an add
        QTest::newRow("add after two") << 2 << 0;
        QTest::newRow("add without year folder") << -1 << 0;
        QTest::newRow("modify 2 of 3") << 3 << 2;
    }
    void write() {
        QFETCH(int, existing); QFETCH(int, modified);
        TestFolder tf;
        auto stored = storedApartments(existing);
        if (existing >= 0) tf.writeApartments(kYear, stored);
        const ApartmentSave s = modified ? modifyApartment(tf.folder(), kYear, modified, filledForm())
                                         : addApartment(tf.folder(), kYear, filledForm());
        const size_t rec = modified ? size_t(modified) : stored.size() + 1;
        QVERIFY(s.saved);
        QCOMPARE(size_t(s.rec), rec);
        Lakas e = modified ? stored[rec - 1] : Lakas{};
        e.Helyseg = "Budapest", e.Irsz = 1111, e.Utca = "Rózsa utca", e.Hsz = "12", e.Ajto = "3/1";
        e.Epulet = "Rózsa ház", e.Alapterulet = 53, e.Pince = true, e.PinceDij = 1500, e.Garazs = false;
        e.KozosKoltseg = 17280, e.SzemetDij = 0, e.Fenntartott = 0;
        e.VizoraSzam(1) = "HV-1", e.VizoraSzam(2) = "", e.VizoraSzam(3) = "MV-1", e.VizoraSzam(4) = "";
        e.Telefon = "06-30-123-4567", e.Email = "kovacs@example.hu", e.Megj = "Kulcs";
        e.Lakok = LakokBlokk{};
        for (int i : {1, 2}) {
            e.Lakok.Nev(i) = i == 1 ? "Kovács Péter" : "Kovács Anna", e.Lakok.Statusz(i) = "bérlő";
            e.Lakok.AnyjaNeve(i) = "Szabó Mária", e.Lakok.SzulHelye(i) = "Debrecen", e.Lakok.SzulIdeje(i) = "1961";
            e.Lakok.Bejelentve(i) = Date::fromQDate(QDate(2020, 9, 15));
        }
        if (modified) stored[rec - 1] = e;
        else stored.push_back(e);
        QCOMPARE(tf.readApartments(kYear), stored);
    }

    // Removing the second of three residents moves the third up.
    void residentRemovedFromMiddle() {
        Lakas l = storedApartments(1)[0];
        ApartmentForm f = filledForm();
        f.lakok = {ResidentRow{"Lakó 1", "", "", "", "", ""},
                   ResidentRow{"Harmadik", "bérlő", "2021. 01. 01.", "", "", ""}};
        QVERIFY(!applyForm(f, l));
        QCOMPARE(l.Lakok.Nev(2).text() + l.Lakok.Statusz(2).text(), QStringLiteral("Harmadikbérlő"));
        QCOMPARE(l.Lakok.Bejelentve(2), Date::fromQDate(QDate(2021, 1, 1)));
        QVERIFY(l.Lakok.Nev(3).isBlank() && l.Lakok.Statusz(3).isBlank());
    }

    // Deleting 3 of 5 moves 4 and 5 down; no selection or a record beyond
    // the file is neither deleted nor modified.
    void deleteApartment() {
        TestFolder tf;
        auto stored = storedApartments(5);
        tf.writeApartments(kYear, stored);
        const QByteArray before = tf.bytes(kFile);
        for (int rec : {0, 6}) QVERIFY(!::deleteApartment(tf.folder(), kYear, rec).saved);
        QVERIFY(!modifyApartment(tf.folder(), kYear, 6, filledForm()).saved);
        QCOMPARE(tf.bytes(kFile), before);
        QVERIFY(::deleteApartment(tf.folder(), kYear, 3).saved);
        stored.erase(stored.begin() + 2);
        QCOMPARE(tf.readApartments(kYear), stored);
    }

    // Floor area times the first matching building's rate plus the cellar fee.
    void computedCommonCost_data() {
        QTest::addColumn<QStringList>("typed");  // area, building, cellar fee
        QTest::addColumn<QString>("shown");
        QTest::newRow("52.6 m2 at 300") << QStringList{"52.6", "Rózsa ház", "0"} << "15780";
        QTest::newRow("with cellar fee") << QStringList{"50", "Rózsa ház", "1500"} << "16500";
        QTest::newRow("duplicate name uses the first") << QStringList{"10", "Ikerház", ""} << "1000";
        QTest::newRow("unknown building") << QStringList{"52.6", "rózsa ház", "1500"} << "1500";
        QTest::newRow("half forint to even") << QStringList{"52.5", "Páratlan", "0"} << "15802";
        QTest::newRow("beyond 32 bits") << QStringList{"1e300", "Rózsa ház", "0"} << "3e+302";
    }
    void computedCommonCost() {
        QFETCH(QStringList, typed); QFETCH(QString, shown);
        TestFolder tf;
        tf.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Ikerház", 100), makeEpulet("Ikerház", 999),
                           makeEpulet("Páratlan", 301)});
        QCOMPARE(::computedCommonCost(typed[0], buildingRate(readBuildings(tf.folder()), typed[1]), typed[2]), shown);
    }

    // The address is trimmed and encoded so that nothing in it becomes a
    // header or argument; blanks and control characters are refused.
    void mailto_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");  // empty: refused
        QTest::newRow("trimmed") << "  lako@example.hu\t" << "mailto:lako@example.hu";
        QTest::newRow("query stays in the address") << "a@b.hu?bcc=c@d.hu" << "mailto:a@b.hu%3Fbcc=c@d.hu";
        QTest::newRow("percent kept literally") << "a%0Ab@c.hu" << "mailto:a%250Ab@c.hu";
        QTest::newRow("empty") << "   " << "";
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
