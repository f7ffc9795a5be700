#pragma once
// vorlexi-calc apply: equalise audio files with a design made for each file's own
// sampling rate. The options, and their checks before any file is touched.

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/result.h"
#include "design_options.h"
#include "file_equaliser.h"

// The design options, as the print command has them, without the sampling frequency:
// apply takes each input's own.
struct ApplyDesignOptions : DesignOptions {
    std::string gain = "1";
    std::optional<std::string> zeroFreq;  // set by --extra-zero; empty for the fixed zero
    bool inverse = false;
    const CLI::Option* normalizeOption = nullptr;  // to tell a given --normalize from the default
};

struct ApplyOptions {
    std::vector<std::string> inputs;
    std::string output;     // -o, for one input
    std::string outputDir;  // --output-dir, for any number
    ApplyDesignOptions design;
    std::optional<std::string> sampleFreq;  // only to be refused
    std::string formatOut;                  // empty: the input's container
    std::string bits;                       // empty: the input's sample format
    bool clip = false;
    std::optional<std::string> autoGain;  // set by --auto-gain; empty for the default peak
    bool noDither = false;
    bool quiet = false;
    std::string channels = "stereo";
    std::optional<int> jobs;  // files at once; nothing for one a core
};

// Registers the `apply` subcommand on app; the options land in options.
CLI::App* AddApplyCommand(CLI::App& app, ApplyOptions& options);

// `--auto-gain in.wav` reads as the optional peak "in.wav": a value that is no number of
// dB but a file (or -) is the input it was meant to be, and --auto-gain keeps its
// default peak.
ApplyOptions InputsTakenBack(ApplyOptions options);

// The error line when an option of the print command was given before `apply`.
std::optional<std::string> OptionOutsideApply(const CLI::App& app);

// The settings for the equaliser from the options, or the error line (exit status 2).
Result<EqualiseSettings> SettingsFromOptions(const ApplyOptions& options);

// One output path per input, in order: -o as given, or the input's name in --output-dir
// (with the extension of the --format-out container where one is asked for). The error
// line when the options name no output, too many, or outputs that would overwrite an
// input or each other.
Result<std::vector<std::string>> PlanOutputs(const ApplyOptions& options);
