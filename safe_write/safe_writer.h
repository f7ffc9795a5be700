#pragma once
// Every file that vorlexi writes goes through here, so that a file is either complete or
// as it was: the desktop program's Save, vorlexi-calc's --plot and the audio files of
// `vorlexi-calc apply`.
//
// - A symbolic link is followed: its target is written and the link stays a link.
// - An existing regular file is replaced by a temporary file written beside it, flushed
//   to disk and renamed over it only when complete; it keeps the old file's mode (and
//   owner and group where the process may set them).
// - An existing file that the user may not write is refused, even where the folder
//   would allow replacing it.
// - A character device, FIFO or socket is written directly, never replaced.
// - On any failure, and when the process is interrupted (SIGINT, SIGTERM, SIGHUP) while a
//   file is pending, the temporary file is removed.
// Messages name the path and the system's reason.

#include <optional>
#include <string>
#include <string_view>

namespace safe_write {

// Writes content to path as described above. Nothing on success, else the message.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view content);

// A file being written in pieces (a long audio file): begin, write to Descriptor(),
// then Commit(). Destroying it uncommitted removes the temporary file.
class PendingFile {
public:
    static PendingFile Begin(const std::string& path);

    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    bool Ok() const;                   // false when Begin failed
    const std::string& Error() const;  // why Begin failed
    int Descriptor() const;            // the temporary file, or the device itself
    bool WritesInPlace() const;        // true for a device or FIFO: no rename, no seeking

    // Flushes, gives the file the old file's mode, owner and group and renames it into
    // place. Nothing on success, else the message (the temporary file is then gone).
    std::optional<std::string> Commit();

private:
    PendingFile() = default;
    // Members are the implementation's.
};

}  // namespace safe_write
