#pragma once
// Reading and writing a document's text as raw bytes.
//
// Loading refuses files too large to edit sensibly: the text is held as the file's bytes,
// as UTF-16 in the edit control's document (twice the size), plus the document's per-line
// layout and the undo history. 64 MiB of text already costs several hundred MiB of memory
// and makes every whole-text operation slow, so larger files are refused with a message
// and nothing changes. Saving goes through a temporary file that replaces the old one only
// once it is completely written, so a failed save leaves the old file whole.

#include <QString>
#include <QtGlobal>

#include <string>
#include <string_view>

namespace platform {

// The largest file LoadTextFile() accepts unless told otherwise: 64 MiB.
inline constexpr qint64 kMaxTextFileBytes = qint64{64} * 1024 * 1024;

// The bytes of a file, or why they could not be read (a message ready to show the user).
struct LoadedTextFile {
    std::string bytes;
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

// The outcome of a save: empty error on success, else a message ready to show the user.
struct SavedTextFile {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Reads the whole file. Refuses what is not a regular file and anything larger than
// maxBytes (a file of exactly maxBytes is accepted).
LoadedTextFile LoadTextFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

// Writes bytes to path through the program's one file writer (safe_write/): the file is
// replaced only after the new content is completely on disk; on any failure the old file is
// left as it was and an error returned. An existing file keeps its permissions, a read-only
// one is refused, a symbolic link is followed and its target replaced, a device is written
// in place and never replaced.
SavedTextFile SaveTextFileAtomically(const QString& path, std::string_view bytes);

}  // namespace platform
