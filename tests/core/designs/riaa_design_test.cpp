#include "designs/detail/riaa_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "designs/detail/record_response.h"
#include "six_digits.h"

namespace {

struct WorkedResult {
    double samplingFrequency;
    double gain;
    double extraZero;
    std::int32_t inverse;
    std::int32_t numCount;
    std::int32_t denCount;
    double num[3];
    double den[3];
};

// The published design values; every entry is read to six significant digits.
const WorkedResult kWorkedResults[] = {
    {44100, 1, 0, 0, 2, 3, {0.0269367, -0.0250828, 0}, {1, -1.73198, 0.733833}},
    {44100, 1, 0, 1, 3, 2, {37.1240, -64.2981, 27.2428}, {1, -0.931176, 0}},
    {96000, 1, 1.0, 0, 3, 3, {0.0136764, -0.0137525, 0.000500189}, {1, -1.86705, 0.867478}},
    {96000, 1, 1.0, 1, 3, 3, {73.1189, -136.517, 63.4291}, {1, -1.00556, 0.0365733}},
    {48000, 2, 20000, 0, 3, 3, {0.0538800, -0.0543937, 0.00368124}, {1, -1.75094, 0.752519}},
};

class WorkedResultTest : public testing::TestWithParam<WorkedResult> {};

TEST_P(WorkedResultTest, MatchesThePublishedCoefficients) {
    const WorkedResult& expected = GetParam();
    const RiaaCoefficients actual = ComputeRiaaCoefficients(
        expected.samplingFrequency, expected.gain, expected.extraZero, expected.inverse);
    EXPECT_EQ(actual.numCount, expected.numCount);
    EXPECT_EQ(actual.denCount, expected.denCount);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(AgreesToSixDigits(actual.num[i], expected.num[i])) << "b" << i;
        EXPECT_TRUE(AgreesToSixDigits(actual.den[i], expected.den[i])) << "a" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(PublishedDesigns, WorkedResultTest, testing::ValuesIn(kWorkedResults));

// Roots of 1 + c1 z^-1 + c2 z^-2, the larger first (both real for these designs).
std::pair<double, double> QuadraticRoots(double c0, double c1, double c2) {
    const double sum = -c1 / c0;
    const double product = c2 / c0;
    const double spread = std::sqrt(sum * sum / 4 - product);
    return {sum / 2 + spread, sum / 2 - spread};
}

TEST(RiaaRoots, PolesAndZerosSitAtTheMatchedRiaaTimeConstants) {
    const RiaaCoefficients playback = ComputeRiaaCoefficients(44100, 1, 0, 0);
    const auto [p1, p2] = QuadraticRoots(playback.den[0], playback.den[1], playback.den[2]);
    EXPECT_TRUE(AgreesToSixDigits(p1, 0.992895));
    EXPECT_TRUE(AgreesToSixDigits(p2, 0.739084));
    EXPECT_TRUE(AgreesToSixDigits(-playback.num[1] / playback.num[0], 0.931176));

    // At unit gain b0 is 1 / H(1) of the unscaled filter.
    EXPECT_TRUE(AgreesToSixDigits(1.0 / playback.num[0], 37.1240));
    const RiaaCoefficients emphasis = ComputeRiaaCoefficients(44100, 1, 0, 1);
    EXPECT_TRUE(AgreesToSixDigits(1.0 / emphasis.num[0], 0.0269367));

    const RiaaCoefficients withFixedZero = ComputeRiaaCoefficients(96000, 1, 1.0, 0);
    const auto [z1, z2] =
        QuadraticRoots(withFixedZero.num[0], withFixedZero.num[1], withFixedZero.num[2]);
    EXPECT_TRUE(AgreesToSixDigits(z2, 0.0377911));
    EXPECT_DOUBLE_EQ(z1, std::exp(-1.0 / (96000 * 0.000318)));
}

TEST(RiaaRoots, AChosenExtraZeroSitsAtThatFrequency) {
    const double fs = 48000;
    const double zeroFrequency = 20000;
    const RiaaCoefficients design = ComputeRiaaCoefficients(fs, 1, zeroFrequency, 0);
    const auto [z1, z2] = QuadraticRoots(design.num[0], design.num[1], design.num[2]);
    EXPECT_NEAR(z2, std::exp(-2 * std::numbers::pi * zeroFrequency / fs), 1e-12);
}

const double kSamplingFrequencies[] = {8000, 22050, 44100, 48000, 88200, 96000, 192000, 384000};
const double kGains[] = {0.001, 1, 10, 1000};
const double kExtraZeros[] = {0, 1, 5000, 20000, 50000};

TEST(RiaaInvariants, HoldForEveryAudioDesign) {
    for (double fs : kSamplingFrequencies) {
        for (double gain : kGains) {
            for (double extraZero : kExtraZeros) {
                for (std::int32_t inverse : {0, 1}) {
                    SCOPED_TRACE(testing::Message()
                                 << "fs " << fs << ", gain " << gain << ", extra zero " << extraZero
                                 << ", inverse " << inverse);
                    const RiaaCoefficients c =
                        ComputeRiaaCoefficients(fs, gain, extraZero, inverse);
                    const std::int32_t firstOrderCount = extraZero == 0 ? 2 : 3;
                    EXPECT_EQ(c.numCount, inverse ? 3 : firstOrderCount);
                    EXPECT_EQ(c.denCount, inverse ? firstOrderCount : 3);
                    EXPECT_EQ(c.den[0], 1.0);
                    if (c.numCount == 2) {
                        EXPECT_EQ(c.num[2], 0.0);
                    }
                    if (c.denCount == 2) {
                        EXPECT_EQ(c.den[2], 0.0);
                    }
                    const double dcGain =
                        (c.num[0] + c.num[1] + c.num[2]) / (c.den[0] + c.den[1] + c.den[2]);
                    EXPECT_NEAR(dcGain, gain, gain * 1e-9);
                }
            }
        }
    }
}

bool SameRecord(const RiaaCoefficients& a, const RiaaCoefficients& b) {
    return a.numCount == b.numCount && a.denCount == b.denCount &&
           std::memcmp(a.num, b.num, sizeof a.num) == 0 &&
           std::memcmp(a.den, b.den, sizeof a.den) == 0;
}

TEST(RiaaExtraZero, AnyNonZeroValueUpToOneGivesTheFixedZero) {
    for (std::int32_t inverse : {0, 1}) {
        const RiaaCoefficients fixed = ComputeRiaaCoefficients(96000, 1, 1.0, inverse);
        EXPECT_TRUE(SameRecord(ComputeRiaaCoefficients(96000, 1, 0.5, inverse), fixed));
        EXPECT_TRUE(SameRecord(ComputeRiaaCoefficients(96000, 1, -3, inverse), fixed));
        EXPECT_TRUE(SameRecord(ComputeRiaaCoefficients(96000, 1, 1e-300, inverse), fixed));
    }
}

// A NaN is neither 0 nor above 1: the fixed zero, never a zero at NaN hertz.
TEST(RiaaExtraZero, NotANumberGivesTheFixedZero) {
    for (std::int32_t inverse : {0, 1}) {
        EXPECT_TRUE(SameRecord(ComputeRiaaCoefficients(96000, 1, NAN, inverse),
                               ComputeRiaaCoefficients(96000, 1, 1.0, inverse)));
    }
}

TEST(RiaaExtraZero, JustAboveOneIsAFrequencyInHertz) {
    const double justAboveOne = std::nextafter(1.0, 2.0);
    const RiaaCoefficients design = ComputeRiaaCoefficients(96000, 1, justAboveOne, 0);
    const auto [z1, z2] = QuadraticRoots(design.num[0], design.num[1], design.num[2]);
    // A zero at about 1 Hz lies next to z = 1, far from the fixed zero's 0.0378.
    EXPECT_NEAR(z1, std::exp(-2 * std::numbers::pi * justAboveOne / 96000), 1e-7);
    EXPECT_NEAR(z2, std::exp(-1.0 / (96000 * 0.000318)), 1e-7);
}

TEST(RiaaInverse, FirstOrderDenominatorIsExactlyTheUnscaledZero) {
    const RiaaCoefficients emphasis = ComputeRiaaCoefficients(44100, 7.5, 0, 1);
    EXPECT_EQ(emphasis.denCount, 2);
    EXPECT_EQ(emphasis.den[0], 1.0);
    EXPECT_EQ(emphasis.den[1], -std::exp(-1.0 / (44100 * 0.000318)));
    EXPECT_EQ(emphasis.den[2], 0.0);
    EXPECT_FALSE(std::signbit(emphasis.den[2])) << "a plain zero, not a negative one";
}

TEST(RiaaGain, ZeroGainSilencesOnlyTheNumerator) {
    for (std::int32_t inverse : {0, 1}) {
        const RiaaCoefficients silent = ComputeRiaaCoefficients(48000, 0, 0, inverse);
        const RiaaCoefficients unity = ComputeRiaaCoefficients(48000, 1, 0, inverse);
        for (double b : silent.num) {
            EXPECT_EQ(b, 0.0);
        }
        EXPECT_EQ(std::memcmp(silent.den, unity.den, sizeof silent.den), 0);
        EXPECT_EQ(silent.numCount, unity.numCount);
        EXPECT_EQ(silent.denCount, unity.denCount);
    }
}

// An unreadable sampling frequency reaches the design as 0: every root collapses to
// the origin and the filter becomes the constant gain.
TEST(RiaaDegenerate, ZeroSamplingFrequencyGivesTheConstantFilter) {
    const RiaaCoefficients c = ComputeRiaaCoefficients(0, 2.5, 1.0, 0);
    EXPECT_EQ(c.num[0], 2.5);
    EXPECT_EQ(c.num[1], 0.0);
    EXPECT_EQ(c.num[2], 0.0);
    EXPECT_EQ(c.den[0], 1.0);
    EXPECT_EQ(c.den[1], 0.0);
    EXPECT_EQ(c.den[2], 0.0);
    EXPECT_TRUE(std::signbit(c.den[1]));
    EXPECT_TRUE(std::signbit(c.num[1]));
    EXPECT_EQ(c.numCount, 3);
    EXPECT_EQ(c.denCount, 3);
}

TEST(RiaaDegenerate, NegativeSamplingFrequencyIsReturnedAsComputed) {
    const RiaaCoefficients c = ComputeRiaaCoefficients(-44100, 1, 0, 0);
    const auto [p1, p2] = QuadraticRoots(c.den[0], c.den[1], c.den[2]);
    EXPECT_GT(p1, 1.0);
    EXPECT_GT(p2, 1.0);
}

TEST(RecordResponse, EqualsTheGainAtDcAndTheTransferFunctionElsewhere) {
    const auto c = ComputeRiaaCoefficients(44100.0, 3.0, 0.0, 0);
    EXPECT_NEAR(RecordResponse(c, 44100.0, 0.0).real(), 3.0, 1e-12);
    // At Nyquist z = -1: H = (b0 - b1 + b2) / (a0 - a1 + a2).
    const auto nyquist = RecordResponse(c, 44100.0, 22050.0);
    EXPECT_NEAR(nyquist.real(), (c.num[0] - c.num[1] + c.num[2]) / (1.0 - c.den[1] + c.den[2]),
                1e-12);
    EXPECT_NEAR(nyquist.imag(), 0.0, 1e-12);
}

TEST(RecordResponse, ScaleGainAtSetsTheMagnitudeThereAndKeepsThePolarity) {
    const auto c = ComputeRiaaCoefficients(48000.0, -2.0, 1.0, 0);
    const auto scaled = ScaleGainAt(c, 48000.0, 1000.0, -2.0);
    EXPECT_NEAR(std::abs(RecordResponse(scaled, 48000.0, 1000.0)), 2.0, 1e-12);
    EXPECT_LT(RecordResponse(scaled, 48000.0, 0.0).real(), 0.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(scaled.den[i], c.den[i]);
    }
    // A zero response stays zero instead of turning into NaN.
    const auto silent =
        ScaleGainAt(ComputeRiaaCoefficients(48000.0, 0.0, 0.0, 0), 48000.0, 1000.0, 1.0);
    EXPECT_EQ(silent.num[0], 0.0);
}

}  // namespace
