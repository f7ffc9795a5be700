#include "interrupt_cleanup.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace safe_write::detail {
namespace {

// A fixed table, because the handler may neither allocate nor lock. The paths are copies
// that live until their slot is emptied.
constexpr std::size_t kSlots = 64;
std::array<std::atomic<char*>, kSlots> pendingPaths{};
static_assert(std::atomic<char*>::is_always_lock_free);

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// With several threads writing, the handler runs in one while the others go on. Once it
// has begun, a path is no longer freed (the handler may be reading it), no new temporary
// file is begun, and one being created is waited for, so that it exists when the handler
// removes it.
std::atomic<bool> ending{false};
std::atomic<int> creating{0};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

// A thread interrupted while it creates a file waits for nobody: the bound lets the
// handler go on, and the file either exists already or will never be made.
void AwaitCreations() {
    const timespec millisecond{0, 1000000};
    for (int waited = 0; creating.load() > 0 && waited < 200; ++waited) {
        ::nanosleep(&millisecond, nullptr);
    }
}

void RemovePendingFilesAndDie(int signal) {
    ending.store(true);
    AwaitCreations();
    for (std::atomic<char*>& slot : pendingPaths) {
        if (const char* path = slot.load()) {
            ::unlink(path);
        }
    }
    // SA_RESETHAND has restored the default action; the signal, blocked while this
    // handler runs, is delivered again as it returns and ends the process.
    ::raise(signal);
}

// At every registration, not once: a signal whose action the program has set back to
// the default since then is covered again.
void InstallHandlers() {
    // A file-size limit (ulimit -f) would end the process by SIGXFSZ in the middle of a
    // write; ignored, the write fails with EFBIG and the writer reports it as an error.
    struct sigaction fileSize {};
    if (::sigaction(SIGXFSZ, nullptr, &fileSize) == 0 && (fileSize.sa_flags & SA_SIGINFO) == 0 &&
        fileSize.sa_handler == SIG_DFL) {
        ::signal(SIGXFSZ, SIG_IGN);
    }
    for (const int signal : kCleanedSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
            current.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction cleanup {};
        cleanup.sa_handler = RemovePendingFilesAndDie;
        sigfillset(&cleanup.sa_mask);
        cleanup.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &cleanup, nullptr);
    }
}

}  // namespace

TemporaryFileCreation::TemporaryFileCreation() {
    creating.fetch_add(1);
    allowed_ = !ending.load();
}

TemporaryFileCreation::~TemporaryFileCreation() { creating.fetch_sub(1); }

int RegisterTemporaryFile(const std::string& path) {
    InstallHandlers();
    char* copy = ::strdup(path.c_str());
    if (copy == nullptr) {
        return -1;
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        char* empty = nullptr;
        if (pendingPaths[i].compare_exchange_strong(empty, copy)) {
            return static_cast<int>(i);
        }
    }
    std::free(copy);
    return -1;
}

void ForgetTemporaryFile(int slot) {
    if (slot >= 0) {
        char* path = pendingPaths[static_cast<std::size_t>(slot)].exchange(nullptr);
        // Once the handler has begun it may be reading the path; the process is ending.
        if (!ending.load()) {
            std::free(path);
        }
    }
}

}  // namespace safe_write::detail
