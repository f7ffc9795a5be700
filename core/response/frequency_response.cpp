#include "response/frequency_response.h"

#include <cmath>
#include <numbers>

std::complex<double> SectionResponse(const BiquadSection& s, double samplingFrequency,
                                     double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz / samplingFrequency;
    const std::complex<double> zInverse = std::polar(1.0, -omega);
    return (s.b0 + zInverse * (s.b1 + zInverse * s.b2)) /
           (1.0 + zInverse * (s.a1 + zInverse * s.a2));
}

std::complex<double> CascadeResponse(const Cascade& cascade, double samplingFrequency,
                                     double frequencyHz) {
    std::complex<double> h = 1.0;
    for (const BiquadSection& section : cascade.sections) {
        h *= SectionResponse(section, samplingFrequency, frequencyHz);
    }
    return h;
}

Cascade ScaleCascadeGainAt(const Cascade& cascade, double samplingFrequency, double frequencyHz,
                           double gain) {
    const double magnitude = std::abs(CascadeResponse(cascade, samplingFrequency, frequencyHz));
    Cascade scaled = cascade;
    if (magnitude == 0.0 || scaled.sections.empty()) {
        return scaled;
    }
    const double factor = std::abs(gain) / magnitude;
    BiquadSection& first = scaled.sections.front();
    first.b0 *= factor;
    first.b1 *= factor;
    first.b2 *= factor;
    return scaled;
}
