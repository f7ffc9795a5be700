#pragma once
// Every file that vorlexi writes goes through here, so that a file is either complete or
// as it was: the desktop program's Save, vorlexi-calc's --plot and the audio files of
// `vorlexi-calc apply`.
//
// - A symbolic link is followed: its target is written and the link stays a link. A link
//   whose target does not exist yet creates that target, as writing through a link in the
//   shell does; the kernel's rules for following links in shared folders still apply.
// - An existing regular file is replaced by a temporary file written beside it, flushed
//   to disk and renamed over it only when complete; it keeps the old file's mode (and
//   owner and group where the process may set them). A new file gets 0666 less the umask.
// - An existing file that the user may not write is refused, even where the folder
//   would allow replacing it. Whether the user may write it is the system's answer for
//   the process's effective user, so root may write a read-only file, as with any tool.
// - A character device or FIFO is written directly, never replaced; a FIFO that no
//   program reads is refused rather than waited for. A socket, a block device and a
//   folder are refused.
// - On any failure, and when the process is interrupted (SIGINT, SIGTERM, SIGHUP, SIGQUIT)
//   while a file is pending, the temporary file is removed; a file-size limit (SIGXFSZ)
//   is a failed write. Signals that the process ignores or handles itself are left alone.
// - A temporary file is named after its target, this process's pid and machine; one that
//   a killed process (SIGKILL) left beside the same target is removed by the next write
//   once no process of that pid is left.
// Messages read "cannot write PATH: REASON", with the system's reason where there is one.

#include <sys/types.h>
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
    // The temporary file, or the device itself. It stays the PendingFile's: never close
    // it (with libsndfile, sf_open_fd with close_desc FALSE, sf_close before Commit).
    int Descriptor() const;
    bool WritesInPlace() const;  // true for a device or FIFO: no rename, no seeking

    // The message for a failure while writing to Descriptor(), from its errno: names the
    // path as the other messages do.
    std::string FailureMessage(int error) const;

    // Flushes, gives the file the old file's mode, owner and group and renames it into
    // place. Nothing on success, else the message (the temporary file is then gone).
    std::optional<std::string> Commit();

private:
    PendingFile() = default;
    void BeginTemporary(mode_t mode);
    void OpenInPlace(bool fifo);
    std::optional<std::string> Fail(int error);  // discards, then the message for error
    void Discard();

    std::string shownPath_;      // the path as given, with a link's target added
    std::string targetPath_;     // the file that is written in the end
    std::string temporaryPath_;  // empty when writing in place
    std::string error_;
    int fd_ = -1;
    int interruptSlot_ = -1;  // where the temporary file is registered for removal
    bool inPlace_ = false;
    bool replacing_ = false;  // an existing regular file: its mode and owner carry over
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
};

}  // namespace safe_write
