#include "target_file.h"

#include <unistd.h>

#include <cerrno>

namespace safe_write::detail {
namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

int ReadLink(const std::string& path, std::size_t size, std::string& text) {
    text.resize(size + 1);
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length < 0) {
            return errno;
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return 0;
        }
        // The link changed since lstat(): try again with more room.
        text.resize(text.size() * 2);
    }
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

int FindTargetFile(const std::string& path, TargetFile& target) {
    // One lookup through the kernel first, so that its rules for links (protected links
    // in shared folders, loops, a file where a folder should be) decide as for any open().
    struct stat followed {};
    if (::stat(path.c_str(), &followed) != 0 && errno != ENOENT) {
        return errno;
    }
    // Then link by link, because the temporary file must go beside the final target.
    std::string current = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return errno;
            }
            target = {current, false, {}};
            return 0;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = {current, true, info};
            return 0;
        }
        if (links == kMaxLinks) {
            return ELOOP;
        }
        std::string text;
        if (const int error = ReadLink(current, static_cast<std::size_t>(info.st_size), text)) {
            return error;
        }
        current = text.starts_with('/') ? text : FolderOf(current) + text;
    }
}

}  // namespace safe_write::detail
