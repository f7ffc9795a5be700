#pragma once
// vorlexi-calc's print command, the tool's own arguments without a subcommand: the
// dialog's entries, how the design is written, and the analysis and design options.
// Also the tool's description and footer, which speak of both commands.

#include <CLI/CLI.hpp>

#include "analysis_options.h"
#include "calc_options.h"

struct PrintOptions {
    CalcOptions calc;
    AnalysisOptions analysis;
};

// The tool's description, footer, help layout and --version on app.
void DescribeTool(CLI::App& app);

// The print command's options on app itself.
void AddPrintOptions(CLI::App& app, PrintOptions& options);
