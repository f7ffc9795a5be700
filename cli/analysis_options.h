#pragma once
// vorlexi-calc's options that look at the designed filter rather than print it:
// the response against the analogue curve, a plot, the lines for other audio programs,
// and the design options it shares with `apply`.

#include <string>

#include <CLI/CLI.hpp>

#include "design_options.h"
#include "named_choice.h"

// What stdout carries: the report (or the JSON, the CSV), or text for another program.
enum class OutputFormat {
    Report,
    Sox,
    Ffmpeg,
    CamillaDsp,
    CamillaDspV2,
    Nyquist,
    PipeWire,
    PipeWireBqRaw
};

extern const NameTable<OutputFormat> kOutputFormatNames;

struct AnalysisOptions {
    bool response = false;  // the response table after the report, or in the JSON
    bool csv = false;       // the response on a dense log grid as CSV instead
    std::string plotPath;   // an SVG picture of the response; empty for none
    OutputFormat format = OutputFormat::Report;
    bool listCurves = false;  // print the named curves instead of a design
    DesignOptions design;
};

void AddAnalysisOptions(CLI::App& app, AnalysisOptions& options);
