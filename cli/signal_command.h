#pragma once
// One run of vorlexi-calc signal once its options are parsed.

#include <iosfwd>

#include <CLI/CLI.hpp>

#include "signal_options.h"

// Exit status 0 when the sweep is written, 1 when it could not be, 2 for bad options or
// a level that would clip (the error names the level that fits); the summary or the
// error is one line on err.
int RunSignal(const CLI::App& app, const SignalOptions& options, std::ostream& err);
