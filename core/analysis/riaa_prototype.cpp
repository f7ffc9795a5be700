#include "riaa_prototype.h"

#include <cmath>
#include <numbers>

#include "decibels.h"

namespace {

constexpr double kLowPoleTau = 3180e-6;
constexpr double kHighPoleTau = 75e-6;
constexpr double kZeroTau = 318e-6;
constexpr double kExtraZeroTau = 3.18e-6;

// The extra zero's time constant, chosen the way the digital design chooses it.
double ExtraZeroTau(double extraZero) {
    if (extraZero > 1.0) {
        return 1.0 / (2.0 * std::numbers::pi * extraZero);
    }
    return kExtraZeroTau;
}

}  // namespace

AnalogueCurve RiaaCurve(const RiaaPrototype& prototype) {
    AnalogueCurve curve{{kZeroTau}, {kLowPoleTau, kHighPoleTau}, {}, {}};
    if (prototype.extraZero != 0.0) {
        curve.zeroTaus.push_back(ExtraZeroTau(prototype.extraZero));
    }
    return prototype.inverse != 0 ? ReciprocalCurve(curve) : curve;
}

std::complex<double> PrototypeResponse(const RiaaPrototype& prototype, double frequencyHz) {
    return AnalogueResponse(RiaaCurve(prototype), frequencyHz);
}

double PrototypeGainDbRe1k(const RiaaPrototype& prototype, double frequencyHz) {
    return GainDb(PrototypeResponse(prototype, frequencyHz)) -
           GainDb(PrototypeResponse(prototype, 1000.0));
}
