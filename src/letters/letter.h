#pragma once
// One balance letter: the texts filled from an apartment, the padded
// amounts, and the layout printed over a PrinterSurface: the twelve fields at
// the places they were dragged to on the page picture, moved by the user's
// corrections, and the picture when it is to be printed.

#include <QString>
#include <array>
#include <cstdint>

#include "letters/design.h"
#include "store/records.h"

class PrinterSurface;

namespace letters {

// Pads an arrears caption ("12345,-Ft") on the left by its length L: eight
// blanks when L < 7, six when L = 7, four when 8, two when 9, none above, so
// that the amounts line up in a monospaced face.
QString padCaption(const QString& caption);
// An amount as a letter prints it: the number (its sign counted in its
// length) padded as above, then ",-Ft". 12345 -> "  12345,-Ft".
QString letterAmount(std::int64_t amount);

// The three amount texts of a letter: common cost, waste fee, total.
struct AmountTexts {
    QString kk, h, total;
};
// From the main window's arrears captions, for the selected apartment: each
// caption padded by its length, the total from their numeric values.
AmountTexts amountsFromCaptions(const QString& kkCaption, const QString& hCaption);
// The arrears of an apartment over the twelve months and the previous-year
// row of both charges.
std::int64_t kkArrears(const Lakas& l);
std::int64_t hArrears(const Lakas& l);

// "Név: " + the first resident; "Cím: " + postal code, town, street, house
// number and door; town + ", " + the date.
QString nameLine(const Lakas& l);
QString addressText(const Lakas& l);
QString placeAndDate(const Lakas& l, const QString& date);

// The picture of a letter, on the page picture in twips.
struct LetterPicture {
    bool print = false;  // "Kép, logó nyomtatása"
    QString path;
    double left = 0, top = 0, width = 0, height = 0;
};

// Everything a letter prints.
struct LetterPage {
    std::array<QString, FieldCount> texts;
    Positions positions = defaultPositions();
    int xKorr = 0, yKorr = 0;  // millimetres
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 12;
    bool landscape = false;
    LetterPicture picture;
};

// Puts an apartment's name, address and amounts into fields 2, 3, 7, 8, 11.
void fillApartment(LetterPage& page, const Lakas& l);

// Millimetres, scale, font and orientation for the letters.
void setUpPrinter(PrinterSurface& s, const LetterPage& page);
// Prints one letter's fields and picture (the document is not ended).
void printLetter(PrinterSurface& s, const LetterPage& page);

// Where the picture prints, in millimetres: its position captions (whole
// millimetres of the page picture at 36.5 twips) less 3 and 4, and ten times
// its print size in centimetres (page twips / 380, four decimals).
struct PictureBox {
    double x, y, width, height;
};
PictureBox pictureBox(const LetterPicture& p);

}  // namespace letters
