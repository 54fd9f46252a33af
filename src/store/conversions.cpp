#include "conversions.h"

#include <cmath>
#include <limits>

namespace conv {

double numericValue(const QString& text) {
    QString digits;
    digits.reserve(text.size());
    bool seenDigit = false, seenPoint = false, seenExp = false, expDigit = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        const bool atStart = digits.isEmpty();
        const QChar last = atStart ? QChar() : digits.back();
        if (c.isDigit() && c.unicode() < 0x80) {
            digits += c;
            if (seenExp) expDigit = true; else seenDigit = true;
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && (atStart || last == QLatin1Char('E'))) {
            digits += c;
        } else if (c == QLatin1Char('.') && !seenPoint && !seenExp) {
            digits += c;
            seenPoint = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') || c == QLatin1Char('D')) &&
                   seenDigit && !seenExp) {
            digits += QLatin1Char('E');
            seenExp = true;
        } else {
            break;
        }
    }
    if (!seenDigit) return 0.0;
    // Drop an exponent without digits ("12E" is 12).
    if (seenExp && !expDigit) {
        const int e = digits.indexOf(QLatin1Char('E'));
        digits.truncate(e);
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

std::optional<int> yearNumber(const QString& text) {
    const double v = numericValue(text);
    if (v < 1 || v > 9999 || v != std::floor(v)) return std::nullopt;
    return static_cast<int>(v);
}

std::int64_t wholeValue(const QString& text) {
    const double v = numericValue(text);
    return std::fabs(v) < 1e15 ? static_cast<std::int64_t>(v) : 0;
}

std::optional<std::int64_t> parseWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size() || t.size() - i > 18) return std::nullopt;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c - u'0');
    }
    return negative ? -v : v;
}

namespace {
template <class T>
std::optional<T> roundTo(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::nearbyint(value);  // default rounding mode: halves to even
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max())) return std::nullopt;
    return static_cast<T>(r);
}
template <class T>
std::optional<T> whole(const QString& text) {
    const auto v = parseWholeNumber(text);
    if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(*v);
}
}  // namespace

std::optional<std::int16_t> roundToInt16(double value) { return roundTo<std::int16_t>(value); }
std::optional<std::int32_t> roundToInt32(double value) { return roundTo<std::int32_t>(value); }
std::optional<std::int16_t> wholeNumber16(const QString& text) { return whole<std::int16_t>(text); }
std::optional<std::int32_t> wholeNumber32(const QString& text) { return whole<std::int32_t>(text); }

QString numberText(std::int64_t value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString formatPattern(std::int64_t value, const QString& pattern) {
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    QString digits = magnitude == 0 ? QString() : QString::number(magnitude);
    // Placeholders, right to left.
    int places = 0;
    for (QChar c : pattern)
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) ++places;
    QString out;
    int d = static_cast<int>(digits.size()) - 1;
    int placeIndex = 0;  // counted from the right
    for (int i = static_cast<int>(pattern.size()) - 1; i >= 0; --i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            ++placeIndex;
            QString here;
            if (d >= 0) {
                here = digits[d--];
                if (placeIndex == places && d >= 0) {  // the leftmost place takes the rest
                    here = digits.left(d + 1) + here;
                    d = -1;
                }
            } else if (c == QLatin1Char('0')) {
                here = QStringLiteral("0");
            }
            out.prepend(here);
        } else {
            out.prepend(c);
        }
    }
    if (places == 0) out += digits;
    if (negative) {
        // The sign goes just before the first digit, after the pattern's
        // leading blanks: "-2 500", never "- 2 500".
        qsizetype first = 0;
        while (first < out.size() && !out[first].isDigit()) ++first;
        out.insert(first, QLatin1Char('-'));
    }
    return out;
}

QString padLeft(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString forintText(std::int64_t value) { return QString::number(value) + QStringLiteral(",-Ft"); }

QString shortDate(const QDate& d) {
    if (!d.isValid()) return QString();
    int y = 0, m = 0, day = 0;
    d.getDate(&y, &m, &day);
    if (y < 1000 || y > 9999) return d.toString(QStringLiteral("yyyy. MM. dd."));
    // Laid out by hand: long lists show thousands of dates.
    const char16_t text[] = {char16_t(u'0' + y / 1000), char16_t(u'0' + y / 100 % 10), char16_t(u'0' + y / 10 % 10),
                             char16_t(u'0' + y % 10),   u'.',
                             u' ',                      char16_t(u'0' + m / 10),
                             char16_t(u'0' + m % 10),   u'.',
                             u' ',                      char16_t(u'0' + day / 10),
                             char16_t(u'0' + day % 10), u'.'};
    return QString(reinterpret_cast<const QChar*>(text), 13);
}

QString shortDate(const Date& d) { return d.isEmpty() ? QString() : shortDate(d.toQDate()); }

Date dateFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("00:00:00")) return Date{};
    QDate d = QDate::fromString(t, QStringLiteral("yyyy. MM. dd."));
    if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("yyyy. M. d."));
    if (!d.isValid()) d = QDate::fromString(t, Qt::ISODate);
    return Date::fromQDate(d);
}

}  // namespace conv
