// The exact response and the analogue curve it is compared with: if these are off,
// every deviation the tool reports to a user is off too.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "base/decibels.h"
#include "curves/riaa_prototype.h"
#include "designs/riaa_record.h"
#include "designs_under_test.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"

namespace {

DesignUnderTest Matched(double fs, double extraZero = 0.0, int inverse = 0, double gain = 1.0) {
    return {CascadeFromCoefficients(RiaaRecord(fs, gain, extraZero, inverse)), fs,
            RiaaCurve({extraZero, inverse})};
}

TEST(Prototype, FollowsThePublishedRiaaPlaybackCurve) {
    const RiaaPrototype riaa{};
    // The RIAA playback table, relative to 1 kHz.
    EXPECT_NEAR(PrototypeGainDbRe1k(riaa, 20.0), 19.27, 0.01);
    EXPECT_NEAR(PrototypeGainDbRe1k(riaa, 100.0), 13.09, 0.01);
    EXPECT_NEAR(PrototypeGainDbRe1k(riaa, 1000.0), 0.0, 1e-12);
    EXPECT_NEAR(PrototypeGainDbRe1k(riaa, 10000.0), -13.73, 0.01);
    EXPECT_NEAR(PrototypeGainDbRe1k(riaa, 20000.0), -19.62, 0.01);
    EXPECT_DOUBLE_EQ(std::abs(PrototypeResponse(riaa, 0.0)), 1.0);
}

TEST(Prototype, ExtraZeroAndInversionShapeTheCurve) {
    const RiaaPrototype fixedZero{1.0, 0};
    // The 3.18 µs zero (50 kHz) lifts 20 kHz by 10·log10(1 + (f/50.05k)²), less its lift at 1 kHz.
    const double corner = 1.0 / (2.0 * M_PI * 3.18e-6);
    EXPECT_NEAR(PrototypeGainDbRe1k(fixedZero, 20000.0) - PrototypeGainDbRe1k({}, 20000.0),
                10.0 * std::log10(1.0 + std::pow(20000.0 / corner, 2)) -
                    10.0 * std::log10(1.0 + std::pow(1000.0 / corner, 2)),
                1e-9);
    // Values read as the design reads them: 0.5 and -3 mean the fixed zero too.
    EXPECT_EQ(PrototypeResponse({0.5, 0}, 7000.0), PrototypeResponse(fixedZero, 7000.0));
    EXPECT_EQ(PrototypeResponse({-3.0, 0}, 7000.0), PrototypeResponse(fixedZero, 7000.0));
    // A chosen zero at 10 kHz adds 3 dB there (against the zero's own 1 kHz level).
    const double lift =
        PrototypeGainDbRe1k({10000.0, 0}, 10000.0) - PrototypeGainDbRe1k({}, 10000.0);
    EXPECT_NEAR(lift, 10.0 * std::log10(2.0) - 10.0 * std::log10(1.01), 1e-9);
    // Inverted, the curve is the reciprocal at every frequency.
    for (double f : {20.0, 700.0, 15000.0}) {
        const auto product = PrototypeResponse({1.0, 1}, f) * PrototypeResponse(fixedZero, f);
        EXPECT_NEAR(product.real(), 1.0, 1e-12);
        EXPECT_NEAR(product.imag(), 0.0, 1e-12);
    }
}

// The curve a design is measured against must have the extra zero the design has.
TEST(Prototype, PutsTheExtraZeroWhereTheDesignPutsIt) {
    for (double extraZero : {1.0, 0.5, -3.0, static_cast<double>(NAN), 1.0000001, 20000.0}) {
        const double fs = 96000.0;
        const RiaaCoefficients design = RiaaRecord(fs, 1.0, extraZero, 0);
        // The digital zero other than the 318 µs one, mapped back to its time constant.
        const double z1 = std::exp(-1.0 / (fs * 318e-6));
        const double z2 = design.num[2] / design.num[0] / z1;
        const double tau = -1.0 / (fs * std::log(z2));
        const double f = 1.0 / (2.0 * M_PI * tau);
        // The prototype's extra factor at that corner is |1 + j| = √2, 3.01 dB.
        const double lift = 20.0 * std::log10(std::abs(PrototypeResponse({extraZero, 0}, f)) /
                                              std::abs(PrototypeResponse({}, f)));
        EXPECT_NEAR(lift, 10.0 * std::log10(2.0), 1e-6) << extraZero;
    }
}

TEST(Deviation, MatchedDesignFallsShortOfTheCurveNearNyquist) {
    const auto at44k = MaxDeviation(Matched(44100.0), 20.0, AudioBandTopHz(44100.0));
    EXPECT_NEAR(at44k.deviationDb, 3.1, 0.1);
    EXPECT_NEAR(at44k.frequencyHz, 20000.0, 1.0);

    const auto at96k = MaxDeviation(Matched(96000.0), 20.0, AudioBandTopHz(96000.0));
    EXPECT_NEAR(std::abs(at96k.deviationDb), 0.6, 0.1);

    // At 1 kHz both curves are at 0 dB by construction, and at 20 Hz the
    // matched poles sit where the analogue ones do.
    EXPECT_NEAR(CompareAt(Matched(44100.0), 1000.0).deviationDb, 0.0, 1e-12);
    EXPECT_NEAR(CompareAt(Matched(44100.0), 20.0).deviationDb, 0.0, 0.01);
}

TEST(Deviation, InverseDesignMirrorsThePlaybackDeviation) {
    const auto playback = MaxDeviation(Matched(48000.0, 1.0), 20.0, 20000.0);
    const auto recording = MaxDeviation(Matched(48000.0, 1.0, 1), 20.0, 20000.0);
    EXPECT_NEAR(recording.deviationDb, -playback.deviationDb, 1e-9);
    EXPECT_NEAR(recording.frequencyHz, playback.frequencyHz, 1e-6);
}

TEST(Deviation, BrokenDesignReportsNaNNotAPerfectFit) {
    DesignUnderTest design = Matched(44100.0);
    design.cascade.sections[0].b0 = std::nan("");
    EXPECT_TRUE(std::isnan(MaxDeviation(design, 20.0, 20000.0).deviationDb));
}

TEST(LogGrid, CoversTheBandDenselyAndExactly) {
    const auto grid = LogGrid(10.0, 22050.0, 100);
    ASSERT_GE(grid.size(), 335u);
    EXPECT_EQ(grid.front(), 10.0);
    EXPECT_EQ(grid.back(), 22050.0);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        EXPECT_GT(grid[i], grid[i - 1]);
        EXPECT_LE(std::log10(grid[i] / grid[i - 1]), 0.01 + 1e-12);
    }
    EXPECT_EQ(LogGrid(5.0, 5.0, 100).size(), 1u);
    EXPECT_TRUE(LogGrid(20.0, 10.0, 100).empty());
    EXPECT_TRUE(LogGrid(0.0, 10.0, 100).empty());
    EXPECT_TRUE(LogGrid(1.0, INFINITY, 100).empty());
}

TEST(AudioBand, StopsShortOfNyquistAtLowRates) {
    EXPECT_EQ(AudioBandTopHz(44100.0), 20000.0);
    EXPECT_DOUBLE_EQ(AudioBandTopHz(32000.0), 15680.0);
}

}  // namespace
