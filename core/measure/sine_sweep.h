#pragma once
// The exponential sine sweep of a preamp test: its frequency rises by the same factor
// each second, so every octave gets the same time, and the products of harmonic
// distortion land at their own times ahead of the linear response once the recording is
// deconvolved (A. Farina, "Simultaneous measurement of impulse response and distortion
// with a swept-sine technique", AES 108th Convention, 2000, preprint 5093).

#include <optional>
#include <string>
#include <vector>

struct SweepPlan {
    double samplingRate = 48000.0;  // Hz
    double startHz = 10.0;
    double endHz = 0.45 * 48000.0;
    double seconds = 10.0;         // the sweep itself, fades included
    double silenceSeconds = 1.0;   // after it, for the response's tail to be recorded
    double amplitude = 1.0;        // the sweep's peak, full scale 1.0
};

// The sweep's default top: 0.45·fs, clear of the anti-alias filters of converters.
double DefaultSweepTopHz(double samplingRate);

// The error line for a plan that no sweep can follow (a band outside 0 < start < end <
// fs/2, a duration too short to sweep it), or nothing.
std::optional<std::string> SweepPlanProblem(const SweepPlan& plan);

// The samples, sweep and silence, for a plan without a problem. The sweep fades in and
// out over a few cycles of its end frequencies, so neither end clicks.
std::vector<double> ExponentialSweep(const SweepPlan& plan);
