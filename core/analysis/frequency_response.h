#pragma once
// Exact frequency response of a designed biquad: H(z) evaluated on the unit
// circle, z = e^(jω) with ω = 2π·f/fs (no FFT, no truncated impulse response).

#include <complex>

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
