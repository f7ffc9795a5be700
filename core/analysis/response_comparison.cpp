#include "response_comparison.h"

#include <algorithm>
#include <cmath>

#include "decibels.h"
#include "frequency_response.h"
#include "riaa_curve.h"

namespace {

constexpr int kPeakSearchPointsPerDecade = 2000;

}  // namespace

ResponsePoint CompareAt(const DesignUnderTest& design, double frequencyHz) {
    const auto h = DesignResponse(design.coefficients, design.samplingFrequency, frequencyHz);
    const auto reference =
        DesignResponse(design.coefficients, design.samplingFrequency, kRiaaReferenceHz);
    const auto analogue = PrototypeResponse(design.prototype, frequencyHz);

    ResponsePoint point{};
    point.frequencyHz = frequencyHz;
    point.gainDb = GainDb(h) - GainDb(reference);
    point.phaseDegrees = PhaseDegrees(h);
    point.prototypeGainDb = PrototypeGainDbRe1k(design.prototype, frequencyHz);
    point.prototypePhaseDegrees = PhaseDegrees(analogue);
    point.deviationDb = point.gainDb - point.prototypeGainDb;
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

DeviationPeak MaxDeviation(const DesignUnderTest& design, double lowHz, double highHz) {
    DeviationPeak peak{0.0, lowHz};
    double largest = -1.0;
    for (double f : LogGrid(lowHz, highHz, kPeakSearchPointsPerDecade)) {
        const double deviation = CompareAt(design, f).deviationDb;
        // A NaN never compares greater, so it must be let through on its own or a
        // broken design would report a perfect fit.
        if (std::isnan(deviation)) {
            return {deviation, f};
        }
        if (std::abs(deviation) > largest) {
            largest = std::abs(deviation);
            peak = {deviation, f};
        }
    }
    return peak;
}

double AudioBandTopHz(double samplingFrequency) {
    return std::min(20000.0, 0.49 * samplingFrequency);
}
