#include "base/decibels.h"

#include <cmath>
#include <numbers>

double GainDb(std::complex<double> h) { return FactorToDb(std::abs(h)); }

double PhaseDegrees(std::complex<double> h) { return std::arg(h) * 180.0 / std::numbers::pi; }

double FactorToDb(double factor) { return 20.0 * std::log10(std::abs(factor)); }
