#pragma once
// Squared magnitudes of second-order polynomials in z⁻¹, written as polynomials in
// y = sin²(ω/2), and the way back to a minimum-phase polynomial.
//
// For a real polynomial A(z) of degree two, |A(e^jω)|² is a quadratic in y: each root r
// contributes (1 - r)² + 4·r·y. Written this way the squared magnitude is linear in its
// three coefficients, any quadratic that stays non-negative on 0 <= y <= 1 is the
// squared magnitude of some real A (real roots or a complex pair), and roots near z = 1,
// where high sampling rates put the RIAA poles, keep their precision: no term cancels.

#include <array>
#include <complex>
#include <vector>

// c[0] + c[1]·y + c[2]·y², y = sin²(ω/2); the value at DC is c[0], at Nyquist the sum.
struct SquaredMagnitude {
    std::array<double, 3> c{};

    double At(double y) const { return c[0] + y * (c[1] + y * c[2]); }
};

// sin²(π·f/fs): the point of the frequency f on the y axis.
double SquaredMagnitudeAbscissa(double frequencyHz, double samplingFrequency);

// |b0 + b1·z⁻¹ + b2·z⁻²|² as a quadratic in y.
SquaredMagnitude SquaredMagnitudeOfPolynomial(const double (&b)[3]);

// The monic polynomial 1 + a1·z⁻¹ + a2·z⁻² whose squared magnitude is proportional
// to the given one, with every root inside or on the unit circle (the minimum-phase
// factor). Its roots come out of the quadratic in y; a root y of that quadratic maps
// to the root r of (1 - r)² + 4·r·y = 0 with |r| <= 1. Expects a squared magnitude
// that is positive at some y in [0, 1].
std::array<double, 3> MinimumPhaseFactor(const SquaredMagnitude& squaredMagnitude);

// The roots of that minimum-phase polynomial: none for a constant, one for a
// first-order squared magnitude (c2 = 0), otherwise two (a real pair or a conjugate pair).
std::vector<std::complex<double>> MinimumPhaseRoots(const SquaredMagnitude& squaredMagnitude);

// The root r with |r| <= 1 of (1 - r)² + 4·r·y = 0, for any (complex) y.
std::complex<double> RootOfAbscissa(std::complex<double> y);
