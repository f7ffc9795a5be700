#include "analogue_curve.h"

#include <numbers>

#include "decibels.h"
#include "riaa_curve.h"

namespace {

std::complex<double> QuadraticAt(const QuadraticFactor& factor, double omega) {
    const double x = omega * factor.tau;
    return {1.0 - x * x, x / factor.q};
}

}  // namespace

std::complex<double> AnalogueResponse(const AnalogueCurve& curve, double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    std::complex<double> above = 1.0;
    std::complex<double> below = 1.0;
    for (double tau : curve.dcZeroTaus) {
        above *= std::complex<double>(0.0, omega * tau);
    }
    for (double tau : curve.zeroTaus) {
        above *= std::complex<double>(1.0, omega * tau);
    }
    for (double tau : curve.dcPoleTaus) {
        below *= std::complex<double>(0.0, omega * tau);
    }
    for (double tau : curve.poleTaus) {
        below *= std::complex<double>(1.0, omega * tau);
    }
    for (const QuadraticFactor& factor : curve.quadraticZeros) {
        above *= QuadraticAt(factor, omega);
    }
    for (const QuadraticFactor& factor : curve.quadraticPoles) {
        below *= QuadraticAt(factor, omega);
    }
    return above / below;
}

double AnalogueGainDbRe1k(const AnalogueCurve& curve, double frequencyHz) {
    return GainDb(AnalogueResponse(curve, frequencyHz)) -
           GainDb(AnalogueResponse(curve, kRiaaReferenceHz));
}

AnalogueCurve ReciprocalCurve(const AnalogueCurve& curve) {
    return {curve.poleTaus,   curve.zeroTaus,       curve.dcPoleTaus,
            curve.dcZeroTaus, curve.quadraticPoles, curve.quadraticZeros};
}

int NetZerosAtDc(const AnalogueCurve& curve) {
    return static_cast<int>(curve.dcZeroTaus.size()) - static_cast<int>(curve.dcPoleTaus.size());
}
