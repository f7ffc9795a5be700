#include "riaa_prototype.h"

#include <numbers>

#include "decibels.h"
#include "riaa_curve.h"

namespace {

// (1 + jωτ): one first-order factor of the curve.
std::complex<double> Factor(double omega, double tau) { return {1.0, omega * tau}; }

}  // namespace

std::complex<double> PrototypeResponse(const RiaaPrototype& prototype, double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    std::complex<double> zeros = Factor(omega, kZeroTau);
    if (ExtraZeroKindOf(prototype.extraZero) != ExtraZeroKind::None) {
        zeros *= Factor(omega, ExtraZeroTau(prototype.extraZero));
    }
    const std::complex<double> poles = Factor(omega, kLowPoleTau) * Factor(omega, kHighPoleTau);
    return prototype.inverse != 0 ? poles / zeros : zeros / poles;
}

double PrototypeGainDbRe1k(const RiaaPrototype& prototype, double frequencyHz) {
    return GainDb(PrototypeResponse(prototype, frequencyHz)) -
           GainDb(PrototypeResponse(prototype, kRiaaReferenceHz));
}
