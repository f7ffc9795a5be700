#pragma once
// vorlexi-calc's options that look at the designed filter rather than print it:
// the response against the analogue curve, a plot, the normalisation and the lines
// for other audio programs.

#include <string>

#include <CLI/CLI.hpp>

#include "design_method.h"
#include "minimax_design.h"
#include "named_choice.h"

// What stdout carries: the report (or the JSON, the CSV), or one line for another program.
enum class OutputFormat { Report, Sox, Ffmpeg, CamillaDsp, Nyquist };

extern const NameTable<OutputFormat> kOutputFormatNames;

struct AnalysisOptions {
    bool response = false;  // the response table after the report, or in the JSON
    bool csv = false;       // the response on a dense log grid as CSV instead
    std::string plotPath;   // an SVG picture of the response; empty for none
    GainReference normalize = GainReference::Dc;  // where the gain applies: DC or 1 kHz
    OutputFormat format = OutputFormat::Report;
    DesignMethod method = DesignMethod::Matched;
};

void AddAnalysisOptions(CLI::App& app, AnalysisOptions& options);

// --normalize=dc|1k, which the print command and `apply` share.
void AddNormalizeOption(CLI::App& app, GainReference& normalize);
