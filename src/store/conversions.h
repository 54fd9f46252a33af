#pragma once
// The conversions between texts typed or shown in the windows and the
// numbers and dates of the records.

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

#include "fields.h"

namespace conv {

// The numeric value of a text: the number at its start (blanks, tabs and line
// feeds are skipped anywhere in it, "." is the decimal point, an exponent may
// follow); a text without a leading number is 0.
double numericValue(const QString& text);

// The year a text names: its numeric value when that is a whole number from
// 1 to 9999; nullopt for anything else ("", "abcd", "12.5", "9e99").
std::optional<int> yearNumber(const QString& text);

// The numeric value cut to a whole number; 0 beyond +-10^15, where no year
// or amount of the program lies.
std::int64_t wholeValue(const QString& text);

// A whole number typed as digits with an optional sign and surrounding
// blanks; anything else (letters, decimals, inner blanks) gives nullopt.
std::optional<std::int64_t> parseWholeNumber(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour; nullopt
// when the result does not fit the type (or the value is not finite).
std::optional<std::int16_t> roundToInt16(double value);
std::optional<std::int32_t> roundToInt32(double value);

// A whole number that must fit a 16- or 32-bit field.
std::optional<std::int16_t> wholeNumber16(const QString& text);
std::optional<std::int32_t> wholeNumber32(const QString& text);

// A number as text with one leading blank when it is not negative (" 5", "-5").
QString numberText(std::int64_t value);

// A number laid out by a digit pattern such as "### ### ###" or "### ##0":
// '#' is an optional digit, '0' a required one, every other character is
// shown as it stands; digits beyond the pattern go before it.
QString formatPattern(std::int64_t value, const QString& pattern);

// Pads a text on the left with blanks to the width (a longer text is kept).
QString padLeft(const QString& text, int width);

// An amount followed by ",-Ft", as the arrears labels show it ("-300,-Ft").
QString forintText(std::int64_t value);

// The program's short date form "yyyy. MM. dd."; the empty date gives "".
QString shortDate(const QDate& d);
QString shortDate(const Date& d);
// The date of a text in the short date form; "", "00:00:00" or an unreadable
// text gives the empty date.
Date dateFromText(const QString& text);

}  // namespace conv
