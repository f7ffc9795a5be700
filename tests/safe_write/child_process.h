#pragma once
// Cases that need a process of their own: another user, a mount namespace with a small
// file system, a signal that ends the process.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

// Prepares the child; nothing when it is ready, else why it cannot be (a reason to skip).
using ChildSetup = std::function<std::optional<std::string>()>;

// Runs setup and then body in a forked child. The body's GoogleTest failures are
// printed by the child and fail the calling test. Returns the setup's reason when the
// setup failed and the body did not run.
std::optional<std::string> RunInChild(const ChildSetup& setup, const std::function<void()>& body);

// Drops to the user and group nobody (65534); needs root.
ChildSetup AsNobody();

// Mounts a tmpfs of the given size on folder, in a mount namespace of the child's own
// (inside a user namespace of its own where the process may not mount otherwise).
ChildSetup WithTmpfsOn(const std::string& folder, const std::string& size);
