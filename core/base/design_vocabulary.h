#pragma once
// The words every stage of a design shares, from the curves up to the writers.

#include <algorithm>

// Where the gain argument applies: at DC, as the matched design scales it, or at 1 kHz.
enum class GainReference { Dc, OneKilohertz };

// Phono curves are quoted relative to their gain at 1 kHz; the comparisons, the fits and
// the scaling to a gain "at 1 kHz" all take it as their reference.
inline constexpr double kRiaaReferenceHz = 1000.0;

// A minimax design has one to this many second-order sections for the curve (a rumble
// filter adds its own).
inline constexpr int kMaxCascadeSections = 4;

// The band a minimax design is fitted over and measured on: 20 Hz up to the smaller of
// 20 kHz and 0.46·fs, which leaves the fit room below Nyquist.
inline constexpr double kMinimaxBandBottomHz = 20.0;
inline double MinimaxBandTopHz(double samplingFrequency) {
    return std::min(20000.0, 0.46 * samplingFrequency);
}

// Below the band a cascade's gain may exceed the curve's largest gain there by this much,
// and no more: accuracy in the band is not bought with a bass lift under 20 Hz.
inline constexpr double kCascadeBelowBandMarginDb = 0.1;
