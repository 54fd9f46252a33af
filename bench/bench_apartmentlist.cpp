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

#include "register/apartmentlist.h"
#include "store/clock.h"
#include "support/scripteddialogs.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {
// Median of several runs, in milliseconds.
double measure(int runs, const std::function<void()>& fn) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::vector<Lakas> sampleYear(int count) {
    const QStringList surnames{"Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Kiss", "Varga", "Molnár", "Németh", "Farkas"};
    std::vector<Lakas> flats;
    flats.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Lakas l = makeLakas(surnames[i % 10] + QStringLiteral(" Lakó %1").arg(i), QStringLiteral("Utca %1").arg(i % 37),
                            QString::number(i % 120), QStringLiteral("%1/%2").arg(i % 9).arg(i % 4));
        for (int m = 1; m <= 12; ++m) {
            l.KKEloiras(m) = 15000 + i % 100;
            l.KKBefizetes(m) = 15000;
            l.HEloiras(m) = 3200;
            l.HaviFogyasztas1(m) = static_cast<std::int16_t>(i % 7);
        }
        l.ElozoAllas(1) = 100;
        l.UtolsoAllas(1) = static_cast<std::int16_t>(110 + i % 5);
        for (int r = 2; r <= 4; ++r) l.Lakok.Nev(r) = QStringLiteral("Családtag %1").arg(r);
        flats.push_back(l);
    }
    return flats;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    TestFolder data;
    data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
    data.writeApartments(QStringLiteral("2026"), sampleYear(count));
    const QString path = data.folder().yearFile(QStringLiteral("2026"), files::Lakasok);
    ScriptedDialogs dialogs;

    // The plain read: the whole file in blocks of a megabyte, nothing decoded.
    const double plain = measure(9, [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        std::vector<char> block(1 << 20);
        volatile qint64 total = 0;
        for (qint64 n; (n = f.read(block.data(), qint64(block.size()))) > 0;) total = total + n;
    });
    const double engine = measure(9, [&] { readApartmentList(data.folder(), QStringLiteral("2026")); });

    frmKezdo w{data.folder()};
    const double window = measure(5, [&] { w.LakasokBeolvas(); });
    int row = 0;
    const double select = measure(21, [&] {
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
