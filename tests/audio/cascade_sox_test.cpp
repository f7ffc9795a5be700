// A cascade applied to a file against SoX running the chain of `biquad` effects that
// the sections export to, on the same file.
#include <gtest/gtest.h>

#include <cmath>

#include "designs_under_test.h"
#include "external_tool.h"
#include "file_equaliser.h"
#include "sound_files.h"
#include "writers/export_formats.h"

namespace {

TEST(CascadeAgainstSox, ThreeSectionsMatchSoxsChainOfBiquads) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    constexpr int kRate = 48000;
    // Playback EQ, a recording EQ at a tenth of the gain and a gentle shelf: every
    // coefficient sign and size that a designed cascade has.
    const Cascade cascade{{
        RiaaDesign({.samplingFrequency = kRate, .method = DesignMethod::Minimax}).cascade.sections[0],
        RiaaDesign({.samplingFrequency = kRate, .gain = 0.1, .extraZero = 1.0, .recording = true})
            .cascade.sections[0],
        BiquadSection{0.9, -1.5, 0.65, -1.6, 0.7},
    }};
    ScratchFolder folder;
    WriteSound(folder.Path("in.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 2, Noise(2 * 20000, 0.3, 5u), {}});
    const EqualiseResult result = EqualiseFile(folder.Path("in.wav"), folder.Path("ours.wav"),
                                               [&](double) {
                                                   return AppliedDesign{cascade, "test"};
                                               },
                                               EqualiseSettings{}, {});
    ASSERT_EQ(result.outcome, EqualiseOutcome::Done) << result.message;

    const Sound ours = ReadSound(folder.Path("ours.wav"));
    // The exported chain of the cascade, one biquad effect per section.
    const Sound sox =
        FilteredBySox(folder.Path("in.wav"), folder.Path("sox.wav"), FormatSoxEffect(cascade));
    const auto differs = FirstDifference(ours, sox, 1e-6);
    EXPECT_FALSE(differs) << "sample " << *differs << " of " << ours.samples.size();
    EXPECT_GT(Peak(ours), 0.01) << "the comparison needs a signal that is not lost in rounding";
}

}  // namespace
