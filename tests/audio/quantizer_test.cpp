// Integer outputs: rounding without dither is exact, dither stays within its step and
// repeats, and nothing beyond full scale wraps around.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "quantizer.h"
#include "sound_files.h"

namespace {

TEST(Quantizer, WithoutDitherRoundsToTheNearestStepAndHoldsTheEnds) {
    Quantizer sixteen(16, false);
    const double step = 1.0 / 32768.0;
    const std::vector<double> in = {0.0,        0.4 * step, 0.5 * step, 1.5 * step, -0.6 * step,
                                    1.0 - step, 1.0,        -1.0,       -1.5,       NAN};
    // Left-justified: the 16-bit value times 65536. Ties go to the even step.
    const std::vector<int> expected = {0,
                                       0,
                                       0,
                                       2 * 65536,
                                       -65536,
                                       32767 * 65536,
                                       32767 * 65536,
                                       -32768 * 65536,
                                       -32768 * 65536,
                                       -32768 * 65536};
    std::vector<int> out(in.size());
    EXPECT_EQ(sixteen.Convert(in.data(), out.data(), in.size()), 3u);  // 1.0, -1.5, NaN
    EXPECT_EQ(out, expected);
}

TEST(Quantizer, DitherStaysWithinOneStepAveragesOutAndRepeats) {
    for (int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const double steps = std::ldexp(1.0, bits - 1);
        const std::vector<double> in = Noise(200000, 0.9, 11u);
        std::vector<int> first(in.size());
        std::vector<int> second(in.size());
        Quantizer a(bits, true);
        Quantizer b(bits, true);
        EXPECT_EQ(a.Convert(in.data(), first.data(), in.size()), 0u);
        b.Convert(in.data(), second.data(), in.size());
        EXPECT_EQ(first, second) << "the same seed on every run";

        double sum = 0.0;
        double sumOfSquares = 0.0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const double value = std::ldexp(static_cast<double>(first[i]), bits - 32);
            const double error = value - in[i] * steps;
            ASSERT_LE(std::fabs(error), 1.5) << "sample " << i;
            sum += error;
            sumOfSquares += error * error;
        }
        const double mean = sum / static_cast<double>(in.size());
        const double variance = sumOfSquares / static_cast<double>(in.size());
        EXPECT_NEAR(mean, 0.0, 0.01);
        // TPDF of one step either way (1/6) plus rounding (1/12): a quarter of a step squared.
        EXPECT_NEAR(variance, 0.25, 0.01);
    }
}

TEST(Quantizer, TheLargestSafePeakNeverClips) {
    for (bool dither : {false, true}) {
        for (int bits : {16, 24}) {
            const double peak = Quantizer::LargestSafePeak(bits, dither);
            const std::vector<double> in(100000, peak);
            const std::vector<double> negative(100000, -peak);
            std::vector<int> out(in.size());
            Quantizer quantizer(bits, dither);
            EXPECT_EQ(quantizer.Convert(in.data(), out.data(), in.size()), 0u);
            EXPECT_EQ(quantizer.Convert(negative.data(), out.data(), in.size()), 0u);
        }
    }
}

}  // namespace
