#include "response/root_radius.h"

#include <algorithm>
#include <cmath>
#include <complex>

double LargestRootRadius(double c0, double c1, double c2) {
    if (c2 == 0.0) {
        return std::abs(c1 / c0);
    }
    const double p = c1 / c0;
    const double q = c2 / c0;
    const std::complex<double> root = std::sqrt(std::complex<double>(p * p - 4.0 * q));
    return std::max(std::abs((-p + root) / 2.0), std::abs((-p - root) / 2.0));
}
