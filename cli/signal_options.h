#pragma once
// vorlexi-calc signal: the test sweep for a phono preamp, flat or with a curve's
// recording equalisation. Its options, registered on the tool.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "apply_options.h"

struct SignalOptions {
    std::string output;
    std::string sampleFreq = "48k";
    std::string duration = "10";
    std::optional<std::string> level;  // dBFS at 1 kHz; unset picks one
    std::string bits = "24";
    int channels = 1;  // the same sweep in each
    bool quiet = false;
    // The design that equalises the sweep with --inverse, read as apply reads its own.
    ApplyDesignOptions design;
    const CLI::App* command = nullptr;  // to tell a given design option from a default
};

// Registers the `signal` subcommand on app; the options land in options.
CLI::App* AddSignalCommand(CLI::App& app, SignalOptions& options);
