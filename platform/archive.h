#pragma once
// The archive the document serialises through: a buffer of raw bytes that the framework
// fills from a file before loading, or writes to the file after storing.

#include "cstring.h"

#include <string>
#include <string_view>

namespace platform {

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Loading reads bytes; storing starts empty.
    CArchive(Mode mode, std::string bytes = {}, CString fileName = {});

    BOOL IsLoading() const { return m_mode == load; }
    BOOL IsStoring() const { return m_mode == store; }

    // Loading: copies up to count bytes from the read position onward and advances it;
    // returns the number copied.
    UINT Read(void* buffer, UINT count);
    // Loading: all bytes not read yet, taken at once.
    std::string ReadAll();
    // Loading: the number of bytes not read yet.
    std::size_t Remaining() const { return m_bytes.size() - m_readPosition; }

    // Storing: appends the bytes.
    void Write(const void* buffer, UINT count);
    void Write(std::string_view bytes);
    const std::string& StoredBytes() const { return m_bytes; }

    // The file's path (as the operating system spells it) for messages.
    const CString& GetFileName() const { return m_fileName; }

    CDocument* m_pDocument = nullptr;

private:
    Mode m_mode;
    std::string m_bytes;
    std::size_t m_readPosition = 0;
    CString m_fileName;
};

// Thrown by a Serialize that the user stopped (a save cancelled on being told what it would
// change); the framework ends the request quietly.
struct CUserException {};

// Thrown by a Serialize that cannot carry out its work; the framework reports the message.
struct CArchiveException {
    CString m_strMessage;
};

}  // namespace platform
