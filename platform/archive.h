#pragma once
// The archive the document serialises through: the raw bytes of a file, read whole before
// loading, or collected by storing and written to the file afterwards.

#include "cstring.h"

#include <string>
#include <string_view>
#include <utility>

namespace platform {

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Loading reads bytes; storing starts empty.
    explicit CArchive(Mode mode, std::string bytes = {})
        : m_mode(mode), m_bytes(mode == load ? std::move(bytes) : std::string()) {}

    BOOL IsLoading() const { return m_mode == load; }

    // Loading: every byte not read yet.
    std::string ReadAll() { return IsLoading() ? std::exchange(m_bytes, {}) : std::string(); }
    // Storing: appends the bytes.
    void Write(std::string_view bytes) {
        if (!IsLoading()) {
            m_bytes.append(bytes);
        }
    }
    const std::string& StoredBytes() const { return m_bytes; }

private:
    Mode m_mode;
    std::string m_bytes;
};

// Thrown by a Serialize that the user stopped (a save cancelled on being told what it would
// change); the framework ends the request quietly.
struct CUserException {};

// Thrown by a Serialize that cannot carry out its work; the framework reports the message.
struct CArchiveException {
    CString m_strMessage;
};

}  // namespace platform
