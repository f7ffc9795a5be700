// vorlexi-calc apply at the limits of what it is given: numbers too large or too small
// for the output, a FIFO as input, names with control characters, a curve longer than
// any curve, too little memory and a libsndfile that cannot be loaded. Each run either
// writes a right file or refuses in one line, and leaves nothing behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>

#include "apply_run.h"
#include "external_tool.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

// vorlexi-calc apply run by the shell after `prefix` (ulimit, env, timeout).
ProcessResult ApplyAfter(const std::string& prefix, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"/bin/sh", "-c", prefix + " \"$0\" apply \"$@\"", VORLEXI_CALC_PATH});
    return RunProcess(arguments);
}

bool OneLine(const std::string& text) {
    return !text.empty() && text.find('\n') == text.size() - 1;
}

void WriteFloatNoise(const std::string& path, double amplitude) {
    WriteSound(path, {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 44100, 1, Noise(44100, amplitude, 5u), {}});
}

bool AllFinite(const Sound& sound) {
    for (double v : sound.samples) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

TEST(ApplyLimits, AFloatOutputThatWouldOverflowIsRefusedNamingTheGainThatFits) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    const std::string out = folder.Path("out.wav");
    std::vector<double> samples = Noise(44100, 0.5, 1u);
    samples[100] = 1e200;  // a float64 file holds it; a 32-bit float cannot
    WriteSound(in, {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 44100, 1, samples, {}});

    const ProcessResult refused = Apply({"--bits", "32f", in, "-o", out});
    EXPECT_EQ(refused.exitStatus, 1) << refused.err;
    EXPECT_NE(refused.err.find(in + ": the equalised signal would overflow a 32-bit float output"),
              std::string::npos)
        << refused.err;
    EXPECT_TRUE(OneLine(refused.err)) << refused.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.wav"}) << "nothing written";

    const std::size_t at = refused.err.find("--gain ");
    ASSERT_NE(at, std::string::npos) << refused.err;
    const std::string gain = refused.err.substr(at + 7, refused.err.find(' ', at + 7) - at - 7);
    const ProcessResult fitted = Apply({"--bits", "32f", "--gain", gain, "-q", in, "-o", out});
    EXPECT_EQ(fitted.exitStatus, 0) << fitted.err;
    EXPECT_TRUE(AllFinite(ReadSound(out)));
    ASSERT_EQ(RunCommand("rm " + ShellQuoted(out)), 0);

    // A gain too large for the output is refused the same way; an --auto-gain beyond
    // what it holds is held at its largest value, and the input is not blamed.
    WriteFloatNoise(in, 0.5);
    const ProcessResult tooLoud = Apply({"--gain", "1e308", "--bits", "32f", in, "-o", out});
    EXPECT_EQ(tooLoud.exitStatus, 1) << tooLoud.err;
    EXPECT_NE(tooLoud.err.find("would overflow a 32-bit float output"), std::string::npos)
        << tooLoud.err;
    for (const char* target : {"--auto-gain=1000", "--auto-gain=1e308"}) {
        SCOPED_TRACE(target);
        const ProcessResult held = Apply({target, "--bits", "32f", "-q", in, "-o", out});
        EXPECT_EQ(held.exitStatus, 0) << held.err;
        EXPECT_EQ(held.err.find("not finite"), std::string::npos) << held.err;
        const Sound written = ReadSound(out);
        EXPECT_TRUE(AllFinite(written));
        EXPECT_GT(Peak(written), 1e38);
    }
}

TEST(ApplyLimits, AGainThatLeavesNothingAudibleIsRefused) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteFloatNoise(in, 0.5);
    const struct {
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {{"--auto-gain=-1e308"}, "--auto-gain=-1e+308: below the smallest normal value"},
        {{"--auto-gain=-100", "--bits", "16"}, "below one step of a 16-bit integer output"},
        {{"--gain", "1e-320"}, "the design's gain leaves nothing audible in a 64-bit float"},
        {{"--gain", "1e-300", "--bits", "32f"}, "nothing audible in a 32-bit float output"},
        {{"--gain", "1e-9", "--bits", "24"}, "nothing audible in a 24-bit integer output"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.message);
        std::vector<std::string> arguments = k.options;
        arguments.insert(arguments.end(), {in, "-o", folder.Path("out.wav")});
        const ProcessResult result = Apply(arguments);
        EXPECT_EQ(result.exitStatus, 2) << result.err;
        EXPECT_NE(result.err.find(k.message), std::string::npos) << result.err;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.wav"});
    }
}

TEST(ApplyLimits, AFifoAsInputIsRefusedAtOnce) {
    TestFolder folder;
    const std::string fifo = folder.Path("fifo.wav");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // No program writes the FIFO: an open() that waited for one would never return.
    const ProcessResult result =
        ApplyAfter("exec timeout 20", {fifo, "-o", folder.Path("out.wav")});
    EXPECT_EQ(result.exitStatus, 1) << result.err;
    EXPECT_NE(result.err.find(fifo + ": not a regular file"), std::string::npos) << result.err;
}

TEST(ApplyLimits, ControlCharactersInANameAreQuotedAndTheErrorStaysOneLine) {
    TestFolder folder;
    const std::string in = folder.Path("side\na.wav");
    const ProcessResult missing = Apply({in, "-o", folder.Path("out\twav.wav")});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_TRUE(OneLine(missing.err)) << missing.err;
    EXPECT_NE(missing.err.find("\"" + folder.Path("side\\na.wav") + "\": cannot open"),
              std::string::npos)
        << missing.err;

    WriteFloatNoise(in, 0.1);
    const ProcessResult done = Apply({in, "-o", folder.Path("out\x1b.wav")});
    EXPECT_EQ(done.exitStatus, 0) << done.err;
    EXPECT_TRUE(OneLine(done.err)) << done.err;
    EXPECT_NE(done.err.find("\"" + folder.Path("out\\x1b.wav") + "\": 44100 frames"),
              std::string::npos)
        << done.err;
}

TEST(ApplyLimits, ACurveLongerThanAnyCurveIsRefused) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteFloatNoise(in, 0.1);
    std::string curve = "custom:";
    for (int i = 0; i < 800; ++i)
        curve += (i == 0 ? "" : ",") + std::string(i % 2 ? "318u" : "3180u");
    const ProcessResult result = Apply({"--curve", curve, in, "-o", folder.Path("out.wav")});
    EXPECT_EQ(result.exitStatus, 2) << result.err;
    EXPECT_NE(result.err.find("more than 32 time constants"), std::string::npos) << result.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.wav"});
}

TEST(ApplyLimits, TooLittleMemoryEndsInOneLineAndLeavesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no limit fits it";
#else
    TestFolder folder;
    const std::string in = folder.Path("wide.wav");
    // 1024 channels: the blocks of 32768 frames take 384 MiB of buffers, far more than
    // the limit leaves beside the program (which needs well under 60 MiB).
    WriteSound(
        in,
        {SF_FORMAT_WAV | SF_FORMAT_PCM_32, 48000, 1024, std::vector<double>(1024 * 16, 0.0), {}});
    const ProcessResult result =
        ApplyAfter("ulimit -v 200000; exec", {"--clip", in, "-o", folder.Path("out.wav")});
    EXPECT_EQ(result.exitStatus, 1) << result.err;
    EXPECT_NE(result.err.find(in + ": not enough memory"), std::string::npos) << result.err;
    EXPECT_TRUE(OneLine(result.err)) << result.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"wide.wav"});
#endif
}

TEST(ApplyLimits, ALibsndfileThatCannotBeLoadedEndsInOneLine) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteFloatNoise(in, 0.1);
    ASSERT_EQ(RunCommand("mkdir " + ShellQuoted(folder.Path("lib"))), 0);
    WriteFile(folder.Path("lib/libsndfile.so.1"), "not a shared library\n");
    const ProcessResult result =
        ApplyAfter("LD_LIBRARY_PATH=" + ShellQuoted(folder.Path("lib")) + " exec",
                   {in, "-o", folder.Path("out.wav")});
    EXPECT_EQ(result.exitStatus, 1) << result.err;
    EXPECT_NE(result.err.find(in + ": cannot load libsndfile.so.1"), std::string::npos)
        << result.err;
    EXPECT_TRUE(OneLine(result.err)) << result.err;
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.wav", "lib"}));
}

}  // namespace
