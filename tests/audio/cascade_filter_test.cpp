// The filter that every applied file goes through: the same numbers as the difference
// equation, whatever the block size, the channel count or the section count.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "cascade_filter.h"
#include "designs_under_test.h"
#include "reference_filter.h"
#include "sound_files.h"

namespace {

// The RIAA designs as they are applied, and cascades of every length the filter has a
// loop of its own for, and beyond.
Cascade CascadeOf(int sections) {
    Cascade cascade =
        RiaaDesign({.samplingFrequency = 96000.0, .method = DesignMethod::Minimax}).cascade;
    const Cascade matched =
        RiaaDesign({.samplingFrequency = 96000.0, .gain = 0.5, .extraZero = 1.0, .recording = true})
            .cascade;
    while (static_cast<int>(cascade.sections.size()) < sections) {
        cascade.sections.push_back(cascade.sections.size() % 2
                                       ? matched.sections[0]
                                       : BiquadSection{0.9, 0.2, 0.1, -0.3, 0.2});
    }
    return cascade;
}

std::vector<double> Channel(const std::vector<double>& interleaved, int channels, int channel) {
    std::vector<double> samples;
    for (std::size_t i = static_cast<std::size_t>(channel); i < interleaved.size();
         i += static_cast<std::size_t>(channels)) {
        samples.push_back(interleaved[i]);
    }
    return samples;
}

TEST(CascadeFilter, MatchesTheDifferenceEquationPerChannelForEveryChannelAndSectionCount) {
    constexpr std::size_t kFrames = 3000;
    for (auto loops : {CascadeFilter::Loops::Fastest, CascadeFilter::Loops::Portable})
        for (int sections : {1, 2, 3, 4, 6}) {
            for (int channels : {1, 2, 3, 6}) {
                SCOPED_TRACE(std::to_string(sections) + " sections, " + std::to_string(channels) +
                             " channels" +
                             (loops == CascadeFilter::Loops::Portable ? ", portable" : ""));
                const Cascade cascade = CascadeOf(sections);
                // Each channel its own signal, so that any mixing of channels shows.
                const std::vector<double> input =
                    Noise(kFrames * static_cast<std::size_t>(channels), 0.5, 7u + channels);
                std::vector<double> output(input.size());
                CascadeFilter filter(cascade, channels, loops);
                filter.Process(input.data(), output.data(), kFrames);
                for (int c = 0; c < channels; ++c) {
                    const std::vector<double> expected =
                        ReferenceFiltered(cascade, Channel(input, channels, c));
                    const std::vector<double> got = Channel(output, channels, c);
                    double peak = 1.0;
                    for (double v : expected) peak = std::max(peak, std::fabs(v));
                    // Rounding only: fused multiply-adds round differently from the reference.
                    for (std::size_t n = 0; n < kFrames; ++n) {
                        ASSERT_NEAR(got[n], expected[n], 1e-11 * peak)
                            << "channel " << c << " frame " << n;
                    }
                }
            }
        }
}

TEST(CascadeFilter, CarriesItsStateAcrossBlocksOfAnySize) {
    constexpr int kChannels = 2;
    constexpr std::size_t kFrames = 5000;
    const Cascade cascade = CascadeOf(3);
    const std::vector<float> input([] {
        const auto noise = Noise(kFrames * kChannels, 0.5, 3u);
        return std::vector<float>(noise.begin(), noise.end());
    }());
    std::vector<float> whole(input.size());
    CascadeFilter once(cascade, kChannels);
    const double wholePeak = once.Process(input.data(), whole.data(), kFrames);

    CascadeFilter inBlocks(cascade, kChannels);
    std::vector<float> pieces(input.size());
    double peak = 0.0;
    for (std::size_t start = 0, size = 1; start < kFrames; start += size, size = size * 3 + 1) {
        const std::size_t count = std::min(size, kFrames - start);
        peak = std::max(peak, inBlocks.Process(input.data() + start * kChannels,
                                               pieces.data() + start * kChannels, count));
    }
    EXPECT_EQ(pieces, whole);
    EXPECT_EQ(peak, wholePeak);

    // Reset starts again from silence.
    inBlocks.Reset();
    std::vector<float> again(input.size());
    inBlocks.Process(input.data(), again.data(), kFrames);
    EXPECT_EQ(again, whole);
}

TEST(CascadeFilter, ReportsThePeakAndANonFiniteInputThatStaysInItsState) {
    const Cascade cascade = CascadeOf(1);
    std::vector<double> input = Impulse(2, 64, 0, -0.5);
    std::vector<double> output(input.size());
    CascadeFilter filter(cascade, 2);
    const double peak = filter.Process(input.data(), output.data(), 64);
    double largest = 0.0;
    for (double v : output) largest = std::max(largest, std::fabs(v));
    EXPECT_EQ(peak, largest);
    EXPECT_TRUE(filter.StateIsFinite());

    input[61] = std::numeric_limits<double>::quiet_NaN();  // one NaN in the right channel
    filter.Process(input.data(), output.data(), 64);
    EXPECT_FALSE(filter.StateIsFinite());
}

TEST(CascadeFilter, RefusesNoChannelAndNoSection) {
    EXPECT_THROW(CascadeFilter(CascadeOf(1), 0), std::invalid_argument);
    EXPECT_THROW(CascadeFilter(Cascade{}, 2), std::invalid_argument);
}

}  // namespace
