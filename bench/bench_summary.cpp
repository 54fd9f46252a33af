// The yearly summary on a year of 10 000 apartments, against a plain read of
// the same file: the rows (engine), filling the summary window, a search, the
// payments of one apartment from a log of 60 000 payments, and printing the
// whole summary (about 220 pages) into a PDF file.
// Run: QT_QPA_PLATFORM=offscreen ./bench/bench_summary [apartments]

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>
#include <vector>

#include "app/startup.h"
#include "benchsupport.h"
#include "reports/qt/qtsurface.h"
#include "reports/summary.h"
#include "store/recordfile.h"
#include "support/testfolder.h"
#include "windows/frmElonezet2.h"
#include "windows/recordlist.h"

namespace {

const QString kYear = QStringLiteral("2026");

QByteArray paymentLog(const std::vector<Lakas>& flats, int perApartment) {
    QByteArray bytes;
    bytes.reserve(qsizetype(flats.size()) * perApartment * Befizetes::Length);
    for (int m = 1; m <= perApartment; ++m)
        for (const Lakas& l : flats) {
            Befizetes b;
            b.Osszeg = 15000, b.Honap = std::int16_t(m), b.Tipus = "Közösköltség", b.Nev = l.Lakok.Nev(1),
            b.Hsz = l.Hsz;
            b.Datum = Date::fromQDate(QDate(2026, m, 10));
            bytes += RecordFile<Befizetes>::encode(b);
        }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    startup::registerFontSubstitutions();
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    TestFolder data;
    const auto flats = bench::sampleYear(count);
    data.writeApartments(kYear, flats);
    data.writeBytes(kYear + QStringLiteral("/Befiz.dat"), paymentLog(flats, 6));
    const QString path = data.folder().yearFile(kYear, files::Lakasok);

    const double plain = bench::median(9, [&] { bench::plainRead(path); });
    const double engine = bench::median(9, [&] { summary::rows(data.folder(), kYear); });

    frmElonezet2 w(data.folder(), kYear);
    const double fill = bench::median(5, [&] { w.Betolt(); });
    w.txtNevKeres->setText(QStringLiteral("kovács"));
    const double search = bench::median(5, [&] { w.cmdKeres->click(); });
    w.txtNevKeres->clear();
    w.Betolt();
    const double payments = bench::median(5, [&] { summary::payments(data.folder(), kYear, count / 2); });

    const auto rows = w.shownRows();
    QTemporaryDir out;
    const double pdf = bench::median(3, [&] {
        QtPrinterSurface s;
        s.setPdfFile(out.filePath(QStringLiteral("osszesito.pdf")));
        summary::print(s, rows, kYear, QDate(2026, 4, 2), [&](int, int) {
            QCoreApplication::processEvents();  // as the progress dialog does
            return true;
        });
    });
    const int pages = (static_cast<int>(rows.size()) + 44) / 45;

    std::printf("apartments:                       %d (%.1f MB), payments %d\n", count,
                double(count) * Lakas::Length / 1e6, count * 6);
    std::printf("plain read of Lakasok.dat:        %8.2f ms\n", plain);
    std::printf("summary rows (engine):            %8.2f ms  (%.1fx the plain read)\n", engine, engine / plain);
    std::printf("frmElönézet2 list filling:        %8.2f ms  (%.1fx the plain read)\n", fill, fill / plain);
    std::printf("search (name, all residents):     %8.2f ms\n", search);
    std::printf("payments of one apartment:        %8.2f ms  (Befiz.dat %.1f MB)\n", payments,
                double(count) * 6 * Befizetes::Length / 1e6);
    std::printf("summary into a PDF file:          %8.2f ms  (%d pages, %.1f MB)\n", pdf, pages,
                double(QFile(out.filePath(QStringLiteral("osszesito.pdf"))).size()) / 1e6);
    return 0;
}
