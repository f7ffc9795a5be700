#pragma once
// The best single biquad for the RIAA curve at any sampling rate: the stable,
// minimum-phase second-order section whose gain in dB departs least, at its worst,
// from the analogue curve over the audio band (both normalised at 1 kHz).
//
// Where the matched z-transform keeps the analogue roots and lets the response drift
// near Nyquist (3 dB at 20 kHz at 44.1 kHz), this design moves all four roots to
// spread the error evenly over the band. See minimax_fit.h for the method.

#include <cstdint>

#include "base/design_vocabulary.h"
#include "designs/detail/riaa_design.h"

// The sampling rates the design accepts: the band must reach past 1 kHz, where the
// curves are normalised, and the roots must stay apart from z = 1 in double precision.
inline constexpr double kMinimaxLowestSamplingFrequency = 2200.0;
inline constexpr double kMinimaxHighestSamplingFrequency = 10.0e6;

// extraZero and inverse read as in ComputeRiaaCoefficients, and select the curve the
// design follows: the RIAA playback curve, times the extra zero's (1 + jωτ) when one
// is asked for (3.18 µs, or a chosen frequency), reciprocal when inverted. The inverse
// is the playback optimum turned upside down: the dB error only changes sign, so it
// is optimal too, and its poles are the playback design's minimum-phase zeros.
// Always a full biquad: numCount = denCount = 3, a0 = 1.
// Throws std::invalid_argument for a sampling frequency outside the accepted range
// or a gain that is not finite, std::runtime_error when NLopt cannot be loaded. Deterministic: the
// same arguments give the same bits.
RiaaCoefficients ComputeMinimaxRiaaCoefficients(double samplingFrequency, double gain,
                                                double extraZero, std::int32_t inverse,
                                                GainReference gainReference = GainReference::Dc);
