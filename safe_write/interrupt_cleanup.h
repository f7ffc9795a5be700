#pragma once
// Temporary files that a SIGINT, SIGTERM, SIGHUP or SIGQUIT must not leave behind.
//
// Each registration installs a handler for each of the four signals whose action
// is still the default (termination): it removes every registered file with unlink(),
// which is async-signal-safe, and lets the signal end the process as it would have.
// SIGXFSZ, at its default, is ignored instead, so that a file-size limit makes the
// write fail with EFBIG (an error with its reason) rather than end the process.
// Signals that the process ignores or handles itself are left alone.
//
// Threads may write files at once. The handler runs in one of them while the others go
// on: it waits (briefly) for a temporary file that is being created to exist, so that it
// removes that one too.

#include <string>

namespace safe_write::detail {

// Held from before a temporary file is registered until its open() has returned.
// Allowed() is false once a handler has begun: the process is ending, and no new file
// may be begun.
class TemporaryFileCreation {
public:
    TemporaryFileCreation();
    ~TemporaryFileCreation();
    TemporaryFileCreation(const TemporaryFileCreation&) = delete;
    TemporaryFileCreation& operator=(const TemporaryFileCreation&) = delete;
    bool Allowed() const { return allowed_; }

private:
    bool allowed_;
};

// The slot that holds path until ForgetTemporaryFile, or -1 when every slot is taken.
int RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(int slot);

}  // namespace safe_write::detail
