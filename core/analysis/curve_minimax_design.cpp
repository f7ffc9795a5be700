#include "curve_minimax_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "decibels.h"
#include "frequency_response.h"
#include "riaa_curve.h"

namespace {

constexpr int kMeasurePointsPerDecade = 1000;

// The largest |dB error| of the cascade against the curve, both 0 dB at 1 kHz.
void MeasureAgainst(const AnalogueCurve& curve, double samplingFrequency, MinimaxCascade& design) {
    const double reference =
        GainDb(CascadeResponse(design.cascade, samplingFrequency, kRiaaReferenceHz));
    const double low = kMinimaxBandBottomHz;
    const double high = MinimaxBandTopHz(samplingFrequency);
    const int steps = static_cast<int>(std::ceil(std::log10(high / low) * kMeasurePointsPerDecade));
    design.maxDeviationDb = 0.0;
    for (int i = 0; i <= steps; ++i) {
        const double f = low * std::pow(high / low, static_cast<double>(i) / steps);
        const double deviation = GainDb(CascadeResponse(design.cascade, samplingFrequency, f)) -
                                 reference - AnalogueGainDbRe1k(curve, f);
        if (std::abs(deviation) > design.maxDeviationDb) {
            design.maxDeviationDb = std::abs(deviation);
            design.maxDeviationHz = f;
        }
    }
}

// The generic design inverts the playback design, so for the recording curve a zero at
// DC of the playback curve would become a pole at DC too.
bool NeedsStandIns(const AnalogueCurve& curve, bool inverse) {
    const int net = NetZerosAtDc(curve);
    return inverse ? net != 0 : net < 0;
}

CascadeRequest WithEffectiveReference(const AnalogueCurve& curve, CascadeRequest request) {
    request.gainReference = EffectiveGainReference(curve, request.gainReference);
    return request;
}

// The stand-ins' largest effect in the band, at its bottom.
double StandInEffectDb() {
    const double ratio = kDcFactorStandInHz / kMinimaxBandBottomHz;
    return 10.0 * std::log10(1.0 + ratio * ratio);
}

}  // namespace

GainReference EffectiveGainReference(const AnalogueCurve& curve, GainReference asked) {
    return NetZerosAtDc(curve) == 0 ? asked : GainReference::OneKilohertz;
}

AnalogueCurve WithStandInsForPolesAtDc(const AnalogueCurve& playbackCurve, bool inverse) {
    AnalogueCurve curve = playbackCurve;
    const std::size_t cancelling = std::min(curve.dcZeroTaus.size(), curve.dcPoleTaus.size());
    curve.dcZeroTaus.resize(curve.dcZeroTaus.size() - cancelling);
    curve.dcPoleTaus.resize(curve.dcPoleTaus.size() - cancelling);
    const double standInTau = 1.0 / (2.0 * std::numbers::pi * kDcFactorStandInHz);
    curve.poleTaus.insert(curve.poleTaus.end(), curve.dcPoleTaus.size(), standInTau);
    curve.dcPoleTaus.clear();
    if (inverse) {
        curve.zeroTaus.insert(curve.zeroTaus.end(), curve.dcZeroTaus.size(), standInTau);
        curve.dcZeroTaus.clear();
    }
    return curve;
}

MinimaxCascade DesignMinimaxCurveCascade(const AnalogueCurve& playbackCurve,
                                         const CascadeRequest& request, int sections) {
    const CascadeRequest effective = WithEffectiveReference(playbackCurve, request);
    if (!NeedsStandIns(playbackCurve, request.inverse)) {
        return DesignMinimaxCascade(playbackCurve, effective, sections);
    }
    MinimaxCascade design = DesignMinimaxCascade(
        WithStandInsForPolesAtDc(playbackCurve, request.inverse), effective, sections);
    MeasureAgainst(request.inverse ? ReciprocalCurve(playbackCurve) : playbackCurve,
                   request.samplingFrequency, design);
    return design;
}

MinimaxCascade DesignMinimaxCurveCascadeWithin(const AnalogueCurve& playbackCurve,
                                               const CascadeRequest& request, double toleranceDb) {
    const CascadeRequest effective = WithEffectiveReference(playbackCurve, request);
    if (!NeedsStandIns(playbackCurve, request.inverse)) {
        return DesignMinimaxCascadeWithin(playbackCurve, effective, toleranceDb);
    }
    // The stand-ins take their share of the tolerance, so the curve itself is met.
    MinimaxCascade design =
        DesignMinimaxCascadeWithin(WithStandInsForPolesAtDc(playbackCurve, request.inverse),
                                   effective, toleranceDb - StandInEffectDb());
    MeasureAgainst(request.inverse ? ReciprocalCurve(playbackCurve) : playbackCurve,
                   request.samplingFrequency, design);
    return design;
}
