#pragma once
// What the benchmarks share: the timing of several runs and a sample year.

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

#include "store/records.h"
#include "support/testfolder.h"

namespace bench {

// Median and slowest of several runs, in milliseconds; `prepare` (untimed)
// runs before each.
struct Times {
    double median, slowest;
};
inline Times times(int runs, const std::function<void()>& prepare, const std::function<void()>& fn) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        fn();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}
inline double median(int runs, const std::function<void()>& prepare, const std::function<void()>& fn) {
    return times(runs, prepare, fn).median;
}
inline double median(int runs, const std::function<void()>& fn) {
    return median(runs, {}, fn);
}

// The plain read the figures are compared with: the files whole in blocks of
// a megabyte, nothing decoded.
inline void plainRead(const QStringList& paths) {
    std::vector<char> block(1 << 20);
    for (const QString& path : paths) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
        volatile qint64 total = 0;
        for (qint64 n; (n = f.read(block.data(), qint64(block.size()))) > 0;) total = total + n;
    }
}
inline void plainRead(const QString& path) {
    plainRead(QStringList{path});
}

// A year of `count` apartments with four residents each, charges and
// payments of every month (most apartments slightly in debt) and readings.
inline std::vector<Lakas> sampleYear(int count) {
    const QStringList surnames{"Kovács", "Szabó", "Tóth",   "Nagy",   "Horváth",
                               "Kiss",   "Varga", "Molnár", "Németh", "Farkas"};
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

}  // namespace bench
