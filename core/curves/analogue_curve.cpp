#include "curves/analogue_curve.h"

#include <algorithm>
#include <numbers>

#include "base/decibels.h"
#include "curves/riaa_curve.h"

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

int MinimumCascadeSections(const AnalogueCurve& curve) {
    const std::size_t zeros = curve.zeroTaus.size() + curve.dcZeroTaus.size();
    const std::size_t poles = curve.poleTaus.size() + curve.dcPoleTaus.size();
    return std::max(1, static_cast<int>((std::max(zeros, poles) + 1) / 2));
}
