#include "child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr int kSetupFailed = 77;

std::string Failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool WriteProcFile(const std::string& path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    file.flush();
    return static_cast<bool>(file);
}

// As root a mount namespace is enough; other users get root's powers over mounts in
// a user namespace of their own, mapped to their own ids.
std::optional<std::string> EnterOwnMountNamespace() {
    if (::unshare(CLONE_NEWNS) == 0) {
        return std::nullopt;
    }
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return Failed("no mount namespace of our own (unshare)");
    }
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map",
                       std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map",
                       std::to_string(gid) + " " + std::to_string(gid) + " 1")) {
        return std::string("cannot map the user into a user namespace");
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> RunInChild(const ChildSetup& setup, const std::function<void()>& body) {
    int reasonPipe[2];
    if (::pipe2(reasonPipe, O_CLOEXEC) != 0) {
        return Failed("pipe");
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0) {
        return Failed("fork");
    }
    if (child == 0) {
        ::close(reasonPipe[0]);
        if (const std::optional<std::string> reason = setup()) {
            ::write(reasonPipe[1], reason->data(), reason->size());
            ::_exit(kSetupFailed);
        }
        body();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    ::close(reasonPipe[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t n; (n = ::read(reasonPipe[0], buffer, sizeof buffer)) > 0;) {
        reason.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(reasonPipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!reason.empty()) {
        return reason;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the child failed (its failures are printed above); status " << status;
    return std::nullopt;
}

ChildSetup AsNobody() {
    return []() -> std::optional<std::string> {
        if (::geteuid() != 0) {
            return std::string("only root may become another user");
        }
        constexpr id_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            return Failed("cannot become the user nobody");
        }
        return std::nullopt;
    };
}

ChildSetup WithTmpfsOn(const std::string& folder, const std::string& size) {
    return [folder, size]() -> std::optional<std::string> {
        if (std::optional<std::string> reason = EnterOwnMountNamespace()) {
            return reason;
        }
        // Mounts made here must not reach the parent's namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return Failed("cannot make the mounts private");
        }
        const std::string options = "size=" + size;
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return Failed("cannot mount a tmpfs");
        }
        return std::nullopt;
    };
}
