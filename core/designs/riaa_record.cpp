#include "designs/riaa_record.h"

#include <cmath>
#include <numbers>

Cascade CascadeFromCoefficients(const RiaaCoefficients& coefficients) {
    const double a0 = coefficients.den[0];
    const auto& b = coefficients.num;
    const auto& a = coefficients.den;
    if (a0 == 1.0) {
        return {{{b[0], b[1], b[2], a[1], a[2]}}};
    }
    return {{{b[0] / a0, b[1] / a0, b[2] / a0, a[1] / a0, a[2] / a0}}};
}

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
