// vorlexi-calc --plot aimed at what a user may name: the plot goes where the path leads,
// or the run fails with the reason and leaves everything as it was.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "child_process.h"
#include "run_process.h"
#include "test_folder.h"

namespace {

using Names = std::vector<std::string>;

ProcessResult Plot(const std::string& path, const std::string& program = VORLEXI_CALC_PATH) {
    return RunProcess({program, "-s", "44.1k", "--plot", path});
}

// A copy of the tool in a folder anyone may enter: another user may not reach the build
// folder (a checkout in root's home folder, mode 700, on a fresh machine).
std::string CopyOfTheToolForAnyone(const TestFolder& folder) {
    std::filesystem::copy_file(VORLEXI_CALC_PATH, folder.Path("vorlexi-calc"));
    EXPECT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(::chmod(folder.Path("vorlexi-calc").c_str(), 0755), 0);
    return folder.Path("vorlexi-calc");
}

bool IsPlot(const std::string& path) { return ReadFile(path).rfind("<?xml", 0) == 0; }

void ExpectFailure(const ProcessResult& result, const std::string& path,
                   const std::string& reason) {
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "vorlexi-calc: cannot write " + path + ": " + reason + "\n");
}

TEST(CalcPlotFile, AnEmptyPathIsABadOption) {
    const ProcessResult result = Plot("");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("vorlexi-calc: --plot: an empty path names no file\n", 0), 0u)
        << result.err;
}

TEST(CalcPlotFile, ALinkLeadsToItsTargetAndAnOldFileKeepsItsMode) {
    TestFolder folder;
    WriteFile(folder.Path("p.svg"), "old", 0640);
    ASSERT_EQ(::symlink("p.svg", folder.Path("link.svg").c_str()), 0);
    ASSERT_EQ(Plot(folder.Path("link.svg")).exitStatus, 0);
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("link.svg"))));
    EXPECT_TRUE(IsPlot(folder.Path("p.svg")));
    EXPECT_EQ(ModeOf(folder.Path("p.svg")) & 07777, 0640u);
    EXPECT_EQ(folder.Entries(), (Names{"link.svg", "p.svg"}));
}

TEST(CalcPlotFile, ADeviceIsWrittenNotReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may make device nodes (mknod)";
    }
    TestFolder folder;
    const std::string device = folder.Path("fullc");  // a copy of /dev/full
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make device nodes here: " << std::strerror(errno);
    }
    ExpectFailure(Plot(device), device, "No space left on device");
    EXPECT_TRUE(S_ISCHR(ModeOf(device)));
    EXPECT_EQ(folder.Entries(), Names{"fullc"});
}

TEST(CalcPlotFile, AReadOnlyFileIsRefusedInAFolderAnyoneMayChange) {
    TestFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const std::string path = folder.Path("p.svg");
    TestFolder programFolder;
    const std::string program =
        ::geteuid() == 0 ? CopyOfTheToolForAnyone(programFolder) : VORLEXI_CALC_PATH;
    const auto refused = [&] {
        ExpectFailure(Plot(path, program), path,
                      "the existing file is not writable (Permission denied)");
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(folder.Entries(), Names{"p.svg"});
    };
    if (::geteuid() != 0) {
        WriteFile(path, "old", 0444);
        refused();
    } else if (WriteFile(path, "old", 0644); const auto reason = RunInChild(AsNobody(), refused)) {
        GTEST_SKIP() << *reason;
    }
}

TEST(CalcPlotFile, AFullFileSystemKeepsTheOldPlot) {
    TestFolder folder;
    const std::string path = folder.Path("p.svg");
    // The plot takes about 40 KB; 24 KB are left.
    if (const auto reason = RunInChild(WithTmpfsOn(folder.Path(), "64k"), [&] {
            WriteFile(path, "old");
            WriteFile(folder.Path("filler"), std::string(36 * 1024, 'f'));
            ExpectFailure(Plot(path), path, "No space left on device");
            EXPECT_EQ(ReadFile(path), "old");
            EXPECT_EQ(folder.Entries(), (Names{"filler", "p.svg"}));
        })) {
        GTEST_SKIP() << *reason;
    }
}

}  // namespace
