#pragma once
// vorlexi-calc measure: a recording of the test sweep deconvolved by the sweep, and
// the response found compared with a curve. Its options, registered on the tool.

#include <string>

#include <CLI/CLI.hpp>

struct MeasureOptions {
    std::string recording;
    std::string reference;
    std::string curve = "riaa";
    bool inverse = false;  // compare with the recording curve
    bool flat = false;     // compare with no curve
    int channel = 1;       // of the recording, from 1
    bool csv = false;
    bool json = false;
    std::string plotPath;
    const CLI::App* command = nullptr;  // to tell a given --curve from the default
};

// Registers the `measure` subcommand on app; the options land in options.
CLI::App* AddMeasureCommand(CLI::App& app, MeasureOptions& options);
