#include "reports/coefficient_report.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "designs_under_test.h"
#include "six_digits.h"

namespace {

const std::string kHyphens(67, '-');

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last line break";
    return lines;
}

// The numbers that follow the caption of a Nyquist expression, "1.0" included.
std::vector<double> ExpressionValues(const std::string& line, const std::string& caption) {
    EXPECT_EQ(line.rfind(caption, 0), 0u) << line;
    EXPECT_EQ(line.back(), ')') << line;
    std::vector<double> values;
    const char* cursor = line.data() + caption.size();
    const char* end = line.data() + line.size() - 1;
    while (cursor < end) {
        EXPECT_EQ(*cursor, ' ') << line;
        double value = 0;
        cursor = std::from_chars(cursor + 1, end, value).ptr;
        values.push_back(value);
    }
    return values;
}

TEST(CoefficientReport, LaysOutBothListsAndBothExpressions) {
    const RiaaCoefficients playback{2, 3, {0.5, -0.25, 0.0}, {1.0, -1.5, 0.5625}};
    EXPECT_EQ(
        FormatCoefficientReport(playback),
        "Coefficients for H(z)\r\n"
        "\r\n"
        "num[0] = 5.000000e-01, [1] = -2.500000e-01\r\n" +
            kHyphens +
            "\r\n"
            "den[0] = 1.000000e+00, [1] = -1.500000e+00, [2] = 5.625000e-01\r\n"
            "\r\n"
            "Audacity Nyquist biquad equations (LISP format)\r\n"
            "\r\n"
            "(biquad s b0 b1 b2 a0 a1 a2)\r\n"
            "(biquad s 5.000000e-01 -2.500000e-01 0.000000e+00 1.0 1.500000e+00 -5.625000e-01)\r\n"
            "\r\n"
            "(biquad-m s b0 b1 b2 a0 a1 a2)\r\n"
            "(biquad-m s 5.000000e-01 -2.500000e-01 0.000000e+00 1.000000e+00 -1.500000e+00 "
            "5.625000e-01)\r\n"
            "\r\n");
}

// The counts shorten only the lists; the expressions always carry a whole section.
TEST(CoefficientReport, FirstOrderDenominatorShortensOnlyItsList) {
    const RiaaCoefficients emphasis{3, 2, {37.5, -64.25, 27.125}, {1.0, -0.9375, 0.0}};
    const std::vector<std::string> lines = LinesOf(FormatCoefficientReport(emphasis));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "num[0] = 3.750000e+01, [1] = -6.425000e+01, [2] = 2.712500e+01");
    EXPECT_EQ(lines[4], "den[0] = 1.000000e+00, [1] = -9.375000e-01");
    EXPECT_EQ(lines[9],
              "(biquad s 3.750000e+01 -6.425000e+01 2.712500e+01 1.0 9.375000e-01 -0.000000e+00)");
    EXPECT_EQ(lines[12],
              "(biquad-m s 3.750000e+01 -6.425000e+01 2.712500e+01 1.000000e+00 -9.375000e-01 "
              "0.000000e+00)");
    EXPECT_EQ(lines[13], "");
}

TEST(CoefficientReport, CarriesTheDesignedValues) {
    const std::vector<std::string> lines =
        LinesOf(FormatCoefficientReport(RiaaRecord(44100, 1, 0, 0)));
    ASSERT_EQ(lines.size(), 14u);
    const double biquad[] = {0.0269367, -0.0250828, 0, 1.0, 1.73198, -0.733833};
    const double biquadM[] = {0.0269367, -0.0250828, 0, 1, -1.73198, 0.733833};
    const std::vector<double> biquadValues = ExpressionValues(lines[9], "(biquad s");
    const std::vector<double> biquadMValues = ExpressionValues(lines[12], "(biquad-m s");
    ASSERT_EQ(biquadValues.size(), 6u);
    ASSERT_EQ(biquadMValues.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(AgreesToSixDigits(biquadValues[i], biquad[i])) << "biquad argument " << i;
        EXPECT_TRUE(AgreesToSixDigits(biquadMValues[i], biquadM[i])) << "biquad-m argument " << i;
    }
    EXPECT_NE(lines[9].find(" 1.0 "), std::string::npos);
}

TEST(CoefficientReport, EveryLineEndsInCrLf) {
    const std::string text = FormatCoefficientReport(RiaaRecord(96000, 1, 1.0, 1));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "bare LF at " << i;
        }
        if (text[i] == '\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], '\n') << "bare CR at " << i;
        }
    }
    EXPECT_EQ(text.substr(text.size() - 5), ")\r\n\r\n");
}

TEST(CoefficientReport, WritesNonFiniteValues) {
    const RiaaCoefficients overflowing{3, 3, {HUGE_VAL, -HUGE_VAL, NAN}, {1.0, 0.0, 0.0}};
    const std::vector<std::string> lines = LinesOf(FormatCoefficientReport(overflowing));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "num[0] = inf, [1] = -inf, [2] = nan");
}

// A record put together by hand with a count the design never gives must not make
// the writer read outside the arrays.
TEST(CoefficientReport, CountsOutsideTheArraysAreHeldToThem) {
    const RiaaCoefficients odd{-1, 9, {1, 2, 3}, {1, 0, 0}};
    const std::vector<std::string> lines = LinesOf(FormatCoefficientReport(odd));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "num");
    EXPECT_EQ(lines[4], "den[0] = 1.000000e+00, [1] = 0.000000e+00, [2] = 0.000000e+00");
}

}  // namespace
