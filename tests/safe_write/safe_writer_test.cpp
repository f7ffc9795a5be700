// The one writer as a user meets it: whatever the path names, the file ends up complete
// or as it was, and nothing else is touched.
#include "safe_writer.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "child_process.h"
#include "test_folder.h"

namespace {

using safe_write::PendingFile;
using safe_write::WriteFileSafely;
using Names = std::vector<std::string>;

std::string Message(const std::string& path, const std::string& reason) {
    return "cannot write " + path + ": " + reason;
}

TEST(SafeWriter, NewAndReplacedFilesGetTheRightModeAndNothingIsLeftBeside) {
    TestFolder folder;
    const mode_t mask = ::umask(0022);
    ASSERT_EQ(WriteFileSafely(folder.Path("new.svg"), "fresh"), std::nullopt);
    EXPECT_EQ(ReadFile(folder.Path("new.svg")), "fresh");
    EXPECT_EQ(ModeOf(folder.Path("new.svg")) & 07777, 0644u);
    ::umask(mask);

    WriteFile(folder.Path("kept.svg"), "old", 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(folder.Path("kept.svg").c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(WriteFileSafely(folder.Path("kept.svg"), "new"), std::nullopt);
    EXPECT_EQ(ReadFile(folder.Path("kept.svg")), "new");
    struct stat info {};
    ASSERT_EQ(::stat(folder.Path("kept.svg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 65534u) << "root keeps the owner";
        EXPECT_EQ(info.st_gid, 65534u);
    }
    EXPECT_EQ(folder.Entries(), (Names{"kept.svg", "new.svg"}));
}

TEST(SafeWriter, AFileWrittenInPiecesAppearsOnlyWhenCommitted) {
    TestFolder folder;
    const std::string path = folder.Path("long.wav");
    WriteFile(path, "old");
    {
        PendingFile abandoned = PendingFile::Begin(path);
        ASSERT_TRUE(abandoned.Ok()) << abandoned.Error();
        EXPECT_FALSE(abandoned.WritesInPlace());
        ASSERT_EQ(::write(abandoned.Descriptor(), "half", 4), 4);
        EXPECT_EQ(folder.Entries().size(), 2u) << "the temporary file lies beside the target";
    }
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(folder.Entries(), Names{"long.wav"});

    PendingFile file = PendingFile::Begin(path);
    ASSERT_TRUE(file.Ok()) << file.Error();
    PendingFile moved = std::move(file);
    ASSERT_EQ(::write(moved.Descriptor(), "one ", 4), 4);
    ASSERT_EQ(::write(moved.Descriptor(), "two", 3), 3);
    EXPECT_EQ(ReadFile(path), "old");
    ASSERT_EQ(moved.Commit(), std::nullopt);
    EXPECT_EQ(ReadFile(path), "one two");
    EXPECT_EQ(folder.Entries(), Names{"long.wav"});
    EXPECT_EQ(moved.FailureMessage(ENOSPC), Message(path, "No space left on device"));
}

TEST(SafeWriter, SymbolicLinksAreFollowedAndKept) {
    TestFolder folder;
    ASSERT_EQ(::mkdir(folder.Path("real").c_str(), 0755), 0);
    WriteFile(folder.Path("real/plot.svg"), "old", 0600);
    ASSERT_EQ(::symlink("real/plot.svg", folder.Path("first").c_str()), 0);
    ASSERT_EQ(::symlink(folder.Path("first").c_str(), folder.Path("second").c_str()), 0);
    ASSERT_EQ(WriteFileSafely(folder.Path("second"), "through two links"), std::nullopt);
    EXPECT_EQ(ReadFile(folder.Path("real/plot.svg")), "through two links");
    EXPECT_EQ(ModeOf(folder.Path("real/plot.svg")) & 07777, 0600u);
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("first"))));
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("second"))));
    EXPECT_EQ(EntriesOf(folder.Path("real")), Names{"plot.svg"});

    // A link to a file that is not there yet makes the file, where the link points.
    ASSERT_EQ(::symlink("real/later.svg", folder.Path("dangling").c_str()), 0);
    ASSERT_EQ(WriteFileSafely(folder.Path("dangling"), "made"), std::nullopt);
    EXPECT_EQ(ReadFile(folder.Path("real/later.svg")), "made");
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("dangling"))));

    ASSERT_EQ(::symlink("loop", folder.Path("loop").c_str()), 0);
    EXPECT_EQ(WriteFileSafely(folder.Path("loop"), "x"),
              Message(folder.Path("loop"), "Too many levels of symbolic links"));
    ASSERT_EQ(::symlink("real/missing/x.svg", folder.Path("nowhere").c_str()), 0);
    EXPECT_EQ(
        WriteFileSafely(folder.Path("nowhere"), "x"),
        Message(folder.Path("nowhere") + " (a link to " + folder.Path("real/missing/x.svg") + ")",
                "No such file or directory"));
    EXPECT_EQ(EntriesOf(folder.Path("real")), (Names{"later.svg", "plot.svg"}));
}

// Both the owner's own read-only file and another user's file in a folder that anyone may
// change: the folder would allow the rename, the file's mode does not.
void ExpectReadOnlyFilesRefused(const TestFolder& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const std::string path = folder.Path(name);
        EXPECT_EQ(WriteFileSafely(path, "new"),
                  Message(path, "the existing file is not writable (Permission denied)"));
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_FALSE(PendingFile::Begin(path).Ok());
    }
    EXPECT_EQ(folder.Entries().size(), names.size()) << "no temporary file";
}

TEST(SafeWriter, AReadOnlyFileIsRefusedUnlessTheUserIsRoot) {
    TestFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    if (::geteuid() != 0) {
        WriteFile(folder.Path("mine.svg"), "old", 0444);
        ExpectReadOnlyFilesRefused(folder, {"mine.svg"});
        return;
    }
    // Root may write any file, as with every other tool: the mode is kept.
    WriteFile(folder.Path("root.svg"), "old", 0444);
    ASSERT_EQ(WriteFileSafely(folder.Path("root.svg"), "new"), std::nullopt);
    EXPECT_EQ(ModeOf(folder.Path("root.svg")) & 07777, 0444u);
    ASSERT_EQ(::unlink(folder.Path("root.svg").c_str()), 0);

    WriteFile(folder.Path("theirs.svg"), "old", 0644);
    WriteFile(folder.Path("mine.svg"), "old", 0444);
    ASSERT_EQ(::chown(folder.Path("mine.svg").c_str(), 65534, 65534), 0);
    if (const auto reason = RunInChild(AsNobody(), [&] {
            ExpectReadOnlyFilesRefused(folder, {"mine.svg", "theirs.svg"});
        })) {
        GTEST_SKIP() << *reason;
    }
}

TEST(SafeWriter, ACharacterDeviceIsWrittenInPlaceAndNeverReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may make device nodes (mknod)";
    }
    TestFolder folder;
    // Copies of /dev/full and /dev/null, harmless to write.
    const std::string full = folder.Path("fullc");
    const std::string null = folder.Path("nullc");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
        ::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "cannot make device nodes here: " << std::strerror(errno);
    }
    EXPECT_EQ(WriteFileSafely(full, std::string(100000, 'x')),
              Message(full, "No space left on device"));
    EXPECT_EQ(WriteFileSafely(null, "gone"), std::nullopt);
    EXPECT_TRUE(PendingFile::Begin(null).WritesInPlace());
    EXPECT_TRUE(S_ISCHR(ModeOf(full)));
    EXPECT_TRUE(S_ISCHR(ModeOf(null)));
    EXPECT_EQ(folder.Entries(), (Names{"fullc", "nullc"}));
}

TEST(SafeWriter, AFifoIsWrittenInPlaceAndOneNobodyReadsIsRefused) {
    TestFolder folder;
    const std::string fifo = folder.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileSafely(fifo, "lost"),
              Message(fifo, "no program is reading the FIFO (No such device or address)"));

    std::string received;
    std::thread reader([&] { received = ReadFile(fifo); });
    // The reader's open() waits for a writer; retry until the reader is there.
    std::optional<std::string> result;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        result = WriteFileSafely(fifo, "streamed");
        if (!result) break;
        ::usleep(1000);
    }
    if (result) {
        ::close(::open(fifo.c_str(), O_WRONLY));  // lets the reader go
    }
    reader.join();
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(received, "streamed");
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(folder.Entries(), Names{"pipe"});
}

TEST(SafeWriter, WhatCannotHoldAFileIsRefusedWithAReason) {
    TestFolder folder;
    EXPECT_EQ(WriteFileSafely("", "x"), Message("''", "an empty path names no file"));
    EXPECT_EQ(WriteFileSafely(folder.Path(), "x"), Message(folder.Path(), "Is a directory"));
    EXPECT_EQ(WriteFileSafely(folder.Path("none/x.svg"), "x"),
              Message(folder.Path("none/x.svg"), "No such file or directory"));

    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder.Path("sock");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(WriteFileSafely(socketPath, "x"),
              Message(socketPath, "it is a socket, which cannot be written as a file"));
    ::close(listener);
    EXPECT_EQ(folder.Entries(), Names{"sock"});
}

TEST(SafeWriter, AFullFileSystemKeepsTheOldFileAndLeavesNoTemporaryFile) {
    TestFolder folder;
    if (const auto reason = RunInChild(WithTmpfsOn(folder.Path(), "64k"), [&] {
            WriteFile(folder.Path("plot.svg"), "old");
            WriteFile(folder.Path("filler"), std::string(40 * 1024, 'f'));
            EXPECT_EQ(WriteFileSafely(folder.Path("plot.svg"), std::string(64 * 1024, 'n')),
                      Message(folder.Path("plot.svg"), "No space left on device"));
            EXPECT_EQ(ReadFile(folder.Path("plot.svg")), "old");
            EXPECT_EQ(folder.Entries(), (Names{"filler", "plot.svg"}));
        })) {
        GTEST_SKIP() << *reason;
    }
}

}  // namespace
