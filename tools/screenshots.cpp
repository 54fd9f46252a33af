// Renders the windows over a sample data folder into PNG files:
//   domoria_screenshots OUTPUT_FOLDER
// Run with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/startup.h"
#include "book/book.h"
#include "store/backup.h"
#include "store/recordfile.h"
#include "support/testfolder.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/frmKiadBevet.h"
#include "windows/frmVisszatoltes.h"

void letterScreenshots(const DataFolder& folder, const QString& year, frmKezdo& main, const QString& out);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    startup::setHungarian(app);
    startup::registerFontSubstitutions();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    TestFolder data;
    data.writeBuildings({makeEpulet(QStringLiteral("Rózsa utca 12."), 300), makeEpulet(QStringLiteral("Őszirózsa ház"), 280)});
    data.writeStatuses({QStringLiteral("tulajdonos"), QStringLiteral("bérlő"), QStringLiteral("családtag")});
    data.writeBytes(QStringLiteral("Set.dat"), QByteArray("2026\0\0", 6));
    const QStringList names{QStringLiteral("Kovács Péter"), QStringLiteral("Szűcs Erzsébet"), QStringLiteral("Ábrahám Ödön"),
                            QStringLiteral("Nagy Ilona"), QStringLiteral("Csizmadia Géza"), QStringLiteral("Tóth Gyöngyi")};
    std::vector<Lakas> flats;
    for (int i = 0; i < names.size(); ++i) {
        Lakas l = makeLakas(names[i], QStringLiteral("Rózsa utca"), QStringLiteral("12"), QStringLiteral("%1/%2").arg(i / 2 + 1).arg(i % 2 + 1));
        l.Epulet = QStringLiteral("Rózsa utca 12.");
        l.Alapterulet = static_cast<std::int16_t>(48 + i * 7);
        l.KozosKoltseg = l.Alapterulet * 300;
        l.SzemetDij = 3200;
        l.Telefon = QStringLiteral("06-30-123-45%1").arg(i);
        l.Email = QStringLiteral("lako%1@example.hu").arg(i);
        l.Megj = QStringLiteral("Kulcs a gondnoknál.");
        l.Lakok.Statusz(1) = QStringLiteral("tulajdonos");
        l.Lakok.Bejelentve(1) = Date::fromQDate(QDate(2019, 4, 1 + i));
        l.Lakok.AnyjaNeve(1) = QStringLiteral("Szabó Mária");
        l.Lakok.SzulHelye(1) = QStringLiteral("Debrecen");
        l.Lakok.SzulIdeje(1) = QStringLiteral("1961.05.0%1").arg(i + 1);
        l.Lakok.Nev(2) = QStringLiteral("Kovács Anna");
        l.Lakok.Statusz(2) = QStringLiteral("családtag");
        l.Lakok.Bejelentve(2) = Date::fromQDate(QDate(2020, 9, 15));
        l.VizoraSzam(1) = QStringLiteral("HV-1001%1").arg(i);
        l.VizoraSzam(3) = QStringLiteral("MV-2001%1").arg(i);
        l.ElozoAllas(1) = 120;
        l.UtolsoAllas(1) = 135;
        l.HaviFogyasztas1(3) = 15;
        for (int m = 1; m <= 3; ++m) {
            l.KKEloiras(m) = l.KozosKoltseg;
            l.HEloiras(m) = l.SzemetDij;
        }
        l.KKBefizetes(1) = l.KozosKoltseg;
        l.KKBefizDatum(1) = Date::fromQDate(QDate(2026, 1, 10));
        l.KKEloiras(13) = 5000;
        l.Pince = i % 2 == 0;
        l.PinceDij = l.Pince ? 1500 : 0;
        flats.push_back(l);
    }
    data.writeApartments(QStringLiteral("2026"), flats);

    frmKezdo w{data.folder()};
    w.resize(1340, 720);
    w.show();
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    QApplication::processEvents();
    for (int page = 0; page < w.SSTab1->count(); ++page) {
        w.SSTab1->setCurrentIndex(page);
        QApplication::processEvents();
        w.grab().save(QDir(out).filePath(QStringLiteral("frmKezdo-%1.png").arg(page)));
    }

    // The expense and income book, in both list modes.
    const QStringList items{QStringLiteral("Lépcsőház takarítás"), QStringLiteral("Közös költség befizetések"),
                            QStringLiteral("Villanyszámla (ELMŰ)"), QStringLiteral("Bérleti díj: tetőtéri antenna"),
                            QStringLiteral("Kéményseprés"), QStringLiteral("Kertgondozás")};
    for (int i = 0; i < 24; ++i) {
        KonyvTetel e;
        const bool income = i % 3 == 1;
        (income ? e.Bevetel : e.Kiadas) = income ? 180000 + i * 1000 : 12500 + i * 730;
        e.Datum = Date::fromQDate(QDate(2026, 1 + i / 3, 1 + (i * 7) % 28));
        e.Megnevezes = items[i % items.size()];
        e.Megjegyzes = i % 4 == 0 ? QStringLiteral("számla: %1/2026").arg(100 + i) : QString();
        e.Epulet = i % 5 == 4 ? QStringLiteral("Őszirózsa ház") : QStringLiteral("Rózsa utca 12.");
        book::writeEntry(data.folder(), QStringLiteral("2026"), 0, e);
    }
    {
        frmKiadBevet book(data.folder(), QStringLiteral("2026"));
        book.txtEpuletKeres->setEditText(QStringLiteral("Rózsa utca 12."));
        book.Beolvas();
        book.show();
        QApplication::processEvents();
        book.grab().save(QDir(out).filePath(QStringLiteral("frmKiadBevet-1.png")));
        book.opListak[0]->setChecked(true);
        QApplication::processEvents();
        book.grab().save(QDir(out).filePath(QStringLiteral("frmKiadBevet-0.png")));
    }

    // The restore window over two backups.
    backup::save(data.folder(), QStringLiteral("2026"), QDateTime(QDate(2026, 3, 5), QTime(9, 7)));
    backup::save(data.folder(), QStringLiteral("2026"), QDateTime(QDate(2026, 4, 17), QTime(18, 30)));
    {
        frmVisszatoltes restore(data.folder(), QStringLiteral("2026"));
        restore.show();
        restore.Dir1->setCurrentItem(restore.Dir1->topLevelItem(1));
        QApplication::processEvents();
        restore.grab().save(QDir(out).filePath(QStringLiteral("frmVisszatoltes.png")));
    }
    letterScreenshots(data.folder(), QStringLiteral("2026"), w, out);
    return 0;
}
