#pragma once
// The desktop program's one-biquad record (RiaaCoefficients) where it meets the rest: as a
// one-section cascade, its exact response, and its gain scaled at a frequency. Only the
// designs that start from the record and the writers of its report need these.

#include <complex>

#include "designs/riaa_design.h"
#include "response/cascade.h"

// The record as one section: a first-order numerator or denominator keeps its zero
// third entry. Every design has a0 = 1; a record with another a0 is divided by it.
Cascade CascadeFromCoefficients(const RiaaCoefficients& coefficients);

// H(e^jω) of the record at frequencyHz for the sampling frequency it was designed for.
// All three entries of each array are used (an unused third entry is zero).
std::complex<double> RecordResponse(const RiaaCoefficients& coefficients, double samplingFrequency,
                                    double frequencyHz);

// The record with its numerator scaled so that |H| at frequencyHz equals |gain|.
// The record keeps its sign (a design for a negative gain stays inverted in
// polarity); the denominator and counts are unchanged. A response of zero there
// leaves the record as it is.
RiaaCoefficients ScaleGainAt(const RiaaCoefficients& coefficients, double samplingFrequency,
                             double frequencyHz, double gain);
