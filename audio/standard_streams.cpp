#include "standard_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A file without a name: O_TMPFILE where the file system has it, else one made and
// unlinked at once, so that only this process's descriptor holds it.
int UnnamedFileIn(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
        return fd;
    }
    std::string name = folder + "/vorlexi-stdin-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(name.c_str());
    }
    return named;
}

// Copies all of `from` to `to`: 0, or the errno of the failure.
int CopyAll(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += put;
        }
    }
}

}  // namespace

std::optional<std::string> KeepStandardInputSeekable() {
    struct stat status {};
    if (::fstat(STDIN_FILENO, &status) != 0) {
        return std::string("standard input: ") + std::strerror(errno);
    }
    if (S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    if (::isatty(STDIN_FILENO)) {
        return std::string(
            "standard input is a terminal; send a file into it (< FILE, or through a pipe)");
    }
    const std::string folder = TemporaryFolder();
    const int copy = UnnamedFileIn(folder);
    if (copy < 0) {
        return "standard input: cannot make a temporary file in " + folder + ": " +
               std::strerror(errno);
    }
    const int error = CopyAll(STDIN_FILENO, copy);
    if (error != 0) {
        ::close(copy);
        return "standard input: cannot keep it in " + folder + ": " + std::strerror(error) +
               (error == ENOSPC ? " (TMPDIR chooses another folder)" : "");
    }
    if (::lseek(copy, 0, SEEK_SET) != 0 || ::dup2(copy, STDIN_FILENO) < 0) {
        const int failed = errno;
        ::close(copy);
        return std::string("standard input: ") + std::strerror(failed);
    }
    ::close(copy);
    return std::nullopt;
}

int UnnamedTemporaryFile() { return UnnamedFileIn(TemporaryFolder()); }

std::optional<std::string> CopyToStandardOutput(int file) {
    if (::lseek(file, 0, SEEK_SET) != 0) {
        return std::string("standard output: ") + std::strerror(errno);
    }
    if (const int error = CopyAll(file, STDOUT_FILENO)) {
        return std::string("standard output: cannot write: ") + std::strerror(error);
    }
    return std::nullopt;
}
