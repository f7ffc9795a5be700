#pragma once
// vorlexi-calc --method: the matched z-transform, the desktop program's own design
// and the default, or the minimax biquad, the best fit to the RIAA curve that one
// second-order section allows.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "filter_calculation.h"

void AddDesignMethodOption(CLI::App& app, std::string& method);

// For "minimax", puts the minimax design and its report in place of the matched one
// that CalculateFilter made, from the same values read. The error line's text when the
// design cannot be made for those values; nothing otherwise.
std::optional<std::string> ApplyDesignMethod(const std::string& method,
                                             FilterCalculation& calculation);
