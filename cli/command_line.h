#pragma once
// vorlexi-calc's arguments read by CLI11, with two rules CLI11 does not keep by itself:
// - "--name=" gives the option an empty value, an entry like any other; CLI11 alone
//   reads it as "--name" and takes the next argument as the value.
// - No option takes another option as its value: "--gain --inverse" is refused rather
//   than read as a gain with the text "--inverse". A negative number ("-3m", "-.5")
//   is a value; an option whose value is optional (-z) leaves a following option alone.

#include <CLI/CLI.hpp>

// Parses argv into the options declared on app; throws CLI::ParseError as app.parse does.
void ParseCommandLine(CLI::App& app, int argc, const char* const* argv);
