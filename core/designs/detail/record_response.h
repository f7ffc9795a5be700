#pragma once
// The record's exact response and its gain scaled at a frequency, for the designs that
// start from it.

#include <complex>

#include "designs/riaa_record.h"

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
