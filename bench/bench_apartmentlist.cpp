// The apartment list and the selection of one apartment on a year of 10 000
// apartments, against a plain read of the same file.
// Run: QT_QPA_PLATFORM=offscreen ./bench/bench_apartmentlist [apartments]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchsupport.h"
#include "register/apartmentlist.h"
#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    TestFolder data;
    data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
    data.writeApartments(QStringLiteral("2026"), bench::sampleYear(count));
    const QString path = data.folder().yearFile(QStringLiteral("2026"), files::Lakasok);
    ScriptedDialogs dialogs;

    const double plain = bench::median(9, [&] { bench::plainRead(path); });
    const double engine = bench::median(9, [&] { readApartmentList(data.folder(), QStringLiteral("2026")); });

    frmKezdo w{data.folder()};
    const double window = bench::median(5, [&] { w.LakasokBeolvas(); });
    int row = 0;
    const double select = bench::median(21, [&] {
        row = (row + 997) % w.ListView1->topLevelItemCount();
        w.ListView1->setCurrentItem(w.ListView1->topLevelItem(row));
    });

    std::printf("apartments:                    %d (%.1f MB)\n", count, double(count) * Lakas::Length / 1e6);
    std::printf("plain read of Lakasok.dat:     %8.2f ms\n", plain);
    std::printf("list read (engine):            %8.2f ms  (%.1fx the plain read)\n", engine, engine / plain);
    std::printf("LakasokBeolvas (list window):  %8.2f ms\n", window);
    std::printf("selection of one apartment:    %8.2f ms\n", select);
    return 0;
}
