// Byte layouts of the record files: every field's offset and width, members
// read in the order of the file, bytes the program does not interpret kept
// through a read and a write; the byte order of numbers, Booleans, code page
// 1250 texts and dates.

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>

#include "store/conversions.h"
#include "store/recordfile.h"
#include "store/records.h"

namespace {

// Random bytes, decoded and encoded again: the first byte that changed, or
// -1. The Booleans at `booleans` hold 0 or -1, which they keep.
template <class R>
int firstChangedByte(quint32 seed, const std::vector<int>& booleans) {
    QRandomGenerator rng(seed);
    QByteArray in(R::Length, Qt::Uninitialized);
    for (char& c : in) c = static_cast<char>(rng.bounded(256));
    for (int b : booleans) in[b] = in[b + 1] = rng.bounded(2) ? '\xFF' : '\0';
    const QByteArray out = RecordFile<R>::encode(decodeRecord<R>(in.constData()));
    const auto diff = std::mismatch(in.begin(), in.end(), out.begin());
    return diff.first == in.end() ? -1 : int(diff.first - in.begin());
}

// Whether the record's field list names its members in the order they are
// declared, which is the order of the file: a member read into the wrong
// field breaks that order.
struct Addresses {
    const char* record;
    std::vector<std::ptrdiff_t> at;
    void operator()(const char*, const auto& member) { at.push_back(reinterpret_cast<const char*>(&member) - record); }
};
template <class R>
bool membersInOrder() {
    R r;
    Addresses a{reinterpret_cast<const char*>(&r), {}};
    visit(r, a);
    return std::adjacent_find(a.at.begin(), a.at.end(), std::greater_equal<>()) == a.at.end();
}

// Each field as "name offset width", "xN" for N elements, then "= length";
// then what is wrong: a declared length that differs, members out of order,
// bytes that do not survive a read and a write (reserved ones included).
// Runs of one name (Nyomtatvany lists its positions one by one) are one field.
template <class R>
QStringList describe(const std::vector<int>& booleans = {}) {
    const fieldio::Layout l = layoutOf<R>();
    std::vector<fieldio::FieldInfo> fs;
    for (const auto& f : l.fields)
        if (!fs.empty() && fs.back().name == f.name) fs.back().width += f.width, fs.back().count += f.count;
        else fs.push_back(f);
    QStringList out;
    for (const auto& f : fs)
        out << QStringLiteral("%1 %2 %3").arg(QString::fromStdString(f.name)).arg(f.offset).arg(f.width / f.count) +
                   (f.count > 1 ? QStringLiteral("x%1").arg(f.count) : QString());
    out << QStringLiteral("= %1").arg(l.length());
    if (R::Length != l.length()) out << QStringLiteral("declared %1").arg(R::Length);
    if (!membersInOrder<R>()) out << QStringLiteral("members out of order");
    for (quint32 seed = 1; seed <= 20 && out.back().startsWith('='); ++seed)
        if (const int at = firstChangedByte<R>(seed, booleans); at >= 0) out << QStringLiteral("byte %1 changed").arg(at);
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

}  // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void layouts_data() {
        QTest::addColumn<QStringList>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Lakas") << describe<Lakas>({1696, 1698})
            << "Nev 0 30x10 / AnyjaNeve 300 30x10 / SzulHelye 600 20x10 / SzulIdeje 800 10x10 / Statusz 900 15x10 / "
               "Bejelentve 1050 8x10 / Irsz 1130 2 / Helyseg 1132 25 / Utca 1157 25 / Hsz 1182 10 / Ajto 1192 10 / "
               "Alapterulet 1202 2 / VizoraSzam 1204 15x4 / UtolsoAllas 1264 2x4 / KozosKoltseg 1272 4 / "
               "KKEloiras 1276 4x13 / KKBefizetes 1328 4x13 / KKBefizDatum 1380 8x13 / SzemetDij 1484 4 / "
               "HEloiras 1488 4x13 / HBefizetes 1540 4x13 / HBefizDatum 1592 8x13 / Pince 1696 2 / Garazs 1698 2 / "
               "(reserved) 1700 4 / Epulet 1704 20 / PinceDij 1724 2 / LeadasDatum 1726 8 / Telefon 1734 15 / "
               "Email 1749 40 / ElozoAllas 1789 2x4 / HaviFogyasztas1 1797 2x12 / HaviFogyasztas2 1821 2x12 / "
               "HaviFogyasztas3 1845 2x12 / HaviFogyasztas4 1869 2x12 / Megj 1893 300 / = 2193";
        QTest::newRow("Epulet") << describe<Epulet>() << "Nev 0 20 / KKperNm 20 2 / = 22";
        QTest::newRow("StatuszRec") << describe<StatuszRec>() << "Statusz 0 15 / = 15";
        QTest::newRow("Beallitas") << describe<Beallitas>() << "Ev 0 4 / (reserved) 4 2 / = 6";
        QTest::newRow("Befizetes") << describe<Befizetes>()
            << "Osszeg 0 4 / Datum 4 8 / Tipus 12 12 / Nev 24 30 / Helyseg 54 25 / Utca 79 25 / Hsz 104 10 / "
               "Ajto 114 10 / Honap 124 2 / = 126";
        QTest::newRow("KonyvTetel") << describe<KonyvTetel>()
            << "Kiadas 0 4 / Bevetel 4 4 / Datum 8 8 / Megnevezes 16 50 / Megjegyzes 66 80 / Epulet 146 20 / "
               "(reserved) 166 4 / = 170";
        QTest::newRow("Nyomtatvany") << describe<Nyomtatvany>()
            << "BalPoz 0 8x24 / FelsoPoz 192 8x24 / Jelzo 384 2 / BetuTipus 386 30 / BetuMeret 416 2 / XKorr 418 2 / "
               "YKorr 420 2 / Fekvo 422 2 / Szeles 424 2 / Magas 426 2 / HatterUtvonal 428 250 / NyNev 678 48 / "
               "Papir 726 2 / Azon 728 2 / Fejlec 730 100 / Szoveg2 830 2500 / Szoveg1 3330 1430 / "
               "KKFelirat 4760 35 / HFelirat 4795 35 / = 4830";
        QTest::newRow("Naplo") << describe<Naplo>()
            << "LakoNev 0 30 / LakasCim 30 45 / Nyomtatva 75 8 / NyomtatvanyNev 83 48 / Hatralek 131 4 / "
               "Befizetve 135 4 / = 139";
        QTest::newRow("Kepment") << describe<Kepment>()
            << "KepUtvonal 0 255 / (reserved) 255 8 / KepBal 263 2 / KepFent 265 2 / KepSzeles 267 8 / "
               "KepMagas 275 8 / = 283";
        QTest::newRow("UtolsoMappaRec") << describe<UtolsoMappaRec>() 
            << "UtolsoMappa 0 500 / (reserved) 500 16 / = 516";
    }
    void layouts() {
        QFETCH(QStringList, actual); QFETCH(QString, expected);
        QCOMPARE(actual.join(QStringLiteral(" / ")), expected);
    }

    // The apartment list's partial view reads each field it names where the
    // full record has it.
    void listViewMatchesApartment() {
        const auto full = layoutOf<Lakas>(), view = layoutOf<LakasLista>();
        QCOMPARE(view.length(), Lakas::Length);
        for (const auto& f : view.fields) {
            const fieldio::FieldInfo* g = full.find(f.name);
            QVERIFY2(f.name == "(skipped)" || (g && g->offset == f.offset && g->width == f.width), f.name.c_str());
        }
    }

    // Numbers little-endian, dates as days in a double, money as the value
    // times 10 000 in 8 bytes.
    void numbers() {
        Kepment k;
        k.KepBal = 0x0102, k.KepSzeles = Currency::fromDouble(1.5), k.KepMagas = Currency::fromDouble(-2.25);
        const QByteArray kepment = le<qint16>(0x0102) + le<qint16>(0) + le<qint64>(15000) + le<qint64>(-22500);
        QCOMPARE(encoded(k).mid(263).toHex(' '), kepment.toHex(' '));
        Naplo n;
        n.Nyomtatva = Date{46002.5}, n.Hatralek = -0x01020304;
        QCOMPARE(encoded(n).mid(75, 8) + encoded(n).mid(131, 4), le(46002.5) + le<qint32>(-0x01020304));
    }

    // Any non-zero Boolean reads true; a Boolean is written 0 or -1.
    void booleans() {
        for (const char* raw : {"\0\0", "\xFF\xFF", "\x01\0", "\0\x01", "\0\x80"}) {
            QByteArray rec(Lakas::Length, '\0');
            rec.replace(1698, 2, QByteArray(raw, 2));  // Garazs
            const QByteArray written = encoded(decodeRecord<Lakas>(rec.constData())).mid(1696, 4).toHex();
            QCOMPARE(written, !raw[0] && !raw[1] ? QByteArray("00000000") : QByteArray("0000ffff"));
        }
    }

    // Texts are stored in code page 1250, blank-padded and cut to the field;
    // characters outside the page (and Latin-1 look-alikes of ő, ű) as "?".
    // Blanks and NULs around a text are not read.
    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        const auto row = [](const char* tag, const QString& text, const QByteArray& stored, const QString& readBack) {
            QTest::newRow(tag) << text << stored.leftJustified(30, ' ') << readBack;
        };
        const QString name30 = QStringLiteral("Szentgyörgyvári-Kolozsi Ödönné"), a29(29, QLatin1Char('a'));
        row("lower", "áéíóöőúüű", "\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB", "áéíóöőúüű");
        row("upper", "ÁÉÍÓÖŐÚÜŰ", "\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB", "ÁÉÍÓÖŐÚÜŰ");
        row("euro, dash, Š", "€–Š", "\x80\x96\x8A", "€–Š");
        row("Latin-1 look-alikes", "õûÕÛ", "????", "????");
        row("outside the page", "→ж", "??", "??");
        row("trailing blanks", "Kiss  ", "Kiss", "Kiss");
        row("31 cut to 30", name30 + QLatin1Char('X'), cp1250::encode(name30), name30);
        row("cut after a blank", a29 + QStringLiteral(" b"), QByteArray(29, 'a'), a29);
        QTest::newRow("NULs after the text") << QString() << QByteArray("Kiss").leftJustified(30, '\0') << "Kiss";
    }
    void texts() {
        QFETCH(QString, text); QFETCH(QByteArray, stored); QFETCH(QString, readBack);
        Lakas l;
        l.Lakok.Nev(2) = text;
        QByteArray b = encoded(l);
        if (!text.isEmpty()) QCOMPARE(b.mid(30, 31).toHex(' '), (stored + ' ').toHex(' '));  // the next slot untouched
        b.replace(30, 30, stored);
        QCOMPARE(decodeRecord<Lakas>(b.constData()).Lakok.Nev(2).text(), readBack);
    }

    // Days since 1899-12-30; 0 is the empty date, as a new record holds.
    void dates_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("value");
        const auto row = [](const QDate& d, double v) { QTest::newRow(qPrintable(d.toString(Qt::ISODate))) << d << v; };
        row(QDate(1899, 12, 30), 0), row(QDate(1899, 12, 29), -1), row(QDate(1900, 3, 1), 61);
        row(QDate(2026, 3, 5), 46086), row(QDate(1, 1, 1), -693593), row(QDate(9999, 12, 31), 2958465);
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
        QCOMPARE(conv::shortDate(Date{value}), value == 0 ? QString() : conv::shortDate(date));
        if (value == 0)  // as a new record holds
            QVERIFY(encoded(Lakas{}).mid(1726, 8) == QByteArray(8, 0) && Date::fromQDate(QDate()).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
