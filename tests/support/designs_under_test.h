#pragma once
// Designs through the one door, for the tests outside the design room: a test names the
// few settings it cares about and gets MakeDesign's design, or fails with its refusal.

#include "designs/make_design.h"

// The RIAA curve's design; by default the desktop program's matched biquad with its gain
// at DC (its record in Design::record).
struct RiaaSettings {
    double samplingFrequency = 44100.0;
    double gain = 1.0;
    double extraZero = 0.0;
    bool recording = false;
    DesignMethod method = DesignMethod::Matched;
    DesignSize size = std::monostate{};
    GainReference gainReference = GainReference::Dc;
};
Design RiaaDesign(const RiaaSettings& settings);

// The desktop program's record: the matched biquad with `gain` at DC.
RiaaCoefficients RiaaRecord(double samplingFrequency, double gain, double extraZero = 0.0,
                            bool recording = false);

// A curve entry as --curve reads it ("columbia-lp", "custom:..."), designed by `method`.
Design CurveDesign(const char* entry, double samplingFrequency, DesignMethod method,
                   DesignSize size = {}, bool recording = false);

// Throws std::runtime_error with the refusal's line, which fails the test that asked.
Design DesignOrThrow(const DesignRequest& request);
