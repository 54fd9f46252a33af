// The apartment list and the actions that refresh it, on years of 10 000 and
// 50 000 apartments, each timed in the running main window (offscreen) and
// in the engine, beside two references on the same file in the same run: a
// plain read and a crash-safe copy (read, write, fsync, rename).
//
// Run: QT_QPA_PLATFORM=offscreen ./bench/bench_apartmentlist [--runs N] [--dir FOLDER] [apartments ...]
// Prints a table of medians in milliseconds with the ratios to the plain
// read and to the copy, and the peak resident memory of the process.

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "ledger/ledger.h"
#include "ledger/water.h"
#include "register/apartmentlist.h"
#include "register/search.h"
#include "store/recordfile.h"
#include "support/mainwindow.h"
#include "support/scripteddialogs.h"
#include "windows/frmKezdo/frmKezdo.h"

namespace {

const QString kYear = QStringLiteral("2026");

// ---- the sample year ------------------------------------------------------

// Writes a year of `count` apartments straight to the file, a block at a
// time, so that the bench itself holds no copy of it.
void writeSampleYear(const QString& path, int count) {
    static const char* const surnames[] = {"Nagy",   "Kovács", "Tóth",    "Szabó",  "Horváth", "Varga",   "Kiss",
                                           "Molnár", "Németh", "Farkas",  "Balogh", "Papp",    "Takács",  "Juhász",
                                           "Lakatos", "Mészáros", "Oláh", "Simon",  "Rácz",    "Fekete",  "Szilágyi",
                                           "Török",  "Fehér",  "Balázs",  "Gál",    "Kis",     "Szűcs",   "Kocsis"};
    static const char* const givens[] = {"Péter", "Ilona",  "Árpád", "Erzsébet", "László", "Zsuzsanna", "István",
                                         "Katalin", "Gábor", "Éva",   "Zoltán",   "Mária",  "Ödön",      "Anna",
                                         "Ferenc", "Judit",  "Tamás", "Ágnes",    "Gyula",  "Őrsike"};
    static const char* const streets[] = {"Rózsa utca", "Fő utca", "Kossuth Lajos tér", "Petőfi Sándor utca",
                                          "Árpád út",   "Szőlő köz", "Dózsa György út", "Liget sor",
                                          "Zöldfa utca", "Óbudai rakpart", "Csokonai utca", "Gyöngyvirág utca"};
    constexpr int nSurnames = std::size(surnames), nGivens = std::size(givens), nStreets = std::size(streets);
    // Names mostly distinct, as in a real house: a surname and one or two
    // given names.
    const auto name = [&](int i) {
        QString n = QString::fromUtf8(surnames[i % nSurnames]) + QLatin1Char(' ') +
                    QString::fromUtf8(givens[(i / nSurnames) % nGivens]);
        if (i % 5 != 0) n += QLatin1Char(' ') + QString::fromUtf8(givens[(i / (nSurnames * nGivens) + i) % nGivens]);
        return n;
    };
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        Lakas l;
        const int residents = 1 + i % 4;
        for (int r = 1; r <= residents; ++r) l.Lakok.Nev(r) = name(i + (r - 1) * 7919);
        if (i % 97 == 0) l.Lakok.Nev(1) = QString();  // an apartment without residents
        l.Irsz = 1000 + i % 900;
        l.Helyseg = QStringLiteral("Budapest");
        l.Utca = QString::fromUtf8(streets[(i / 40) % nStreets]);
        l.Hsz = QString::number(1 + (i / 40) % 150) + (i % 3 == 0 ? QStringLiteral("/A") : QString());
        l.Ajto = QStringLiteral("%1/%2").arg(i % 10).arg(1 + i % 4);
        l.Epulet = QStringLiteral("%1. ház").arg(1 + (i / 40) % 50);
        l.Alapterulet = static_cast<std::int16_t>(35 + i % 80);
        l.KozosKoltseg = 12000 + (i % 80) * 250;
        l.SzemetDij = 3200;
        for (int m = 1; m <= 12; ++m) {
            l.KKEloiras(m) = l.KozosKoltseg;
            l.HEloiras(m) = l.SzemetDij;
            if (m <= 5 + i % 7) {
                l.KKBefizetes(m) = l.KozosKoltseg;
                l.HBefizetes(m) = l.SzemetDij;
                l.KKBefizDatum(m) = l.HBefizDatum(m) = Date::fromQDate(QDate(2026, m, 10));
            }
            l.HaviFogyasztas1(m) = static_cast<std::int16_t>(2 + i % 5);
            l.HaviFogyasztas3(m) = static_cast<std::int16_t>(1 + i % 3);
        }
        l.KKEloiras(13) = (i % 5 == 0) ? 15000 : 0;
        for (int k = 1; k <= 4; ++k) {
            l.ElozoAllas(k) = static_cast<std::int16_t>(100 * k + i % 50);
            l.UtolsoAllas(k) = static_cast<std::int16_t>(100 * k + i % 50 + 3 + i % 9);
        }
        l.LeadasDatum = Date::fromQDate(QDate(2026, 4, 30));
        block += RecordFile<Lakas>::encode(l);
        if (block.size() >= (1 << 20) || i == count - 1) {
            f.write(block);
            block.clear();
        }
    }
}

// ---- timing ----------------------------------------------------------------

// The other reference: a crash-safe copy of the file (written beside,
// fsynced, renamed, folder fsynced).
void crashSafeCopy(const QString& path) {
    const QByteArray from = QFile::encodeName(path);
    const QByteArray tmp = from + ".copy.tmp", to = from + ".copy";
    const int in = ::open(from.constData(), O_RDONLY);
    const int out = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> block(1 << 20);
    for (ssize_t n; (n = ::read(in, block.data(), block.size())) > 0;)
        if (::write(out, block.data(), size_t(n)) != n) qFatal("copy failed");
    ::fsync(out);
    ::close(out);
    ::close(in);
    ::rename(tmp.constData(), to.constData());
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    ::fsync(dir);
    ::close(dir);
}

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// ---- the window --------------------------------------------------------------

// Lets the window finish what the action started (layout, the paint of
// what changed): a few rounds, since a layout done in one round asks for
// its paint in the next.
void settle() {
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
}


// ---- one year ----------------------------------------------------------------

struct Row {
    std::string action;
    std::map<int, double> ms;  // per size
};

class Table {
public:
    void add(const std::string& action, int size, double ms) {
        auto it = std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.action == action; });
        if (it == rows_.end()) it = rows_.insert(rows_.end(), Row{action, {}});
        it->ms[size] = ms;
    }
    double at(const std::string& action, int size) const {
        for (const Row& r : rows_)
            if (r.action == action) return r.ms.at(size);
        return 0;
    }
    void print(const std::vector<int>& sizes, const std::map<int, long>& peakKb) const {
        std::printf("\n| action |");
        for (int s : sizes) std::printf(" %d: ms | x read | x copy |", s);
        std::printf("\n|---|");
        for (size_t i = 0; i < sizes.size(); ++i) std::printf("---|---|---|");
        std::printf("\n");
        for (const Row& r : rows_) {
            std::printf("| %s |", r.action.c_str());
            for (int s : sizes) {
                const double ms = r.ms.count(s) ? r.ms.at(s) : 0;
                std::printf(" %.1f | %.1f | %.2f |", ms, ms / at(kRead, s), ms / at(kCopy, s));
            }
            std::printf("\n");
        }
        std::printf("| peak resident memory (MB) |");
        for (int s : sizes) std::printf(" %.0f | | |", double(peakKb.at(s)) / 1024.0);
        std::printf("\n");
    }
    static constexpr const char* kRead = "plain read of the file (1 MB blocks)";
    static constexpr const char* kCopy = "crash-safe copy of the file (read, write, fsync, rename)";

private:
    std::vector<Row> rows_;
};

void measureYear(int count, int runs, const QString& base, Table& table) {
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_apartmentlist-XXXXXX")));
    if (!dir.isValid()) qFatal("no temporary folder in %s", qPrintable(base));
    const DataFolder folder(dir.path());
    QDir(dir.path()).mkpath(kYear);
    const QString path = folder.yearFile(kYear, files::Lakasok);
    writeSampleYear(path, count);
    const auto storeYear = [&](const char* year) {
        QFile set(folder.file(files::Set));
        set.open(QIODevice::WriteOnly);
        set.write(QByteArray(year, 4) + QByteArray(2, '\0'));
    };
    const QString pristine = path + QStringLiteral(".sample");
    QFile::copy(path, pristine);
    // The sample year again, flushed, so that the next action finds readings
    // to set forward and no earlier write is still on its way to the disk.
    const auto restore = [&] {
        QFile::remove(path);
        QFile::copy(pristine, path);
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        ::fsync(fd);
        ::close(fd);
        bench::plainRead(path);
    };
    bench::plainRead(path);  // into the page cache
    const SearchCriteria byName{QStringLiteral("kov"), {}, {}, {}, {}};
    std::printf("%d apartments, Lakasok.dat %.1f MB in %s, median of %d runs; the search finds %zu\n", count,
                count * 2193 / 1e6, qPrintable(dir.path()), runs, searchApartments(folder, kYear, byName).rows.size());
    std::fflush(stdout);

    const auto add = [&](const std::string& action, double ms) { table.add(action, count, ms); };
    add(Table::kRead, bench::median(runs, [&] { bench::plainRead(path); }));
    add(Table::kCopy, bench::median(runs, [&] { crashSafeCopy(path); }));

    // The engine alone.
    add("engine: list pass (readApartmentList)", bench::median(runs, [&] { readApartmentList(folder, kYear); }));
    add("engine: search by name",
        bench::median(runs, [&] { searchApartments(folder, kYear, byName); }));
    int rec = 0;
    const auto nextRec = [&] { return rec = 1 + (rec + 997) % count; };
    add("engine: payment (ledger::pay)", bench::median(runs, [&] {
            ledger::pay(folder, kYear, nextRec(), ledger::Kind::KozosKoltseg, 7, 100, QDate(2026, 7, 1));
        }));
    water::Readings readings;
    readings.elozo(1) = 100, readings.utolso(1) = 120;
    add("engine: water reading (water::recordReadings)", bench::median(runs, [&] {
            water::recordReadings(folder, kYear, nextRec(), readings, QDate(2026, 5, 31));
        }));
    add("engine: charge for all (ledger::charge)", bench::median(runs, [&] {
            ledger::charge(folder, kYear, 1, ledger::Kind::Szemetdij, 1 + rec++ % 12, true);
        }));
    add("engine: \"Leadás\" for all (water::setForward)",
        bench::median(runs, restore, [&] { water::setForward(folder, kYear, 1, true); }));
    restore();

    // The running window. First a window opened on another year, then this
    // year typed: its list has no sort keys yet.
    ScriptedDialogs dialogs;
    storeYear("2025");
    std::unique_ptr<frmKezdo> fresh;
    add("year typed in a new window (list, keys, first apartment)", bench::median(runs, [&] {
            fresh = std::make_unique<frmKezdo>(folder);
            fresh->show();
            settle();
        }, [&] {
            fresh->txtEv->setText(kYear);
            settle();
        }));
    fresh.reset();
    storeYear("2026");
    frmKezdo w{folder};
    w.show();
    settle();
    add("list load (LakasokBeolvas) with its paint", bench::median(runs, [&] {
            w.LakasokBeolvas();
            settle();
        }));
    add("header click \"Utca\" after a load (re-sort)", bench::median(runs, [&] {
            w.LakasokBeolvas();
            clickHeader(w, 0);
            settle();
        }, [&] {
            clickHeader(w, 1);
            settle();
        }));
    add("header click back to \"Lakó neve\"", bench::median(runs, [&] {
            clickHeader(w, 1);
            settle();
        }, [&] {
            clickHeader(w, 0);
            settle();
        }));
    add("search by name", bench::median(runs, [&] {
            w.LakasokBeolvas();
            w.txtNevKeres->setText(QStringLiteral("kov"));
            settle();
        }, [&] {
            w.cmdKeres->click();
            settle();
        }));
    w.txtNevKeres->clear();
    w.LakasokBeolvas();
    settle();

    const auto chooseApartment = [&] {
        selectRecord(w, nextRec());
        settle();
    };
    add("water reading (button)", bench::median(runs, [&] {
            chooseApartment();
            w.txtUtolso[1]->setText(QString::number(w.txtElozo[1]->text().toInt() + 7));
            dialogs.answers = {true};
        }, [&] {
            w.cmdKozmuModosit->click();
            settle();
        }));
    const auto chooseLedgerRow = [&](int month) {
        w.ListView3->setCurrentItem(w.ListView3->topLevelItem(month - 1));
        settle();
    };
    add("payment (button)", bench::median(runs, [&] {
            chooseApartment();
            chooseLedgerRow(8);
            w.txtKozoskBefizet->setText(QStringLiteral("1000"));
            dialogs.answers = {true};
        }, [&] {
            w.cmdKozoskBefiz->click();
            settle();
        }));
    int month = 0;
    add("charge for all (button)", bench::median(runs, [&] {
            chooseApartment();
            chooseLedgerRow(1 + month++ % 12);
            w.opEloiras[1]->setChecked(true);
            dialogs.answers = {true};
        }, [&] {
            w.cmdKozoskEloiras->click();
            settle();
        }));
    add("\"Leadás\" for all (button)", bench::median(runs, [&] {
            restore();
            w.opVizLeadas[1]->setChecked(true);
            dialogs.answers = {true};
        }, [&] {
            w.cmdLeadas->click();
            settle();
        }));
    for (const ScriptedDialogs::Shown& shown : dialogs.shown)  // every action was meant to succeed
        if (shown.kind == QLatin1String("message")) std::printf("message: %s\n", qPrintable(shown.text));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int runs = 33;
    QString base = QDir::tempPath();
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (a == QLatin1String("--dir") && i + 1 < argc)
            base = QString::fromLocal8Bit(argv[++i]);
        else
            sizes.push_back(a.toInt());
    }
    if (sizes.empty()) sizes = {10000, 50000};
    Table table;
    std::map<int, long> peakKb;
    for (int count : sizes) {
        measureYear(count, runs, base, table);
        peakKb[count] = peakResidentKb();
    }
    table.print(sizes, peakKb);
    return 0;
}
