// Screenshots of the letter windows: the designer with a template and a
// picture, the picture picker and the print journal.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

#include "letters/journal.h"
#include "letters/picture.h"
#include "letters/templates.h"
#include "windows/frmErtesito.h"
#include "windows/frmKezdo/frmKezdo.h"
#include "windows/frmNaplo.h"
#include "windows/kep_browse.h"

namespace {

// A small logo: a house in a circle.
QImage logo() {
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(10, 10, 180, 180));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{100, 40}, {160, 95}, {40, 95}}));
    p.drawRect(55, 95, 90, 65);
    p.setPen(QColor(40, 90, 160));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 26, QFont::Bold));
    p.drawText(QRect(195, 60, 100, 80), Qt::AlignCenter, QStringLiteral("KÉV"));
    return img;
}

}  // namespace

void letterScreenshots(const DataFolder& folder, const QString& year, frmKezdo& main, const QString& out) {
    using namespace letters;
    const QString pictures = QDir(folder.root()).filePath(QStringLiteral("Képek"));
    QDir().mkpath(pictures);
    logo().save(QDir(pictures).filePath(QStringLiteral("logo.bmp")));
    logo().mirrored(true, false).save(QDir(pictures).filePath(QStringLiteral("csekk.jpg")));
    logo().save(QDir(pictures).filePath(QStringLiteral("fejléc.gif")));
    QDir(pictures).mkdir(QStringLiteral("Régi"));
    writeLastFolder(folder, pictures);

    Design d;
    d.fejlec = QStringLiteral("EGYENLEG ÉRTESÍTŐ");
    d.szoveg2 = QStringLiteral(
        "Tisztelt Tulajdonos!\n\nÉrtesítjük, hogy nyilvántartásunk szerint a lakásának\n"
        "közösköltség és hulladékdíj egyenlege az alábbi:");
    d.szoveg1 =
        QStringLiteral("Kérjük, tartozását 15 napon belül rendezze.\nKöszönjük együttműködését!\n\nA közös képviselő");
    d.kkFelirat = QStringLiteral("Közösköltség tartozás: ");
    d.hFelirat = QStringLiteral("Hulladék díj tartozás: ");
    d.fontName = QStringLiteral("Times New Roman");
    d.fontSize = 12;
    d.paper = Paper::A4;
    saveTemplate(folder, d, QStringLiteral("Felszólítás 2026"));
    saveTemplate(folder, d, QStringLiteral("Éves egyenleg"));
    saveSavedPicture(folder, SavedPicture{QDir(pictures).filePath(QStringLiteral("logo.bmp")), 5200, 9300, 1845, 1230});

    {
        frmErtesito w(ErtesitoInputs{folder, year, 1, main.listedRecords(), main.lbKKTartozas->text(),
                                     main.lbHullTartozas->text()},
                      &main);
        w.chkLogo->setChecked(true);
        w.resize(1340, 690);  // a 1366 x 768 screen less the panel and the window frame
        w.show();
        QApplication::processEvents();
        w.grab().save(QDir(out).filePath(QStringLiteral("frmErtesito.png")));
    }
    {
        kep_browse w(folder, &main);
        w.show();
        w.File1->setCurrentRow(1);
        QApplication::processEvents();
        w.grab().save(QDir(out).filePath(QStringLiteral("kep_browse.png")));
        w.reject();
    }
    {
        std::vector<Naplo> recs;
        const QStringList names{QStringLiteral("Kovács Péter"), QStringLiteral("Szűcs Erzsébet"),
                                QStringLiteral("Ábrahám Ödön"), QStringLiteral("Nagy Ilona")};
        for (int i = 0; i < names.size(); ++i) {
            Naplo n;
            n.LakoNev = names[i];
            n.LakasCim = QStringLiteral("Rózsa utca 12 %1/%2").arg(i / 2 + 1).arg(i % 2 + 1);
            n.Nyomtatva = Date::fromQDate(QDate(2026, 3, 2 + i));
            n.NyomtatvanyNev = QStringLiteral("Felszólítás 2026");
            n.Hatralek = 15400 + 3100 * i;
            n.Befizetve = i % 2 ? 5000 : 0;
            recs.push_back(n);
        }
        writeJournal(folder, year, 0, recs);
        frmNaplo w(folder, year, &main);
        w.resize(900, 560);
        w.show();
        QApplication::processEvents();
        w.grab().save(QDir(out).filePath(QStringLiteral("frmNaplo.png")));
    }
}
