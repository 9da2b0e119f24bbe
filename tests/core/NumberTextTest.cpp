#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/OperationError.h"
#include "core/numbers/NumberText.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SpreadValues.h"

namespace pulsewell {
namespace {

TEST(ParseInt64, AcceptsSignedDecimalAcrossTheWholeRange) {
    EXPECT_EQ(ParseInt64("0"), 0);
    EXPECT_EQ(ParseInt64("+42"), 42);
    EXPECT_EQ(ParseInt64("-1294967296"), -1294967296);
    EXPECT_EQ(ParseInt64("007"), 7);
    EXPECT_EQ(ParseInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
}

TEST(ParseInt64, RejectsEverythingElseWithTheOffendingText) {
    for (const char* bad : {"", "-", "+", " 1", "1 ", "1,000", "1.0", "0x10", "abc", "Failure",
                            "9223372036854775808", "-9223372036854775809", "１"}) {
        try {
            ParseInt64(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8("'%1' ist kein gültiger Integerwert")
                                       .arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(ParseInt32, RejectsValuesBeyond32Bits) {
    EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(ParseInt32("2147483648"), ConversionError);
}

TEST(IntegerText, IsPlainDecimal) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(-1500), "-1500");
    EXPECT_EQ(IntegerText(10359746368), "10359746368");
}

TEST(PercentText, FourSignificantDigitsThenTwoDecimals) {
    const QString dot = ".";
    EXPECT_EQ(PercentText(12.3456, dot), "12.35");
    EXPECT_EQ(PercentText(123.456, dot), "123.50");
    EXPECT_EQ(PercentText(0.0, dot), "0.00");
    EXPECT_EQ(PercentText(150.0, dot), "150.00");
    EXPECT_EQ(PercentText(15.0, dot), "15.00");
    EXPECT_EQ(PercentText(12.5, dot), "12.50");
    EXPECT_EQ(PercentText(1.2345, dot), "1.23");  // two decimals limit before four digits
    EXPECT_EQ(PercentText(0.125, dot), "0.13");   // decimal halves round up
    EXPECT_EQ(PercentText(0.004, dot), "0.00");
    EXPECT_EQ(PercentText(9999.99, dot), "10000.00");
    EXPECT_EQ(PercentText(1234.5, dot), "1235.00");
    EXPECT_EQ(PercentText(-3.5, dot), "-3.50");
}

TEST(PercentText, LargeValuesUseExponentForm) {
    EXPECT_EQ(PercentText(12345.0, "."), "1.235E+04");
    EXPECT_EQ(PercentText(1e9, "."), "1.000E+09");
}

TEST(PercentText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(PercentText(12.3456, ","), "12,35");
    EXPECT_EQ(PercentText(12345.0, ","), "1,235E+04");
}

TEST(FloatText, GeneralFormatWithoutTrailingZeros) {
    const QString dot = ".";
    EXPECT_EQ(FloatText(0.0, dot), "0");
    EXPECT_EQ(FloatText(12.5, dot), "12.5");
    EXPECT_EQ(FloatText(150.0, dot), "150");
    EXPECT_EQ(FloatText(1.0 / 3.0, dot), "0.333333333333333");
    EXPECT_EQ(FloatText(2.0 / 3.0, dot), "0.666666666666667");
    EXPECT_EQ(FloatText(0.0001, dot), "0.0001");
    EXPECT_EQ(FloatText(0.00001, dot), "1E-5");
    EXPECT_EQ(FloatText(1e20, dot), "1E20");
    EXPECT_EQ(FloatText(-0.5, ","), "-0,5");
}

// Fixed decimals as QString::number writes them: Qt rounds an exact half up
// where std::to_chars rounds it to even.
TEST(WriteFixed, WritesWhatQtWrites) {
    std::vector<double> values = {0.0,   -0.0,  0.05,  0.25, 0.125,  0.0625, 2.5,      1.005,
                                  99.95, 999.5, -1.25, 1e15, 4.5e15, 1e300,  INFINITY, NAN};
    for (int n = 0; n < 3000; ++n) {  // halves of every place, and values just off them
        const double half = (n + 0.5) / std::pow(10.0, n % 4);
        values.insert(values.end(), {half, std::nextafter(half, 0.0), std::nextafter(half, 1e9)});
    }
    const std::vector<double> spread = test::SpreadValues(20000);
    values.insert(values.end(), spread.begin(), spread.end());
    for (const double value : values) {
        for (int decimals = 0; decimals <= 4; ++decimals) {
            std::array<char, kFixedTextMost> text{};
            const std::string fast(text.data(), WriteFixed(text.data(), value, decimals));
            EXPECT_EQ(fast, QString::number(value, 'f', decimals).toStdString())
                << std::hexfloat << value << " " << decimals;
        }
    }
}

TEST(ShortRate, ThreeFiguresAndADecimalPrefix) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1.00k"},
        {1005, "1.00k"},
        {2500, "2.50k"},
        {12345, "12.3k"},
        {999999, "1000k"},
        {1250000, "1.25M"},
        {4294967295, "4.29G"},
        {10000000000, "10.0G"},
        {10000000000000000, "10000T"},
        {-5, "-5"},
    };
    for (const auto& [bitsPerSecond, text] : cases) {
        EXPECT_EQ(ShortRate(bitsPerSecond), text) << bitsPerSecond;
    }
}

}  // namespace
}  // namespace pulsewell
