// Renders the two print preview windows and the first page of every printed
// report over a sample year into PNG files, for looking at them:
//   domoria_report_screenshots OUTPUT_FOLDER
// Run with QT_QPA_PLATFORM=offscreen; the report pages need pdftoppm.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QStyleFactory>
#include <QTimer>
#include <QTreeView>

#include "app/startup.h"
#include "book/bookreports.h"
#include "register/residentlist.h"
#include "reports/statement.h"
#include "reports/summary.h"
#include "store/clock.h"
#include "store/recordfile.h"
#include "support/pdfcheck.h"
#include "support/testfolder.h"
#include "windows/frmElonezet.h"
#include "windows/frmElonezet2.h"
#include "windows/printerchoice.h"
#include "windows/recordlist.h"

namespace {

std::vector<Lakas> sampleYear() {
    const QStringList names{"Kovács Péter",   "Szűcs Erzsébet", "Ábrahám Ödön", "Nagy Ilona",
                            "Csizmadia Géza", "Tóth Gyöngyi",   "Horváth Ákos", "Kiss Éva"};
    std::vector<Lakas> flats;
    for (int i = 0; i < names.size(); ++i) {
        Lakas l = makeLakas(names[i], i < 5 ? "Rózsa utca" : "Őszirózsa köz", i < 5 ? "12" : "3",
                            QStringLiteral("%1/%2").arg(i / 2 + 1).arg(i % 2 + 1));
        l.Helyseg = "Debrecen", l.Irsz = 4025;
        l.Epulet = i < 5 ? "Rózsa ház" : "Őszirózsa ház";
        l.Telefon = QStringLiteral("06-30-123-45%1").arg(i);
        l.Email = QStringLiteral("lako%1@example.hu").arg(i);
        l.Megj = i % 3 == 0 ? "Kulcs a gondnoknál." : "";
        l.Lakok.Bejelentve(1) = i % 4 == 3 ? Date{} : Date::fromQDate(QDate(2019, 4, 1 + i));
        for (int m = 1; m <= 4; ++m) {
            l.KKEloiras(m) = 18500 + 500 * i;
            l.HEloiras(m) = 3200;
        }
        for (int m = 1; m <= 3 - i % 3; ++m) {
            l.KKBefizetes(m) = l.KKEloiras(m) + (i == 1 ? 1500 : 0);
            l.KKBefizDatum(m) = Date::fromQDate(QDate(2026, m, 10));
            l.HBefizetes(m) = 3200;
            l.HBefizDatum(m) = Date::fromQDate(QDate(2026, m, 12));
        }
        l.KKEloiras(13) = i == 2 ? 45000 : 0;
        flats.push_back(l);
    }
    return flats;
}

QByteArray paymentLog(const std::vector<Lakas>& flats) {
    QByteArray bytes;
    for (const Lakas& l : flats)
        for (int m = 1; m <= 12; ++m) {
            if (l.KKBefizetes(m) == 0) continue;
            Befizetes b;
            b.Osszeg = l.KKBefizetes(m), b.Datum = l.KKBefizDatum(m), b.Tipus = "Közösköltség",
            b.Honap = std::int16_t(m);
            b.Nev = l.Lakok.Nev(1), b.Helyseg = l.Helyseg, b.Utca = l.Utca, b.Hsz = l.Hsz, b.Ajto = l.Ajto;
            bytes += RecordFile<Befizetes>::encode(b);
        }
    return bytes;
}

// The window at the size it takes on a 1366 x 768 screen (the offscreen
// screen is smaller).
void grab(QWidget& w, const QString& file) {
    w.resize(std::min(w.width(), 1366), std::min(w.height(), 728));
    w.show();
    QApplication::processEvents();
    w.grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    startup::setHungarian(app);
    startup::registerFontSubstitutions();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(out.path());
    appclock::setNow(QDateTime(QDate(2026, 4, 2), QTime(9, 0)));

    TestFolder data;
    const QString year = QStringLiteral("2026");
    const auto flats = sampleYear();
    data.writeBuildings({makeEpulet("Rózsa ház", 300), makeEpulet("Őszirózsa ház", 280)});
    data.writeApartments(year, flats);
    data.writeBytes(year + QStringLiteral("/Befiz.dat"), paymentLog(flats));

    frmElonezet statementWindow(data.folder(), year, year, 2);
    statementWindow.resize(statementWindow.sizeHint().expandedTo(QSize(955, 0)));
    grab(statementWindow, out.filePath(QStringLiteral("frmElonezet-kk.png")));
    statementWindow.chkSzemetdij->setChecked(true);
    grab(statementWindow, out.filePath(QStringLiteral("frmElonezet-kksz.png")));

    frmElonezet2 summaryWindow(data.folder(), year);
    summaryWindow.resize(940, 700);
    summaryWindow.show();
    ui::setCurrentRowQuietly(summaryWindow.ListView1, -1);
    summaryWindow.ListView1->setCurrentIndex(summaryWindow.ListView1->model()->index(0, 0));
    grab(summaryWindow, out.filePath(QStringLiteral("frmElonezet2.png")));

    const QDate today(2026, 4, 2);
    const auto page = [&](const QString& name, const std::function<void(PrinterSurface&)>& layout) {
        const QString pdf = out.filePath(name + QStringLiteral(".pdf"));
        QString error;
        if (!pdfcheck::render(pdf, layout, &error)) qWarning("%s: %s", qPrintable(name), qPrintable(error));
        pdfcheck::renderPage(pdf, 1, 110).save(out.filePath(name + QStringLiteral(".png")));
    };
    page(QStringLiteral("report-statement-kk"),
         [&](PrinterSurface& s) { statement::print(s, flats[1], year, today, false); });
    page(QStringLiteral("report-statement-kksz"),
         [&](PrinterSurface& s) { statement::print(s, flats[2], year, today, true); });
    page(QStringLiteral("report-summary"),
         [&](PrinterSurface& s) { summary::print(s, summaryWindow.shownRows(), year, today); });
    page(QStringLiteral("report-residents"), [&](PrinterSurface& s) {
        printResidentList(s, listedApartments(data.folder(), year, {1, 2, 3, 4, 5, 6, 7, 8}),
                          residentListHeading(flats[0]));
    });
    page(QStringLiteral("report-book"), [&](PrinterSurface& s) {
        book::List l;
        for (int i = 1; i <= 6; ++i) {
            l.rows.push_back({i, makeTetel("Rózsa ház", i % 2 ? 12500 * i : 0, i % 2 ? 0 : 184000, QDate(2026, i, 5),
                                           i % 2 ? QStringLiteral("Lépcsőház takarítás") : QStringLiteral("Közös költség"))});
            l.kiadas += l.rows.back().t.Kiadas, l.bevetel += l.rows.back().t.Bevetel;
        }
        book::printReport(s, book::ListKind::KiBe, l, year, today);
    });

    // The standard print preview dialog with the landscape resident list.
    QTimer::singleShot(500, [&] {
        if (QWidget* dlg = QApplication::activeModalWidget()) {
            dlg->grab().save(out.filePath(QStringLiteral("print-preview.png")));
            dlg->close();
        }
    });
    const auto flatsListed = listedApartments(data.folder(), year, {1, 2, 3, 4, 5, 6, 7, 8});
    printing::QtPrintDialogs().preview(nullptr, QStringLiteral("Lista nyomtatása"),
                                       [&](PrinterSurface& s, const PrintProgress&) {
                                           printResidentList(s, flatsListed, residentListHeading(flats[0]));
                                       });
    return 0;
}
