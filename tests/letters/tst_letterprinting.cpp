// Letters on the printer surface and the print journal: where each field
// and the picture print, the letters of the selected and of every listed
// apartment with their journal records, a print that fails recording
// nothing, and the journal's totals and payments.

#include <QTest>

#include "letters/journal.h"
#include "letters/printing.h"
#include "reports/recordingsurface.h"
#include "store/recordfile.h"
#include "support/testfolder.h"

using namespace letters;

namespace {

const QString kYear = QStringLiteral("2026");
const QString kNaplo = QStringLiteral("2026/Naplo.dat");
const QDate kToday(2026, 3, 15);

// Record 1 owes 12345 common cost (5000 of it from the previous year) and
// 3200 waste fee; record 2 has overpaid 1234; record 3 owes nothing.
std::vector<Lakas> house() {
    Lakas a = makeLakas(QStringLiteral("Kovács Éva"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("2/5"));
    a.KKEloiras(2) = 7345;
    a.KKEloiras(13) = 5000;
    a.HEloiras(1) = 3200;
    Lakas b = makeLakas(QStringLiteral("Nagy Ilona"), QStringLiteral("Kert utca"), QStringLiteral("10"), QString());
    b.Irsz = 6720;
    b.Helyseg = QStringLiteral("Szeged");
    b.KKEloiras(1) = 1000;
    b.KKBefizetes(1) = 2234;
    return {a, b, makeLakas(QStringLiteral("Őri Ödön"), QStringLiteral("Fő utca"), QStringLiteral("1"), QStringLiteral("3/1"))};
}

LetterPage designerPage() {
    LetterPage p;
    for (int i = 0; i < FieldCount; ++i) p.positions[size_t(i)] = Pos{(20 + i) * TervezoArany, (40 + 10 * i) * TervezoArany};
    p.texts[Fejlec] = QStringLiteral("ÉRTESÍTŐ");
    p.texts[Szoveg2] = QStringLiteral("  Tisztelt Lakó!  \n\n  Kérjük, fizessen. ");
    p.texts[NevSor] = QStringLiteral("Név: Kijelölt Lakó");
    p.texts[KKFelirat] = QStringLiteral("Közösköltség tartozás: ");
    p.texts[HFelirat] = QStringLiteral("   ");  // blank: not printed
    p.texts[Szoveg1] = QStringLiteral("Egy sor");
    p.texts[KKOsszeg] = QStringLiteral("     999,-Ft");
    p.texts[HelyDatum] = QStringLiteral("Budapest, 2026. 03. 15.");
    p.xKorr = 2;
    p.yKorr = -1;
    p.fontName = QStringLiteral(" Courier New ");
    p.fontSize = 14;
    p.landscape = true;
    return p;
}

std::vector<Naplo> journal(const TestFolder& data) {
    return RecordFile<Naplo>(data.folder().yearFile(kYear, files::NaploFile)).readAll().value_or(std::vector<Naplo>{});
}

// The journal of one letter, as the tests compare it.
QString describe(const Naplo& n) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(n.LakoNev.padded(), n.LakasCim.text(), n.Nyomtatva.toQDate().toString(Qt::ISODate), n.NyomtatvanyNev.text())
        .arg(n.Hatralek)
        .arg(n.Befizetve);
}

// Lets the n-th write of Naplo.dat fail.
class FailingJournal : public FileLayer {
public:
    int failAt = 1;
    bool writeAt(const QString& path, qint64 offset, const QByteArray& data) override {
        if (path.endsWith(QStringLiteral("Naplo.dat")) && --failAt == 0) return false;
        return FileLayer::writeAt(path, offset, data);
    }
};

}  // namespace

class tst_letterprinting : public QObject {
    Q_OBJECT
private slots:
    void init() { data = std::make_unique<TestFolder>(); data->writeApartments(kYear, house()); }

    void layout();
    void selectedLetter();
    void listedLetters_data();
    void listedLetters();
    void failedPrintRecordsNothing_data();
    void failedPrintRecordsNothing();
    void cancelKeepsWhatWasDone();
    void journalTotals();
    void payments_data();
    void payments();

private:
    std::unique_ptr<TestFolder> data;
    LetterRun run{kYear, QStringLiteral("Felszólítás"), kToday};
};

void tst_letterprinting::layout() {
    RecordingSurface s;
    LetterPage page = designerPage();
    page.picture = LetterPicture{true, QStringLiteral("/logo.bmp"), 365, 730, 1845, 922.5};
    setUpPrinter(s, page);
    printLetter(s, page);
    QVERIFY(s.endDoc());

    const double lh = RecordingSurface::pointsToMm(14 * 1.2);
    // Each field at its ruler - 6 mm + correction; blocks line by line, trimmed.
    struct Expect {
        const char* text;
        double x, y;
    };
    const Expect expected[] = {
        {"ÉRTESÍTŐ", 20 - 6 + 2, 40 - 6 - 1},
        {"Tisztelt Lakó!", 21 - 6 + 2, 50 - 6 - 1},
        {"Kérjük, fizessen.", 21 - 6 + 2, 50 - 6 - 1 + 2 * lh},
        {"Név: Kijelölt Lakó", 22 - 6 + 2, 60 - 6 - 1},
        {"Közösköltség tartozás: ", 24 - 6 + 2, 80 - 6 - 1},
        {"Egy sor", 26 - 6 + 2, 100 - 6 - 1},
        {"     999,-Ft", 27 - 6 + 2, 110 - 6 - 1},
        {"Budapest, 2026. 03. 15.", 29 - 6 + 2, 130 - 6 - 1},
    };
    QStringList texts;
    for (const Expect& e : expected) texts << QString::fromUtf8(e.text);
    QCOMPARE(s.texts(), texts);
    for (const Expect& e : expected) {
        const auto* op = s.findText(QString::fromUtf8(e.text));
        QVERIFY2(qAbs(op->x - e.x) < 1e-9 && qAbs(op->y - e.y) < 1e-9, e.text);
        QCOMPARE(op->font, QStringLiteral("Courier New"));
        QCOMPARE(op->size, 14.0);
        QCOMPARE(op->orientation, int(PrinterSurface::Landscape));
    }
    // The picture at its position captions less 3 and 4 mm, ten times its size in cm.
    const auto& pic = s.ops.at(s.ops.size() - 2);
    QCOMPARE(pic.kind, RecordingSurface::Op::Picture);
    const QList<double> box{pic.x, pic.y, pic.x2 - pic.x, pic.y2 - pic.y}, expectedBox{7, 16, 48.553, 24.276};
    for (int k = 0; k < 4; ++k) QVERIFY(qAbs(box[k] - expectedBox[k]) < 1e-9);

    // Unticked, the picture is not printed.
    RecordingSurface plain;
    page.picture.print = false;
    printLetter(plain, page);
    for (const auto& op : plain.ops) QVERIFY(op.kind != RecordingSurface::Op::Picture);
}

void tst_letterprinting::selectedLetter() {
    // The designer's texts print as they stand; the journal takes the arrears
    // from the record. The same letter twice on one day: two records.
    for (int time = 1; time <= 2; ++time) {
        RecordingSurface s;
        const RunResult r = printSelected(s, data->folder(), run, 1, designerPage());
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE((QList<int>{r.printed, r.recorded, s.documents()}), (QList<int>{1, 1, 1}));
        QVERIFY(s.findText(QStringLiteral("     999,-Ft")));
    }
    // Laid out for a preview, the letter is not recorded until its pages are printed.
    RecordingSurface preview;
    const RunResult laid = layOutLetters(preview, data->folder(), run, {1}, designerPage(), false);
    QCOMPARE((QList<int>{laid.printed, int(laid.entries.size()), laid.recorded, preview.documents()}), (QList<int>{1, 1, 0, 1}));
    const QString entry = QStringLiteral("Kovács Éva").leftJustified(30) + QStringLiteral("|Fő utca 1 2/5|2026-03-15|Felszólítás|15545|0");
    const auto recs = journal(*data);
    QCOMPARE(recs.size(), size_t(2));
    QCOMPARE(describe(recs[0]), entry);
    QCOMPARE(describe(recs[1]), entry);
    QCOMPARE(describe(laid.entries[0]), entry);
}

void tst_letterprinting::listedLetters_data() {
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("documents");
    QTest::addColumn<int>("pages");
    QTest::newRow("a print job per letter") << int(Output::JobPerLetter) << 2 << 1;
    QTest::newRow("one PDF document") << int(Output::OneDocument) << 1 << 2;
}

void tst_letterprinting::listedLetters() {
    QFETCH(int, output);
    QFETCH(int, documents);
    QFETCH(int, pages);
    RecordingSurface s;
    RecordFile<Naplo>(data->folder().yearFile(kYear, files::NaploFile)).append(Naplo{});  // an earlier letter
    const RunResult r = printListed(s, data->folder(), run, {2, 1}, designerPage(), Output(output));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE((QList<int>{r.printed, r.recorded, s.documents(), s.pages()}), (QList<int>{2, 2, documents, pages}));

    // Each letter carries its apartment; the other fields as the designer shows them.
    auto letter = [&](int n) {
        QStringList out;
        for (const auto& op : s.ops)
            if (op.kind == RecordingSurface::Op::Text && (output == int(Output::OneDocument) ? op.page : op.document) == n)
                out << op.text;
        return out;
    };
    const QStringList first = letter(1);
    QCOMPARE(first.mid(3, 2), (QStringList{"Név: Nagy Ilona", "Cím: 6720 Szeged, Kert utca 10 "}));
    QCOMPARE(first.mid(7, 2), (QStringList{"  -1234,-Ft", "        0,-Ft"}));
    QCOMPARE(first.last(), QStringLiteral("  -1234,-Ft"));
    QVERIFY(first.contains(QStringLiteral("Budapest, 2026. 03. 15.")));
    const QStringList second = letter(2);
    QCOMPARE(second.mid(3, 2), (QStringList{"Név: Kovács Éva", "Cím: 1111 Budapest, Fő utca 1 2/5"}));
    QCOMPARE(second.mid(7, 2), (QStringList{"  12345,-Ft", "    3200,-Ft"}));
    QCOMPARE(second.last(), QStringLiteral("  15545,-Ft"));

    const auto recs = journal(*data);
    QCOMPARE(recs.size(), size_t(3));
    QCOMPARE(describe(recs[1]),
             QStringLiteral("Nagy Ilona").leftJustified(30) + QStringLiteral("|Kert utca 10|2026-03-15|Felszólítás|-1234|0"));
    QCOMPARE(recs[2].Hatralek, 15545);

    // An empty list prints and records nothing.
    RecordingSurface none;
    const RunResult empty = printListed(none, data->folder(), run, {}, designerPage(), Output(output));
    QVERIFY(empty.ok());
    QCOMPARE((QList<int>{empty.printed, none.documents(), int(none.ops.size())}), (QList<int>{0, 0, 0}));
    QCOMPARE(journal(*data).size(), size_t(3));
}

void tst_letterprinting::failedPrintRecordsNothing_data() {
    QTest::addColumn<int>("kind");  // 0 selected, 1 listed jobs, 2 listed in one document, 3 listed with a bad record
    QTest::addColumn<bool>("failBegin");
    QTest::addColumn<int>("journalFails");  // the write of Naplo.dat that fails; 0 none
    QTest::addColumn<int>("printed");
    QTest::addColumn<int>("recorded");
    QTest::newRow("selected: printer will not start") << 0 << true << 0 << 0 << 0;
    QTest::newRow("selected: cannot hand over") << 0 << false << 0 << 0 << 0;
    QTest::newRow("listed: cannot hand over") << 1 << false << 0 << 0 << 0;
    QTest::newRow("PDF: cannot be written") << 2 << false << 0 << 0 << 0;
    QTest::newRow("selected: journal not writable") << 0 << false << 1 << 1 << 0;
    QTest::newRow("listed: second journal write fails") << 1 << false << 2 << 2 << 1;
    QTest::newRow("PDF: journal not writable") << 2 << false << 1 << 3 << 0;
    QTest::newRow("listed: an apartment not in the file") << 3 << false << 0 << 0 << 0;
}

void tst_letterprinting::failedPrintRecordsNothing() {
    QFETCH(int, kind);
    QFETCH(bool, failBegin);
    QFETCH(int, journalFails);
    QFETCH(int, printed);
    QFETCH(int, recorded);
    RecordingSurface s;
    s.failBegin = failBegin;
    s.failFinish = journalFails == 0 && !failBegin && kind != 3;
    FailingJournal fs;
    fs.failAt = journalFails;
    const DataFolder folder = data->folder(fs);
    const RunResult r = kind == 0 ? printSelected(s, folder, run, 1, designerPage())
                                  : printListed(s, folder, run, kind == 3 ? std::vector<int>{1, 9} : std::vector<int>{1, 2, 3},
                                                designerPage(), kind == 1 ? Output::JobPerLetter : Output::OneDocument);
    QVERIFY(!r.ok());
    QCOMPARE(r.printed, printed);
    QCOMPARE(r.recorded, recorded);
    QCOMPARE(int(journal(*data).size()), recorded);
    if (kind == 3) QVERIFY(s.ops.empty());
}

void tst_letterprinting::cancelKeepsWhatWasDone() {
    // Print jobs already handed over stay printed and recorded; a PDF is
    // abandoned whole.
    for (Output output : {Output::JobPerLetter, Output::OneDocument}) {
        TestFolder fresh;
        fresh.writeApartments(kYear, house());
        RecordingSurface s;
        QList<int> asked;
        const RunResult r = printListed(s, fresh.folder(), run, {3, 2, 1}, designerPage(), output, [&](int done, int total) {
            asked << done << total;
            return done < 2;
        });
        QVERIFY(r.ok() && r.cancelled);
        QCOMPARE(asked, (QList<int>{0, 3, 1, 3, 2, 3}));
        const int kept = output == Output::JobPerLetter ? 2 : 0;
        QCOMPARE((QList<int>{r.printed, r.recorded, s.documents()}), (QList<int>{kept, kept, kept}));
        const auto recs = RecordFile<Naplo>(fresh.folder().yearFile(kYear, files::NaploFile)).readAll().value_or(std::vector<Naplo>{});
        QCOMPARE(int(recs.size()), kept);
        if (kept) QCOMPARE(recs[0].LakoNev.text(), QStringLiteral("Őri Ödön"));
    }
}

void tst_letterprinting::journalTotals() {
    QCOMPARE(journalTotalText(0), QStringLiteral("  ,-Ft"));  // an empty journal shows no digits
    QCOMPARE(journalTotalText(12345678), QStringLiteral("12 345 678,-Ft"));

    // A year without a folder: an empty journal, and no folder is made.
    const Journal none = readJournal(data->folder(), QStringLiteral("2031"));
    QVERIFY(none.records.empty());
    QVERIFY(!data->exists(QStringLiteral("2031")));
    // A missing Naplo.dat in an existing year is made empty.
    QVERIFY(readJournal(data->folder(), kYear).records.empty());
    QVERIFY(data->exists(kNaplo));

    std::vector<Naplo> recs;
    for (const auto& [h, b] : {std::pair{2147483647, 0}, std::pair{5000, 7000}, std::pair{-300, 0}}) {
        Naplo n;
        n.LakoNev = QStringLiteral("Lakó");
        n.Hatralek = h;
        n.Befizetve = b;
        n.Nyomtatva = Date::fromQDate(kToday);
        recs.push_back(n);
    }
    QCOMPARE(writeJournal(data->folder(), kYear, 0, recs), QString());
    Journal j = readJournal(data->folder(), kYear);
    QCOMPARE(j.records.size(), size_t(3));
    QCOMPARE((QList<qint64>{j.totals.hatralek, j.totals.befizetve, j.totals.kintlevoseg()}),
             (QList<qint64>{2147488347LL, 7000, 2147481347LL}));  // 64-bit sums
    QCOMPARE(journalRowTexts(2, j.records[1]),
             (QStringList{"Lakó", "", "", "2026. 03. 15.", "5000", "7000", "-2000", "2"}));
    Naplo paid = j.records[2];
    paid.Befizetve = 100;
    replaceRecord(j, 3, paid);
    QCOMPARE((QList<qint64>{j.totals.befizetve, j.records[2].Befizetve}), (QList<qint64>{7100, 100}));
}

void tst_letterprinting::payments_data() {
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<int>("befizetve");  // as stored afterwards
    QTest::addColumn<bool>("refused");   // the last amount
    QTest::newRow("two payments of 1000") << QStringList{"1000", " 1000 "} << 2000 << false;
    QTest::newRow("a negative amount reduces it") << QStringList{"1000", "-1500"} << -500 << false;
    QTest::newRow("not whole") << QStringList{"1000", "12.5"} << 1000 << true;
    QTest::newRow("not a number") << QStringList{"1000", "ezer"} << 1000 << true;
    QTest::newRow("empty") << QStringList{""} << 0 << true;
    QTest::newRow("beyond 32 bits") << QStringList{"2147483000", "648"} << 2147483000 << true;
}

void tst_letterprinting::payments() {
    QFETCH(QStringList, amounts);
    QFETCH(int, befizetve);
    QFETCH(bool, refused);
    Naplo n;
    n.Hatralek = 5000;
    QCOMPARE(writeJournal(data->folder(), kYear, 0, {n, n}), QString());
    JournalPayment p;
    for (const QString& a : amounts) p = addJournalPayment(data->folder(), kYear, 2, a);
    QCOMPARE(p.refused, refused);
    QCOMPARE(p.ok(), !refused);
    const auto recs = journal(*data);
    QCOMPARE((QList<int>{recs[0].Befizetve, recs[1].Befizetve}), (QList<int>{0, befizetve}));
    if (!refused) QCOMPARE(p.record->Befizetve, befizetve);

    // A payment whose write fails reports it and changes nothing.
    FailingJournal fs;
    const QByteArray before = data->bytes(kNaplo);
    const JournalPayment failed = addJournalPayment(data->folder(fs), kYear, 2, QStringLiteral("1"));
    QVERIFY(!failed.ok() && !failed.refused);
    QCOMPARE(data->bytes(kNaplo), before);
}

QTEST_GUILESS_MAIN(tst_letterprinting)
#include "tst_letterprinting.moc"
