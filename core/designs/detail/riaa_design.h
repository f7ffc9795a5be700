#pragma once
// One-biquad digital RIAA equaliser: the matched z-transform of the RIAA time
// constants (riaa_curve.h), with an optional extra zero, scaled to a gain at DC.

#include <cstdint>

#include "designs/riaa_record.h"

// extraZero chooses the extra zero as ExtraZeroKindOf reads it: 0 none, above 1 its
// frequency in hertz, any other value the fixed 3.18 µs zero.
// inverse: non-zero swaps numerator and denominator (the pre-emphasis filter).
// Validates nothing: unusable values run through IEEE arithmetic. Reentrant.
RiaaCoefficients ComputeRiaaCoefficients(double samplingFrequency, double gain, double extraZero,
                                         std::int32_t inverse);

// Scales the numerator so that H(1), the gain at DC, equals `gain`. All three entries are
// scaled, whatever the count; the denominator is not touched. a0 is 1 in every design, so
// the constant stands in its place.
void ScaleToGainAtDc(RiaaCoefficients& coefficients, double gain);
