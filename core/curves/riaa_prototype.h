#pragma once
// The analogue curve a digital RIAA design approximates: the RIAA playback
// response (the time constants of riaa_curve.h) with the same optional extra zero as
// the design, or its reciprocal (the recording curve) when inverted.

#include <complex>
#include <cstdint>

#include "curves/analogue_curve.h"

// Which analogue curve: extraZero and inverse read exactly as the desktop program's
// design reads them (see ExtraZeroKindOf).
struct RiaaPrototype {
    double extraZero = 0.0;
    std::int32_t inverse = 0;
};

// The curve as time constants: zeros at 318 µs (and the extra zero), poles at 3180 and
// 75 µs, swapped when inverted.
AnalogueCurve RiaaCurve(const RiaaPrototype& prototype);

// H(j·2πf) of the analogue curve, 1 at DC.
std::complex<double> PrototypeResponse(const RiaaPrototype& prototype, double frequencyHz);

// |H| in dB relative to its value at 1 kHz (the usual way of quoting the RIAA curve).
double PrototypeGainDbRe1k(const RiaaPrototype& prototype, double frequencyHz);
