#pragma once
// Gain and phase of a complex response in the units people read.

#include <complex>

// 20·log10|h|; -inf for a zero response.
double GainDb(std::complex<double> h);

// arg(h) in degrees, in (-180, 180].
double PhaseDegrees(std::complex<double> h);

// 20·log10 of a plain factor's magnitude.
double FactorToDb(double factor);
