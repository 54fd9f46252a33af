// The files the letter window keeps between runs: the templates of
// Nyomtatvanyok.dat (save, find, delete by copy), the saved picture of
// Kepment.dat and the picker's last folder in browse.pat.

#include <QDir>
#include <QTest>

#include "letters/picture.h"
#include "letters/templates.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

Design sample(int seed) {
    Design d{.fejlec = "Egyenleg értesítő", .szoveg2 = "Tisztelt Lakó!\nKérjük, rendezze tartozását.",
             .szoveg1 = "Köszönjük.", .kkFelirat = "Közösköltség tartozás: ", .hFelirat = "Hulladék díj tartozás: ",
             .fontName = "Courier New", .fontSize = 14, .xKorr = -2, .yKorr = 3, .landscape = true,
             .paper = Paper::Egyedi, .szeles = 180, .magas = 120};
    for (int i = 0; i < FieldCount; ++i) d.positions[size_t(i)] = Pos{1000.5 + i * seed, 2000.25 + i};
    return d;
}

std::vector<Nyomtatvany> stored(const TestFolder& data) {
    return RecordFile<Nyomtatvany>(data.folder().file(files::Nyomtatvanyok)).readAll().value();
}
}  // namespace

class tst_lettertemplates : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheRecord() {
        TestFolder data;
        QVERIFY(templateNames(data.folder()).isEmpty());
        QVERIFY(data.exists(QStringLiteral("Nyomtatvanyok.dat")));  // made empty on first open
        QCOMPARE(saveTemplate(data.folder(), sample(7), QStringLiteral("Első")), QString());
        const Nyomtatvany r = stored(data).at(0);
        QCOMPARE(r.HatterUtvonal.text(), QDir::toNativeSeparators(data.folder().file(files::Nyomtatvanyok)));
        QCOMPARE(QList<qint64>({r.Azon, r.Jelzo, r.BetuMeret, r.XKorr, r.YKorr, r.Fekvo, r.Papir, r.Szeles, r.Magas,
                                r.BalPoz[11].scaled, r.FelsoPoz[3].scaled, r.BalPoz[12].scaled}),
                 QList<qint64>({1, 6, 14, -2, 3, -1, 3, 180, 120, 10775000, 20032500, 0}));  // positions 12..23 stay 0
        QCOMPARE((QStringList{r.NyNev.text(), r.BetuTipus.text(), r.Szoveg2.text()}),
                 (QStringList{"Első", "Courier New", "Tisztelt Lakó!\r\nKérjük, rendezze tartozását."}));
        // Found again by its trimmed name, it gives back the design it was saved
        // from (the captions with their blanks): stored again, the same record.
        const auto found = findTemplate(data.folder(), QStringLiteral("  Első "));
        QVERIFY(found && found->rec == 1 && !findTemplate(data.folder(), QStringLiteral("Nincs ilyen")));
        QCOMPARE(found->design.kkFelirat, QStringLiteral("Közösköltség tartozás: ").leftJustified(35));
        Nyomtatvany again = templateRecord(found->design);
        again.Azon = r.Azon, again.HatterUtvonal = r.HatterUtvonal, again.NyNev = r.NyNev;
        QVERIFY(again == r);
    }

    // Identifiers count on from the last record's; a name is cut to 48; no
    // paper chosen keeps what the last record had; the first of a name is found.
    void identifiersAndNames() {
        TestFolder data;
        const QString longName(50, QLatin1Char('n')), cut(48, QLatin1Char('n'));
        Design none = sample(1);
        none.paper = Paper::None;
        for (const QString& name : {QStringLiteral("Kettő"), QStringLiteral("Kettő"), longName})
            QCOMPARE(saveTemplate(data.folder(), name == longName ? none : sample(2), name), QString());
        const auto recs = stored(data);
        QCOMPARE((QList<int>{recs.at(0).Azon, recs.at(1).Azon, recs.at(2).Azon, recs.at(2).Papir}), (QList<int>{1, 2, 3, 3}));
        QCOMPARE(templateNames(data.folder()), (QStringList{"Kettő", "Kettő", cut}));
        QCOMPARE(findTemplate(data.folder(), QStringLiteral("Kettő"))->rec, 1);
    }

    void deleteByCopy() {
        TestFolder data;
        const QString file = QStringLiteral("Nyomtatvanyok.dat");
        for (const char* name : {"A", "B", "C"}) saveTemplate(data.folder(), sample(3), QString::fromLatin1(name));
        const QByteArray before = data.bytes(file);
        FaultySystem failing;  // no whole-file replacement goes through
        failing.failOn(FaultySystem::Call::Rename, QString());
        QVERIFY(!deleteTemplate(data.folder(failing.layer()), 2).isEmpty() && !deleteTemplate(data.folder(), 4).isEmpty());
        QCOMPARE(data.bytes(file), before);
        QCOMPARE(deleteTemplate(data.folder(), 2), QString());
        QCOMPARE(templateNames(data.folder()), (QStringList{"A", "C"}));
        QCOMPARE(data.bytes(file), before.left(4830) + before.mid(2 * 4830));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{file});  // no temporary file left
        // The next identifier follows the last record's, and may repeat a deleted one.
        saveTemplate(data.folder(), sample(3), QStringLiteral("D"));
        QCOMPARE(stored(data).back().Azon, std::int16_t(4));
        QCOMPARE(deleteTemplate(data.folder(), 3), QString());
        saveTemplate(data.folder(), sample(3), QStringLiteral("E"));
        QCOMPARE(stored(data).back().Azon, std::int16_t(4));
    }

    // A record written by other software keeps its reserved bytes; what the
    // file cannot hold is refused and the record stays as it was.
    void savedPicture() {
        TestFolder data;
        const QString file = QStringLiteral("Kepment.dat");
        QVERIFY(!readSavedPicture(data.folder()));
        Kepment old;
        old.Fenntartott.bytes.fill('\xAB');
        data.writeBytes(file, RecordFile<Kepment>::encode(old));
        const SavedPicture p{QStringLiteral("/képek/logó.jpg"), 120.6, 340.4, 1845, 1383.75};
        QCOMPARE(saveSavedPicture(data.folder(), p), QString());
        const Kepment r = decodeRecord<Kepment>(data.bytes(file).constData());
        QCOMPARE(r.Fenntartott.bytes, old.Fenntartott.bytes);
        QCOMPARE((QList<qint64>{r.KepBal, r.KepFent, r.KepSzeles.scaled, r.KepMagas.scaled}),
                 (QList<qint64>{121, 340, 18450000, 13837500}));
        const auto back = readSavedPicture(data.folder());
        QVERIFY(back && back->path == p.path && back->width == 1845.0);
        const QByteArray saved = data.bytes(file);
        for (const SavedPicture& bad : {SavedPicture{QString(256, QLatin1Char('a')), 0, 0, 1, 1},
                                        SavedPicture{QStringLiteral("/kép/鳥.jpg"), 0, 0, 1, 1},
                                        SavedPicture{QStringLiteral("/a.jpg"), 40000, 0, 1, 1}})
            QVERIFY(!saveSavedPicture(data.folder(), bad).isEmpty());
        QCOMPARE(data.bytes(file), saved);
    }

    void lastFolder() {
        TestFolder data;
        QCOMPARE(readLastFolder(data.folder()), QString());
        UtolsoMappaRec old;
        old.Fenntartott.bytes.fill('\x11');
        data.writeBytes(QStringLiteral("browse.pat"), RecordFile<UtolsoMappaRec>::encode(old));
        QVERIFY(writeLastFolder(data.folder(), QStringLiteral("/home/gondnok/Képek ")));
        QCOMPARE(readLastFolder(data.folder()), QStringLiteral("/home/gondnok/Képek"));
        const QByteArray bytes = data.bytes(QStringLiteral("browse.pat"));
        QCOMPARE(bytes.size(), 516);
        QCOMPARE(bytes.right(16), QByteArray(16, '\x11'));
    }
};

QTEST_GUILESS_MAIN(tst_lettertemplates)
#include "tst_lettertemplates.moc"
