// Texts typed or shown in the windows against the numbers and dates of the
// records.

#include <QTest>

#include <limits>

#include "store/conversions.h"

namespace {
constexpr qint64 kNone = std::numeric_limits<qint64>::max();  // "refused" in the tables below
template <class T>
qint64 orNone(std::optional<T> v) {
    return v ? qint64(*v) : kNone;
}
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

    // Typed whole numbers: any number (bits 64), or one that fits a 16- or
    // 32-bit field; anything else is refused.
    void wholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("value");
        const auto row = [](const char* t, int bits, qint64 v) {
            QTest::addRow("%s/%d", t, bits) << QString::fromUtf8(t) << bits << v;
        };
        row("123", 64, 123), row(" 123 ", 64, 123), row("-5", 64, -5), row("+5", 64, 5), row("0", 64, 0);
        row("-999999999999999999", 64, -999999999999999999LL);
        row("", 64, kNone), row("-", 64, kNone), row("12a", 64, kNone), row("1.5", 64, kNone), row("1 000", 64, kNone);
        row("1000 Ft", 64, kNone), row("--1", 64, kNone), row("- 1", 64, kNone);
        row("9999999999999999999", 64, kNone), row("99999999999999999999", 64, kNone);  // beyond 64 bits
        row("32767", 16, 32767), row("32768", 16, kNone), row("-32768", 16, -32768), row("-32769", 16, kNone);
        row("2147483647", 32, 2147483647), row("2147483648", 32, kNone), row("-2147483648", 32, -2147483648LL);
        row("-2147483649", 32, kNone), row(" 7 ", 16, 7), row("12a", 32, kNone);
    }
    void wholeNumber() {
        QFETCH(QString, text); QFETCH(int, bits); QFETCH(qint64, value);
        QCOMPARE(bits == 64   ? orNone(conv::parseWholeNumber(text))
                 : bits == 16 ? orNone(conv::wholeNumber16(text))
                              : orNone(conv::wholeNumber32(text)),
                 value);
    }

    // Halves go to the even neighbour; a result that does not fit is refused.
    void rounding_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("value");
        const auto row = [](double in, int bits, qint64 v) { QTest::addRow("%g/%d", in, bits) << in << bits << v; };
        const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
        row(0.5, 16, 0), row(1.5, 16, 2), row(2.5, 16, 2), row(-2.5, 16, -2), row(-3.5, 32, -4), row(250.6, 16, 251);
        row(32767.4, 16, 32767), row(32767.5, 16, kNone), row(32767.5, 32, 32768);
        row(-32768.5, 16, -32768), row(-32768.6, 16, kNone);
        row(2147483646.5, 32, 2147483646), row(2147483647.5, 32, kNone), row(-2147483648.5, 32, -2147483648LL);
        row(nan, 16, kNone), row(nan, 32, kNone), row(inf, 32, kNone), row(-inf, 16, kNone);
    }
    void rounding() {
        QFETCH(double, in); QFETCH(int, bits); QFETCH(qint64, value);
        QCOMPARE(bits == 16 ? orNone(conv::roundToInt16(in)) : orNone(conv::roundToInt32(in)), value);
    }

    void texts() {
        const QStringList shown{conv::numberText(5), conv::numberText(0), conv::numberText(-300),
                                conv::forintText(12500), conv::forintText(-300), conv::forintText(0),
                                conv::padLeft("12", 5), conv::padLeft("abc", 3), conv::padLeft("123456", 3),
                                conv::shortDate(QDate(2026, 3, 5)), conv::shortDate(Date{46086.75}),
                                conv::shortDate(Date{}), conv::shortDate(QDate())};
        QCOMPARE(shown, (QStringList{" 5", " 0", "-300", "12500,-Ft", "-300,-Ft", "0,-Ft", "   12", "abc", "123456",
                                     "2026. 03. 05.", "2026. 03. 05.", "", ""}));
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
        row(-1234, "### ##0", "-1 234"), row(-2500, "### ### ###", " -2 500"), row(999999, "### ##0", "999 999");
        row(1000000, "### ##0", "1000 000"), row(1234567890, "### ### ###", "1234 567 890");
        row(std::numeric_limits<qint64>::min(), "### ##0", "-9223372036854775 808");
    }
    void formatPattern() {
        QFETCH(qint64, value); QFETCH(QString, pattern); QFETCH(QString, text);
        QCOMPARE(conv::formatPattern(value, pattern), text);
    }

    void dateFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");  // invalid: the empty date
        const auto row = [](const char* t, const QDate& d) { QTest::newRow(*t ? t : "(empty)") << QString(t) << d; };
        row("2026. 03. 05.", QDate(2026, 3, 5)), row("2026. 3. 5.", QDate(2026, 3, 5));
        row(" 2000. 01. 01. ", QDate(2000, 1, 1)), row("", QDate()), row("00:00:00", QDate());
        row("2026. 02. 30.", QDate()), row("tegnap", QDate());
    }
    void dateFromText() {
        QFETCH(QString, text); QFETCH(QDate, date);
        const Date d = conv::dateFromText(text);
        QCOMPARE(d, Date::fromQDate(date));
        if (date.isValid()) QCOMPARE(conv::dateFromText(conv::shortDate(d)), d);  // round trip
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
