// Several inputs at once and channels folded: each output as a single run makes it,
// the worst status as the exit status, and nothing left by a signal mid-batch.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "apply_run.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

constexpr int kRate = 48000;

std::vector<double> Tone(std::size_t frames, double hz, double amplitude) {
    std::vector<double> samples;
    for (std::size_t n = 0; n < frames; ++n) {
        samples.push_back(amplitude * std::sin(2.0 * M_PI * hz * n / kRate));
    }
    return samples;
}

TEST(ApplyChannels, LateralCancelsAnAntiPhaseToneAndVerticalKeepsIt) {
    TestFolder folder;
    const std::vector<double> tone = Tone(kRate / 2, 1000.0, 0.25);
    std::vector<double> antiPhase;
    for (const double v : tone) antiPhase.insert(antiPhase.end(), {v, -v});
    WriteSound(folder.Path("stereo.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 2, antiPhase, {}});
    WriteSound(folder.Path("mono.wav"), {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 1, tone, {}});
    const auto fold = [&](const std::string& channels, const std::string& input) {
        const std::string out = folder.Path(channels + "-" + input);
        const ProcessResult result =
            Apply({"-q", "--channels", channels, folder.Path(input), "-o", out});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return ReadSound(out);
    };
    const Sound alone = fold("stereo", "mono.wav");
    const Sound lateral = fold("lateral", "stereo.wav");
    const Sound vertical = fold("vertical", "stereo.wav");
    const Sound left = fold("left", "stereo.wav");
    const Sound right = fold("right", "stereo.wav");
    for (const Sound* one : {&lateral, &vertical, &left, &right}) {
        EXPECT_EQ(one->channels, 1);
    }
    EXPECT_EQ(Peak(lateral), 0.0) << "(L+R)/2 of an anti-phase tone is silence";
    EXPECT_GT(Peak(alone), 0.2);
    EXPECT_EQ(vertical.samples, alone.samples) << "(L-R)/2 is the tone itself";
    EXPECT_EQ(left.samples, alone.samples);
    for (std::size_t i = 0; i < right.samples.size(); ++i) {
        ASSERT_EQ(right.samples[i], -alone.samples[i]) << "sample " << i;
    }

    const ProcessResult mono =
        Apply({"--channels", "lateral", folder.Path("mono.wav"), "-o", folder.Path("refused.wav")});
    EXPECT_EQ(mono.exitStatus, 2);
    EXPECT_NE(mono.err.find("mono.wav: --channels lateral folds the two channels of a stereo "
                            "file, and this one has 1"),
              std::string::npos)
        << mono.err;
}

TEST(ApplyBatch, EachOutputIsTheSingleRunsAndTheWorstStatusIsTheExitStatus) {
    TestFolder folder;
    const std::vector<std::string> names = {"a.wav", "b.flac", "c.wav", "d.wav"};
    WriteSound(folder.Path("a.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 2, Noise(2 * 96000, 0.05, 1u), {}});
    WriteSound(folder.Path("b.flac"),
               {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, Noise(44100, 0.05, 2u), {}});
    WriteSound(folder.Path("c.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, Noise(2 * 48000, 0.5, 3u), {}});
    WriteFile(folder.Path("d.wav"), "not audio");
    ASSERT_EQ(mkdir(folder.Path("one").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(folder.Path("all").c_str(), 0755), 0);

    std::vector<std::string> batch = {"--jobs", "3", "--output-dir", folder.Path("all")};
    for (const std::string& name : names) batch.push_back(folder.Path(name));
    const ProcessResult all = Apply(batch);
    EXPECT_EQ(all.exitStatus, 1) << "d.wav cannot be read: " << all.err;
    for (const std::string name : {"a.wav", "b.flac", "c.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(all.err.find(name + " -> "), std::string::npos) << "one line a file";
        const ProcessResult one =
            Apply({"-q", folder.Path(name), "-o", folder.Path("one/" + std::string(name))});
        ASSERT_EQ(one.exitStatus, 0) << one.err;
        EXPECT_EQ(ReadFile(folder.Path("all/" + std::string(name))),
                  ReadFile(folder.Path("one/" + std::string(name))));
    }
    EXPECT_NE(all.err.find("d.wav: not an audio file"), std::string::npos) << all.err;
    EXPECT_EQ(EntriesOf(folder.Path("all")),
              (std::vector<std::string>{"a.wav", "b.flac", "c.wav"}));
}

TEST(ApplyBatch, AnEndingSignalMidBatchLeavesNoTemporaryFile) {
    TestFolder folder;
    WriteLongSilence(folder.Path("one.wav"));
    WriteLongSilence(folder.Path("two.wav"));
    ASSERT_EQ(mkdir(folder.Path("out").c_str(), 0755), 0);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        execl(VORLEXI_CALC_PATH, VORLEXI_CALC_PATH, "apply", "--clip", "--jobs", "2",
              "--output-dir", folder.Path("out").c_str(), folder.Path("one.wav").c_str(),
              folder.Path("two.wav").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GE(child, 0);
    // Both threads are writing once both temporary files exist.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (EntriesOf(folder.Path("out")).size() < 2 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(EntriesOf(folder.Path("out")).size(), 2u) << "the batch did not begin";
    ASSERT_EQ(kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
    EXPECT_EQ(EntriesOf(folder.Path("out")), std::vector<std::string>{});
}

}  // namespace
