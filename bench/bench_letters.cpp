// Times the balance letters of 10,000 apartments written into one PDF file
// (through the print run with its progress dialog that can cancel), and the
// print journal window filled from the 10,000 records that run wrote, each
// beside a plain read of the same file:
//   QT_QPA_PLATFORM=offscreen bench_letters [FOLDER]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchsupport.h"
#include "letters/printing.h"
#include "reports/qt/qtsurface.h"
#include "store/recordfile.h"
#include "windows/frmNaplo.h"
#include "windows/printerchoice.h"
#include "windows/recordlist.h"

namespace {

const QString kYear = QStringLiteral("2026");
constexpr int kApartments = 10000;

double ms(const std::function<void()>& step) {
    QElapsedTimer t;
    t.start();
    step();
    return double(t.nsecsElapsed()) / 1e6;
}

letters::LetterPage page() {
    using namespace letters;
    LetterPage p;
    p.texts[Fejlec] = QStringLiteral("EGYENLEG ÉRTESÍTŐ");
    p.texts[Szoveg2] = QStringLiteral(
        "Tisztelt Tulajdonos!\n\nÉrtesítjük, hogy nyilvántartásunk szerint\na lakásának egyenlege az alábbi:");
    p.texts[KKFelirat] = QStringLiteral("Közösköltség tartozás: ");
    p.texts[HFelirat] = QStringLiteral("Hulladék díj tartozás: ");
    p.texts[Szoveg1] = QStringLiteral("Kérjük, tartozását 15 napon belül rendezze.\nKöszönjük!");
    p.texts[HelyDatum] = QStringLiteral("Budapest, 2026. 03. 15.");
    p.texts[OsszesenFelirat] = QStringLiteral("Összesen:");
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_letters-XXXXXX")));
    if (!dir.isValid()) return 1;
    const DataFolder folder(dir.path());
    QDir(dir.path()).mkpath(kYear);

    std::vector<Lakas> flats(kApartments);
    std::vector<int> listed;
    for (int i = 0; i < kApartments; ++i) {
        Lakas& l = flats[size_t(i)];
        l.Lakok.Nev(1) = QStringLiteral("Lakó %1").arg(i + 1);
        l.Irsz = 1111;
        l.Helyseg = QStringLiteral("Budapest");
        l.Utca = QStringLiteral("Fő utca");
        l.Hsz = QString::number(i / 100 + 1);
        l.Ajto = QString::number(i % 100 + 1);
        for (int m = 1; m <= 6; ++m) {
            l.KKEloiras(m) = 10000 + i;
            l.HEloiras(m) = 3000;
        }
        listed.push_back(kApartments - i);  // the list order is not the file order
    }
    const QString lakasok = folder.yearFile(kYear, files::Lakasok);
    if (!RecordFile<Lakas>(lakasok).replaceAll(flats)) return 1;
    std::printf("%d apartments, Lakasok.dat %.1f MB, in %s\n", kApartments, kApartments * 2193 / 1e6,
                qPrintable(dir.path()));

    // Letters into one PDF file, as "Nyomtatás (n-db.)" with "PDF fájl..." does.
    const double read = ms([&] { bench::plainRead(lakasok); });
    const QString pdf = dir.filePath(QStringLiteral("ertesitok.pdf"));
    letters::RunResult r;
    const double print = ms([&] {
        QtPrinterSurface surface;
        surface.setPdfFile(pdf);
        printing::run(surface, nullptr, [&](PrinterSurface& s, const PrintProgress& progress) {
            r = letters::printListed(s, folder, {kYear, QStringLiteral("Felszólítás"), QDate(2026, 3, 15)}, listed,
                                     page(), letters::Output::OneDocument, progress);
        });
    });
    if (!r.ok() || r.recorded != kApartments) {
        std::printf("letters FAILED: %s\n", qPrintable(r.error));
        return 1;
    }
    std::printf("plain read of Lakasok.dat                    %8.1f ms\n", read);
    std::printf("%d letters into one PDF (%.1f MB)         %8.1f ms   (%.0f x the plain read, %.2f ms a letter)\n",
                kApartments, QFileInfo(pdf).size() / 1e6, print, print / read, print / kApartments);

    // The journal window filled from the 10,000 records the run wrote.
    const QString naplo = folder.yearFile(kYear, files::NaploFile);
    const double journalRead = bench::median(11, [&] { bench::plainRead(naplo); });
    frmNaplo w(folder, kYear);
    const double fill = bench::median(11, [&] { w.Betolt(); });
    std::printf("plain read of Naplo.dat (%d records)      %8.2f ms\n", ui::recordModel(w.ListView1)->count(),
                journalRead);
    std::printf("journal window filled (Betolt)               %8.1f ms   (%.0f x the plain read)\n", fill,
                fill / journalRead);
    return 0;
}
