#pragma once
// One run of vorlexi-calc after its options are parsed.

#include <iosfwd>
#include <string>

#include "calc_options.h"

// Exit statuses.
constexpr int kExitSuccess = 0;
constexpr int kExitOutputFailed = 1;  // stdout could not be written
constexpr int kExitBadInput = 2;      // unknown options, unreadable entries

// Writes the summary and report (or the JSON document) to out, or one error line to
// err and nothing to out; returns the exit status.
int RunCalc(const CalcOptions& options, std::ostream& out, std::ostream& err);

// The text with every CR LF turned into LF.
std::string ToLineFeeds(const std::string& text);
