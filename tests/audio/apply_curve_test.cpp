// vorlexi-calc apply with the curve and cascade options: the file is equalised with the
// very cascade that the print command exports for the file's rate, as SoX running that
// chain shows, and the comment names what was applied.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "apply_run.h"
#include "external_tool.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

TEST(ApplyCurve, ACascadeOfAnotherCurveMatchesSoxRunningTheExportedChain) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    const struct {
        int rate;
        std::vector<std::string> design;
        const char* comment;
        double amplitude;  // SoX works in 32-bit integers and must not clip
    } cases[] = {
        {44100,
         {"--curve", "decca-lp", "--sections", "2"},
         "decca-lp playback (de-emphasis) curve, minimax method, 2 sections, designed for "
         "44100 Hz",
         0.5},
        {48000,
         {"--curve", "riaa-iec", "--normalize=1k", "--gain", "0.5"},
         "riaa-iec playback (de-emphasis) curve, matched z-transform method, 2 sections",
         0.2},
        {96000,
         {"--tolerance", "0.0001"},
         "RIAA playback (de-emphasis) curve, minimax method",
         0.5},
        // A 78 whose bass boost runs to DC, with the rumble filter that keeps it in bounds.
        {48000,
         {"--curve", "decca-ffrr-78", "--sections", "2", "--rumble", "20", "--rumble-order", "3"},
         "decca-ffrr-78 playback (de-emphasis) curve, minimax method, 2 sections, rumble filter "
         "at 20 Hz of order 3, designed for 48000 Hz",
         0.1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.comment);
        TestFolder folder;
        WriteSound(
            folder.Path("in.wav"),
            {SF_FORMAT_WAV | SF_FORMAT_FLOAT, k.rate, 2, Noise(2 * 20000, k.amplitude, 3u), {}});
        std::vector<std::string> apply = k.design;
        apply.insert(apply.end(), {"-q", folder.Path("in.wav"), "-o", folder.Path("ours.wav")});
        const ProcessResult ours = Apply(apply);
        ASSERT_EQ(ours.exitStatus, 0) << ours.err;

        const Sound mine = ReadSound(folder.Path("ours.wav"));
        const Sound theirs = FilteredBySox(folder.Path("in.wav"), folder.Path("sox.wav"),
                                           ExportedSoxEffects(k.rate, k.design));
        const auto differs = FirstDifference(mine, theirs, 1e-6);
        EXPECT_FALSE(differs) << "sample " << *differs << " of " << mine.samples.size();
        EXPECT_GT(Peak(mine), 0.01) << "the comparison needs a signal above the rounding";
        std::map<int, std::string> strings(mine.strings.begin(), mine.strings.end());
        EXPECT_EQ(strings[SF_STR_COMMENT].rfind(k.comment, 0), 0u) << strings[SF_STR_COMMENT];
    }
}

TEST(ApplyCurve, BadDesignOptionsAreRefusedBeforeAnyFileIsTouched) {
    TestFolder folder;
    WriteSound(folder.Path("in.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 1, Noise(1000, 0.1, 1u), {}});
    const struct {
        std::vector<std::string> design;
        const char* message;
    } cases[] = {
        {{"--sections", "5"}, "--sections: \"5\""},
        {{"--curve", "custom:-3u"}, "--curve: custom curve: entry 1"},
        {{"--curve", "riaa-iec", "--sections", "1"}, "--sections 1: the curve riaa-iec"},
        {{"--method=matched", "--tolerance", "0.1"}, "--tolerance chooses a minimax cascade"},
        {{"--tolerance", "0"}, "--tolerance: \"0\""},
        // A bass boost down to DC is an integrator in the matched design, and its
        // inverse, a zero at DC, one in the recording design.
        {{"--curve", "aes-1951"}, "the matched design of aes-1951 has a pole at DC"},
        {{"--curve", "riaa-iec", "-i"}, "the matched design of riaa-iec inverted has a pole"},
    };
    for (const auto& k : cases) {
        std::vector<std::string> arguments = k.design;
        arguments.insert(arguments.end(), {folder.Path("in.wav"), "-o", folder.Path("out.wav")});
        const ProcessResult result = Apply(arguments);
        EXPECT_EQ(result.exitStatus, 2) << result.err;
        EXPECT_EQ(result.err.rfind(std::string("vorlexi-calc apply: ") + k.message, 0), 0u)
            << result.err;
    }
    // An unreachable tolerance is known only at the file's rate: that file fails, and
    // nothing is written.
    const ProcessResult unreachable =
        Apply({"--tolerance", "1e-12", folder.Path("in.wav"), "-o", folder.Path("out.wav")});
    EXPECT_NE(unreachable.exitStatus, 0);
    EXPECT_NE(unreachable.err.find("the best, 4 sections"), std::string::npos) << unreachable.err;
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.wav"}));
}

}  // namespace
