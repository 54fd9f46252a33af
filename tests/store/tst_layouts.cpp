// Byte layouts of the record files: every field's offset and width, the
// byte order of numbers, Booleans, code page 1250 texts and dates, and that
// bytes the program does not interpret survive a read and a write.

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <map>

#include "store/conversions.h"
#include "store/recordfile.h"
#include "store/records.h"

namespace {

struct Row {
    const char* name;
    int offset;
    int width;      // of one element
    int count = 1;  // elements
};

struct TypeTable {
    int length;
    std::vector<Row> rows;
    std::function<fieldio::Layout()> layout;
    int declared;
};

template <class R>
TypeTable table(int length, std::vector<Row> rows) {
    return {length, std::move(rows), [] { return layoutOf<R>(); }, R::Length};
}

const std::map<QString, TypeTable>& tables() {
    static const std::map<QString, TypeTable> t = {
        {"Lakas", table<Lakas>(2193, {
            {"Nev", 0, 30, 10}, {"AnyjaNeve", 300, 30, 10}, {"SzulHelye", 600, 20, 10}, {"SzulIdeje", 800, 10, 10},
            {"Statusz", 900, 15, 10}, {"Bejelentve", 1050, 8, 10}, {"Irsz", 1130, 2}, {"Helyseg", 1132, 25},
            {"Utca", 1157, 25}, {"Hsz", 1182, 10}, {"Ajto", 1192, 10}, {"Alapterulet", 1202, 2},
            {"VizoraSzam", 1204, 15, 4}, {"UtolsoAllas", 1264, 2, 4}, {"KozosKoltseg", 1272, 4},
            {"KKEloiras", 1276, 4, 13}, {"KKBefizetes", 1328, 4, 13}, {"KKBefizDatum", 1380, 8, 13},
            {"SzemetDij", 1484, 4}, {"HEloiras", 1488, 4, 13}, {"HBefizetes", 1540, 4, 13},
            {"HBefizDatum", 1592, 8, 13}, {"Pince", 1696, 2}, {"Garazs", 1698, 2}, {"(reserved)", 1700, 4},
            {"Epulet", 1704, 20}, {"PinceDij", 1724, 2}, {"LeadasDatum", 1726, 8}, {"Telefon", 1734, 15},
            {"Email", 1749, 40}, {"ElozoAllas", 1789, 2, 4}, {"HaviFogyasztas1", 1797, 2, 12},
            {"HaviFogyasztas2", 1821, 2, 12}, {"HaviFogyasztas3", 1845, 2, 12}, {"HaviFogyasztas4", 1869, 2, 12},
            {"Megj", 1893, 300}})},
        {"Epulet", table<Epulet>(22, {{"Nev", 0, 20}, {"KKperNm", 20, 2}})},
        {"StatuszRec", table<StatuszRec>(15, {{"Statusz", 0, 15}})},
        {"Beallitas", table<Beallitas>(6, {{"Ev", 0, 4}, {"(reserved)", 4, 2}})},
        {"Befizetes", table<Befizetes>(126, {
            {"Osszeg", 0, 4}, {"Datum", 4, 8}, {"Tipus", 12, 12}, {"Nev", 24, 30}, {"Helyseg", 54, 25},
            {"Utca", 79, 25}, {"Hsz", 104, 10}, {"Ajto", 114, 10}, {"Honap", 124, 2}})},
        {"KonyvTetel", table<KonyvTetel>(170, {
            {"Kiadas", 0, 4}, {"Bevetel", 4, 4}, {"Datum", 8, 8}, {"Megnevezes", 16, 50}, {"Megjegyzes", 66, 80},
            {"Epulet", 146, 20}, {"(reserved)", 166, 4}})},
        {"Nyomtatvany", table<Nyomtatvany>(4830, {
            {"BalPoz", 0, 8, 24}, {"FelsoPoz", 192, 8, 24}, {"Jelzo", 384, 2}, {"BetuTipus", 386, 30},
            {"BetuMeret", 416, 2}, {"XKorr", 418, 2}, {"YKorr", 420, 2}, {"Fekvo", 422, 2}, {"Szeles", 424, 2},
            {"Magas", 426, 2}, {"HatterUtvonal", 428, 250}, {"NyNev", 678, 48}, {"Papir", 726, 2}, {"Azon", 728, 2},
            {"Fejlec", 730, 100}, {"Szoveg2", 830, 2500}, {"Szoveg1", 3330, 1430}, {"KKFelirat", 4760, 35},
            {"HFelirat", 4795, 35}})},
        {"Naplo", table<Naplo>(139, {
            {"LakoNev", 0, 30}, {"LakasCim", 30, 45}, {"Nyomtatva", 75, 8}, {"NyomtatvanyNev", 83, 48},
            {"Hatralek", 131, 4}, {"Befizetve", 135, 4}})},
        {"Kepment", table<Kepment>(283, {
            {"KepUtvonal", 0, 255}, {"(reserved)", 255, 8}, {"KepBal", 263, 2}, {"KepFent", 265, 2},
            {"KepSzeles", 267, 8}, {"KepMagas", 275, 8}})},
        {"UtolsoMappaRec", table<UtolsoMappaRec>(516, {{"UtolsoMappa", 0, 500}, {"(reserved)", 500, 16}})},
    };
    return t;
}

// An apartment with a distinct value in many fields.
Lakas sampleApartment() {
    Lakas l;
    l.Lakok.Nev(1) = QStringLiteral("Kiss Éva"), l.Lakok.Nev(10) = QStringLiteral("Utolsó");
    l.Lakok.AnyjaNeve(2) = QStringLiteral("Anya"), l.Lakok.SzulHelye(3) = QStringLiteral("Győr");
    l.Lakok.Statusz(10) = QStringLiteral("bérlő"), l.Lakok.Bejelentve(10) = Date{36526.25};
    l.Irsz = 1111, l.Alapterulet = -2, l.VizoraSzam(4) = QStringLiteral("V4"), l.UtolsoAllas(4) = 0x1234;
    l.KozosKoltseg = 0x01020304, l.KKEloiras(13) = -7001, l.KKBefizetes(1) = 7002, l.KKBefizDatum(13) = Date{46000};
    l.SzemetDij = 7003, l.HEloiras(2) = 7004, l.HBefizetes(13) = 7005, l.HBefizDatum(1) = Date{46001};
    l.Pince = true, l.Garazs = false, l.Fenntartott = -559038737, l.Epulet = QStringLiteral("A épület");
    l.PinceDij = 350, l.LeadasDatum = Date{46002}, l.Telefon = QStringLiteral("+36 1 234");
    l.Email = QStringLiteral("a@b.hu"), l.ElozoAllas(4) = -300, l.HaviFogyasztas1(1) = 11;
    l.HaviFogyasztas2(12) = 22, l.HaviFogyasztas3(6) = 33, l.HaviFogyasztas4(12) = 44;
    l.Megj = QString(298, QLatin1Char('m')) + QStringLiteral("YZ");
    return l;
}

// The layout with runs of same-named entries (Nyomtatvany's positions are
// listed one by one) joined into one field of that many elements.
std::vector<fieldio::FieldInfo> joined(const fieldio::Layout& l) {
    std::vector<fieldio::FieldInfo> out;
    for (const auto& f : l.fields) {
        if (!out.empty() && out.back().name == f.name) {
            out.back().width += f.width;
            out.back().count += f.count;
        } else {
            out.push_back(f);
        }
    }
    return out;
}

template <class T>
QByteArray le(T v) {  // the host is little-endian, as the files are
    return QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
}

template <class R>
QByteArray encoded(const R& r) {
    return RecordFile<R>::encode(r);
}

// Random bytes, decoded and encoded again; the offset of the first changed
// byte or -1. Booleans normalise, so the given offsets get 0 or -1.
template <class R>
int firstChangedByte(quint32 seed, std::vector<int> booleans = {}) {
    QRandomGenerator rng(seed);
    QByteArray in(R::Length, Qt::Uninitialized);
    for (char& c : in) c = static_cast<char>(rng.bounded(256));
    for (int off : booleans) in[off] = in[off + 1] = (rng.bounded(2) ? '\xFF' : '\0');
    const QByteArray out = encoded(decodeRecord<R>(in.constData()));
    for (int i = 0; i < R::Length; ++i)
        if (in[i] != out[i]) return i;
    return -1;
}

}  // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void fields_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("count");
        for (const auto& [type, t] : tables())
            for (const Row& r : t.rows)
                QTest::addRow("%s.%s", qPrintable(type), r.name) << type << r.name << r.offset << r.width << r.count;
    }
    void fields() {
        QFETCH(QString, type); QFETCH(QString, field); QFETCH(int, offset); QFETCH(int, width); QFETCH(int, count);
        const auto fs = joined(tables().at(type).layout());
        const auto it = std::find_if(fs.begin(), fs.end(), [&](const auto& f) { return f.name == field.toStdString(); });
        QVERIFY2(it != fs.end(), "field missing from the layout");
        QCOMPARE(it->offset, offset);
        QCOMPARE(it->count, count);
        QCOMPARE(it->width, width * count);
    }

    void lengths_data() {
        QTest::addColumn<QString>("type");
        for (const auto& [type, t] : tables()) QTest::newRow(qPrintable(type)) << type;
    }
    void lengths() {
        QFETCH(QString, type);
        const TypeTable& t = tables().at(type);
        const auto layout = t.layout();
        QCOMPARE(layout.length(), t.length);
        QCOMPARE(t.declared, t.length);
        QCOMPARE(joined(layout).size(), t.rows.size());  // no field beyond the table
    }

    // The apartment list's partial view of the record reads each field it
    // names where the full record has it.
    void listViewMatchesApartment() {
        const auto full = joined(layoutOf<Lakas>());
        const auto view = layoutOf<LakasLista>();
        QCOMPARE(view.length(), Lakas::Length);
        for (const auto& f : view.fields) {
            if (f.name == "(skipped)") continue;
            const auto it = std::find_if(full.begin(), full.end(), [&](const auto& g) { return g.name == f.name; });
            QVERIFY2(it != full.end(), f.name.c_str());
            QCOMPARE(f.offset, it->offset);
            QCOMPARE(f.width, it->width);
        }
    }

    // The sample apartment's values at the file's byte offsets.
    void apartmentBytes_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        const auto row = [](const char* tag, int offset, const QByteArray& b) { QTest::newRow(tag) << offset << b; };
        row("Nev(1)", 0, "Kiss \xC9va  "), row("Nev(10)", 270, "Utols\xF3 "), row("AnyjaNeve(2)", 330, "Anya ");
        row("SzulHelye(3)", 640, "Gy\xF5r "), row("Statusz(10)", 1035, "b\xE9rl\xF5 ");
        row("Bejelentve(10)", 1122, le(36526.25)), row("Irsz", 1130, le<qint16>(1111));
        row("Alapterulet", 1202, le<qint16>(-2)), row("VizoraSzam(4)", 1249, "V4 ");
        row("UtolsoAllas(4)", 1270, le<qint16>(0x1234)), row("KozosKoltseg", 1272, le<qint32>(0x01020304));
        row("KKEloiras(13)", 1276 + 48, le<qint32>(-7001)), row("KKBefizetes(1)", 1328, le<qint32>(7002));
        row("KKBefizDatum(13)", 1380 + 96, le(46000.0)), row("SzemetDij", 1484, le<qint32>(7003));
        row("HEloiras(2)", 1492, le<qint32>(7004)), row("HBefizetes(13)", 1540 + 48, le<qint32>(7005));
        row("HBefizDatum(1)", 1592, le(46001.0)), row("Pince", 1696, QByteArray("\xFF\xFF", 2));
        row("Garazs", 1698, QByteArray("\0\0", 2)), row("reserved", 1700, le<qint32>(-559038737));
        row("Epulet", 1704, "A \xE9p\xFClet "), row("PinceDij", 1724, le<qint16>(350));
        row("LeadasDatum", 1726, le(46002.0)), row("Telefon", 1734, "+36 1 234 "), row("Email", 1749, "a@b.hu ");
        row("ElozoAllas(4)", 1795, le<qint16>(-300)), row("HaviFogyasztas1(1)", 1797, le<qint16>(11));
        row("HaviFogyasztas2(12)", 1821 + 22, le<qint16>(22)), row("HaviFogyasztas3(6)", 1845 + 10, le<qint16>(33));
        row("HaviFogyasztas4(12)", 1869 + 22, le<qint16>(44)), row("Megj ends the record", 2191, "YZ");
    }
    void apartmentBytes() {
        QFETCH(int, offset); QFETCH(QByteArray, bytes);
        const Lakas l = sampleApartment();
        const QByteArray all = encoded(l);
        QCOMPARE(all.size(), 2193);
        QCOMPARE(all.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(decodeRecord<Lakas>(all.constData()), l);
    }

    // A Currency is the value times 10 000 in 8 bytes.
    void currencyBytes() {
        Kepment k;
        k.KepSzeles = Currency::fromDouble(1.5), k.KepMagas = Currency::fromDouble(-2.25);
        const QByteArray b = encoded(k);
        QCOMPARE(b.mid(267, 16), le<qint64>(15000) + le<qint64>(-22500));
    }

    void booleans_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<bool>("value");
        const auto row = [](const char* raw, bool v) { QTest::newRow(QByteArray(raw, 2).toHex()) << QByteArray(raw, 2) << v; };
        row("\0\0", false), row("\xFF\xFF", true), row("\x01\0", true), row("\0\x01", true), row("\0\x80", true);
    }
    void booleans() {
        QFETCH(QByteArray, raw); QFETCH(bool, value);
        QByteArray rec(Lakas::Length, '\0');
        rec.replace(1698, 2, raw);  // Garazs
        const Lakas l = decodeRecord<Lakas>(rec.constData());
        QCOMPARE(bool(l.Garazs), value);
        QCOMPARE(bool(l.Pince), false);
        QCOMPARE(encoded(l).mid(1696, 4).toHex(), value ? QByteArray("0000ffff") : QByteArray("00000000"));
    }

    void codePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("reversible");
        QTest::newRow("ő ű Ő Ű á") << QStringLiteral("őűŐŰá") << QByteArray("\xF5\xFB\xD5\xDB\xE1") << true;
        QTest::newRow("lower") << QStringLiteral("áéíóöőúüű") << QByteArray("\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB") << true;
        QTest::newRow("upper") << QStringLiteral("ÁÉÍÓÖŐÚÜŰ") << QByteArray("\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB") << true;
        QTest::newRow("euro, dash, Š") << QStringLiteral("€–Š") << QByteArray("\x80\x96\x8A") << true;
        QTest::newRow("Latin-1 look-alikes") << QStringLiteral("õûÕÛ") << QByteArray("????") << false;
        QTest::newRow("outside the page") << QStringLiteral("→ж") << QByteArray("??") << false;
    }
    void codePage() {
        QFETCH(QString, text); QFETCH(QByteArray, bytes); QFETCH(bool, reversible);
        const FixedText<12> f(text);
        QCOMPARE(QByteArray(f.bytes().data(), 12).left(bytes.size()).toHex(' '), bytes.toHex(' '));
        if (reversible) QCOMPARE(f.text(), text);
    }

    void fixedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        const QString name30 = QStringLiteral("Szentgyörgyvári-Kolozsi Ödönné"), a29(29, QLatin1Char('a'));
        const QByteArray kiss = QByteArray("Kiss").leftJustified(30, ' ');
        QTest::newRow("short, blank-padded") << QStringLiteral("Kiss") << kiss << QStringLiteral("Kiss");
        QTest::newRow("trailing blanks") << QStringLiteral("Kiss  ") << kiss << QStringLiteral("Kiss");
        QTest::newRow("exactly 30") << name30 << cp1250::encode(name30) << name30;
        QTest::newRow("31 cut to 30") << name30 + QLatin1Char('X') << cp1250::encode(name30) << name30;
        QTest::newRow("cut after a blank") << a29 + QStringLiteral(" b") << QByteArray(29, 'a') + ' ' << a29;
        QTest::newRow("empty") << QString() << QByteArray(30, ' ') << QString();
    }
    void fixedText() {
        QFETCH(QString, text); QFETCH(QByteArray, stored); QFETCH(QString, readBack);
        Lakas l;
        l.Lakok.Nev(2) = text;
        const QByteArray b = encoded(l);
        QCOMPARE(b.mid(30, 30), stored);
        QCOMPARE(b.at(60), ' ');  // the next slot is untouched
        QCOMPARE(decodeRecord<Lakas>(b.constData()).Lakok.Nev(2).text(), readBack);
    }

    void randomBytesSurvive() {
        for (quint32 seed = 1; seed <= 20; ++seed) {
            QCOMPARE(firstChangedByte<Beallitas>(seed), -1);
            QCOMPARE(firstChangedByte<Kepment>(seed), -1);
            QCOMPARE(firstChangedByte<UtolsoMappaRec>(seed), -1);
            QCOMPARE(firstChangedByte<Lakas>(seed, {1696, 1698}), -1);
            QCOMPARE(firstChangedByte<Befizetes>(seed), -1);
            QCOMPARE(firstChangedByte<KonyvTetel>(seed), -1);
            QCOMPARE(firstChangedByte<Nyomtatvany>(seed), -1);
            QCOMPARE(firstChangedByte<Naplo>(seed), -1);
        }
    }

    void dates_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("value");
        QTest::newRow("1899-12-30") << QDate(1899, 12, 30) << 0.0;
        QTest::newRow("1899-12-29") << QDate(1899, 12, 29) << -1.0;
        QTest::newRow("1900-03-01") << QDate(1900, 3, 1) << 61.0;
        QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << 36526.0;
        QTest::newRow("2026-03-05") << QDate(2026, 3, 5) << 46086.0;
        QTest::newRow("0001-01-01") << QDate(1, 1, 1) << -693593.0;
        QTest::newRow("9999-12-31") << QDate(9999, 12, 31) << 2958465.0;
        // Damaged values show as no date at all.
        const double inf = std::numeric_limits<double>::infinity();
        for (double bad : {-693594.0, 2958466.0, 9.3e18, -1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN()})
            QTest::addRow("damaged %g", bad) << QDate() << bad;
    }
    void dates() {
        QFETCH(QDate, date); QFETCH(double, value);
        if (date.isValid()) QCOMPARE(Date::fromQDate(date).value, value);
        QCOMPARE(Date{value}.toQDate(), date);
        QCOMPARE(Date{value + 0.75}.toQDate(), date);  // the time of day does not change the day
        QCOMPARE(conv::shortDate(Date{value}), value == 0 ? QString() : conv::shortDate(date));  // 0: the empty date
    }

    // A new record has empty dates; a never-written (zero) one reads as empty.
    void emptyValues() {
        QCOMPARE(Date{}.value, 0.0);
        QVERIFY(Date::fromQDate(QDate()).isEmpty());
        QCOMPARE(encoded(Lakas{}).mid(1726, 8), QByteArray(8, '\0'));
        const QByteArray zeros(Lakas::Length, '\0');
        const Lakas l = decodeRecord<Lakas>(zeros.constData());
        QCOMPARE(l.Lakok.Nev(1).text(), QString());
        QVERIFY(l.LeadasDatum.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
