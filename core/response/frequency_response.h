#pragma once
// Exact frequency response of a cascade of sections: H(z) evaluated on the unit circle,
// z = e^(jω) with ω = 2π·f/fs (no FFT, no truncated impulse response).

#include <complex>

#include "response/cascade.h"

// H(e^jω) of one section, and of a cascade: the product of its sections' responses
// (each evaluated on its own, so no polynomial of higher degree is ever formed).
std::complex<double> SectionResponse(const BiquadSection& section, double samplingFrequency,
                                     double frequencyHz);
std::complex<double> CascadeResponse(const Cascade& cascade, double samplingFrequency,
                                     double frequencyHz);

// The cascade with its first section's numerator scaled so that |H| at frequencyHz
// equals |gain|, keeping its polarity; a response of zero there leaves it as it is.
Cascade ScaleCascadeGainAt(const Cascade& cascade, double samplingFrequency, double frequencyHz,
                           double gain);
