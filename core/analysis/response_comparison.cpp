#include "response_comparison.h"

#include <algorithm>
#include <cmath>

#include "decibels.h"
#include "frequency_response.h"
#include "riaa_curve.h"

namespace {

constexpr int kPeakSearchPointsPerDecade = 2000;
// Points towards the band's top, ever closer together: the error of a cascade of
// several sections has its extremes crowded there.
constexpr int kTopPoints = 2000;
constexpr int kRefinementSteps = 40;

}  // namespace

ResponsePoint CompareAt(const DesignUnderTest& design, double frequencyHz) {
    const auto h = CascadeResponse(design.cascade, design.samplingFrequency, frequencyHz);
    const auto reference =
        CascadeResponse(design.cascade, design.samplingFrequency, kRiaaReferenceHz);
    const auto analogue = AnalogueResponse(design.curve, frequencyHz);
    // The design's polarity: the sign that brings it to the curve at 1 kHz, where
    // both are far from any phase wrap.
    const double polarity =
        (reference / AnalogueResponse(design.curve, kRiaaReferenceHz)).real() < 0.0 ? -1.0 : 1.0;

    ResponsePoint point{};
    point.frequencyHz = frequencyHz;
    point.gainDb = GainDb(h) - GainDb(reference);
    point.phaseDegrees = PhaseDegrees(h);
    point.prototypeGainDb = AnalogueGainDbRe1k(design.curve, frequencyHz);
    point.prototypePhaseDegrees = PhaseDegrees(analogue);
    point.deviationDb = point.gainDb - point.prototypeGainDb;
    point.phaseDeviationDegrees = PhaseDegrees(polarity * h * std::conj(analogue));
    return point;
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
    for (int k = 1; k < kTopPoints; ++k) {
        const double share = static_cast<double>(k) / kTopPoints;
        const double f = highHz - (highHz - lowHz) * share * share;
        if (f > lowHz) grid.push_back(f);
    }
    std::sort(grid.begin(), grid.end());
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
    const auto [value, frequency] =
        LargestOf(lowHz, highHz, [&](double f) { return CompareAt(design, f).deviationDb; });
    return {value, frequency};
}

PhaseDeviationPeak MaxPhaseDeviation(const DesignUnderTest& design, double lowHz, double highHz) {
    const auto [value, frequency] = LargestOf(
        lowHz, highHz, [&](double f) { return CompareAt(design, f).phaseDeviationDegrees; });
    return {value, frequency};
}

double AudioBandTopHz(double samplingFrequency) {
    return std::min(20000.0, 0.49 * samplingFrequency);
}
