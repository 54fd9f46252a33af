#pragma once
// The texts printed in the cells of the reports: amounts right-aligned by
// blanks (printed in a monospaced face) and dates.

#include <QString>
#include <cstdint>

#include "store/fields.h"

namespace printtext {

// Pads a text on the left with blanks to the width; a longer text stays as
// it is (the reports' Helyiertek).
QString Helyiertek(const QString& text, int width);

// An amount laid out by a digit pattern such as "### ##0" or "### ### ##0",
// then padded to the width. A negative amount keeps its minus sign just
// before the first digit ("-1 500", never "- 1 500").
QString grouped(std::int64_t value, const QString& pattern, int width);

// A plain signed integer padded to six characters (the yearly statement).
QString amount6(std::int64_t value);

// A date in the short date form; "" for the empty date and for a value that
// names no real day (a damaged record).
QString date(const Date& d);
// The same, only for a day later than 2000.01.01 (a payment date; anything
// earlier means no payment).
QString paymentDate(const Date& d);

}  // namespace printtext
