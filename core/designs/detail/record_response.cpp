#include "designs/detail/record_response.h"

#include <cmath>
#include <numbers>

namespace {

// b0 + b1·z⁻¹ + b2·z⁻² at z⁻¹ = e^(-jω).
std::complex<double> Polynomial(const double (&c)[3], std::complex<double> zInverse) {
    return c[0] + zInverse * (c[1] + zInverse * c[2]);
}

}  // namespace

std::complex<double> RecordResponse(const RiaaCoefficients& coefficients, double samplingFrequency,
                                    double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz / samplingFrequency;
    const std::complex<double> zInverse = std::polar(1.0, -omega);
    return Polynomial(coefficients.num, zInverse) / Polynomial(coefficients.den, zInverse);
}

RiaaCoefficients ScaleGainAt(const RiaaCoefficients& coefficients, double samplingFrequency,
                             double frequencyHz, double gain) {
    const double magnitude = std::abs(RecordResponse(coefficients, samplingFrequency, frequencyHz));
    RiaaCoefficients scaled = coefficients;
    if (magnitude == 0.0) {
        return scaled;
    }
    const double factor = std::abs(gain) / magnitude;
    for (double& b : scaled.num) {
        b *= factor;
    }
    return scaled;
}
