#include "designs/detail/curve_minimax_design.h"

#include <algorithm>
#include <numbers>

namespace {

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
    return DesignMinimaxCascadeMeasured(WithStandInsForPolesAtDc(playbackCurve, request.inverse),
                                        playbackCurve, effective, sections);
}

MinimaxCascade DesignMinimaxCurveCascadeWithin(const AnalogueCurve& playbackCurve,
                                               const CascadeRequest& request, double toleranceDb) {
    const CascadeRequest effective = WithEffectiveReference(playbackCurve, request);
    if (!NeedsStandIns(playbackCurve, request.inverse)) {
        return DesignMinimaxCascadeWithin(playbackCurve, effective, toleranceDb);
    }
    return DesignMinimaxCascadeWithinMeasured(
        WithStandInsForPolesAtDc(playbackCurve, request.inverse), playbackCurve, effective,
        toleranceDb);
}
