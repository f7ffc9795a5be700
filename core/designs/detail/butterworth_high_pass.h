#pragma once
// The rumble filter's sections and its analogue prototype: a Butterworth high-pass of
// order 1 to 4 (rumble_filter.h gives the limits).

#include <vector>

#include "curves/analogue_curve.h"
#include "response/cascade.h"

// The digital high-pass: the bilinear transform of the analogue Butterworth with its
// corner pre-warped, so that the digital filter is 3.01 dB down exactly at cornerHz
// and 0 dB at fs/2. The first-order section first, then the pole pairs from the lowest
// Q to the highest, so that the pair that peaks near the corner comes last, on a signal
// the others have already lowered there.
std::vector<BiquadSection> ButterworthHighPassSections(double cornerHz, int order,
                                                       double samplingFrequency);

// The curve times the analogue Butterworth high-pass (s/ωc)^n / B_n(s/ωc): its zeros at
// DC, a real pole for an odd order and its pole pairs, all at the corner.
AnalogueCurve WithButterworthHighPass(AnalogueCurve curve, double cornerHz, int order);
