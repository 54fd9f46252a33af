#include "letter.h"

#include <cmath>

#include "ledger/ledger.h"
#include "letters/picture.h"
#include "register/apartmentlist.h"
#include "reports/printersurface.h"
#include "store/conversions.h"

namespace letters {

QString padCaption(const QString& caption) {
    const auto length = caption.size();
    const int blanks = length < 7 ? 8 : length == 7 ? 6 : length == 8 ? 4 : length == 9 ? 2 : 0;
    return QString(blanks, QLatin1Char(' ')) + caption;
}

QString letterAmount(std::int64_t amount) {
    return padCaption(conv::forintText(amount));
}

AmountTexts amountsFromCaptions(const QString& kkCaption, const QString& hCaption) {
    const auto total = std::llround(conv::numericValue(kkCaption)) + std::llround(conv::numericValue(hCaption));
    return {padCaption(kkCaption), padCaption(hCaption), letterAmount(total)};
}

std::int64_t kkArrears(const Lakas& l) {
    return ledger::arrears(l, ledger::Kind::KozosKoltseg, 13);
}
std::int64_t hArrears(const Lakas& l) {
    return ledger::arrears(l, ledger::Kind::Szemetdij, 13);
}

QString nameLine(const Lakas& l) {
    return QStringLiteral("Név: ") + l.Lakok.Nev(1).text();
}
QString addressText(const Lakas& l) {
    return QStringLiteral("Cím: ") + ::addressLine(l);
}
QString placeAndDate(const Lakas& l, const QString& date) {
    return l.Helyseg.text() + QStringLiteral(", ") + date;
}

void fillApartment(LetterPage& page, const Lakas& l) {
    const std::int64_t kk = kkArrears(l), h = hArrears(l);
    page.texts[NevSor] = nameLine(l);
    page.texts[CimSor] = addressText(l);
    page.texts[KKOsszeg] = letterAmount(kk);
    page.texts[HOsszeg] = letterAmount(h);
    page.texts[OsszesenOsszeg] = letterAmount(kk + h);
}

void setUpPrinter(PrinterSurface& s, const LetterPage& page) {
    s.setScaleMode(PrinterSurface::Millimetres);
    s.setFontSize(page.fontSize);
    s.setFontName(page.fontName.trimmed());
    s.setOrientation(page.landscape ? PrinterSurface::Landscape : PrinterSurface::Portrait);
}

void printLetter(PrinterSurface& s, const LetterPage& page) {
    for (int i = 0; i < FieldCount; ++i) {
        const QString& text = page.texts[size_t(i)];
        if (text.trimmed().isEmpty()) continue;
        const double x = printPosition(page.positions[size_t(i)].left, page.xKorr);
        const double y = printPosition(page.positions[size_t(i)].top, page.yKorr);
        if (!isTextBlock(i)) {
            s.setCurrentX(x);
            s.setCurrentY(y);
            s.print({text});
            continue;
        }
        // A text block prints line by line, each line trimmed, from (x, y) down.
        const QStringList lines = text.trimmed().split(QLatin1Char('\n'));
        double lineY = y;
        for (int k = 0; k < lines.size(); ++k) {
            s.setCurrentX(x);
            s.setCurrentY(lineY);
            s.print({lines[k].trimmed()}, k == lines.size() - 1);
            lineY += s.lineHeight();
        }
    }
    if (page.picture.print && !page.picture.path.isEmpty()) {
        const PictureBox b = pictureBox(page.picture);
        s.paintPicture(page.picture.path, b.x, b.y, b.width, b.height);
    }
}

PictureBox pictureBox(const LetterPicture& p) {
    return {double(positionMm(p.left) - 3), double(positionMm(p.top) - 4), 10.0 * printCm(p.width),
            10.0 * printCm(p.height)};
}

}  // namespace letters
