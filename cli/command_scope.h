#pragma once
// A subcommand takes its options after its own name: one given before it belongs to
// the print command, and would otherwise be silently ignored.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

// The error line for the first print-command option given with `command`, or nothing.
std::optional<std::string> OptionBeforeCommand(const CLI::App& app, const std::string& command);
