#pragma once
// vorlexi-calc --method: the matched z-transform, the desktop program's own design
// and the default, or the minimax biquad, the best fit to the RIAA curve that one
// second-order section allows; and the design that every output form of a run writes.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "filter_calculation.h"
#include "response_comparison.h"

enum class DesignMethod { Matched, Minimax };

void AddDesignMethodOption(CLI::App& app, DesignMethod& method);

// A run's design: the values read from the entries and the coefficients made from them.
struct Design {
    CalculationValues values;
    RiaaCoefficients coefficients;
};

// The design beside the analogue curve it follows, for the response, CSV and plot.
DesignUnderTest UnderTest(const Design& design);

struct DesignAttempt {
    Design design;
    std::optional<std::string> problem;  // the error line's text when there is no design
};

// The design of the values by the method, scaled to the gain at DC.
DesignAttempt MakeDesign(DesignMethod method, const CalculationValues& values);
