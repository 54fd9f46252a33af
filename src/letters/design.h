#pragma once
// The geometry of the letter designer: the page picture drawn at 36.31 twips
// of screen per millimetre of paper, the twelve text fields placed on it in
// page twips, their ruler captions in millimetres, the fields that move along
// when one is dragged, the paper sizes and the screen size of the fonts.

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace letters {

// Twips of the page picture per millimetre of paper.
constexpr double TervezoArany = 36.31;
// The fixed offset in millimetres between the page picture and the printer's
// printable area.
constexpr double PrintOffsetMm = 6.0;

constexpr int FieldCount = 12;
// The twelve text fields of a letter, by their index.
enum Field {
    Fejlec = 0,            // heading, centred on the page
    Szoveg2 = 1,           // long text block
    NevSor = 2,            // "Név: " + resident
    CimSor = 3,            // "Cím: " + address
    KKFelirat = 4,         // common-cost arrears caption
    HFelirat = 5,          // waste-fee arrears caption
    Szoveg1 = 6,           // text block
    KKOsszeg = 7,          // common-cost arrears amount
    HOsszeg = 8,           // waste-fee arrears amount
    HelyDatum = 9,         // town and date
    OsszesenFelirat = 10,  // total caption
    OsszesenOsszeg = 11,   // total amount
};
// Fields 1 and 6 print line by line.
inline bool isTextBlock(int field) {
    return field == Szoveg2 || field == Szoveg1;
}

// Left and top of a field on the page picture, in twips.
struct Pos {
    double left = 0;
    double top = 0;
    bool operator==(const Pos&) const = default;
};
using Positions = std::array<Pos, FieldCount>;

// Where the fields stand on an A4 page before a template is chosen.
Positions defaultPositions();

// The distance a ruler caption shows: twips / 36.31 rounded to one decimal.
double rulerMm(double twips);
// A number formatted "###.0": one decimal with the locale's separator and no
// leading zero below one (0.5 -> ",5" in Hungarian).
QString oneDecimal(double value, const QLocale& locale = QLocale());
// The ruler caption, formatted "###.0" with the locale's decimal separator
// (1000 twips -> "27.5"; no leading zero below one millimetre).
QString rulerText(double twips, const QLocale& locale = QLocale());
// Where a field prints, in millimetres of the printable area: its ruler
// value - 6 + the correction.
double printPosition(double twips, int correctionMm);

// Moves field `field` by (dx, dy) twips and places the fields that keep in
// line with it: the amounts stay in one column under each other, each
// caption stays on the line of its amount, and the captions of the waste
// fee and the total stay in one column.
void dragField(Positions& p, int field, double dx, double dy);

// The point size the designer shows for a font size of the size box, scaled
// to the page picture: "10" -> 6, "12" -> 7.5, "14" -> 9. Any other text has
// none, and the box goes back to DefaultFontSize.
std::optional<double> screenPoints(const QString& sizeText);
inline const QString DefaultFontSize = QStringLiteral("12");

// Paper kinds as a template stores them.
enum class Paper { None = 0, A4 = 1, A5 = 2, Egyedi = 3 };
struct PageSize {
    double width = 0;  // twips of the page picture
    double height = 0;
};
// The page picture of a paper kind; a custom size is given in millimetres
// and has none when either side is not positive.
std::optional<PageSize> pagePicture(Paper paper, int widthMm = 0, int heightMm = 0);
// The texts the paper boxes show for A4 and A5 (A4 "210" x "296").
struct PaperBoxes {
    int width;
    int height;
};
PaperBoxes paperBoxes(Paper paper);

}  // namespace letters
