// The register on the year's files: the apartment list and house totals, the
// apartment form's checks and the records an add, modify or delete writes,
// residents, remarks, the computed common cost, the mail link, buildings, the
// search, and the printed resident list through the recorder (landscape
// pages, 20 apartments on the first and 21 on every further one, the frame
// bottoms, each apartment's data line, remark line and rule 8 mm apart).

#include <QTest>

#include "ledger/ledger.h"
#include "ledger/water.h"
#include "register/apartmentform.h"
#include "register/buildings.h"
#include "register/residentlist.h"
#include "register/search.h"
#include "reports/recordingsurface.h"
#include "support/testfolder.h"

namespace {

const QString kYear = QStringLiteral("2026");
const QString kFile = QStringLiteral("2026/Lakasok.dat");
using Four = QList<int>;

// A form with `residents` residents named "Lakó 1" ...
ApartmentForm filledForm(int residents = 2) {
    ApartmentForm f{"Budapest", "1111", "Rózsa utca", "12", "3/1", "Rózsa ház", "52.6", "Van", "1500", "Nincs", "17280",
                    "", {"HV-1", "", "MV-1", "MV-2"}, "06-30-123-4567", "kovacs@example.hu", "Kulcs\nportán", {}};
    for (int i = 1; i <= residents; ++i)
        f.lakok.push_back({QStringLiteral("Lakó %1").arg(i), "bérlő", "2020. 09. 15.", "Szabó Mária", "Debrecen", "1961"});
    return f;
}

// Stored apartments with three residents, their ledger, meters and reading
// date in use.
std::vector<Lakas> storedApartments(int n) {
    std::vector<Lakas> out;
    for (int i = 1; i <= n; ++i) {
        Lakas l = makeLakas(QStringLiteral("Lakó %1").arg(i), "Fő utca", QString::number(i), "1");
        l.Lakok.Nev(2) = "Második", l.Lakok.Nev(3) = "Harmadik", l.Lakok.Statusz(3) = "bérlő";
        l.KKEloiras(13) = 5000, l.HBefizetes(2) = 300, l.KKBefizDatum(1) = Date::fromQDate(QDate(2026, 1, 5));
        l.UtolsoAllas(2) = 101, l.ElozoAllas(4) = 90, l.HaviFogyasztas3(7) = 12, l.Fenntartott = 777;
        l.LeadasDatum = Date::fromQDate(QDate(2026, 3, 1));
        out.push_back(l);
    }
    return out;
}

using Change = std::function<void(ApartmentForm&)>;

// What an operation on apartment 2 reports: its change, or the year's totals
// when it changed every apartment.
struct Reported {
    std::optional<ListChange> change;
    std::optional<HouseTotals> totals;
};
using Operation = std::function<Reported(const DataFolder&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Operation)

class TestRegister : public QObject {
    Q_OBJECT
private slots:
    // Rows in record order, trimmed; no resident gives an empty name. One
    // apartment is read by number, with the texts the pages show.
    void list() {
        TestFolder t;
        Lakas l = makeLakas("Kiss Ő", "Űr utca", "7", "2/5");
        l.Irsz = 4025, l.Helyseg = "Debrecen";
        t.writeApartments(kYear, {makeLakas("", "Fő út", "3", "1/2"), l});
        const ApartmentList list = readApartmentList(t.folder(), kYear);
        QVERIFY(list.opened && list.rows.size() == 2);
        const ApartmentRow &a = list.rows[0], &b = list.rows[1];
        QCOMPARE((QStringList{QString::number(a.rec), a.nev, QString::number(b.rec), b.nev, b.utca, b.hsz, b.ajto}),
                 (QStringList{"1", "", "2", "Kiss Ő", "Űr utca", "7", "2/5"}));
        const auto read = readApartment(t.folder(), kYear, 2);
        QCOMPARE(addressLine(*read) + '|' + deleteCaption(*read), QStringLiteral("4025 Debrecen, Űr utca 7 2/5|Űr utca 7 2/5"));
        for (int rec : {0, 3}) QVERIFY(!readApartment(t.folder(), kYear, rec));
        // A missing year is made empty; a text that names no folder reads nothing
        // (the data folder's own tests prove that it makes nothing either).
        QVERIFY(readApartmentList(t.folder(), "2031").opened && t.exists("2031/Lakasok.dat"));
        QVERIFY(!readApartmentList(t.folder(), "1/..").opened);
    }

    // One apartment's readings and consumptions give the house totals; the
    // ledger's months count, the previous year's row never; no sum wraps.
    void totals_data() {
        QTest::addColumn<Four>("elozo");   // previous readings 1..4
        QTest::addColumn<Four>("utolso");  // last readings 1..4
        QTest::addColumn<Four>("march");   // consumption of meters 1..4 in March (January: 7)
        QTest::addColumn<qint64>("water");
        QTest::addColumn<qint64>("yearly");
        const Four none{0, 0, 0, 0};
        QTest::newRow("plain difference") << Four{120, 0, 0, 0} << Four{135, 0, 0, 0} << Four{15, 0, 0, 0} << qint64(15) << qint64(22);
        QTest::newRow("last reading 0 counts nothing") << Four{50, 40, 0, 0} << Four{0, 45, 0, 0} << Four{0, 5, 0, 0} << qint64(5) << qint64(12);
        QTest::newRow("negative difference lowers the house") << Four{100, 0, 0, 0} << Four{90, 0, 0, 0} << none << qint64(-10) << qint64(7);
        QTest::newRow("month of exactly 32767 counts") << none << none << Four{20000, 12000, 700, 67} << qint64(0) << qint64(32774);
        QTest::newRow("month beyond 16 bits is left out") << none << none << Four{20000, 12000, 700, 68} << qint64(0) << qint64(7);
    }
    void totals() {
        QFETCH(Four, elozo); QFETCH(Four, utolso); QFETCH(Four, march); QFETCH(qint64, water); QFETCH(qint64, yearly);
        TestFolder t;
        Lakas l = makeLakas("A", "U", "1", "1");
        for (int k = 1; k <= 4; ++k) l.ElozoAllas(k) = std::int16_t(elozo[k - 1]), l.UtolsoAllas(k) = std::int16_t(utolso[k - 1]);
        l.HaviFogyasztas1(3) = std::int16_t(march[0]), l.HaviFogyasztas2(3) = std::int16_t(march[1]);
        l.HaviFogyasztas3(3) = std::int16_t(march[2]), l.HaviFogyasztas4(3) = std::int16_t(march[3]);
        l.HaviFogyasztas1(1) = 7;
        l.KKEloiras(1) = 2'000'000'000, l.KKEloiras(12) = 2'000'000'000, l.KKBefizetes(2) = 3000, l.KKEloiras(13) = 5000;
        l.HEloiras(5) = 1200, l.HBefizetes(5) = 1500, l.HBefizetes(13) = 999;
        t.writeApartments(kYear, {l, makeLakas("B", "U", "1", "2")});
        const HouseTotals tot = readApartmentList(t.folder(), kYear).totals;
        QCOMPARE((QList<qint64>{tot.waterConsumption, tot.yearlyWaterConsumption, tot.kkArrears(), tot.hArrears()}),
                 (QList<qint64>{water, yearly, 3'999'997'000, -300}));
    }

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
        const QString irsz = "Az irányítószám csak egész szám lehet, -32768 és 32767 között!";
        const QString area = "Az alapterület csak számmal kezdődhet, és -32768 és 32767 közötti lehet!";
        const QString cellar = "A pince díja csak számmal kezdődhet, és -32768 és 32767 közötti lehet!";
        const auto row = [](const char* name, Change c, I f, const QString& add, const QString& modify = {}) {
            QTest::newRow(name) << c << int(f) << add << (modify.isEmpty() ? add : modify);
        };
        row("everything empty", [](F& f) { f = F{}; }, I::Helyseg, "Nincs megadva helységnév!", "Nincs megadva helységnév");
        row("building before street", [](F& f) { f.epulet = " ", f.utca.clear(); }, I::Epulet, "Nincs megadva Épület!");
        row("street", [](F& f) { f.utca = " ", f.hsz.clear(); }, I::Utca, "Nincs megadva utcanév!", "Nincs megadva utcanév");
        row("house number", [](F& f) { f.hsz.clear(), f.ajto.clear(); }, I::Hsz, "Nincs megadva házszám!", "Nincs megadva házszám");
        row("door", [](F& f) { f.ajto = "\t"; }, I::Ajto, "Nincs megadva emelet/ajtó szám!", "Nincs megadva emelet/ajtó szám");
        row("no resident", [](F& f) { f.lakok.clear(), f.irsz = "x"; }, I::Lakok, "Nincs lakó rögzítve!", irsz);
        row("eleven residents", [](F& f) { f.lakok.resize(11, f.lakok[0]); }, I::Lakok, "Egy lakásban legfeljebb 10 lakó lehet!");
        row("postal code empty", [](F& f) { f.irsz.clear(); }, I::Irsz, irsz);
        row("area without a number", [](F& f) { f.alapterulet = "abc"; }, I::Alapterulet, area);
        row("cellar fee 99999", [](F& f) { f.pinceDij = "99999"; }, I::PinceDij, cellar);
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
        const ApartmentSave added = addApartment(tf.folder(), kYear, f), modified = modifyApartment(tf.folder(), kYear, 1, f);
        QVERIFY(!added.saved && added.refusal && int(added.refusal->field) == field && !modified.saved && modified.refusal);
        QCOMPARE(added.message() + '|' + modified.message(), addMessage + '|' + modifyMessage);
        QCOMPARE(tf.bytes(kFile), before);
    }

    // The add appends (making the year folder when missing) a record whose
    // ledger, meters and reading date are zero; the modify keeps them. The
    // residents fill slots 1..n in list order, up to all ten, and blank the
    // rest; the remark's line breaks are stored CR LF; the other records stay.
    void write_data() {
        QTest::addColumn<int>("existing");  // -1: no year folder
        QTest::addColumn<int>("modified");  // 0: an add
        QTest::addColumn<int>("residents");
        QTest::newRow("add after two") << 2 << 0 << 2;
        QTest::newRow("add ten residents without year folder") << -1 << 0 << 10;
        QTest::newRow("modify 2 of 3: two residents of three") << 3 << 2 << 2;
        QTest::newRow("modify: ten residents") << 1 << 1 << 10;
    }
    void write() {
        QFETCH(int, existing); QFETCH(int, modified); QFETCH(int, residents);
        TestFolder tf;
        auto stored = storedApartments(existing);
        if (existing >= 0) tf.writeApartments(kYear, stored);
        const ApartmentForm form = filledForm(residents);
        const ApartmentSave s = modified ? modifyApartment(tf.folder(), kYear, modified, form) : addApartment(tf.folder(), kYear, form);
        const size_t rec = modified ? size_t(modified) : stored.size() + 1;
        QVERIFY(s.saved && size_t(s.rec) == rec);
        Lakas e = modified ? stored[rec - 1] : Lakas{};
        e.Helyseg = "Budapest", e.Irsz = 1111, e.Utca = "Rózsa utca", e.Hsz = "12", e.Ajto = "3/1", e.Epulet = "Rózsa ház";
        e.Alapterulet = 53, e.Pince = true, e.PinceDij = 1500, e.Garazs = false, e.KozosKoltseg = 17280, e.SzemetDij = 0;
        e.Fenntartott = 0, e.VizoraSzam(1) = "HV-1", e.VizoraSzam(2) = "", e.VizoraSzam(3) = "MV-1", e.VizoraSzam(4) = "MV-2";
        e.Telefon = "06-30-123-4567", e.Email = "kovacs@example.hu", e.Megj = "Kulcs\r\nportán", e.Lakok = LakokBlokk{};
        for (int i = 1; i <= residents; ++i) {
            e.Lakok.Nev(i) = QStringLiteral("Lakó %1").arg(i), e.Lakok.Statusz(i) = "bérlő", e.Lakok.SzulIdeje(i) = "1961";
            e.Lakok.AnyjaNeve(i) = "Szabó Mária", e.Lakok.SzulHelye(i) = "Debrecen";
            e.Lakok.Bejelentve(i) = Date::fromQDate(QDate(2020, 9, 15));
        }
        if (modified) stored[rec - 1] = e;
        else stored.push_back(e);
        QCOMPARE(tf.readApartments(kYear), stored);
    }

    // Deleting 3 of 5 moves 4 and 5 down; no selection or a record beyond
    // the file is neither deleted nor modified.
    void deleteApartment() {
        TestFolder tf;
        auto stored = storedApartments(5);
        tf.writeApartments(kYear, stored);
        const QByteArray before = tf.bytes(kFile);
        for (int rec : {0, 6}) QVERIFY(!::deleteApartment(tf.folder(), kYear, rec).saved);
        QVERIFY(!modifyApartment(tf.folder(), kYear, 6, filledForm()).saved && tf.bytes(kFile) == before);
        QVERIFY(::deleteApartment(tf.folder(), kYear, 3).saved);
        stored.erase(stored.begin() + 2);
        QCOMPARE(tf.readApartments(kYear), stored);
    }

    // A new resident needs a name, a status and one of the ten slots. The
    // remark box's LF is CR LF in the field and counts two.
    void residentsAndRemark() {
        const auto message = [](const QString& nev, const QString& statusz, int rows) {
            const auto r = checkNewResident(nev, statusz, rows);
            return r ? r->message : QStringLiteral("-");
        };
        QCOMPARE((QStringList{message("Kiss Éva", "bérlő", 9), message("Kiss Éva", "bérlő", 10), message(" ", "bérlő", 0),
                              message("Kiss Éva", " ", 0)}),
                 (QStringList{"-", "Egy lakásban legfeljebb 10 lakó lehet!", "Nincs megadva a lakó neve!", "Nincs megadva lakó státusza!"}));
        QCOMPARE(storedRemark("a\nb\r\nc"), QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(remarkCharsLeft(" a\nb "), 296);
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
        const std::vector<Epulet> all{makeEpulet("Rózsa ház", 300), makeEpulet("Ikerház", 100), makeEpulet("Ikerház", 999),
                                      makeEpulet("Páratlan", 301)};
        QCOMPARE(::computedCommonCost(typed[0], buildingRate(all, typed[1]), typed[2]), shown);
    }

    // The address is trimmed and encoded so that nothing in it becomes a
    // header or argument; blanks and control characters are refused.
    void mailto() {
        const QStringList cases{"  lako@example.hu\t|mailto:lako@example.hu", "a@b.hu?bcc=c@d.hu|mailto:a@b.hu%3Fbcc=c@d.hu",
                                "a%0Ab@c.hu|mailto:a%250Ab@c.hu", "   |", "a@b.hu\r\nBcc: x@y.hu|",
                                QString::fromUtf8("a\u200B@b.hu|")};
        for (const QString& c : cases) {
            const auto u = mailtoUrl(c.section('|', 0, 0));
            QCOMPARE(u ? QString::fromLatin1(u->toEncoded()) : QString(), c.section('|', 1));
        }
    }

    // The rate is the leading number of its text (none = 0) rounded halves to
    // even; the name is cut to 20. A rate beyond 16 bits writes nothing.
    void addBuilding_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("250.6") << "Rózsa ház" << "250.6" << "Rózsa ház           |251";
        QTest::newRow("250.5 to even") << "Rózsa ház" << "250.5" << "Rózsa ház           |250";
        QTest::newRow("text") << "Rózsa ház" << "háromszáz" << "Rózsa ház           |0";
        QTest::newRow("number then text") << "Rózsa ház" << "300 Ft" << "Rózsa ház           |300";
        QTest::newRow("name cut to 20") << "  Nagyon hosszú épületnév" << "1" << "  Nagyon hosszú épül|1";
        QTest::newRow("rounds past 16 bits") << "Rózsa ház" << "32767.5" << "";
    }
    void addBuilding() {
        QFETCH(QString, name); QFETCH(QString, rate); QFETCH(QString, stored);
        TestFolder tf;
        tf.writeBuildings({makeEpulet("Tölgy", 250)});
        const QByteArray before = tf.bytes(files::Epuletek);
        const SaveResult s = ::addBuilding(tf.folder(), name, rate);
        const auto all = readBuildings(tf.folder());
        QCOMPARE(all.size() > 1 ? all[1].Nev.padded() + '|' + QString::number(all[1].KKperNm) : QString(), stored);
        if (s.saved) return;
        QVERIFY(s.refusal && s.refusal->field == InputField::KKperNm && tf.bytes(files::Epuletek) == before);
        QCOMPARE(s.message(), QStringLiteral("A közösköltség díja csak -32768 és 32767 közötti szám lehet!"));
    }

    // The question before a delete counts the year's apartments carrying the
    // name; deleting renumbers the buildings after it and leaves the
    // apartments; no selection changes nothing.
    void deleteBuilding() {
        TestFolder tf;
        const std::vector<Epulet> all{makeEpulet("Rózsa ház", 300), makeEpulet("Őszirózsa", 280), makeEpulet("Tölgy", 250)};
        tf.writeBuildings(all);
        std::vector<Lakas> flats(3, makeLakas("A", "U", "1", "1"));
        flats[0].Epulet = "Őszirózsa", flats[1].Epulet = " Őszirózsa", flats[2].Epulet = "őszirózsa";
        tf.writeApartments(kYear, flats);
        QCOMPARE(apartmentsInBuilding(tf.folder(), kYear, "Őszirózsa"), std::optional<int>(2));
        QVERIFY(!::deleteBuilding(tf.folder(), 0).saved && readBuildings(tf.folder()) == all);
        QVERIFY(::deleteBuilding(tf.folder(), 2).saved);
        QCOMPARE(readBuildings(tf.folder()), (std::vector<Epulet>{all[0], all[2]}));
        QCOMPARE(tf.readApartments(kYear), flats);
    }

    // The found apartments in record order; the consumption and arrears are
    // summed over them only, the yearly water total not at all.
    void search_data() {
        QTest::addColumn<QStringList>("typed");  // name, town, street, house number, building
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("blank building item") << QStringList{" ", "  ", "", "", " "} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("any case, at the start and inside") << QStringList{"kov", "", "", "", ""} << QList<int>{1, 2};
        QTest::newRow("name in slot 10") << QStringList{"ödön", "", "", "", ""} << QList<int>{2};
        QTest::newRow("accented capitals") << QStringList{"őri árpád", "", "", "", ""} << QList<int>{3};
        QTest::newRow("ß is upper-cased to SS") << QStringList{"weiss", "", "", "", ""} << QList<int>{4};
        QTest::newRow("accents are letters of their own") << QStringList{"a", "", "", "", "Tölgy"} << QList<int>{};
        QTest::newRow("trailing blank counts") << QStringList{"", "", "rózsa ", "", ""} << QList<int>{1, 4};
        QTest::newRow("house number 1 finds 1, 12, 21") << QStringList{"", "", "", "1", ""} << QList<int>{1, 2, 3, 5};
        QTest::newRow("house number within a town") << QStringList{"", "buda", "", "1", ""} << QList<int>{1, 2};
        QTest::newRow("name and building") << QStringList{"e", "", "", "", "tölgy"} << QList<int>{4};
    }
    void search() {
        QFETCH(QStringList, typed); QFETCH(QList<int>, found);
        const char* rows[][5] = {{"Kovács Péter", "Budapest", "Rózsa utca", "1", "Rózsa ház"},
                                 {"Nagy Ilona", "Budapest", "Rózsa", "12", "Rózsa ház"},
                                 {"Őri Árpád", "Győr", "Fő utca", "21", "Tölgy"},
                                 {"Szűcs Erzsébet", "Budapest", "Rózsa utca", "3", "Tölgy"},
                                 {"", "Debrecen", "Kossuth tér", "1/A", ""}};
        std::vector<Lakas> v;
        for (const auto& r : rows) {  // each with arrears of 700 + 150, a consumption of 10 and a yearly one of 9
            v.push_back(makeLakas(r[0], r[2], r[3], "1"));
            Lakas& l = v.back();
            l.Helyseg = r[1], l.Epulet = r[4], l.KKEloiras(1) = 1000, l.KKBefizetes(2) = 300, l.KKEloiras(13) = 99999;
            l.HEloiras(3) = 200, l.HBefizetes(3) = 50, l.HEloiras(13) = 77777, l.HaviFogyasztas1(1) = 9;
            l.UtolsoAllas(1) = 110, l.ElozoAllas(1) = 100, l.ElozoAllas(2) = 40;  // no last reading: left out
        }
        v[1].Lakok.Nev(10) = "Szakovics Ödön";
        v[3].Lakok.Nev(6) = "Weiß Jenő";
        TestFolder tf;
        tf.writeApartments(kYear, v);
        const ApartmentList list = searchApartments(tf.folder(), kYear, {typed[0], typed[1], typed[2], typed[3], typed[4]});
        QList<int> recs;
        for (const ApartmentRow& r : list.rows) recs << r.rec;
        QVERIFY(list.opened);
        QCOMPARE(recs, found);
        const HouseTotals& t = list.totals;
        QCOMPARE((QList<qint64>{t.kkArrears(), t.hArrears(), t.waterConsumption, t.yearlyWaterConsumption}),
                 (QList<qint64>{700 * found.size(), 150 * found.size(), 10 * found.size(), 0}));
    }

    // What an operation reports, applied to the list read before it, gives
    // the list read after it (the ledger's tests apply the reports of the
    // payments, charges and debts the same way).
    void changesMatchReading_data() {
        const QDate day(2026, 5, 10);
        QTest::addColumn<Operation>("op");
        QTest::addColumn<bool>("every");
        const auto row = [](const char* name, auto fn, bool every = false) {
            QTest::newRow(name) << Operation([fn](const DataFolder& f) {
                const auto r = fn(f);
                if constexpr (requires { r.totals; }) return Reported{r.change, r.totals};
                else return Reported{r.change, {}};
            }) << every;
        };
        row("modify", [](const DataFolder& f) { return modifyApartment(f, kYear, 2, filledForm()); });
        row("water reading", [=](const DataFolder& f) {
            water::Readings r;
            r.elozo(1) = 300, r.utolso(1) = 340, r.elozo(2) = 50, r.utolso(2) = 20, r.utolso(3) = 15;
            return water::recordReadings(f, kYear, 2, r, day);
        });
        row("Leadás", [](const DataFolder& f) { return water::setForward(f, kYear, 2, false); });
        row("Leadás for all", [](const DataFolder& f) { return water::setForward(f, kYear, 2, true); }, true);
    }
    void changesMatchReading() {
        QFETCH(Operation, op); QFETCH(bool, every);
        TestFolder t;
        std::vector<Lakas> flats = storedApartments(3);
        for (int i = 1; i <= 3; ++i) {
            Lakas& l = flats[size_t(i - 1)];
            l.KozosKoltseg = 10000 * i, l.SzemetDij = 2000 + i;
            for (int m = 1; m <= 13; ++m)
                l.KKEloiras(m) = 100 * m + i, l.KKBefizetes(m) = 90 * m, l.HEloiras(m) = 30 * m, l.HBefizetes(m) = 20 * m + i;
            l.ElozoAllas(1) = 100, l.UtolsoAllas(1) = std::int16_t(120 + i), l.HaviFogyasztas1(5) = 7;
        }
        t.writeApartments(kYear, flats);
        const ApartmentList before = readApartmentList(t.folder(), kYear);
        const Reported r = op(t.folder());
        const ApartmentList after = readApartmentList(t.folder(), kYear);
        HouseTotals applied = before.totals;
        if (r.change) applied += r.change->delta;
        QVERIFY(every ? r.totals && !r.change && *r.totals == after.totals && after.rows == before.rows
                      : r.change && !r.totals && r.change->rec == 2 && r.change->before == before.rows[1] &&
                            r.change->after == after.rows[1] && applied == after.totals);
    }

    void residentListPages_data() {
        QTest::addColumn<int>("apartments");
        QTest::addColumn<QList<int>>("bottoms");  // frame bottom per page
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("3") << 3 << QList<int>{55} << QList<int>{3};
        QTest::newRow("20") << 20 << QList<int>{191} << QList<int>{20};
        QTest::newRow("25") << 25 << QList<int>{191, 70} << QList<int>{20, 5};
        QTest::newRow("41") << 41 << QList<int>{191, 198} << QList<int>{20, 21};
        QTest::newRow("42") << 42 << QList<int>{191, 193, 38} << QList<int>{20, 21, 1};
    }

    void residentListPages() {
        QFETCH(int, apartments); QFETCH(QList<int>, bottoms); QFETCH(QList<int>, perPage);
        RecordingSurface s;
        QVERIFY(printResidentList(s, storedApartments(apartments), QStringLiteral("1111 Budapest ")));
        QCOMPARE(s.pages(), int(bottoms.size()));
        for (int page = 1; page <= bottoms.size(); ++page) {
            QStringList frame{"9,25-280,25", "9,29-280,29", QStringLiteral("9,25-9,%1").arg(bottoms[page - 1]),
                              QStringLiteral("280,25-280,%1").arg(bottoms[page - 1])};
            for (int k = 1; k <= perPage[page - 1]; ++k) frame << QStringLiteral("9,%1-280,%1").arg(30 + 8 * k);
            QCOMPARE(s.ruled(page), frame);
            QVERIFY(s.placed(page).contains("1111 Budapest @10,15") && s.placed(page).contains("E-mail@225,26 b"));
        }
        for (const auto& op : s.ops) QCOMPARE(op.orientation, int(PrinterSurface::Landscape));
    }

    // Every field trimmed at its X on the data line, "Megjegyzés: " bold on the
    // remark line even for an empty remark, an unset registration date as an
    // empty cell; a record number that names no record is left out.
    void residentListApartment() {
        TestFolder data;
        std::vector<Lakas> v = storedApartments(3);
        v[2].Telefon = "06-1-234-5678", v[2].Email = "kiss@example.hu", v[2].Megj = "Kulcs a gondnoknál.";
        v[2].Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1));
        data.writeApartments(QStringLiteral("2026"), v);
        const auto listed = listedApartments(data.folder(), QStringLiteral("2026"), {3, 9, 1});
        RecordingSurface s;
        QVERIFY(printResidentList(s, listed, QString()));
        QCOMPARE(s.placed(1, 30),
                 (QStringList{
                     "Fő utca@10,30", "A épület@50,30", "3@90,30", "1@110,30", "Lakó 3@130,30", "06-1-234-5678@180,30",
                     "2019. 04. 01.@205,30", "kiss@example.hu@225,30", "Megjegyzés: @15,34 b",
                     QStringLiteral("Kulcs a gondnoknál.@%1,34").arg(15 + 12 * RecordingSurface::pointsToMm(8 * 0.5)),
                     "Fő utca@10,38", "A épület@50,38", "1@90,38", "1@110,38", "Lakó 1@130,38", "Megjegyzés: @15,42 b"}));
        QCOMPARE(residentListHeading(v[0]), QStringLiteral("1111 Budapest "));
    }
};

QTEST_APPLESS_MAIN(TestRegister)
#include "tst_register.moc"
