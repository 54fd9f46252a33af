// Letters on the printer surface and the print journal: where each field
// and the picture print, the letters of the selected and of every listed
// apartment with their journal records, a print that fails or is stopped
// recording only what was handed over, and the journal's totals and payments.

#include <QRegularExpression>
#include <QTest>

#include "letters/journal.h"
#include "letters/printing.h"
#include "reports/recordingsurface.h"
#include "store/recordfile.h"
#include "support/faults.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

const QString kYear = QStringLiteral("2026");
const QString kNaplo = QStringLiteral("2026/Naplo.dat");

// Record 1 owes 12345 common cost (5000 of it from the previous year) and
// 3200 waste fee; record 2 has overpaid 1234; record 3 owes nothing.
std::vector<Lakas> house() {
    Lakas a = makeLakas("Kovács Éva", "Fő utca", "1", "2/5"), b = makeLakas("Nagy Ilona", "Kert utca", "10", "");
    a.KKEloiras(2) = 7345, a.KKEloiras(13) = 5000, a.HEloiras(1) = 3200;
    b.Irsz = 6720, b.Helyseg = "Szeged", b.KKBefizetes(1) = 1234;
    return {a, b, makeLakas("Őri Ödön", "Fő utca", "1", "3/1")};
}

// Field i at (20 + i, 40 + 10 i) mm on the page picture; the heading, a
// block of two lines, the name, a blank caption (not printed), a line and
// an amount; corrections x + 2, y - 1.
LetterPage designerPage() {
    LetterPage p{.texts = {}, .xKorr = 2, .yKorr = -1, .fontName = " Courier New ", .fontSize = 14, .landscape = true, .picture = {}};
    for (int i = 0; i < FieldCount; ++i) p.positions[size_t(i)] = Pos{(20 + i) * TervezoArany, (40 + 10 * i) * TervezoArany};
    p.texts[Fejlec] = "ÉRTESÍTŐ", p.texts[Szoveg2] = "  Tisztelt Lakó!  \n\n  Kérjük, fizessen. ";
    p.texts[NevSor] = "Név: Kijelölt Lakó", p.texts[HFelirat] = "   ", p.texts[Szoveg1] = "Egy sor";
    p.texts[KKOsszeg] = "     999,-Ft";
    return p;
}

// The texts of the letters as "text@x,y" (millimetres), of one document or page.
QStringList printed(const RecordingSurface& s, int document = 0, int page = 0) {
    QStringList out;
    for (const auto& op : s.ops)
        if (op.kind == RecordingSurface::Op::Text && (!document || op.document == document) && (!page || op.page == page))
            out << QStringLiteral("%1@%2,%3").arg(op.text).arg(op.x, 0, 'f', 2).arg(op.y, 0, 'f', 2);
    return out;
}

// The journal as "LakoNev (as stored)|LakasCim|date|template|Hatralek|Befizetve".
QStringList journal(const TestFolder& data) {
    QStringList out;
    for (const Naplo& n : RecordFile<Naplo>(data.folder().yearFile(kYear, files::NaploFile)).readAll().value_or(std::vector<Naplo>{}))
        out << QStringList{n.LakoNev.padded(), n.LakasCim.text(), n.Nyomtatva.toQDate().toString(Qt::ISODate), n.NyomtatvanyNev.text(),
                           QString::number(n.Hatralek), QString::number(n.Befizetve)}.join('|');
    return out;
}
QString entry(const char* name, const char* address, int arrears) {
    return QString::fromUtf8(name).leftJustified(30) +
           QStringLiteral("|%1|2026-03-15|Felszólítás|%2|0").arg(QString::fromUtf8(address)).arg(arrears);
}
}  // namespace

class tst_letterprinting : public QObject {
    Q_OBJECT
    std::unique_ptr<TestFolder> data;
    LetterRun run{kYear, QStringLiteral("Felszólítás"), QDate(2026, 3, 15)};
private slots:
    void init() {
        data = std::make_unique<TestFolder>();
        data->writeApartments(kYear, house());
    }

    // Each field at its ruler - 6 mm + the correction; a block line by line,
    // trimmed, a line height (16.8 pt) apart; blank fields skipped; the
    // picture in its box, only when ticked.
    void layout() {
        RecordingSurface s;
        LetterPage page = designerPage();
        page.picture = LetterPicture{true, QStringLiteral("/logo.bmp"), 365, 730, 1845, 922.5};
        setUpPrinter(s, page);
        printLetter(s, page);
        QVERIFY(s.endDoc());
        QCOMPARE(printed(s), (QStringList{"ÉRTESÍTŐ@16.00,33.00", "Tisztelt Lakó!@17.00,43.00", "Kérjük, fizessen.@17.00,54.85",
                                          "Név: Kijelölt Lakó@18.00,53.00", "Egy sor@22.00,93.00", "     999,-Ft@23.00,103.00"}));
        QCOMPARE(s.ops[0].font + QString::number(s.ops[0].size) + QString::number(s.ops[0].orientation), QStringLiteral("Courier New142"));
        const auto& pic = s.ops.at(s.ops.size() - 2);
        const PictureBox b = pictureBox(page.picture);
        QVERIFY(pic.kind == RecordingSurface::Op::Picture && pic.text == page.picture.path);
        QCOMPARE((QList<double>{pic.x, pic.y, pic.x2, pic.y2}), (QList<double>{b.x, b.y, b.x + b.width, b.y + b.height}));
        RecordingSurface plain;
        page.picture.print = false;
        printLetter(plain, page);
        QCOMPARE(plain.ops.back().kind, RecordingSurface::Op::Text);
    }

    // The designer's texts print as they stand; the journal takes the arrears
    // from the record. The same letter twice on one day: two records. Laid
    // out for a preview, a letter is recorded only when told.
    void selectedLetter() {
        for (int time = 1; time <= 2; ++time) {
            RecordingSurface s;
            const RunResult r = printSelected(s, data->folder(), run, 1, designerPage());
            QCOMPARE((QList<int>{r.printed, r.recorded, s.documents()}), (QList<int>{1, 1, 1}));
            QVERIFY(s.findText(QStringLiteral("Név: Kijelölt Lakó")));
        }
        RecordingSurface preview;
        const RunResult laid = layOutLetters(preview, data->folder(), run, {1}, designerPage(), false);
        QCOMPARE((QList<int>{laid.printed, int(laid.entries.size()), laid.recorded}), (QList<int>{1, 1, 0}));
        QCOMPARE(journal(*data), QStringList(2, entry("Kovács Éva", "Fő utca 1 2/5", 15545)));
        QCOMPARE(recordLetters(laid, data->folder(), kYear).recorded, 1);
        QCOMPARE(journal(*data).size(), 3);
    }

    // Each letter carries its apartment: name, address and the padded amounts.
    void listedLetters_data() {
        QTest::addColumn<bool>("oneDocument");
        QTest::newRow("a print job per letter") << false;
        QTest::newRow("one PDF document") << true;
    }
    void listedLetters() {
        QFETCH(bool, oneDocument);
        RecordingSurface s;
        const Output output = oneDocument ? Output::OneDocument : Output::JobPerLetter;
        const RunResult r = printListed(s, data->folder(), run, {2, 1}, designerPage(), output);
        QCOMPARE((QList<int>{r.printed, r.recorded, s.documents(), s.pages()}),
                 (QList<int>{2, 2, oneDocument ? 1 : 2, oneDocument ? 2 : 1}));
        const auto letter = [&](int k) { return printed(s, oneDocument ? 0 : k, oneDocument ? k : 0); };
        const auto amounts = [&](int k) { return letter(k).mid(6).join(';').remove(QRegularExpression("@[^;]*")); };
        QCOMPARE(letter(1).mid(3, 2), (QStringList{"Név: Nagy Ilona@18.00,53.00", "Cím: 6720 Szeged, Kert utca 10 @19.00,63.00"}));
        QCOMPARE(amounts(1) + '|' + amounts(2),
                 QStringLiteral("  -1234,-Ft;        0,-Ft;  -1234,-Ft|  12345,-Ft;    3200,-Ft;  15545,-Ft"));
        QCOMPARE(journal(*data), (QStringList{entry("Nagy Ilona", "Kert utca 10", -1234), entry("Kovács Éva", "Fő utca 1 2/5", 15545)}));
    }

    void onlyWhatIsHandedOverIsRecorded_data() {
        QTest::addColumn<int>("kind");         // 0 selected, 1 listed jobs, 2 listed into one PDF
        QTest::addColumn<QString>("failure");  // "begin", "finish", "journal N" (the N-th write), "stop N", "missing"
        QTest::addColumn<int>("printed");
        QTest::addColumn<int>("recorded");
        QTest::newRow("selected: printer will not start") << 0 << "begin" << 0 << 0;
        QTest::newRow("selected: not handed over") << 0 << "finish" << 0 << 0;
        QTest::newRow("selected: journal not writable") << 0 << "journal 1" << 1 << 0;
        QTest::newRow("listed: not handed over") << 1 << "finish" << 0 << 0;
        QTest::newRow("listed: second journal write fails") << 1 << "journal 2" << 2 << 1;
        QTest::newRow("listed: stopped at the third") << 1 << "stop 2" << 2 << 2;
        QTest::newRow("listed: an apartment not in the file") << 1 << "missing" << 0 << 0;
        QTest::newRow("PDF: not written") << 2 << "finish" << 0 << 0;
        QTest::newRow("PDF: journal not writable") << 2 << "journal 1" << 3 << 0;
        QTest::newRow("PDF: stopped, abandoned whole") << 2 << "stop 2" << 0 << 0;
    }
    void onlyWhatIsHandedOverIsRecorded() {
        QFETCH(int, kind); QFETCH(QString, failure); QFETCH(int, printed); QFETCH(int, recorded);
        RecordingSurface s;
        s.failBegin = failure == "begin", s.failFinish = failure == "finish";
        FaultySystem fs;  // the n-th write of Naplo.dat fails
        if (failure.startsWith("journal")) fs.failOn(FaultySystem::Call::Pwrite, files::NaploFile, failure.back().digitValue() - 1, false);
        const int stopAt = failure.startsWith("stop") ? failure.back().digitValue() : -1;
        const std::vector<int> recs = failure == "missing" ? std::vector<int>{1, 9} : std::vector<int>{1, 2, 3};
        const DataFolder folder = data->folder(fs.layer());
        const Output output = kind == 1 ? Output::JobPerLetter : Output::OneDocument;
        const RunResult r = kind == 0 ? printSelected(s, folder, run, 1, designerPage())
                                      : printListed(s, folder, run, recs, designerPage(), output,
                                                    [&](int done, int) { return done != stopAt; });
        QCOMPARE((QList<bool>{r.ok(), r.cancelled}), (QList<bool>{stopAt >= 0, stopAt >= 0}));
        QCOMPARE((QList<int>{r.printed, r.recorded, int(journal(*data).size()), s.documents()}),
                 (QList<int>{printed, recorded, recorded, kind == 2 ? int(printed > 0) : printed}));  // documents handed over
        if (failure == "missing") QVERIFY(s.ops.empty());  // checked before anything prints
    }

    // Totals in 64 bits with "### ### ###"; a year without a folder shows an
    // empty journal and makes none; a missing Naplo.dat is made empty.
    void journalTotals() {
        QCOMPARE(journalTotalText(0) + '|' + journalTotalText(12345678), QStringLiteral("  ,-Ft|12 345 678,-Ft"));
        QVERIFY(readJournal(data->folder(), QStringLiteral("2031")).records.empty() && !data->exists(QStringLiteral("2031")));
        QVERIFY(readJournal(data->folder(), kYear).records.empty() && data->exists(kNaplo));
        std::vector<Naplo> recs(3);
        recs[0].Hatralek = 2147483647, recs[1].Hatralek = 5000, recs[1].Befizetve = 7000, recs[2].Hatralek = -300;
        recs[1].LakoNev = "Lakó", recs[1].Nyomtatva = Date::fromQDate(QDate(2026, 3, 15));
        QCOMPARE(writeJournal(data->folder(), kYear, 0, recs), QString());
        Journal j = readJournal(data->folder(), kYear);
        QCOMPARE((QList<qint64>{j.totals.hatralek, j.totals.befizetve, j.totals.kintlevoseg()}),
                 (QList<qint64>{2147488347LL, 7000, 2147481347LL}));  // 64-bit sums
        QCOMPARE(journalRowTexts(2, j.records[1]), (QStringList{"Lakó", "", "", "2026. 03. 15.", "5000", "7000", "-2000", "2"}));
        recs[2].Befizetve = 100;
        replaceRecord(j, 3, recs[2]);
        QCOMPARE(j.totals.befizetve, qint64(7100));
    }

    // Payments against a letter: whole numbers keeping Befizetve within 32
    // bits; a payment whose write fails reports it and changes nothing.
    void payments_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<int>("befizetve");  // as stored afterwards
        QTest::addColumn<bool>("refused");   // the last amount
        QTest::newRow("two payments of 1000") << QStringList{"1000", " 1000 "} << 2000 << false;
        QTest::newRow("a negative amount reduces it") << QStringList{"1000", "-1500"} << -500 << false;
        QTest::newRow("not whole") << QStringList{"1000", "12.5"} << 1000 << true;
        QTest::newRow("empty") << QStringList{""} << 0 << true;
        QTest::newRow("beyond 32 bits") << QStringList{"2147483000", "648"} << 2147483000 << true;
    }
    void payments() {
        QFETCH(QStringList, amounts); QFETCH(int, befizetve); QFETCH(bool, refused);
        QCOMPARE(writeJournal(data->folder(), kYear, 0, std::vector<Naplo>(2)), QString());
        JournalPayment p;
        for (const QString& a : amounts) p = addJournalPayment(data->folder(), kYear, 2, a);
        QCOMPARE(p.refused, refused);
        QCOMPARE(journal(*data).value(1).section('|', 5).toInt(), befizetve);
        if (!refused) QCOMPARE(p.record->Befizetve, befizetve);
        FaultySystem fs;
        fs.failOn(FaultySystem::Call::Pwrite, files::NaploFile, 0, false);
        const QByteArray before = data->bytes(kNaplo);
        const JournalPayment failed = addJournalPayment(data->folder(fs.layer()), kYear, 2, QStringLiteral("1"));
        QVERIFY(!failed.ok() && !failed.refused);
        QCOMPARE(data->bytes(kNaplo), before);
    }
};

QTEST_GUILESS_MAIN(tst_letterprinting)
#include "tst_letterprinting.moc"
