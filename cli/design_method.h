#pragma once
// The one place where vorlexi-calc asks for a design, for the print command and `apply`
// alike: the options read and the entries as read become one request to the core's door,
// and what the outputs say of the design it returns.

#include <string>

#include "design_options.h"
#include "designs/make_design.h"
#include "reports/filter_calculation.h"
#include "response/response_comparison.h"

// The request for the choice and the values read from the entries: the curve, method and
// size as chosen, the rate, gain and extra zero as read, recording when inverse.
DesignRequest RequestOf(const DesignChoice& choice, const CalculationValues& values);

// The values a design was made from, as the desktop program's report states them.
CalculationValues ValuesOf(const Design& design);

// The design beside the analogue curve it follows, for the response, CSV and plot.
DesignUnderTest UnderTest(const Design& design);

// "riaa, playback" or "aes-1951, recording": the curve as the titles name it.
std::string CurveAndDirection(const Design& design);

