// Texts typed or shown in the windows against the numbers and dates of the
// records.

#include <QTest>

#include <limits>

#include "store/conversions.h"

namespace {
template <class T>
std::optional<qint64> widened(std::optional<T> v) {
    return v ? std::optional<qint64>(*v) : std::nullopt;
}
constexpr qint64 kNone = std::numeric_limits<qint64>::max();  // "refused" in the tables below
qint64 orNone(std::optional<qint64> v) { return v.value_or(kNone); }
}  // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void numericValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const auto row = [](const char* t, double v) { QTest::newRow(*t ? t : "(empty)") << QString::fromUtf8(t) << v; };
        row("", 0), row("abc", 0), row("12", 12), row("  12abc", 12), row("52.6", 52.6), row("-3.5", -3.5);
        row("1 000", 1000), row("1500 Ft", 1500), row("12,5", 12), row("+7", 7), row("- 5", -5);
        row("1e3", 1000), row("2.5E-1", 0.25), row("12e", 12), row("12e-x", 12), row(".", 0), row(".5", 0.5);
        row("1.2.3", 1.2), row("--1", 0), row("5-3", 5), row("e5", 0);
        row("9e99", 9e99), row("-2.7", -2.7), row("1e400", 0);
        QTest::newRow("tab and line feed") << QStringLiteral("\t1\n2") << 12.0;
    }
    void numericValue() {
        QFETCH(QString, text); QFETCH(double, value);
        QCOMPARE(conv::numericValue(text), value);
        QCOMPARE(conv::wholeValue(text), std::abs(value) < 1e15 ? qint64(value) : 0);  // never beyond 64 bits
    }

    void parseWholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        const auto row = [](const char* t, qint64 v) { QTest::newRow(*t ? t : "(empty)") << QString::fromUtf8(t) << v; };
        row("123", 123), row(" 123 ", 123), row("-5", -5), row("+5", 5), row("0", 0);
        row("-999999999999999999", -999999999999999999LL);
        row("", kNone), row("-", kNone), row("12a", kNone), row("1.5", kNone), row("1 000", kNone);
        row("1000 Ft", kNone), row("--1", kNone), row("- 1", kNone);
        row("9999999999999999999", kNone), row("99999999999999999999", kNone);  // beyond 64 bits
    }
    void parseWholeNumber() {
        QFETCH(QString, text); QFETCH(qint64, value);
        QCOMPARE(orNone(conv::parseWholeNumber(text)), value);
    }

    // Halves go to the even neighbour; a result that does not fit is refused.
    void rounding_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("value");
        const auto row = [](const char* tag, double in, int bits, qint64 v) { QTest::newRow(tag) << in << bits << v; };
        const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
        row("0.5", 0.5, 16, 0), row("1.5", 1.5, 16, 2), row("2.5", 2.5, 16, 2), row("-2.5", -2.5, 16, -2);
        row("-3.5", -3.5, 32, -4), row("250.6", 250.6, 16, 251), row("32767.4", 32767.4, 16, 32767);
        row("32767.5/16", 32767.5, 16, kNone), row("32767.5/32", 32767.5, 32, 32768);
        row("-32768.5", -32768.5, 16, -32768), row("-32768.6", -32768.6, 16, kNone);
        row("2147483646.5", 2147483646.5, 32, 2147483646), row("2147483647.5", 2147483647.5, 32, kNone);
        row("-2147483648.5", -2147483648.5, 32, -2147483648LL);
        row("NaN/16", nan, 16, kNone), row("NaN/32", nan, 32, kNone), row("inf", inf, 32, kNone);
        row("-inf", -inf, 16, kNone);
    }
    void rounding() {
        QFETCH(double, in); QFETCH(int, bits); QFETCH(qint64, value);
        QCOMPARE(orNone(bits == 16 ? widened(conv::roundToInt16(in)) : widened(conv::roundToInt32(in))), value);
    }

    void fieldRange_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("value");
        const auto row = [](const char* t, int bits, qint64 v) { QTest::newRow(*t ? t : "(empty)") << QString::fromUtf8(t) << bits << v; };
        row("32767", 16, 32767), row("32768", 16, kNone), row("-32768", 16, -32768), row("-32769", 16, kNone);
        row("2147483647", 32, 2147483647), row("2147483648", 32, kNone), row("-2147483648", 32, -2147483648LL);
        row("-2147483649", 32, kNone), row(" 7 ", 16, 7), row("12a", 32, kNone);
    }
    void fieldRange() {
        QFETCH(QString, text); QFETCH(int, bits); QFETCH(qint64, value);
        QCOMPARE(orNone(bits == 16 ? widened(conv::wholeNumber16(text)) : widened(conv::wholeNumber32(text))), value);
    }

    // numberText, forintText and formatPattern of one number.
    void numberTexts_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<QString>("forint");
        QTest::newRow("5") << qint64(5) << " 5" << "5,-Ft";
        QTest::newRow("0") << qint64(0) << " 0" << "0,-Ft";
        QTest::newRow("-5") << qint64(-5) << "-5" << "-5,-Ft";
        QTest::newRow("12500") << qint64(12500) << " 12500" << "12500,-Ft";
        QTest::newRow("-300") << qint64(-300) << "-300" << "-300,-Ft";
    }
    void numberTexts() {
        QFETCH(qint64, value); QFETCH(QString, numberText); QFETCH(QString, forint);
        QCOMPARE(conv::numberText(value), numberText);
        QCOMPARE(conv::forintText(value), forint);
    }

    // '#' shows a digit only when there is one, '0' always; the blanks of the
    // pattern always stand; digits beyond the pattern go before it.
    void formatPattern_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const auto row = [](qint64 v, const char* p, const char* t) {
            QTest::addRow("%lld '%s'", static_cast<long long>(v), p) << v << QString(p) << QString(t);
        };
        row(1234567, "### ### ###", "1 234 567"), row(1234, "### ### ###", " 1 234"), row(0, "### ### ###", "  ");
        row(0, "### ### ##0", "  0"), row(12, "### ### ##0", "  12"), row(5, "### ##0", " 5");
        row(-1234, "### ##0", "-1 234"), row(-2500, "### ### ###", " -2 500"), row(999999, "### ##0", "999 999"), row(1000000, "### ##0", "1000 000");
        row(1234567890, "### ### ###", "1234 567 890");
        row(std::numeric_limits<qint64>::min(), "### ##0", "-9223372036854775 808");
    }
    void formatPattern() {
        QFETCH(qint64, value); QFETCH(QString, pattern); QFETCH(QString, text);
        QCOMPARE(conv::formatPattern(value, pattern), text);
    }

    void padLeft_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("padded");
        QTest::newRow("shorter") << "12" << 5 << "   12";
        QTest::newRow("exact") << "abc" << 3 << "abc";
        QTest::newRow("longer kept") << "123456" << 3 << "123456";
        QTest::newRow("empty") << "" << 2 << "  ";
    }
    void padLeft() {
        QFETCH(QString, text); QFETCH(int, width); QFETCH(QString, padded);
        QCOMPARE(conv::padLeft(text, width), padded);
    }

    void shortDate() {
        QCOMPARE(conv::shortDate(QDate(2026, 3, 5)), QStringLiteral("2026. 03. 05."));
        QCOMPARE(conv::shortDate(Date::fromQDate(QDate(2026, 3, 5))), QStringLiteral("2026. 03. 05."));
        QCOMPARE(conv::shortDate(Date{46086.75}), QStringLiteral("2026. 03. 05."));
        QCOMPARE(conv::shortDate(Date{}), QString());
        QCOMPARE(conv::shortDate(QDate()), QString());
    }

    void dateFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");  // invalid: the empty date
        QTest::newRow("short form") << "2026. 03. 05." << QDate(2026, 3, 5);
        QTest::newRow("without leading zeros") << "2026. 3. 5." << QDate(2026, 3, 5);
        QTest::newRow("surrounding blanks") << " 2000. 01. 01. " << QDate(2000, 1, 1);
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("00:00:00") << "00:00:00" << QDate();
        QTest::newRow("no such day") << "2026. 02. 30." << QDate();
        QTest::newRow("unreadable") << "tegnap" << QDate();
    }
    void dateFromText() {
        QFETCH(QString, text); QFETCH(QDate, date);
        const Date d = conv::dateFromText(text);
        QCOMPARE(d, Date::fromQDate(date));
        QCOMPARE(d.isEmpty(), !date.isValid());
        if (date.isValid()) QCOMPARE(conv::dateFromText(conv::shortDate(d)), d);  // round trip
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
