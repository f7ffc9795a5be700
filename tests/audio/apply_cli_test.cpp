// vorlexi-calc apply run as a user runs it: the filter against SoX running the line
// that the print command exports, headroom, dither, channels, refusals and errors.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "apply_run.h"
#include "external_tool.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

std::string Contents(const std::string& path) { return ReadFile(path); }

// A 24-bit stereo file whose 20 Hz tone, lifted by the playback curve when the gain
// applies at 1 kHz, overshoots full scale by about 13 dB.
void WriteLowTone(const std::string& path) {
    std::vector<double> samples;
    for (int n = 0; n < 48000; ++n) {
        const double v =
            std::round(0.5 * std::sin(2 * M_PI * 20.0 * n / 48000.0) * 0x1p23) * 0x1p-23;
        samples.push_back(v);
        samples.push_back(-v);
    }
    WriteSound(path, {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, samples, {}});
}

TEST(ApplyCli, TheOneBiquadFilterMatchesSoxRunningTheExportedLine) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    struct Case {
        int rate;
        std::vector<std::string> design;
        double amplitude;  // SoX works in 32-bit integers and must not clip
    };
    const Case cases[] = {
        {44100, {"--method=matched", "--normalize=dc"}, 0.5},
        {96000, {"--sections", "1", "--extra-zero", "--normalize=dc"}, 0.5},
        {48000, {"--method=matched", "--normalize=dc", "--inverse", "--gain", "0.1"}, 0.05},
        {88200, {"--sections", "1", "--normalize=1k", "--gain", "0.1"}, 0.3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.rate));
        TestFolder folder;
        WriteSound(
            folder.Path("in.wav"),
            {SF_FORMAT_WAV | SF_FORMAT_FLOAT, k.rate, 2, Noise(2 * 30000, k.amplitude, 9u), {}});
        std::vector<std::string> apply = k.design;
        apply.insert(apply.end(),
                     {"--quiet", folder.Path("in.wav"), "-o", folder.Path("ours.wav")});
        const ProcessResult ours = Apply(apply);
        ASSERT_EQ(ours.exitStatus, 0) << ours.err;
        EXPECT_EQ(ours.err, "");

        const Sound mine = ReadSound(folder.Path("ours.wav"));
        const Sound theirs = FilteredBySox(folder.Path("in.wav"), folder.Path("sox.wav"),
                                           ExportedSoxEffects(k.rate, k.design));
        EXPECT_EQ(mine.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT) << "the input's format kept";
        const auto differs = FirstDifference(mine, theirs, 1e-6);
        EXPECT_FALSE(differs) << "sample " << *differs << " of " << mine.samples.size();
    }
}

TEST(ApplyCli, AnIntegerOutputThatWouldClipIsRefusedUnlessClippingIsAllowed) {
    TestFolder folder;
    const std::string in = folder.Path("low.wav");
    WriteLowTone(in);
    const std::string out = folder.Path("out.wav");

    const ProcessResult refused = Apply({"--normalize=1k", in, "-o", out});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find(in + ": the equalised signal would clip in a 24-bit output"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("peaks at +13."), std::string::npos) << refused.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"low.wav"}) << "nothing written";

    // The --gain that the message names is enough.
    const std::size_t at = refused.err.find("--gain ");
    ASSERT_NE(at, std::string::npos) << refused.err;
    const std::string gain = refused.err.substr(at + 7, refused.err.find(' ', at + 7) - at - 7);
    const ProcessResult fitted = Apply({"--normalize=1k", "--gain", gain, "-q", in, "-o", out});
    EXPECT_EQ(fitted.exitStatus, 0) << fitted.err;
    EXPECT_EQ(fitted.err, "");

    // --clip writes it and counts exactly the samples that the float result puts
    // beyond the 24-bit range.
    const ProcessResult wide = Apply({"--normalize=1k", "--bits", "64f", "-q", in, "-o", out});
    ASSERT_EQ(wide.exitStatus, 0) << wide.err;
    EXPECT_NE(wide.err.find("above full scale"), std::string::npos) << "float never clips";
    std::size_t beyond = 0;
    for (double v : ReadSound(out).samples) {
        const double steps = std::nearbyint(v * 0x1p23);
        beyond += steps > 0x1p23 - 1 || steps < -0x1p23;
    }
    ASSERT_GT(beyond, 0u);
    const ProcessResult clipped =
        Apply({"--normalize=1k", "--clip", "--no-dither", "-q", in, "-o", out});
    EXPECT_EQ(clipped.exitStatus, 0) << clipped.err;
    EXPECT_NE(clipped.err.find(": " + std::to_string(beyond) + " samples clipped"),
              std::string::npos)
        << clipped.err;
    EXPECT_EQ(ReadSound(out).format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
}

TEST(ApplyCli, DitherOffGivesExactlyTheRoundedResultAndDitherRepeatsItself) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteSound(in, {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, Noise(2 * 20000, 0.3, 4u), {}});
    const auto run = [&](std::vector<std::string> options, const std::string& name) {
        options.insert(options.end(), {"-q", in, "-o", folder.Path(name)});
        const ProcessResult result = Apply(options);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return ReadSound(folder.Path(name)).samples;
    };
    const std::vector<double> exact = run({"--bits", "64f"}, "exact.wav");
    const std::vector<double> rounded = run({"--bits", "16", "--no-dither"}, "rounded.wav");
    const std::vector<double> dithered = run({"--bits", "16"}, "dithered.wav");
    run({"--bits", "16"}, "again.wav");
    ASSERT_EQ(rounded.size(), exact.size());
    ASSERT_EQ(dithered.size(), exact.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < exact.size(); ++i) {
        ASSERT_EQ(rounded[i] * 32768.0, std::nearbyint(exact[i] * 32768.0)) << "sample " << i;
        ASSERT_LE(std::fabs(dithered[i] - exact[i]) * 32768.0, 1.5) << "sample " << i;
        differing += dithered[i] != rounded[i];
    }
    EXPECT_GT(differing, exact.size() / 4) << "dither changes the rounding";
    EXPECT_EQ(Contents(folder.Path("dithered.wav")), Contents(folder.Path("again.wav")));
}

TEST(ApplyCli, ChannelsStayIndependent) {
    constexpr int kChannels = 4;
    constexpr std::size_t kFrames = 5000;
    TestFolder folder;
    // An impulse, silence, noise and silence.
    const std::vector<double> noise = Noise(kFrames, 0.4, 8u);
    std::vector<double> samples(kFrames * kChannels, 0.0);
    samples[0] = 0.5;
    for (std::size_t n = 0; n < kFrames; ++n) samples[n * kChannels + 2] = noise[n];
    WriteSound(folder.Path("four.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 96000, kChannels, samples, {}});
    WriteSound(folder.Path("impulse.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 96000, 1, Impulse(1, kFrames, 0, 0.5), {}});
    WriteSound(folder.Path("noise.wav"), {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 96000, 1, noise, {}});
    const ProcessResult result =
        Apply({"-q", "--method=minimax", "--output-dir", folder.Path("out"),
               folder.Path("four.wav"), folder.Path("impulse.wav"), folder.Path("noise.wav")});
    ASSERT_EQ(result.exitStatus, 2) << "the folder must exist: " << result.err;
    ASSERT_EQ(RunCommand("mkdir " + ShellQuoted(folder.Path("out"))), 0);
    const ProcessResult done =
        Apply({"-q", "--method=minimax", "--output-dir", folder.Path("out"),
               folder.Path("four.wav"), folder.Path("impulse.wav"), folder.Path("noise.wav")});
    ASSERT_EQ(done.exitStatus, 0) << done.err;

    const Sound four = ReadSound(folder.Path("out/four.wav"));
    const Sound impulse = ReadSound(folder.Path("out/impulse.wav"));
    const Sound filteredNoise = ReadSound(folder.Path("out/noise.wav"));
    ASSERT_EQ(four.channels, kChannels);
    ASSERT_EQ(four.samples.size(), kFrames * kChannels);
    for (std::size_t n = 0; n < kFrames; ++n) {
        ASSERT_EQ(four.samples[n * kChannels + 0], impulse.samples[n]) << n;
        ASSERT_EQ(four.samples[n * kChannels + 1], 0.0) << n;
        ASSERT_EQ(four.samples[n * kChannels + 2], filteredNoise.samples[n]) << n;
        ASSERT_EQ(four.samples[n * kChannels + 3], 0.0) << n;
    }
}

TEST(ApplyCli, UnreadableInputsGiveAClearErrorAndNoOutput) {
    TestFolder folder;
    WriteFile(folder.Path("text.wav"), "this is not audio\n");
    WriteSound(folder.Path("whole.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, Noise(2 * 48000, 0.5, 2u), {}});
    WriteFile(folder.Path("cut.wav"), Contents(folder.Path("whole.wav")).substr(0, 100000));
    ASSERT_EQ(RunCommand("mkdir " + ShellQuoted(folder.Path("out"))), 0);
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"text.wav", ": not an audio file that can be read (Format not recognised"},
        {"cut.wav", ": the file ends before its audio does"},
        {"missing.wav", ": cannot open: No such file or directory"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const ProcessResult result =
            Apply({folder.Path(k.name), "--output-dir", folder.Path("out")});
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.err.rfind("vorlexi-calc: " + folder.Path(k.name) + k.reason, 0), 0u)
            << result.err;
        EXPECT_EQ(EntriesOf(folder.Path("out")), std::vector<std::string>{});
    }
}

TEST(ApplyCli, NoOutputMayOverwriteAnInputOrAnotherOutput) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteSound(in, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, Impulse(1, 100, 0, 0.5), {}});
    const std::string before = Contents(in);
    ASSERT_EQ(RunCommand("ln " + ShellQuoted(in) + " " + ShellQuoted(folder.Path("link.wav"))), 0);
    ASSERT_EQ(
        RunCommand("mkdir " + ShellQuoted(folder.Path("a")) + " " + ShellQuoted(folder.Path("c"))),
        0);
    WriteFile(folder.Path("a/in.wav"), before);

    const std::vector<std::vector<std::string>> refused = {
        {in, "-o", in},
        {in, "-o", folder.Path("link.wav")},  // the same file under another name
        {in, "--output-dir", folder.Path(".")},
        {in, folder.Path("a/in.wav"), "--output-dir", folder.Path("c")},  // both c/in.wav
        {in, folder.Path("a/in.wav"), "--output-dir", folder.Path("b")},
        {in, folder.Path("link.wav"), "-o", folder.Path("x.wav")},
        {in},
        {"-s", "44.1k", in, "-o", folder.Path("x.wav")},
    };
    for (const auto& arguments : refused) {
        const ProcessResult result = Apply(arguments);
        EXPECT_EQ(result.exitStatus, 2) << result.err;
        EXPECT_EQ(result.err.rfind("vorlexi-calc", 0), 0u) << result.err;
    }
    EXPECT_EQ(Contents(in), before);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a", "c", "in.wav", "link.wav"}));
}

TEST(ApplyCli, StringsAreCopiedAndTheCommentNamesTheDesign) {
    TestFolder folder;
    Sound input{SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000, 2, Impulse(2, 1000, 0, 0.25), {}};
    input.strings = {{SF_STR_TITLE, "Side A"}, {SF_STR_ARTIST, "The Band"}, {SF_STR_DATE, "1962"}};
    WriteSound(folder.Path("in.flac"), input);
    const ProcessResult result =
        Apply({"--method=matched", "--normalize=dc", "-q", "--format-out", "wav", "--bits", "32f",
               "--output-dir", folder.Path("."), folder.Path("in.flac")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Sound output = ReadSound(folder.Path("in.wav"));  // the new container's extension
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    std::map<int, std::string> strings(output.strings.begin(), output.strings.end());
    EXPECT_EQ(strings[SF_STR_TITLE], "Side A");
    EXPECT_EQ(strings[SF_STR_ARTIST], "The Band");
    EXPECT_EQ(strings[SF_STR_DATE], "1962");
    EXPECT_EQ(
        strings[SF_STR_COMMENT],
        "RIAA playback (de-emphasis) curve, matched z-transform method, 1 section, largest "
        "deviation 0.63 dB, designed for 96000 Hz, gain 1 at DC; applied by vorlexi-calc " VORLEXI_VERSION);

    // -o's extension chooses the container, the input's sample format stays.
    const ProcessResult named = Apply({"-q", folder.Path("in.flac"), "-o", folder.Path("x.caf")});
    ASSERT_EQ(named.exitStatus, 0) << named.err;
    EXPECT_EQ(ReadSound(folder.Path("x.caf")).format, SF_FORMAT_CAF | SF_FORMAT_PCM_16);
}

}  // namespace
