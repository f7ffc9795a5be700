#include "curves/riaa_prototype.h"

#include "base/decibels.h"
#include "curves/riaa_curve.h"

AnalogueCurve RiaaCurve(const RiaaPrototype& prototype) {
    AnalogueCurve curve{{kZeroTau}, {kLowPoleTau, kHighPoleTau}, {}, {}};
    if (ExtraZeroKindOf(prototype.extraZero) != ExtraZeroKind::None) {
        curve.zeroTaus.push_back(ExtraZeroTau(prototype.extraZero));
    }
    return prototype.inverse != 0 ? ReciprocalCurve(curve) : curve;
}

std::complex<double> PrototypeResponse(const RiaaPrototype& prototype, double frequencyHz) {
    return AnalogueResponse(RiaaCurve(prototype), frequencyHz);
}

double PrototypeGainDbRe1k(const RiaaPrototype& prototype, double frequencyHz) {
    return GainDb(PrototypeResponse(prototype, frequencyHz)) -
           GainDb(PrototypeResponse(prototype, kRiaaReferenceHz));
}
