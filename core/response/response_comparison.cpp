#include "response/response_comparison.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "base/decibels.h"
#include "curves/riaa_curve.h"
#include "response/frequency_response.h"

namespace {

constexpr int kPeakSearchPointsPerDecade = 2000;
// Points towards the band's top, ever closer together: the error of a cascade of
// several sections has its extremes crowded there.
constexpr int kTopPoints = 2000;
constexpr int kRefinementSteps = 40;

}  // namespace

namespace {

// What every comparison of one design refers to, the two responses at 1 kHz: computed
// once for a whole search rather than at each of its thousands of points.
struct ReferenceAt1k {
    std::complex<double> design;
    std::complex<double> analogue;
    // The design's polarity: the sign that brings it to the curve at 1 kHz, where both
    // are far from any phase wrap.
    double polarity;
};

ReferenceAt1k ReferenceOf(const DesignUnderTest& design) {
    ReferenceAt1k reference{};
    reference.design = CascadeResponse(design.cascade, design.samplingFrequency, kRiaaReferenceHz);
    reference.analogue = AnalogueResponse(design.curve, kRiaaReferenceHz);
    reference.polarity = (reference.design / reference.analogue).real() < 0.0 ? -1.0 : 1.0;
    return reference;
}

ResponsePoint Compare(const DesignUnderTest& design, const ReferenceAt1k& reference,
                      double frequencyHz) {
    const auto h = CascadeResponse(design.cascade, design.samplingFrequency, frequencyHz);
    const auto analogue = AnalogueResponse(design.curve, frequencyHz);

    ResponsePoint point{};
    point.frequencyHz = frequencyHz;
    point.gainDb = GainDb(h) - GainDb(reference.design);
    point.phaseDegrees = PhaseDegrees(h);
    // AnalogueGainDbRe1k, from the responses at hand.
    point.prototypeGainDb = GainDb(analogue) - GainDb(reference.analogue);
    point.prototypePhaseDegrees = PhaseDegrees(analogue);
    point.deviationDb = point.gainDb - point.prototypeGainDb;
    point.phaseDeviationDegrees = PhaseDegrees(reference.polarity * h * std::conj(analogue));
    return point;
}

}  // namespace

ResponsePoint CompareAt(const DesignUnderTest& design, double frequencyHz) {
    return Compare(design, ReferenceOf(design), frequencyHz);
}

std::vector<double> LogGrid(double lowHz, double highHz, int pointsPerDecade) {
    std::vector<double> grid;
    if (!(lowHz > 0.0 && lowHz <= highHz) || !std::isfinite(highHz) || pointsPerDecade < 1) {
        return grid;
    }
    const double decades = std::log10(highHz / lowHz);
    const auto steps = static_cast<long>(std::ceil(decades * pointsPerDecade));
    if (steps == 0) {
        grid.push_back(lowHz);
        return grid;
    }
    grid.reserve(static_cast<std::size_t>(steps) + 1);
    for (long i = 0; i < steps; ++i) {
        grid.push_back(
            lowHz * std::pow(10.0, decades * static_cast<double>(i) / static_cast<double>(steps)));
    }
    // The end point exactly, not as the last power rounded it.
    grid.push_back(highHz);
    return grid;
}

std::vector<double> PeakSearchGrid(double lowHz, double highHz) {
    std::vector<double> grid = LogGrid(lowHz, highHz, kPeakSearchPointsPerDecade);
    const auto logPoints = static_cast<std::ptrdiff_t>(grid.size());
    // From the farthest to the nearest, so that they rise like the log grid and the two
    // merge rather than sort.
    for (int k = kTopPoints - 1; k >= 1; --k) {
        const double share = static_cast<double>(k) / kTopPoints;
        const double f = highHz - (highHz - lowHz) * share * share;
        if (f > lowHz) grid.push_back(f);
    }
    std::inplace_merge(grid.begin(), grid.begin() + logPoints, grid.end());
    return grid;
}

namespace {

// The largest |measure| on the grid, its frequency then refined by a golden-section
// search between the neighbouring grid points. Returns {value, frequency}; a NaN
// anywhere is returned at once, or a broken design would report a perfect fit (NaN
// never compares greater).
template <class Measure>
std::pair<double, double> LargestOf(double lowHz, double highHz, Measure measure) {
    const std::vector<double> grid = PeakSearchGrid(lowHz, highHz);
    std::pair<double, double> peak{0.0, lowHz};
    std::size_t at = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const double value = measure(grid[i]);
        if (std::isnan(value)) return {value, grid[i]};
        if (i == 0 || std::abs(value) > std::abs(peak.first)) {
            peak = {value, grid[i]};
            at = i;
        }
    }
    if (grid.size() < 3) return peak;
    double a = grid[at == 0 ? 0 : at - 1];
    double b = grid[at + 1 == grid.size() ? at : at + 1];
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int iteration = 0; iteration < kRefinementSteps; ++iteration) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        const double vc = measure(c);
        const double vd = measure(d);
        if (std::abs(vc) > std::abs(peak.first)) peak = {vc, c};
        if (std::abs(vd) > std::abs(peak.first)) peak = {vd, d};
        if (std::abs(vc) > std::abs(vd)) {
            b = d;
        } else {
            a = c;
        }
    }
    return peak;
}

}  // namespace

DeviationPeak MaxDeviation(const DesignUnderTest& design, double lowHz, double highHz) {
    const ReferenceAt1k reference = ReferenceOf(design);
    const auto [value, frequency] = LargestOf(
        lowHz, highHz, [&](double f) { return Compare(design, reference, f).deviationDb; });
    return {value, frequency};
}

PhaseDeviationPeak MaxPhaseDeviation(const DesignUnderTest& design, double lowHz, double highHz) {
    const ReferenceAt1k reference = ReferenceOf(design);
    const auto [value, frequency] = LargestOf(lowHz, highHz, [&](double f) {
        return Compare(design, reference, f).phaseDeviationDegrees;
    });
    return {value, frequency};
}

double AudioBandTopHz(double samplingFrequency) {
    return std::min(20000.0, 0.49 * samplingFrequency);
}
