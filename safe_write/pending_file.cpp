#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <utility>

#include "interrupt_cleanup.h"
#include "safe_writer.h"
#include "shown_path.h"
#include "target_file.h"

namespace safe_write {
namespace {

std::string Message(const std::string& shownPath, const std::string& reason) {
    return "cannot write " + shownPath + ": " + reason;
}

std::string SystemMessage(const std::string& shownPath, int error) {
    return Message(shownPath, std::strerror(error));
}

// Owner and group are kept where the process may set them; anywhere else (another
// user's file, a group the user is not in, an id outside a user namespace) the new
// file simply stays the user's own.
bool MayNotSetOwner(int error) { return error == EPERM || error == EINVAL; }

// Six characters that make a name unlikely to be taken; O_EXCL makes sure.
std::string UniqueSuffix() {
    static std::atomic<std::uint64_t> counter = 0;
    std::uint64_t value =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(::getpid()) << 40) ^ (++counter * 0x9E3779B97F4A7C15u);
    value ^= value >> 31;
    value *= 0xBF58476D1CE4E5B9u;
    value ^= value >> 29;
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kAlphabet[value % (sizeof kAlphabet - 1)];
        value /= sizeof kAlphabet - 1;
    }
    return suffix;
}

// Eight hex digits for this machine: a folder shared over the network may hold the
// temporary files of another machine's processes, whose pids mean nothing here.
std::string HostTag() {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char* c = host; *c != '\0'; ++c) {
        hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string tag;
    for (int shift = 28; shift >= 0; shift -= 4) tag += kHex[(hash >> shift) & 0xF];
    return tag;
}

// ".name-" beside the target: every temporary file of that target starts so.
std::string TemporaryPrefixFor(const std::string& target) {
    const std::string folder = detail::FolderOf(target);
    return "." + target.substr(folder.size(), 200) + "-";
}

// ".name-PID.HOST-XXXXXX.tmp" beside the target: a hidden name that still says whose it
// is and which process writes it, short enough for any file name limit.
std::string TemporaryNameFor(const std::string& target) {
    return detail::FolderOf(target) + TemporaryPrefixFor(target) + std::to_string(::getpid()) +
           "." + HostTag() + "-" + UniqueSuffix() + ".tmp";
}

// The pid in the rest of a temporary file's name after its prefix, when the rest is
// this machine's "PID.HOST-XXXXXX.tmp"; else 0.
pid_t WriterOfTemporary(std::string_view rest, const std::string& hostTag) {
    const std::size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot > 10) return 0;
    pid_t pid = 0;
    for (const char c : rest.substr(0, dot)) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    const std::string_view tail = rest.substr(dot + 1);
    if (tail.size() != hostTag.size() + 1 + 6 + 4 || !tail.starts_with(hostTag) ||
        tail[hostTag.size()] != '-' || !tail.ends_with(".tmp")) {
        return 0;
    }
    return pid;
}

// Removes the temporary files that a process ended by SIGKILL (or a power cut) left
// beside the target: ours by name and owner, from a process of this machine that is
// gone. One whose process lives (or whose pid was taken again) stays.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = detail::FolderOf(target);
    const std::string prefix = TemporaryPrefixFor(target);
    const std::string hostTag = HostTag();
    DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (entries == nullptr) return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix)) continue;
        const pid_t pid = WriterOfTemporary(name.substr(prefix.size()), hostTag);
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const std::string path = folder + std::string(name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            ::unlink(path.c_str());
        }
    }
    ::closedir(entries);
}

void FlushFolderOf(const std::string& path) {
    const std::string folder = detail::FolderOf(path);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Makes the rename itself durable. The new file is in place either way, so a
        // file system that cannot flush folders is no failure of the write.
        ::fsync(fd);
        ::close(fd);
    }
}

int WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

PendingFile PendingFile::Begin(const std::string& path) {
    PendingFile file;
    if (path.empty()) {
        file.error_ = Message("''", "an empty path names no file");
        return file;
    }
    file.shownPath_ = ShownPath(path);
    detail::TargetFile target;
    if (const int error = detail::FindTargetFile(path, target)) {
        file.error_ = SystemMessage(file.shownPath_, error);
        return file;
    }
    file.targetPath_ = target.path;
    if (target.path != path) {
        file.shownPath_ = ShownPath(path) + " (a link to " + ShownPath(target.path) + ")";
    }
    if (!target.exists) {
        file.BeginTemporary(0666);
        return file;
    }
    switch (target.info.st_mode & S_IFMT) {
        case S_IFREG:
            if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
                const int error = errno;
                file.error_ =
                    Message(file.shownPath_, std::string("the existing file is not writable (") +
                                                 std::strerror(error) + ")");
                return file;
            }
            file.replacing_ = true;
            file.mode_ = target.info.st_mode & 07777;
            file.owner_ = target.info.st_uid;
            file.group_ = target.info.st_gid;
            // Private until the old file's mode is given to it.
            file.BeginTemporary(0600);
            return file;
        case S_IFCHR:
        case S_IFIFO:
            file.OpenInPlace(S_ISFIFO(target.info.st_mode));
            return file;
        case S_IFDIR:
            file.error_ = SystemMessage(file.shownPath_, EISDIR);
            return file;
        case S_IFSOCK:
            file.error_ =
                Message(file.shownPath_, "it is a socket, which cannot be written as a file");
            return file;
        case S_IFBLK:
            file.error_ = Message(file.shownPath_,
                                  "it is a block device, and writing it would overwrite a disk");
            return file;
        default:
            file.error_ = Message(file.shownPath_, "it is not a file that can be written");
            return file;
    }
}

void PendingFile::BeginTemporary(mode_t mode) {
    RemoveStaleTemporaries(targetPath_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temporary = TemporaryNameFor(targetPath_);
        const detail::TemporaryFileCreation creation;
        if (!creation.Allowed()) {
            error_ = Message(shownPath_, "the program is being interrupted");
            return;
        }
        // Registered before it exists, so that no signal can come between.
        interruptSlot_ = detail::RegisterTemporaryFile(temporary);
        if (interruptSlot_ < 0) {
            error_ = Message(shownPath_, "too many files are being written at once");
            return;
        }
        fd_ = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ >= 0) {
            temporaryPath_ = std::move(temporary);
            return;
        }
        const int error = errno;
        detail::ForgetTemporaryFile(std::exchange(interruptSlot_, -1));
        if (error != EEXIST) {
            error_ = SystemMessage(shownPath_, error);
            return;
        }
    }
    error_ = SystemMessage(shownPath_, EEXIST);
}

void PendingFile::OpenInPlace(bool fifo) {
    // Without O_NONBLOCK a FIFO that nobody reads would wait forever.
    fd_ = ::open(targetPath_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        error_ =
            fifo && error == ENXIO
                ? Message(shownPath_, "no program is reading the FIFO (No such device or address)")
                : SystemMessage(shownPath_, error);
        return;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error_ = SystemMessage(shownPath_, errno);
        ::close(std::exchange(fd_, -1));
        return;
    }
    inPlace_ = true;
}

PendingFile::PendingFile(PendingFile&& other) noexcept { *this = std::move(other); }

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept {
    if (this != &other) {
        Discard();
        shownPath_ = std::move(other.shownPath_);
        targetPath_ = std::move(other.targetPath_);
        temporaryPath_ = std::exchange(other.temporaryPath_, {});
        error_ = std::move(other.error_);
        fd_ = std::exchange(other.fd_, -1);
        interruptSlot_ = std::exchange(other.interruptSlot_, -1);
        inPlace_ = other.inPlace_;
        replacing_ = other.replacing_;
        mode_ = other.mode_;
        owner_ = other.owner_;
        group_ = other.group_;
    }
    return *this;
}

PendingFile::~PendingFile() { Discard(); }

bool PendingFile::Ok() const { return error_.empty(); }
const std::string& PendingFile::Error() const { return error_; }
int PendingFile::Descriptor() const { return fd_; }
bool PendingFile::WritesInPlace() const { return inPlace_; }

std::string PendingFile::FailureMessage(int error) const {
    return SystemMessage(shownPath_, error);
}

std::optional<std::string> PendingFile::Commit() {
    if (!Ok()) {
        return error_;
    }
    if (fd_ < 0) {
        return Message(shownPath_, "the file was already completed");
    }
    if (inPlace_) {
        // A device or FIFO has nothing to flush; its close reports what is left.
        if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) {
            return SystemMessage(shownPath_, errno);
        }
        return std::nullopt;
    }
    if (replacing_) {
        if (::fchown(fd_, owner_, group_) != 0) {
            if (!MayNotSetOwner(errno)) {
                return Fail(errno);
            }
            ::fchown(fd_, static_cast<uid_t>(-1), group_);
        }
        // After fchown, which clears the set-user-ID and set-group-ID bits.
        if (::fchmod(fd_, mode_) != 0) {
            return Fail(errno);
        }
    }
    if (::fsync(fd_) != 0) {
        return Fail(errno);
    }
    if (::close(std::exchange(fd_, -1)) != 0) {
        return Fail(errno);
    }
    if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        return Fail(errno);
    }
    // Only now: a signal before the rename must still find the temporary file.
    temporaryPath_.clear();
    detail::ForgetTemporaryFile(std::exchange(interruptSlot_, -1));
    FlushFolderOf(targetPath_);
    return std::nullopt;
}

std::optional<std::string> PendingFile::Fail(int error) {
    std::string message = SystemMessage(shownPath_, error);
    Discard();
    return message;
}

void PendingFile::Discard() {
    if (fd_ >= 0) {
        ::close(std::exchange(fd_, -1));
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
    detail::ForgetTemporaryFile(std::exchange(interruptSlot_, -1));
}

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view content) {
    PendingFile file = PendingFile::Begin(path);
    if (!file.Ok()) {
        return file.Error();
    }
    if (const int error = WriteAll(file.Descriptor(), content)) {
        return file.FailureMessage(error);
    }
    return file.Commit();
}

}  // namespace safe_write
