#include "measure/sine_sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/number_text.h"

namespace {

// Farina's sweeps span a few seconds; below a second the fades would take much of it.
constexpr double kShortestSweepSeconds = 1.0;
// Fades over this many cycles of the frequency at each end, capped at a tenth of the
// sweep, so that they bite into the band as little as possible.
constexpr double kFadeCycles = 3.0;
constexpr double kLongestFadeShare = 0.1;

double HalfCosineRise(double share) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(share, 0.0, 1.0));
}

}  // namespace

double DefaultSweepTopHz(double samplingRate) { return 0.45 * samplingRate; }

std::optional<std::string> SweepPlanProblem(const SweepPlan& plan) {
    if (!(plan.samplingRate > 0.0) || !std::isfinite(plan.samplingRate)) {
        return "the sampling rate must be a positive number of hertz";
    }
    if (!(plan.startHz > 0.0) || !(plan.endHz > plan.startHz) ||
        !(plan.endHz < plan.samplingRate / 2.0)) {
        return "the sweep must rise from above 0 Hz to below fs/2 (" +
               FormatShortest(plan.samplingRate / 2.0) + " Hz)";
    }
    if (!(plan.seconds >= kShortestSweepSeconds) || !std::isfinite(plan.seconds)) {
        return "the sweep must last at least " + FormatShortest(kShortestSweepSeconds) + " s";
    }
    if (!(plan.silenceSeconds >= 0.0) || !std::isfinite(plan.silenceSeconds)) {
        return "the silence after the sweep cannot be negative";
    }
    return std::nullopt;
}

std::vector<double> ExponentialSweep(const SweepPlan& plan) {
    const double rate = plan.samplingRate;
    const double octaves = std::log(plan.endHz / plan.startHz);
    const double rise = plan.seconds / octaves;  // Farina's L: seconds per e-fold
    const std::size_t frames = static_cast<std::size_t>(std::llround(plan.seconds * rate));
    const std::size_t silence = static_cast<std::size_t>(std::llround(plan.silenceSeconds * rate));
    const double fadeIn = std::min(kFadeCycles / plan.startHz, kLongestFadeShare * plan.seconds);
    const double fadeOut = std::min(kFadeCycles / plan.endHz, kLongestFadeShare * plan.seconds);

    std::vector<double> samples(frames + silence, 0.0);
    for (std::size_t n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double phase =
            2.0 * std::numbers::pi * plan.startHz * rise * (std::exp(t / rise) - 1.0);
        const double envelope =
            HalfCosineRise(t / fadeIn) * HalfCosineRise((plan.seconds - t) / fadeOut);
        samples[n] = plan.amplitude * envelope * std::sin(phase);
    }
    return samples;
}
