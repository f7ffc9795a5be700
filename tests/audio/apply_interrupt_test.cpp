// A run ended in the middle of a long file: by Ctrl+C or SIGQUIT no output and no
// temporary file, the input as it was; by a file-size limit an error; by SIGKILL a
// temporary file that the next run beside the same target removes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "apply_run.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

timespec ModificationTime(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mtim;
}

// Starts apply --clip (no first pass: the output is pending from the start) on in, to
// out; returns its pid.
pid_t StartApply(const std::string& in, const std::string& out) {
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);  // SIGQUIT dumps core by default
        execl(VORLEXI_CALC_PATH, VORLEXI_CALC_PATH, "apply", "--clip", in.c_str(), "-o",
              out.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// Waits until the folder holds `count` entries (the temporary file beside the output).
bool WaitForEntries(const TestFolder& folder, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (folder.Entries().size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return folder.Entries().size() == count;
}

TEST(ApplyInterrupted, AnEndingSignalLeavesNoOutputAndTheInputUntouched) {
    for (const int signal : {SIGINT, SIGQUIT}) {
        SCOPED_TRACE(strsignal(signal));
        TestFolder folder;
        const std::string in = folder.Path("long.wav");
        WriteLongSilence(in);
        const timespec before = ModificationTime(in);

        const pid_t child = StartApply(in, folder.Path("out.wav"));
        ASSERT_GE(child, 0);
        ASSERT_TRUE(WaitForEntries(folder, 2)) << "the run did not begin its output";
        ASSERT_EQ(kill(child, signal), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
            << "the run ended by the signal, not by finishing; status " << status;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"long.wav"});
        const timespec after = ModificationTime(in);
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << "the input was touched";
    }
}

TEST(ApplyInterrupted, AFileSizeLimitIsAFailedWriteAndLeavesNothing) {
    TestFolder folder;
    const std::string in = folder.Path("long.wav");
    WriteLongSilence(in);
    // ulimit -f counts blocks of 1024 bytes: a limit of 1 MiB.
    const ProcessResult result =
        RunProcess({"/bin/sh", "-c", "ulimit -f 1024; exec \"$0\" apply --clip \"$@\"",
                    VORLEXI_CALC_PATH, in, "-o", folder.Path("out.wav")});
    EXPECT_EQ(result.exitStatus, 1) << "an error, not the end by SIGXFSZ: " << result.err;
    EXPECT_NE(result.err.find("out.wav: cannot write: File too large"), std::string::npos)
        << result.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"long.wav"});
}

TEST(ApplyInterrupted, ATemporaryFileThatAKilledRunLeftIsRemovedByTheNextRun) {
    TestFolder folder;
    const std::string in = folder.Path("long.wav");
    WriteLongSilence(in);
    const pid_t child = StartApply(in, folder.Path("out.wav"));
    ASSERT_GE(child, 0);
    ASSERT_TRUE(WaitForEntries(folder, 2)) << "the run did not begin its output";
    ASSERT_EQ(kill(child, SIGKILL), 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::vector<std::string> left = folder.Entries();
    ASSERT_EQ(left.size(), 2u) << "SIGKILL cannot be caught: its temporary file stays";
    // Another of the same naming, from a process that lives (this one): it stays.
    const std::string stale = left[0] == "long.wav" ? left[1] : left[0];
    const std::string pid = std::to_string(child);
    const std::size_t at = stale.find("-" + pid + ".");
    ASSERT_NE(at, std::string::npos) << stale << " names the pid " << pid;
    const std::string live =
        stale.substr(0, at) + "-" + std::to_string(getpid()) + stale.substr(at + 1 + pid.size());
    WriteFile(folder.Path(live), "");

    WriteSound(folder.Path("short.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, std::vector<double>(100, 0.0), {}});
    const ProcessResult again =
        Apply({"-q", folder.Path("short.wav"), "-o", folder.Path("out.wav")});
    EXPECT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{live, "long.wav", "out.wav", "short.wav"}));
}

}  // namespace
