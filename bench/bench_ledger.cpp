// Times the ledger and meter operations on a year of 10,000 apartments:
//   bench_ledger [FOLDER]   (the sample year is made in a temporary folder
//                            inside FOLDER, by default the system's)
// Each figure is the median and the slowest of several runs, in milliseconds.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ledger/ledger.h"
#include "ledger/water.h"
#include "store/recordfile.h"

namespace {

const QString kYear = QStringLiteral("2026");

void measure(const char* what, int runs, const std::function<bool(int)>& step) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!step(i)) {
            std::printf("%-44s FAILED\n", what);
            return;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms   slowest %7.1f ms   (%d runs)\n", what, ms[ms.size() / 2], ms.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_ledger-XXXXXX")));
    if (!dir.isValid()) return 1;
    const DataFolder folder(dir.path());
    QDir(dir.path()).mkpath(kYear);

    constexpr int kApartments = 10000;
    std::vector<Lakas> flats(kApartments);
    for (int i = 0; i < kApartments; ++i) {
        Lakas& l = flats[size_t(i)];
        l.Lakok.Nev(1) = QStringLiteral("Lakó %1").arg(i + 1);
        l.Helyseg = QStringLiteral("Budapest");
        l.Utca = QStringLiteral("Fő utca");
        l.Hsz = QString::number(i / 100 + 1);
        l.Ajto = QString::number(i % 100 + 1);
        l.KozosKoltseg = 10000 + i;
        l.SzemetDij = 3000;
        for (int m = 1; m <= 12; ++m) {
            l.KKEloiras(m) = l.KozosKoltseg;
            l.HEloiras(m) = l.SzemetDij;
            l.KKBefizetes(m) = m <= 6 ? l.KozosKoltseg : 0;
            l.HaviFogyasztas1(m) = 5;
        }
        l.UtolsoAllas(1) = 130;
        l.ElozoAllas(1) = 120;
    }
    if (!RecordFile<Lakas>(folder.yearFile(kYear, files::Lakasok)).replaceAll(flats)) return 1;
    std::printf("%d apartments, Lakasok.dat %.1f MB, in %s\n", kApartments, kApartments * 2193 / 1e6,
                qPrintable(dir.path()));

    // A check of the recount: every apartment owes July to December, 6 x (10000 + i).
    const auto check = ledger::pay(folder, kYear, 1, ledger::Kind::KozosKoltseg, 7, 0, QDate(2026, 7, 1));
    std::printf("arrears of all apartments: %lld Ft (expected %lld)\n", static_cast<long long>(check.arrears->all),
                6LL * (10000LL * kApartments + (kApartments - 1LL) * kApartments / 2));
    measure("payment with its arrears recount", 21, [&](int i) {
        const auto r = ledger::pay(folder, kYear, 1 + i * 400, ledger::Kind::KozosKoltseg, 7, 5000, QDate(2026, 7, 1));
        return r.ok() && r.arrears;
    });
    measure("charge of every apartment with arrears", 11,
            [&](int i) { return ledger::charge(folder, kYear, 5000, ledger::Kind::Szemetdij, 1 + i % 12, true).ok(); });
    measure("charge of one apartment with arrears", 21, [&](int i) {
        return ledger::charge(folder, kYear, 1 + i * 400, ledger::Kind::KozosKoltseg, 8, false).ok();
    });
    measure("previous-year debt with arrears", 21, [&](int i) {
        return ledger::setPreviousYearDebt(folder, kYear, 1 + i * 400, ledger::Kind::KozosKoltseg, 1000 + i).ok();
    });
    measure("reading date change (month totals)", 21,
            [&](int i) { return water::monthTotals(folder, kYear, 1 + i, 1 + i % 12).has_value(); });
    measure("\"Leadás\" for every apartment", 11, [&](int) { return water::setForward(folder, kYear, 1, true).ok(); });
    return 0;
}
