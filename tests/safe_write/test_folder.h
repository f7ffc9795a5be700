#pragma once
// Scratch folders and files for the tests of writing files.

#include <sys/types.h>

#include <string>
#include <vector>

// A folder of its own under the temporary folder, removed with what it holds.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    std::vector<std::string> Entries() const;

private:
    std::string path_;
};

// The names in a folder, hidden ones included, sorted.
std::vector<std::string> EntriesOf(const std::string& folder);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content, mode_t mode = 0644);
// The type and permission bits of path itself (a link is not followed).
mode_t ModeOf(const std::string& path);
