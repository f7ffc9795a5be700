#pragma once
// One run of vorlexi-calc apply after its options are parsed: every input equalised
// into its output, a progress bar and a summary on err.

#include <iosfwd>

#include "apply_options.h"

// Exit status 0 when every file is done; 1 when a file could not be read or written,
// or would clip; 2 for bad options, before any file is touched, or options that do
// not suit a file (its rate, its format). Later files are still tried after a failure.
// app is the whole command line, whose print options are refused with apply.
int RunApply(const CLI::App& app, const ApplyOptions& options, std::ostream& err);
