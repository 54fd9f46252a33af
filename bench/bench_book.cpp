// The new-year roll-over of a year of 10 000 apartments with a book of
// 20 000 entries, and the filling of the book window's lists from that book,
// each against a plain read of the same files in the same run.
// Run: QT_QPA_PLATFORM=offscreen ./bench/bench_book [FOLDER]
//      (the sample years are made in a temporary folder inside FOLDER, by
//      default the system's)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchsupport.h"
#include "book/book.h"
#include "store/recordfile.h"
#include "store/rollover.h"
#include "support/scripteddialogs.h"
#include "windows/frmKiadBevet.h"

namespace {

constexpr int kApartments = 10000;
constexpr int kEntries = 20000;
constexpr int kBuildings = 40;

using bench::Times;

void report(const char* what, Times t, double plain) {
    std::printf("%-52s median %8.1f ms  slowest %8.1f ms  %6.1f x the plain read\n", what, t.median, t.slowest,
                t.median / plain);
}

QString building(int b) {
    return QStringLiteral("Épület %1").arg(b + 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_book-XXXXXX")));
    if (!dir.isValid()) return 1;
    const DataFolder folder(dir.path());
    const QString old = QStringLiteral("2025"), year = QStringLiteral("2026");
    QDir(dir.path()).mkpath(old);

    std::vector<Epulet> buildings(kBuildings);
    for (int b = 0; b < kBuildings; ++b) buildings[size_t(b)].Nev = building(b);
    std::vector<Lakas> flats(kApartments);
    for (int i = 0; i < kApartments; ++i) {
        Lakas& l = flats[size_t(i)];
        l.Lakok.Nev(1) = QStringLiteral("Lakó %1").arg(i + 1);
        l.Utca = QStringLiteral("Fő utca");
        l.Epulet = building(i % kBuildings);
        for (int m = 1; m <= 12; ++m) {
            l.KKEloiras(m) = 10000 + i % 500;
            l.KKBefizetes(m) = m <= 9 ? l.KKEloiras(m) : 0;
            l.HEloiras(m) = 3000;
            l.HaviFogyasztas1(m) = 5;
        }
    }
    std::vector<KonyvTetel> book(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        KonyvTetel& e = book[size_t(i)];
        (i % 3 ? e.Kiadas : e.Bevetel) = 1000 + i % 9000;
        e.Datum = Date::fromQDate(QDate(2025, 1, 1).addDays(i % 365));
        e.Megnevezes = QStringLiteral("Tétel %1").arg(i);
        e.Megjegyzes = QStringLiteral("számla %1").arg(i);
        e.Epulet = building(i % kBuildings);
    }
    const QString flatsPath = folder.yearFile(old, files::Lakasok), bookPath = folder.yearFile(old, files::Kiadasok);
    if (!RecordFile<Epulet>(folder.file(files::Epuletek)).replaceAll(buildings) ||
        !RecordFile<Lakas>(flatsPath).replaceAll(flats) || !RecordFile<KonyvTetel>(bookPath).replaceAll(book))
        return 1;
    std::printf("%d apartments (%.1f MB), %d book entries (%.1f MB), %d buildings, in %s\n", kApartments,
                kApartments * 2193 / 1e6, kEntries, kEntries * 170 / 1e6, kBuildings, qPrintable(dir.path()));

    // The roll-over, into an empty year and over a year in use (backed up first).
    const Times plainBoth = bench::times(9, {}, [&] { bench::plainRead({flatsPath, bookPath}); });
    std::printf("%-52s median %8.1f ms  slowest %8.1f ms\n", "plain read of Lakasok.dat and Kiadások.dat",
                plainBoth.median, plainBoth.slowest);
    const QDateTime now(QDate(2026, 1, 2), QTime(8, 0));
    bool ok = true;
    const auto roll = [&] { ok = rollover::run(folder, rollover::check(folder, year), now).ok() && ok; };
    report("roll-over into an empty year",
           bench::times(
               7, [&] { QDir(folder.yearFolder(year)).removeRecursively(); }, roll),
           plainBoth.median);
    report("roll-over over a year in use (with its backup)", bench::times(5, {}, roll), plainBoth.median);
    const auto first = RecordFile<Lakas>(folder.yearFile(year, files::Lakasok)).read(1);
    std::printf("check: %s, first apartment carries %d Ft\n", ok ? "every run done" : "A RUN FAILED",
                first ? first->KKEloiras(13) : -1);

    // Filling the lists of the book window from the old year's book.
    const Times plainBook = bench::times(9, {}, [&] { bench::plainRead({bookPath}); });
    std::printf("%-52s median %8.1f ms  slowest %8.1f ms\n", "plain read of Kiadások.dat", plainBook.median,
                plainBook.slowest);
    report("book lists, engine, every building (20 000 rows)",
           bench::times(9, {}, [&] { book::readLists(folder, old, QString()); }), plainBook.median);
    ScriptedDialogs dialogs;
    frmKiadBevet w(folder, old);
    w.txtEpuletKeres->setEditText(QString());
    report("book window lists, every building", bench::times(9, {}, [&] { w.Beolvas(); }), plainBook.median);
    w.txtEpuletKeres->setEditText(building(7));
    report("book window lists, one building (500 rows)", bench::times(9, {}, [&] { w.Beolvas(); }), plainBook.median);
    return ok ? 0 : 1;
}
