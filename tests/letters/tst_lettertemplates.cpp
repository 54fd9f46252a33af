// The files the letter window keeps between runs: the templates of
// Nyomtatvanyok.dat (save, find, delete by copy), the saved picture of
// Kepment.dat and the picker's last folder in browse.pat.

#include <QDir>
#include <QSaveFile>
#include <QTest>

#include "letters/picture.h"
#include "letters/templates.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

Design sample(int seed) {
    Design d;
    for (int i = 0; i < FieldCount; ++i) d.positions[size_t(i)] = Pos{1000.5 + i * seed, 2000.25 + i};
    d.fejlec = QStringLiteral("Egyenleg értesítő");
    d.szoveg2 = QStringLiteral("Tisztelt Lakó!\nKérjük, rendezze tartozását.");
    d.szoveg1 = QStringLiteral("Köszönjük.");
    d.kkFelirat = QStringLiteral("Közösköltség tartozás: ");
    d.hFelirat = QStringLiteral("Hulladék díj tartozás: ");
    d.fontName = QStringLiteral("Courier New");
    d.fontSize = 14;
    d.xKorr = -2;
    d.yKorr = 3;
    d.landscape = true;
    d.paper = Paper::Egyedi;
    d.szeles = 180;
    d.magas = 120;
    return d;
}

std::vector<Nyomtatvany> stored(const TestFolder& data) {
    return RecordFile<Nyomtatvany>(data.folder().file(files::Nyomtatvanyok)).readAll().value();
}


}  // namespace

class tst_lettertemplates : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheRecord();
    void identifiersAndNames();
    void deleteByCopy();
    void savedPicture();
    void lastFolder();
};

void tst_lettertemplates::saveWritesTheRecord() {
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
    QVERIFY(found && found->rec == 1);
    QCOMPARE(found->design.kkFelirat, QStringLiteral("Közösköltség tartozás: ").leftJustified(35));
    Nyomtatvany again = templateRecord(found->design);
    again.Azon = r.Azon;
    again.HatterUtvonal = r.HatterUtvonal;
    again.NyNev = r.NyNev;
    QVERIFY(again == r);
    QVERIFY(!findTemplate(data.folder(), QStringLiteral("Nincs ilyen")));
}

void tst_lettertemplates::identifiersAndNames() {
    TestFolder data;
    const QString longName = QString(50, QLatin1Char('n'));
    Design none = sample(1);
    none.paper = Paper::None;
    for (const QString& name : {QStringLiteral("Kettő"), QStringLiteral("Kettő"), longName})
        QCOMPARE(saveTemplate(data.folder(), name == longName ? none : sample(2), name), QString());
    const auto recs = stored(data);
    QCOMPARE(recs.size(), size_t(3));
    QCOMPARE((QList<int>{recs[0].Azon, recs[1].Azon, recs[2].Azon}), (QList<int>{1, 2, 3}));
    QCOMPARE(recs[2].NyNev.text(), QString(48, QLatin1Char('n')));  // the prompt says 50, the file holds 48
    QCOMPARE(recs[2].Papir, std::int16_t(3));                       // no paper chosen: as the last record had it
    QCOMPARE(templateNames(data.folder()), (QStringList{"Kettő", "Kettő", QString(48, QLatin1Char('n'))}));
    QCOMPARE(findTemplate(data.folder(), QStringLiteral("Kettő"))->rec, 1);  // the first of the same name
}

void tst_lettertemplates::deleteByCopy() {
    TestFolder data;
    for (const char* name : {"A", "B", "C"}) saveTemplate(data.folder(), sample(3), QString::fromLatin1(name));
    const QByteArray before = data.bytes(QStringLiteral("Nyomtatvanyok.dat"));

    FaultySystem failing;  // no whole-file replacement goes through
    failing.failOn(FaultySystem::Call::Rename, QString());
    QVERIFY(!deleteTemplate(data.folder(failing.layer()), 2).isEmpty());
    QCOMPARE(data.bytes(QStringLiteral("Nyomtatvanyok.dat")), before);
    QVERIFY(!deleteTemplate(data.folder(), 4).isEmpty());

    QCOMPARE(deleteTemplate(data.folder(), 2), QString());
    QCOMPARE(templateNames(data.folder()), (QStringList{"A", "C"}));
    QCOMPARE(data.bytes(QStringLiteral("Nyomtatvanyok.dat")), before.left(4830) + before.mid(2 * 4830));
    QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"Nyomtatvanyok.dat"});  // no temporary file left
    // The next identifier follows the last record's, and may repeat a deleted one.
    saveTemplate(data.folder(), sample(3), QStringLiteral("D"));
    QCOMPARE(stored(data).back().Azon, std::int16_t(4));
    QCOMPARE(deleteTemplate(data.folder(), 3), QString());
    saveTemplate(data.folder(), sample(3), QStringLiteral("E"));
    QCOMPARE(stored(data).back().Azon, std::int16_t(4));
}

void tst_lettertemplates::savedPicture() {
    TestFolder data;
    QVERIFY(!readSavedPicture(data.folder()));
    // A record written by other software: its reserved bytes survive a save.
    Kepment old;
    old.Fenntartott.bytes.fill('\xAB');
    data.writeBytes(QStringLiteral("Kepment.dat"), RecordFile<Kepment>::encode(old));

    const SavedPicture p{QStringLiteral("/képek/logó.jpg"), 120.6, 340.4, 1845, 1383.75};
    QCOMPARE(saveSavedPicture(data.folder(), p), QString());
    const Kepment r = decodeRecord<Kepment>(data.bytes(QStringLiteral("Kepment.dat")).constData());
    QCOMPARE(r.Fenntartott.bytes, old.Fenntartott.bytes);
    QCOMPARE((QList<qint64>{r.KepBal, r.KepFent, r.KepSzeles.scaled, r.KepMagas.scaled}),
             (QList<qint64>{121, 340, 18450000, 13837500}));
    const auto back = readSavedPicture(data.folder());
    QVERIFY(back);
    QCOMPARE(back->path, p.path);
    QCOMPARE(back->width, 1845.0);

    // What the file cannot hold is refused, and the record stays as it was.
    const QByteArray saved = data.bytes(QStringLiteral("Kepment.dat"));
    for (const SavedPicture& bad : {SavedPicture{QString(256, QLatin1Char('a')), 0, 0, 1, 1},
                                    SavedPicture{QStringLiteral("/kép/鳥.jpg"), 0, 0, 1, 1},
                                    SavedPicture{QStringLiteral("/a.jpg"), 40000, 0, 1, 1}})
        QVERIFY(!saveSavedPicture(data.folder(), bad).isEmpty());
    QCOMPARE(data.bytes(QStringLiteral("Kepment.dat")), saved);
}

void tst_lettertemplates::lastFolder() {
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

QTEST_GUILESS_MAIN(tst_lettertemplates)
#include "tst_lettertemplates.moc"
