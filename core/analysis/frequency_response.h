#pragma once
// Exact frequency response of a designed filter, the one-biquad record or a cascade of
// sections: H(z) evaluated on the unit circle, z = e^(jω) with ω = 2π·f/fs (no FFT, no
// truncated impulse response).

#include <complex>

#include "cascade.h"
#include "riaa_design.h"

// H(e^jω) of the record at frequencyHz for the sampling frequency it was designed for.
// All three entries of each array are used (an unused third entry is zero).
std::complex<double> DesignResponse(const RiaaCoefficients& coefficients, double samplingFrequency,
                                    double frequencyHz);

// The record with its numerator scaled so that |H| at frequencyHz equals |gain|.
// The record keeps its sign (a design for a negative gain stays inverted in
// polarity); the denominator and counts are unchanged. A response of zero there
// leaves the record as it is.
RiaaCoefficients ScaleGainAt(const RiaaCoefficients& coefficients, double samplingFrequency,
                             double frequencyHz, double gain);

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
