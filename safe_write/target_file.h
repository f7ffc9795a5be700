#pragma once
// Where a write to a path ends up: the path with every symbolic link at its end followed.

#include <sys/stat.h>

#include <string>

namespace safe_write::detail {

struct TargetFile {
    std::string path;  // the given path, or the final target of the links it names
    bool exists = false;
    struct stat info {};  // when it exists
};

// 0 and the target, or the errno that stops the write (ELOOP for a loop of links, EACCES
// where the kernel refuses to follow a link, ...). A target that does not exist is no
// error: it is created.
int FindTargetFile(const std::string& path, TargetFile& target);

// "dir/" for "dir/name", "" for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace safe_write::detail
