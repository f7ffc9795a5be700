#include "base/eng_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Reading {
    std::string input;
    double value;
    bool readable;
};

// Exact comparisons throughout: the prefix is applied as text, so "2.2u" must give the
// very double that the literal 2.2e-6 gives.
void ExpectReads(const Reading& row) {
    SCOPED_TRACE("input \"" + row.input + "\"");
    const EngValue actual = ReadEngValue(row.input.c_str());
    EXPECT_EQ(actual.value, row.value);
    EXPECT_EQ(actual.readable, row.readable);
    EXPECT_EQ(ParseEngValue(row.input.c_str()), row.value);
}

TEST(EngValue, ReadsTheDocumentedExamples) {
    const Reading rows[] = {
        {"96k", 96000, true},      {"44.1k", 44100, true},
        {"1M", 1e6, true},         {"1m", 0.001, true},
        {"2.2u", 2.2e-6, true},    {"2.2\xB5", 2.2e-6, true},
        {"10p", 10e-12, true},     {"1e3", 1000, true},
        {"1E3", 1e18, true},  // E is exa; the 3 behind it is dropped
        {"96 k", 96, true},   // the space is the prefix of power 0
        {" 96k", 0, false},   // a leading space leaves nothing to read
        {"96K", 96, true},    // K is no prefix; reading stops at it
        {"Fs=96kHz", 96000, true}, {"1k5", 1000, true},
        {"-3m", -0.003, true},     {".5", 0.5, true},
        {"2.2\xB5 F", 2.2, true},  // the space is found first; the micro sign is never a prefix
                                   // here
        {"d5", 0, false},          {"abc", 0, false},  // a is atto, with nothing in front of it
        {"k", 0, false},           {"", 0, false},
    };
    for (const Reading& row : rows) {
        ExpectReads(row);
    }
}

TEST(EngValue, EveryPrefixLetterIsItsPowerOfTen) {
    const Reading rows[] = {
        {"1y", 1e-24, true}, {"1z", 1e-21, true}, {"1a", 1e-18, true}, {"1f", 1e-15, true},
        {"1p", 1e-12, true}, {"1n", 1e-9, true},  {"1u", 1e-6, true},  {"1\xB5", 1e-6, true},
        {"1m", 1e-3, true},  {"1 ", 1, true},     {"1k", 1e3, true},   {"1M", 1e6, true},
        {"1G", 1e9, true},   {"1T", 1e12, true},  {"1P", 1e15, true},  {"1E", 1e18, true},
        {"1Z", 1e21, true},  {"1Y", 1e24, true},
    };
    for (const Reading& row : rows) {
        ExpectReads(row);
    }
}

TEST(EngValue, PrefixIsAppliedAsTextNotByMultiplying) {
    EXPECT_EQ(ParseEngValue("3.3u"), 3.3e-6);
    EXPECT_NE(ParseEngValue("3.3u"), 3.3 * 1e-6);
}

TEST(EngValue, TheLeftmostPrefixWinsAndMicroComesLast) {
    ExpectReads({"1k2M", 1000, true});
    ExpectReads(
        {"2.2\xB5k", 2.2, true});  // k is found first; the micro sign then stops the reading
    ExpectReads({"\xB5", 0, false});
    ExpectReads({"5\xB5\xB5", 5e-6, true});
}

TEST(EngValue, SignsAndTextAroundTheNumber) {
    ExpectReads({"+2.5k", 2500, true});
    ExpectReads({"x=-6", -6, true});
    ExpectReads({"gain: -6", 0, false});  // the a of "gain" is atto, with nothing before it
    ExpectReads({"-0", -0.0, true});
    EXPECT_TRUE(std::signbit(ParseEngValue("-0")));
    ExpectReads({"0", 0, true});
    ExpectReads({"+-5", 0, false});
    ExpectReads({"-", 0, false});
    ExpectReads({".", 0, false});
    ExpectReads({"5.", 5, true});
}

// Forms outside plain decimal notation: only decimal numbers read, so words and
// hexadecimal forms give nothing, and an exponent letter without digits ends the number.
TEST(EngValue, OnlyPlainDecimalNotationReads) {
    ExpectReads({"+INF", 0, false});
    ExpectReads({"-NAN", 0, false});
    ExpectReads({"inf", 0, false});  // n is nano, with "i" skipped in front of it
    ExpectReads({"0x10", 0, true});
    ExpectReads({"1e", 1, true});
    ExpectReads({"2em", 2, true});  // becomes "2ee-3"
    ExpectReads({"1d3", 1, true});
    ExpectReads({"1D3", 1, true});
    ExpectReads({"1e+", 1, true});
}

TEST(EngValue, BeyondTheRangeOfDoubleReadsAsInfinityOrZero) {
    ExpectReads({"1e999", HUGE_VAL, true});
    ExpectReads({"-1e999", -HUGE_VAL, true});
    ExpectReads({"999Y", 9.99e26, true});
    ExpectReads({"1e-999", 0, true});
    ExpectReads({"1e308k", 1e308, true});  // "1e308e3": the second exponent is not read
    EXPECT_TRUE(std::signbit(ParseEngValue("-1e-999")));
    ExpectReads({"4.9e-324", 4.9e-324, true});
}

// Only the first 31 characters count; a prefix at the 31st leaves a cut text of 30
// characters, and the longest power suffix makes that 34.
TEST(EngValue, ReadsTheFirstThirtyOneCharacters) {
    const std::string thirty = "123456789012345678901234567890";
    ExpectReads({thirty + "y", 123456789012345678901234567890e-24, true});
    ExpectReads({thirty + "Y", 123456789012345678901234567890e24, true});
    ExpectReads({thirty + "\xB5", 123456789012345678901234567890e-6, true});
    ExpectReads({thirty + "1k", 1234567890123456789012345678901.0, true});
    ExpectReads({thirty + "1" + std::string(100, '9'), 1234567890123456789012345678901.0, true});
    ExpectReads({"0.000000000000000000000000001Y", 0.001, true});
    ExpectReads({std::string(31, 'x') + "96k", 0, false});
    ExpectReads({std::string(30, 'x') + "96k", 9, true});
    ExpectReads({std::string(29, 'x') + "9k", 9000, true});
}

}  // namespace
