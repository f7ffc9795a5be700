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

// (1 + jωτ): one first-order factor of the curve.
std::complex<double> Factor(double omega, double tau) { return {1.0, omega * tau}; }

}  // namespace

std::complex<double> PrototypeResponse(const RiaaPrototype& prototype, double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    std::complex<double> zeros = Factor(omega, kZeroTau);
    if (prototype.extraZero != 0.0) {
        zeros *= Factor(omega, ExtraZeroTau(prototype.extraZero));
    }
    const std::complex<double> poles = Factor(omega, kLowPoleTau) * Factor(omega, kHighPoleTau);
    return prototype.inverse != 0 ? poles / zeros : zeros / poles;
}

double PrototypeGainDbRe1k(const RiaaPrototype& prototype, double frequencyHz) {
    return GainDb(PrototypeResponse(prototype, frequencyHz)) -
           GainDb(PrototypeResponse(prototype, 1000.0));
}
