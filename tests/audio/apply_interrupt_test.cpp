// Ctrl+C in the middle of a long file: no output, no temporary file, the input as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "test_folder.h"

namespace {

void Put32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 16-bit stereo 96 kHz WAV of silence, about 47 minutes long, that takes no disk
// space: a header and a hole.
void WriteLongSilence(const std::string& path) {
    constexpr std::uint32_t kDataBytes = 1u << 30;
    std::string header = "RIFF";
    Put32(header, 36 + kDataBytes);
    header += "WAVEfmt ";
    Put32(header, 16);
    Put32(header, 1 | (2u << 16));  // PCM, 2 channels
    Put32(header, 96000);
    Put32(header, 96000 * 4);
    Put32(header, 4 | (16u << 16));  // 4 bytes a frame, 16 bits
    header += "data";
    Put32(header, kDataBytes);
    WriteFile(path, header);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(header.size() + kDataBytes)), 0);
}

timespec ModificationTime(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mtim;
}

TEST(ApplyInterrupted, CtrlCLeavesNoOutputAndTheInputUntouched) {
    TestFolder folder;
    const std::string in = folder.Path("long.wav");
    WriteLongSilence(in);
    const timespec before = ModificationTime(in);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        // --clip: no first pass, the output is pending from the start.
        execl(VORLEXI_CALC_PATH, VORLEXI_CALC_PATH, "apply", "--clip", in.c_str(), "-o",
              folder.Path("out.wav").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait for the temporary file beside the output, then interrupt.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (folder.Entries().size() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(folder.Entries().size(), 2u) << "the run did not begin its output";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(kill(child, SIGINT), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT)
        << "the run ended by the signal, not by finishing; status " << status;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"long.wav"});
    const timespec after = ModificationTime(in);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << "the input was touched";
}

}  // namespace
