#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "locale_guard.h"

namespace {

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Scientific(double value) {
    std::string text;
    AppendScientific(text, value);
    return text;
}

std::string General(double value) {
    std::string text;
    AppendGeneral(text, value);
    return text;
}

// Values where rounding to six digits, the switch between "%g"'s two forms, or the
// exponent's width could go wrong.
const double kAwkwardValues[] = {
    0.0,      -0.0,          1.0,       -1.0,     0.5,       1.5,    0.0000125, 1e-5,
    0.0001,   0.00009999995, 123456.5,  999999.5, 999999.4,  1e6,    1234567,   96000,
    44100,    2.2e-6,        0.0269367, -64.2981, 1e100,     1e-100, 1e300,     DBL_MAX,
    -DBL_MAX, DBL_MIN,       4.9e-324,  HUGE_VAL, -HUGE_VAL, NAN,    -NAN,
};

// printf in the C locale is the reference for the bytes of the report and summary.
TEST(CLocaleNumbers, WritesWhatPrintfWritesInTheCLocale) {
    for (double value : kAwkwardValues) {
        EXPECT_EQ(Scientific(value), Printf("%e", value));
        EXPECT_EQ(General(value), Printf("%g", value));
    }
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 300);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random));
        ASSERT_EQ(Scientific(value), Printf("%e", value));
        ASSERT_EQ(General(value), Printf("%g", value));
    }
    std::string integers;
    AppendInteger(integers, -24);
    AppendInteger(integers, 0);
    AppendInteger(integers, 3);
    EXPECT_EQ(integers, "-2403");
}

TEST(CLocaleNumbers, IgnoreACommaDecimalLocale) {
    const LocaleGuard german("de_DE.UTF-8");
    ASSERT_EQ(Printf("%g", 1.5), "1,5")
        << "the locale should be in force for this test to mean anything";
    EXPECT_EQ(General(1.5), "1.5");
    EXPECT_EQ(Scientific(-0.0250828), "-2.508280e-02");
    EXPECT_EQ(ReadDecimal("44.1").value, 44.1);
}

// Decimal texts of every shape the reader may see, checked against the C library's
// reader in the C locale, bit for bit.
TEST(CLocaleNumbers, ReadsDecimalsAsStrtodDoes) {
    std::mt19937 random(1208);
    const std::string digits = "0123456789";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        if (random() % 3 == 0) {
            text += random() % 2 ? '-' : '+';
        }
        const int integerDigits = random() % 12;
        for (int d = 0; d < integerDigits; ++d) {
            text += digits[random() % 10];
        }
        text += '.';
        const int fractionDigits = random() % 12 + (integerDigits == 0);
        for (int d = 0; d < fractionDigits; ++d) {
            text += digits[random() % 10];
        }
        if (random() % 2) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 700) - 350);
        }
        const DecimalReading reading = ReadDecimal(text.c_str());
        ASSERT_TRUE(reading.read) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&reading.value, &expected, sizeof expected), 0) << text;
    }
}

TEST(CLocaleNumbers, StopsWhereTheNumberEnds) {
    EXPECT_EQ(ReadDecimal("12.5xyz").value, 12.5);
    EXPECT_EQ(ReadDecimal("7e2e3").value, 700);
    EXPECT_FALSE(ReadDecimal("").read);
    EXPECT_FALSE(ReadDecimal("e5").read);
    EXPECT_FALSE(ReadDecimal("-inf").read);
    EXPECT_FALSE(ReadDecimal("+nan").read);
    EXPECT_EQ(ReadDecimal("-1e400").value, -HUGE_VAL);
}

}  // namespace
