// A write that a signal ends leaves the old file as it was and no temporary file.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "safe_writer.h"
#include "test_folder.h"

namespace {

// The child begins a file, writes half of it, says so and waits to be ended.
pid_t ChildInTheMiddleOfAWrite(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, SIG_DFL);
        }
        safe_write::PendingFile file = safe_write::PendingFile::Begin(path);
        if (!file.Ok() || ::write(file.Descriptor(), "half", 4) != 4) {
            ::_exit(1);
        }
        ::write(ready[1], "r", 1);
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return started ? child : -1;
}

TEST(SafeWriterInterrupted, TheSignalEndsTheProcessAndTheTemporaryFileGoes) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        TestFolder folder;
        const std::string path = folder.Path("out.wav");
        WriteFile(path, "old");
        const pid_t child = ChildInTheMiddleOfAWrite(path);
        ASSERT_GT(child, 0) << "the child could not begin the file";
        EXPECT_EQ(folder.Entries().size(), 2u) << "the temporary file is there while writing";

        ASSERT_EQ(::kill(child, signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
            << "ended by the signal itself, as without the writer; status " << status;
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.wav"});
        EXPECT_EQ(ReadFile(path), "old");
    }
}

}  // namespace
