// The plugin in a host of our own that offers the worker: a curve changed while audio
// runs takes effect within 100 ms, with no step in the output beyond the signal's own,
// and nothing in run() allocates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "lilv_host.h"
#include "plugin/plugin_controls.h"

namespace {

constexpr double kRate = 48000.0;
constexpr std::uint32_t kBlock = 256;

// Two bass tones, where the curves differ most, one phase per channel, well below full
// scale after a bass boost. No treble: its steep slopes would hide a click.
std::vector<float> Tones(std::size_t start, std::uint32_t frames, int channels) {
    std::vector<float> block(static_cast<std::size_t>(frames) * channels);
    for (int c = 0; c < channels; ++c) {
        for (std::uint32_t n = 0; n < frames; ++n) {
            const double t = static_cast<double>(start + n) / kRate;
            block[c * frames + n] =
                static_cast<float>(0.02 * std::sin(2 * std::numbers::pi * 60 * t + c) +
                                   0.05 * std::sin(2 * std::numbers::pi * 400 * t + 2 * c));
        }
    }
    return block;
}

// Runs `blocks` blocks of the tones, setting the control (the curve unless named) to
// `later` before block `at`; the first channel's output.
std::vector<float> Played(LilvHost& host, int blocks, int at, float later,
                          const std::string& symbol = "curve") {
    std::vector<float> out;
    for (int b = 0; b < blocks; ++b) {
        if (b == at) host.Set(symbol, later);
        const std::vector<float> block =
            host.Run(Tones(b * kBlock, kBlock, host.Channels()), kBlock);
        out.insert(out.end(), block.begin(), block.begin() + kBlock);
    }
    return out;
}

double LargestStep(const std::vector<float>& signal, std::size_t from, std::size_t to) {
    double largest = 0.0;
    for (std::size_t n = std::max<std::size_t>(from, 1); n < to; ++n) {
        largest = std::max(largest, std::fabs(double(signal[n]) - signal[n - 1]));
    }
    return largest;
}

constexpr float kRiaa = 1.0f;
constexpr float kColumbiaLp = 4.0f;

TEST(PluginHost, ACurveChangedMidStreamTakesOverWithin100MsWithoutAClickOrAllocation) {
    for (const std::string& uri : {std::string(kStereoPluginUri), std::string(kMonoPluginUri)}) {
        SCOPED_TRACE(uri);
        LilvHost changing(uri, kRate, true);
        LilvHost before(uri, kRate, true);
        LilvHost after(uri, kRate, true);
        after.Set("curve", kColumbiaLp);
        for (LilvHost* host : {&changing, &before, &after}) host->Activate();

        const int blocks = 100;
        const int at = 40;
        const std::vector<float> changed = Played(changing, blocks, at, kColumbiaLp);
        const std::vector<float> riaa = Played(before, blocks, -1, kRiaa);
        const std::vector<float> columbia = Played(after, blocks, -1, kColumbiaLp);

        const std::size_t change = at * kBlock;
        const std::size_t settled = change + static_cast<std::size_t>(0.1 * kRate);
        // The curves differ by several dB at 60 Hz, so the outputs differ clearly...
        double difference = 0.0;
        for (std::size_t n = settled; n < changed.size(); ++n) {
            difference = std::max(difference, std::fabs(double(riaa[n]) - columbia[n]));
        }
        ASSERT_GT(difference, 0.02);
        // ...and 100 ms after the change the output is the new curve's.
        for (std::size_t n = settled; n < changed.size(); ++n) {
            ASSERT_NEAR(changed[n], columbia[n], 1e-4) << "frame " << n;
        }
        // Before the change it was the old curve's, sample for sample.
        for (std::size_t n = 0; n < change; ++n) {
            ASSERT_EQ(changed[n], riaa[n]) << "frame " << n;
        }
        // No step larger than either curve's own output takes.
        const double ownStep =
            std::max(LargestStep(riaa, 0, riaa.size()), LargestStep(columbia, 0, columbia.size()));
        EXPECT_LE(LargestStep(changed, change - kBlock, settled), ownStep);
        EXPECT_EQ(changing.RealTimeAllocations(), 0);
    }
}

// The rumble filter comes in through the worker as any control does, its sections
// after the curve's in the plugin's larger cascade.
TEST(PluginHost, TheRumbleFilterSwitchedOnMidStreamTakesOverWithoutAllocation) {
    const std::string uri(kStereoPluginUri);
    LilvHost changing(uri, kRate, true);
    LilvHost filtered(uri, kRate, true);
    changing.Set("rumble_order", 4);
    filtered.Set("rumble_order", 4);
    filtered.Set("rumble", 50.0f);
    changing.Activate();
    filtered.Activate();
    const int at = 20;
    const std::vector<float> changed = Played(changing, 60, at, 50.0f, "rumble");
    const std::vector<float> wanted = Played(filtered, 60, -1, 50.0f, "rumble");
    // Before the change, without the filter, the 60 Hz tone differs clearly...
    double difference = 0.0;
    for (std::size_t n = 0; n < at * kBlock; ++n) {
        difference = std::max(difference, std::fabs(double(changed[n]) - wanted[n]));
    }
    ASSERT_GT(difference, 0.02);
    // ...and 100 ms after it the output is the filtered plugin's.
    for (std::size_t n = at * kBlock + static_cast<std::size_t>(0.1 * kRate); n < changed.size();
         ++n) {
        ASSERT_NEAR(changed[n], wanted[n], 1e-4) << "frame " << n;
    }
    EXPECT_EQ(changing.RealTimeAllocations(), 0);
}

TEST(PluginHost, BypassFadesToTheInputAndBack) {
    LilvHost host(std::string(kStereoPluginUri), kRate, true);
    host.Activate();
    std::vector<float> out;
    std::vector<float> in;
    for (int b = 0; b < 60; ++b) {
        if (b == 20) host.Set("enabled", 0.0f);
        if (b == 40) host.Set("enabled", 1.0f);
        const std::vector<float> input = Tones(b * kBlock, kBlock, 2);
        const std::vector<float> block = host.Run(input, kBlock);
        out.insert(out.end(), block.begin(), block.begin() + kBlock);
        in.insert(in.end(), input.begin(), input.begin() + kBlock);
    }
    // Bypassed, and past the fade, the output is the input.
    for (std::size_t n = 30 * kBlock; n < 40 * kBlock; ++n) {
        ASSERT_NEAR(out[n], in[n], 1e-6) << "frame " << n;
    }
    const double ownStep =
        std::max(LargestStep(in, 0, in.size()), LargestStep(out, 0, 20 * kBlock));
    EXPECT_LE(LargestStep(out, 0, out.size()), ownStep);
    EXPECT_EQ(host.RealTimeAllocations(), 0);
}

// A host without the worker (lilv's lv2apply, lv2bench) gets the controls' design at
// activation; a change while running waits for the next activation.
TEST(PluginHost, WithoutTheWorkerTheDesignFollowsTheControlsAtActivation) {
    const std::string uri(kMonoPluginUri);
    LilvHost columbia(uri, kRate, true);
    columbia.Set("curve", kColumbiaLp);
    columbia.Activate();
    const std::vector<float> wanted = Played(columbia, 20, -1, kColumbiaLp);

    LilvHost host(uri, kRate, false);
    host.Set("curve", kColumbiaLp);
    host.Activate();
    EXPECT_EQ(Played(host, 20, -1, kColumbiaLp), wanted);

    LilvHost riaa(uri, kRate, false);
    riaa.Activate();
    const std::vector<float> unchanged = Played(riaa, 20, 5, kColumbiaLp);
    LilvHost reference(uri, kRate, false);
    reference.Activate();
    EXPECT_EQ(unchanged, Played(reference, 20, -1, kRiaa));
}

TEST(PluginHost, ARateTheDesignCannotServeIsRefusedAtInstantiation) {
    EXPECT_THROW(LilvHost(std::string(kMonoPluginUri), 1000.0, true), std::runtime_error);
}

}  // namespace
