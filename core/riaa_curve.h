#pragma once
// What every RIAA design here shares, the matched z-transform, the analogue curve it is
// measured against and the minimax fit alike: the curve's time constants, the one number
// that chooses the extra zero, and the scaling of a design to its gain at DC.

#include "riaa_design.h"

// The RIAA playback curve's time constants in seconds (RIAA 1954, IEC 60098): poles at
// 3180 µs and 75 µs, a zero at 318 µs.
inline constexpr double kLowPoleTau = 0.00318;    // 3180 µs, 50.05 Hz
inline constexpr double kHighPoleTau = 0.000075;  // 75 µs, 2122 Hz
inline constexpr double kZeroTau = 0.000318;      // 318 µs, 500.5 Hz
// The fixed extra zero, a hundredth of the 318 µs zero's time constant.
inline constexpr double kFixedExtraZeroTau = 0.00000318;  // 3.18 µs, 50.05 kHz

// RIAA curves are quoted relative to their gain at 1 kHz; the comparisons, the minimax fit
// and the scaling to a gain "at 1 kHz" all take it as their reference.
inline constexpr double kRiaaReferenceHz = 1000.0;

enum class ExtraZeroKind { None, Fixed, AtFrequency };

// How an extraZero argument reads: exactly 0 is none; above 1 it is the zero's frequency in
// hertz; anything else (1 itself, 0.5, negative values, NaN) is the fixed 3.18 µs zero.
ExtraZeroKind ExtraZeroKindOf(double extraZero);

// The extra zero's time constant: 1/(2π·f) at a chosen frequency, 3.18 µs for the fixed
// zero, and 0, a factor (1 + jω·0) of one, for none.
double ExtraZeroTau(double extraZero);

// Scales the numerator so that H(1), the gain at DC, equals `gain`. All three entries are
// scaled, whatever the count; the denominator is not touched. a0 is 1 in every design, so
// the constant stands in its place.
void ScaleToGainAtDc(RiaaCoefficients& coefficients, double gain);
