#pragma once
// All roots of a real polynomial of low degree, to full relative precision even when
// their magnitudes span many decades (as the squared magnitudes of a cascade's
// sections do in y = sin²(ω/2): 1e-8 near DC at high rates, 1 and beyond at Nyquist).

#include <complex>
#include <vector>

// The roots of c[0] + c[1]·x + ... + c[n]·x^n (trailing zero coefficients dropped;
// none for a constant). Real roots have an imaginary part of exactly zero and
// complex ones come in exact conjugate pairs, the positive imaginary part first.
// The Aberth–Ehrlich iteration from starting circles that the Newton polygon of the
// coefficients places at each root's order of magnitude, then Newton steps.
// Deterministic: no random starts.
std::vector<std::complex<double>> PolynomialRoots(const std::vector<double>& c);
