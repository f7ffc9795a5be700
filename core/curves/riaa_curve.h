#pragma once
// What every RIAA design here shares, the matched z-transform, the analogue curve it is
// measured against and the minimax fit alike: the curve's time constants and the one
// number that chooses the extra zero.

#include "base/design_vocabulary.h"

// The RIAA playback curve's time constants in seconds (RIAA 1954, IEC 60098): poles at
// 3180 µs and 75 µs, a zero at 318 µs.
inline constexpr double kLowPoleTau = 0.00318;    // 3180 µs, 50.05 Hz
inline constexpr double kHighPoleTau = 0.000075;  // 75 µs, 2122 Hz
inline constexpr double kZeroTau = 0.000318;      // 318 µs, 500.5 Hz
// The fixed extra zero, a hundredth of the 318 µs zero's time constant.
inline constexpr double kFixedExtraZeroTau = 0.00000318;  // 3.18 µs, 50.05 kHz

enum class ExtraZeroKind { None, Fixed, AtFrequency };

// How an extraZero argument reads: exactly 0 is none; above 1 it is the zero's frequency in
// hertz; anything else (1 itself, 0.5, negative values, NaN) is the fixed 3.18 µs zero.
ExtraZeroKind ExtraZeroKindOf(double extraZero);

// The extra zero's time constant: 1/(2π·f) at a chosen frequency, 3.18 µs for the fixed
// zero, and 0, a factor (1 + jω·0) of one, for none.
double ExtraZeroTau(double extraZero);
