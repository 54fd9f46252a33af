#pragma once
// The picture of a letter (a logo or the image of a postal cheque): its size
// and position on the page picture, the saved picture in Kepment.dat, the
// picker's last folder in browse.pat, the picker's file lists and the texts
// of its error box.

#include <QString>
#include <QStringList>
#include <optional>

#include "letters/design.h"
#include "store/datafolder.h"

namespace letters {

// Sides of the square boxes a picture is fitted into, in twips.
constexpr double PreviewSide = 4215;   // the picker's preview
constexpr double AcceptedSide = 1845;  // a picture just accepted from the picker
constexpr int SliderMinimum = 500;

struct PictureSize {
    double width = 0;
    double height = 0;
};
// Fits a picture of w x h into a square of side `side`: its longer side
// becomes `side`, the other in proportion.
PictureSize fitInSquare(double w, double h, double side);
// The largest side the slider offers: the picture, fitted into a square of
// that side, still fits the page picture (at least SliderMinimum).
int sliderMaximum(double w, double h, const PageSize& page);

// The print size in centimetres of a side shown `twips` long: twips / 380,
// to four decimals.
double printCm(double twips);
// The size caption: the print size formatted "##.0" followed by " cm".
QString sizeCaption(double twips, const QLocale& locale = QLocale());
// The position captions: page twips / 36.5 in whole millimetres.
int positionMm(double twips);

// The saved picture: its file and its place and size on the page picture.
struct SavedPicture {
    QString path;
    double left = 0, top = 0, width = 0, height = 0;  // twips
};
// Record 1 of Kepment.dat; nothing when there is none (a missing file is
// created empty).
std::optional<SavedPicture> readSavedPicture(const DataFolder& folder);
// Writes record 1, keeping the bytes never interpreted. Returns the message
// to show when it could not be saved (a path the file cannot hold, a place
// beyond its range, a failed write), else "".
QString saveSavedPicture(const DataFolder& folder, const SavedPicture& picture);

// The picker's last folder (browse.pat); "" when none is stored.
QString readLastFolder(const DataFolder& folder);
bool writeLastFolder(const DataFolder& folder, const QString& path);

// The name filters of the file list: picture files or all files; a search
// text lists the JPG files whose names hold it.
QStringList pickerFilters(bool pictureFiles, const QString& search = QString());
// The subfolders and the files matching the filters (letter case ignored)
// of a folder, in Hungarian alphabetical order.
QStringList subfolders(const QString& folder);
QStringList matchingFiles(const QString& folder, const QStringList& filters);
// With the preview off a file is taken by its name: it ends in JPG, GIF or
// BMP in any letter case.
bool hasPictureExtension(const QString& fileName);

// The error box of the picture windows, "! H I B A ! ": the line for the
// error number, the number and the system's description.
namespace hiba {
constexpr int InvalidCall = 5;
constexpr int OutOfMemory = 7;
constexpr int TypeMismatch = 13;  // a file that is not a picture
constexpr int CannotContinue = 17;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceUnavailable = 68;
constexpr int DiskNotReady = 71;
constexpr int PathNotFound = 76;
inline const QString Title = QStringLiteral("! H I B A ! ");
QString text(int code, const QString& description);
}  // namespace hiba

}  // namespace letters
