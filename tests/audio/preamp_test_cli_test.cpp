// The preamp test as a user runs it: vorlexi-calc signal, the real SoX as the preamp
// (running the playback line that the print command exports), vorlexi-calc measure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>

#include "apply_run.h"
#include "calc_process.h"
#include "external_tool.h"
#include "sound_files.h"

namespace {

// A number of the measurement's JSON, by its key.
double JsonNumber(const std::string& json, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(json, match, std::regex("\"" + key + "\": ([-+0-9.eE]+)"))) {
        ADD_FAILURE() << "no " << key << " in " << json;
        return NAN;
    }
    return std::stod(match[1]);
}

class PreampTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
            << "sox is missing: scripts/install-deps.sh --test installs it";
    }

    // A short sweep at 48 kHz, with the recording curve when inverse.
    std::string Sweep(const std::string& name, std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {"signal", "-q", "--duration", "2", "-o",
                                              folder.Path(name)};
        arguments.insert(arguments.end(), more.begin(), more.end());
        const ProcessResult run = Calc(arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return folder.Path(name);
    }

    ProcessResult Measure(const std::string& recording, const std::string& reference,
                          std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {"measure", recording, "--reference", reference};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Calc(arguments);
    }

    ScratchFolder folder;
};

TEST_F(PreampTest, AnExactPlaybackChainMeasuresTrueAndABrightOneShowsItsError) {
    const std::string sweep = Sweep("sweep.wav", {"--inverse"});
    const std::string playback = ExportedSoxEffects(48000, {"--tolerance", "0.0001"});
    FilteredBySox(sweep, folder.Path("exact.wav"), playback);
    FilteredBySox(sweep, folder.Path("bright.wav"), playback + " treble +1 5000");

    const ProcessResult exact = Measure(folder.Path("exact.wav"), sweep, {"--json"});
    ASSERT_EQ(exact.exitStatus, 0) << exact.err;
    EXPECT_LT(std::fabs(JsonNumber(exact.out, "max_deviation_db")), 0.01);

    const ProcessResult bright = Measure(folder.Path("bright.wav"), sweep, {"--json"});
    ASSERT_EQ(bright.exitStatus, 0) << bright.err;
    const double error = JsonNumber(bright.out, "max_deviation_db");
    EXPECT_GT(error, 0.5);
    EXPECT_LT(error, 1.5);
    EXPECT_GT(JsonNumber(bright.out, "max_deviation_hz"), 5000.0) << "a treble shelf's error";

    // Against the recording curve, what passed the playback chain is 40 dB off.
    const ProcessResult wrongCurve = Measure(folder.Path("exact.wav"), sweep, {"--inverse"});
    ASSERT_EQ(wrongCurve.exitStatus, 0) << wrongCurve.err;
    EXPECT_NE(wrongCurve.out.find("Compared with: the riaa recording curve"), std::string::npos)
        << wrongCurve.out;
    EXPECT_NE(wrongCurve.out.find("Largest deviation from 20 Hz to 20000 Hz: -39.24 dB"),
              std::string::npos)
        << wrongCurve.out;
}

// What goes to the preamp: the plain sweep at its level, and the equalised one carrying
// exactly the recording curve asked for.
TEST_F(PreampTest, TheSweepFilesHoldTheSweepAndTheRecordingCurve) {
    const Sound plain = ReadSound(Sweep("flat.wav"));
    EXPECT_EQ(plain.rate, 48000);
    EXPECT_EQ(plain.channels, 1);
    EXPECT_EQ(plain.samples.size(), 3u * 48000u) << "2 s of sweep and 1 s of silence";
    EXPECT_NEAR(20.0 * std::log10(Peak(plain)), -6.0, 0.01);

    for (const char* curve : {"riaa", "columbia-lp"}) {
        SCOPED_TRACE(curve);
        const std::string equalised = Sweep("eq.wav", {"--inverse", "--curve", curve});
        const ProcessResult run = Measure(equalised, folder.Path("flat.wav"),
                                          {"--inverse", "--curve", curve, "--json"});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_LT(std::fabs(JsonNumber(run.out, "max_deviation_db")), 0.005);
        EXPECT_LE(Peak(ReadSound(equalised)), std::pow(10.0, -1.0 / 20.0) + 1e-6)
            << "the default level keeps the lifted treble at -1 dBFS";
    }
}

TEST_F(PreampTest, APlainSweepThroughAFlatSystemMeasuresFlat) {
    const std::string sweep = Sweep("flat.wav", {"--channels", "2"});
    // A stereo preamp whose left channel is dead and whose right halves its input.
    FilteredBySox(sweep, folder.Path("quieter.wav"), "remix 0 2v0.5");
    EXPECT_EQ(Measure(folder.Path("quieter.wav"), sweep, {"--flat"}).exitStatus, 1)
        << "the left channel holds only silence";
    const ProcessResult flat =
        Measure(folder.Path("quieter.wav"), sweep, {"--flat", "--channel", "2", "--json"});
    ASSERT_EQ(flat.exitStatus, 0) << flat.err;
    EXPECT_LT(std::fabs(JsonNumber(flat.out, "max_deviation_db")), 0.01);

    const ProcessResult csv =
        Measure(folder.Path("quieter.wav"), sweep, {"--flat", "--channel", "2", "--csv"});
    ASSERT_EQ(csv.exitStatus, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("frequency_hz,gain_db,curve_gain_db,deviation_db\n", 0), 0u);

    const ProcessResult plot =
        Measure(folder.Path("quieter.wav"), sweep,
                {"--flat", "--channel", "2", "--plot", folder.Path("flat.svg")});
    ASSERT_EQ(plot.exitStatus, 0) << plot.err;
    EXPECT_NE(ReadText(folder.Path("flat.svg")).find("Measured"), std::string::npos);
}

TEST_F(PreampTest, ARecordingOfAnotherLengthIsMeasuredWhereItOverlapsAndSaysSo) {
    const std::string sweep = Sweep("flat.wav");
    FilteredBySox(sweep, folder.Path("short.wav"), "trim 0 2.5");
    const ProcessResult run = Measure(folder.Path("short.wav"), sweep, {"--flat", "--json"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("\"lengths_differ\": true"), std::string::npos) << run.out;
    EXPECT_LT(std::fabs(JsonNumber(run.out, "max_deviation_db")), 0.01);
    EXPECT_NE(Measure(folder.Path("short.wav"), sweep, {"--flat"}).out.find("first 2.5 s"),
              std::string::npos);
}

TEST_F(PreampTest, RecordingsThatCannotBeMeasuredAreRefused) {
    const std::string sweep = Sweep("flat.wav");
    struct Case {
        const char* name;
        Sound recording;
        const char* says;
    };
    const Sound played = ReadSound(sweep);
    Sound clipped = played;
    for (double& value : clipped.samples) value = std::clamp(4.0 * value, -1.0, 1.0);
    Sound silent = played;
    std::fill(silent.samples.begin(), silent.samples.end(), 0.0);
    Sound otherRate = played;
    otherRate.rate = 44100;
    const Case cases[] = {
        {"clipped.wav", clipped, "clipped"},
        {"silent.wav", silent, "holds only silence"},
        {"rate.wav", otherRate, "runs at 44100 Hz and the sweep"},
    };
    for (const Case& k : cases) {
        WriteSound(folder.Path(k.name), k.recording);
        const ProcessResult run = Measure(folder.Path(k.name), sweep);
        EXPECT_EQ(run.exitStatus, 1) << k.name;
        EXPECT_NE(run.err.find(k.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const ProcessResult missing = Measure(folder.Path("none.wav"), sweep);
    EXPECT_EQ(missing.exitStatus, 1) << missing.err;
    EXPECT_EQ(Measure(sweep, sweep, {"--flat", "--curve", "riaa"}).exitStatus, 2);
    // A channel the recording lacks is the options' fault, not the file's.
    const ProcessResult noChannel = Measure(sweep, sweep, {"--flat", "--channel", "3"});
    EXPECT_EQ(noChannel.exitStatus, 2);
    EXPECT_NE(noChannel.err.find("--channel 3: "), std::string::npos) << noChannel.err;
    EXPECT_NE(noChannel.err.find(" has 1 channel\n"), std::string::npos) << noChannel.err;
}

TEST_F(PreampTest, ASweepThatWouldClipIsRefusedWithTheLevelThatFits) {
    const ProcessResult loud =
        Calc({"signal", "--inverse", "--level", "0", "-o", folder.Path("loud.wav")});
    EXPECT_EQ(loud.exitStatus, 2);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(loud.err, match, std::regex("--level (-[0-9.]+) or lower fits")))
        << loud.err;
    EXPECT_FALSE(std::ifstream(folder.Path("loud.wav")).good()) << "nothing is written";

    const std::string fits = match[1];
    Sweep("fits.wav", {"--inverse", "--level", fits});
    EXPECT_LE(Peak(ReadSound(folder.Path("fits.wav"))), 1.0);

    const ProcessResult forgotInverse =
        Calc({"signal", "--curve", "columbia-lp", "-o", folder.Path("x.wav")});
    EXPECT_EQ(forgotInverse.exitStatus, 2);
    EXPECT_NE(forgotInverse.err.find("add --inverse"), std::string::npos) << forgotInverse.err;
}

}  // namespace
