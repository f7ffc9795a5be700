#pragma once

#include <CLI/CLI.hpp>

// --help and --version print to stdout and succeed; any other parse error prints the
// error, the usage line and a pointer to --help to stderr and gives exit status 2.
int ReportParseResult(const CLI::App& app, const CLI::ParseError& error);
