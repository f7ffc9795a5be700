#pragma once
// The one place where vorlexi-calc makes a design, for the print command and `apply`
// alike: a cascade of second-order sections for the chosen curve, method and number of
// sections, and what the outputs say about it.

#include <optional>
#include <string>

#include "analogue_curve.h"
#include "cascade.h"
#include "design_options.h"
#include "filter_calculation.h"
#include "response_comparison.h"

// A run's design.
struct Design {
    // The entries as read: sampling frequency, gain, extra zero and inverse.
    CalculationValues values;
    std::string curveName;
    std::string curveDescription;
    DesignMethod method = DesignMethod::Matched;
    GainReference gainReference = GainReference::Dc;  // where the gain applies
    Cascade cascade;
    // The analogue curve the cascade follows: the recording curve when inverse.
    AnalogueCurve target;
    // The desktop program's one-biquad record for the RIAA curve at one section without
    // --sections or --tolerance: the report and JSON are written from it as they always were.
    std::optional<RiaaCoefficients> record;
    // A minimax design's largest deviation over its fit band, 20 Hz to min(20 kHz, 0.46 fs).
    std::optional<double> maxDeviationDb;
};

// The design beside the analogue curve it follows, for the response, CSV and plot.
DesignUnderTest UnderTest(const Design& design);

// "riaa, playback" or "aes-1951, recording": the curve as the titles name it.
std::string CurveAndDirection(const Design& design);

// "minimax, 2 sections".
std::string MethodAndSections(const Design& design);

struct DesignAttempt {
    Design design;
    std::optional<std::string> problem;  // the error line's text when there is no design
};

// The design of the values as the choice asks. A record is designed at DC and scaled at
// 1 kHz when asked; a cascade gets its gain where the choice asks (at 1 kHz regardless for
// a curve whose gain at DC is zero or infinite). A design the core refuses (a rate outside
// its range, a tolerance no cascade meets, a curve with no stable filter) is a problem.
DesignAttempt MakeDesign(const DesignChoice& choice, const CalculationValues& values);
