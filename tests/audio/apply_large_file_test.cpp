// An output over 4 GiB, at its real size: WAV's 32-bit sizes would wrap, so a WAV that
// large is written as RF64, and a container with no 64-bit form is refused before
// anything is written. The input is a CAF of silence that is a header and a hole.
#include <gtest/gtest.h>

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdint>

#include "apply_run.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

// Just over 4 GiB of 32-bit float samples in one channel.
constexpr std::uint64_t kFrames = (1ull << 30) + 65536;

// A mono 48 kHz float CAF whose data chunk declares kFrames frames, made sparse.
void WriteHugeSilence(const std::string& path) {
    WriteSound(path, {SF_FORMAT_CAF | SF_FORMAT_FLOAT, 48000, 1, std::vector<double>(16, 0.0), {}});
    std::string bytes = ReadFile(path);
    const std::size_t data = bytes.rfind("data");
    ASSERT_NE(data, std::string::npos);
    // The chunk's 64-bit big-endian size: a 4-byte edit count, then the samples.
    const std::uint64_t size = 4 + kFrames * 4;
    for (int i = 0; i < 8; ++i) {
        bytes[data + 4 + i] = static_cast<char>((size >> (8 * (7 - i))) & 0xFF);
    }
    bytes.resize(data + 12 + 4);
    WriteFile(path, bytes);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(bytes.size() + kFrames * 4)), 0);
}

std::uint64_t FreeBytes(const std::string& folder) {
    struct statvfs info {};
    if (statvfs(folder.c_str(), &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

TEST(ApplyLargeFile, AWavOver4GiBIsWrittenAsRf64AndAnAiffIsRefused) {
    TestFolder folder;
    const std::string in = folder.Path("huge.caf");
    WriteHugeSilence(in);

    // Refused before a byte is written: no space needed.
    const ProcessResult aiff = Apply({in, "-o", folder.Path("out.aiff")});
    EXPECT_EQ(aiff.exitStatus, 2) << aiff.err;
    EXPECT_NE(aiff.err.find("out.aiff: 4.295 GB of audio is more than AIFF files hold"),
              std::string::npos)
        << aiff.err;
    EXPECT_NE(aiff.err.find("--format-out w64, caf or wav"), std::string::npos) << aiff.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"huge.caf"});

    if (FreeBytes(folder.Path()) < (kFrames * 4) * 2) {
        GTEST_SKIP() << "the temporary folder " << folder.Path()
                     << " has not twice the 4.3 GB the output takes";
    }
    const std::string out = folder.Path("out.wav");
    const ProcessResult wav = Apply({"-q", in, "-o", out});
    ASSERT_EQ(wav.exitStatus, 0) << wav.err;
    EXPECT_NE(wav.err.find("out.wav: 4.295 GB of audio is more than a WAV file holds (4 GiB): "
                           "written as RF64"),
              std::string::npos)
        << wav.err;

    // Another program sees every frame, and the last ones read.
    SF_INFO info{};
    SNDFILE* file = sf_open(out.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.format, SF_FORMAT_RF64 | SF_FORMAT_FLOAT);
    EXPECT_EQ(static_cast<std::uint64_t>(info.frames), kFrames);
    float last[16] = {1.0f};
    EXPECT_EQ(sf_seek(file, static_cast<sf_count_t>(kFrames - 16), SEEK_SET),
              static_cast<sf_count_t>(kFrames - 16));
    EXPECT_EQ(sf_readf_float(file, last, 16), 16);
    EXPECT_EQ(last[0], 0.0f);
    sf_close(file);
}

}  // namespace
