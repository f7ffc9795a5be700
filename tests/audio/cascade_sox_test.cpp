// A cascade applied to a file against SoX running the chain of `biquad` effects that
// the sections export to, on the same file.
#include <gtest/gtest.h>

#include <cmath>

#include "export_formats.h"
#include "external_tool.h"
#include "file_equaliser.h"
#include "minimax_design.h"
#include "riaa_design.h"
#include "sound_files.h"

namespace {

RiaaCoefficients AsRecord(const BiquadSection& s) {
    return {3, 3, {s.b0, s.b1, s.b2}, {1.0, s.a1, s.a2}};
}

TEST(CascadeAgainstSox, ThreeSectionsMatchSoxsChainOfBiquads) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    constexpr int kRate = 48000;
    // Playback EQ, a recording EQ at a tenth of the gain and a gentle shelf: every
    // coefficient sign and size that a designed cascade has.
    const Cascade cascade{{
        CascadeFromCoefficients(ComputeMinimaxRiaaCoefficients(kRate, 1.0, 0.0, 0)).sections[0],
        CascadeFromCoefficients(ComputeRiaaCoefficients(kRate, 0.1, 1.0, 1)).sections[0],
        BiquadSection{0.9, -1.5, 0.65, -1.6, 0.7},
    }};
    ScratchFolder folder;
    WriteSound(folder.Path("in.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 2, Noise(2 * 20000, 0.3, 5u), {}});
    const EqualiseResult result = EqualiseFile(folder.Path("in.wav"), folder.Path("ours.wav"),
                                               [&](double) {
                                                   return AppliedDesign{cascade, "test", {}};
                                               },
                                               EqualiseSettings{}, {});
    ASSERT_EQ(result.outcome, EqualiseOutcome::Done) << result.message;

    std::string chain;
    for (const BiquadSection& s : cascade.sections) {
        chain += " " + FormatSoxEffect(AsRecord(s));
    }
    // -D: no dither; float out, so that only the filter changes the samples.
    const std::string command = "sox -D " + ShellQuoted(folder.Path("in.wav")) +
                                " -e floating-point -b 32 " + ShellQuoted(folder.Path("sox.wav")) +
                                chain + " 2>/dev/null";
    ASSERT_EQ(RunCommand(command), 0) << command;

    const Sound ours = ReadSound(folder.Path("ours.wav"));
    const Sound sox = ReadSound(folder.Path("sox.wav"));
    ASSERT_EQ(ours.samples.size(), sox.samples.size());
    double largest = 0.0;
    for (std::size_t i = 0; i < ours.samples.size(); ++i) {
        ASSERT_NEAR(ours.samples[i], sox.samples[i], 1e-6) << "sample " << i;
        largest = std::max(largest, std::fabs(ours.samples[i]));
    }
    EXPECT_GT(largest, 0.01) << "the comparison needs a signal that is not lost in rounding";
}

}  // namespace
