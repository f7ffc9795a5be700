#pragma once
// One run of vorlexi-calc measure once its options are parsed.

#include <iosfwd>

#include <CLI/CLI.hpp>

#include "measure_options.h"

// Exit status 0 when measured, 1 when a file cannot be read, does not suit the
// measurement (another rate, clipped, silent) or the plot or stdout cannot be written,
// 2 for bad options. The result goes to out; an error is one line on err.
int RunMeasure(const CLI::App& app, const MeasureOptions& options, std::ostream& out,
               std::ostream& err);
