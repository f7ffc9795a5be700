#pragma once
// From the roots of a designed filter to second-order sections the way a fixed-point
// or floating-point implementation wants them: each pair of poles with the zeros
// nearest to it, so that every section nearly cancels its own peaks, and the sections
// ordered by pole radius, the poles nearest the unit circle last.

#include <complex>
#include <vector>

#include "response/cascade.h"

// Every complex root comes with its conjugate; real roots have an imaginary part of
// exactly zero. Each side is padded with roots at the origin to twice the number of
// sections, which is the larger side's count rounded up to even.
//
// Pole pairs are formed first (a conjugate pair, or two real poles next to each other
// in radius); starting with the pair nearest the unit circle, each takes the two zeros
// (a conjugate pair or two real zeros) nearest to it. Every section is monic
// (b0 = 1, a0 = 1); the gain is left to the caller.
Cascade SectionsFromRoots(const std::vector<std::complex<double>>& zeros,
                          const std::vector<std::complex<double>>& poles);

// The sections sorted by the radius of their largest pole, smallest first (ties by
// the largest zero). The product of the sections is unchanged.
Cascade OrderedByPoleRadius(Cascade cascade);

// 1 / H(z): each section's numerator and denominator swapped and divided by the new
// a0 (the old b0), in the same order. Throws std::invalid_argument for a section
// with b0 = 0, which has no causal inverse.
Cascade ReciprocalCascade(const Cascade& cascade);
