#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string Failure(const std::string& path, int error) {
    return "cannot write " + path + ": " + std::strerror(error);
}

// write() may take fewer bytes than asked; EINTR is no failure.
bool WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path,
                                               const std::string& content) {
    // The temporary file must live in the target's folder: rename() cannot cross file
    // systems, and only a rename makes the new file appear whole.
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return Failure(path, errno);
    }
    // mkstemp creates the file for the owner alone; a plot is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return Failure(path, error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Failure(path, error);
    }
    return std::nullopt;
}
