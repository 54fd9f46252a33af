#include "printtext.h"

#include <cmath>

#include "store/conversions.h"

namespace printtext {

namespace {
// Day numbers of 2000.01.01 and 9999.12.31 (days since 1899.12.30).
constexpr double kYear2000 = 36526.0;
constexpr double kLastDay = 2958465.0;
}  // namespace

QString Helyiertek(const QString& text, int width) {
    return conv::padLeft(text, width);
}

QString grouped(std::int64_t value, const QString& pattern, int width) {
    return Helyiertek(conv::formatPattern(value, pattern).trimmed(), width);
}

QString amount6(std::int64_t value) {
    return Helyiertek(QString::number(value), 6);
}

QString date(const Date& d) {
    if (!(d.value >= 1.0 && d.value <= kLastDay)) return QString();  // also NaN
    return conv::shortDate(d);
}

QString paymentDate(const Date& d) {
    return std::floor(d.value) > kYear2000 ? date(d) : QString();
}

}  // namespace printtext
