#include "fit/squared_magnitude.h"

#include <cmath>
#include <numbers>

double SquaredMagnitudeAbscissa(double frequencyHz, double samplingFrequency) {
    const double s = std::sin(std::numbers::pi * frequencyHz / samplingFrequency);
    return s * s;
}

SquaredMagnitude SquaredMagnitudeOfPolynomial(const double (&b)[3]) {
    // |B|² = β0 + 2β1·cos ω + 2β2·cos 2ω with cos ω = 1 - 2y, cos 2ω = 1 - 8y + 8y².
    const double sum = b[0] + b[1] + b[2];
    return {
        {sum * sum, -4.0 * (b[0] * b[1] + b[1] * b[2] + 4.0 * b[0] * b[2]), 16.0 * b[0] * b[2]}};
}

std::complex<double> RootOfAbscissa(std::complex<double> y) {
    if (y.imag() == 0.0) {
        const double x = y.real();
        if (x <= 0.0) {
            // A root at 1 - d on the positive real axis. d solves d² + 4|y|·d - 4|y| = 0;
            // this form of its positive solution does not cancel when the root is near 1.
            const double m = -x;
            return 1.0 - 2.0 * m / (m + std::sqrt(m * m + m));
        }
        if (x >= 1.0) {
            // A root on the negative real axis, the smaller solution in magnitude.
            return -1.0 / ((2.0 * x - 1.0) + 2.0 * std::sqrt(x * (x - 1.0)));
        }
    }
    // r = 1 - 2y ± 2·sqrt(y(y - 1)); the two solutions multiply to 1.
    const std::complex<double> root = 2.0 * std::sqrt(y * (y - 1.0));
    const std::complex<double> inside = 1.0 - 2.0 * y - root;
    const std::complex<double> outside = 1.0 - 2.0 * y + root;
    return std::abs(inside) <= std::abs(outside) ? inside : outside;
}

std::vector<std::complex<double>> MinimumPhaseRoots(const SquaredMagnitude& squaredMagnitude) {
    const auto& [c0, c1, c2] = squaredMagnitude.c;
    if (c2 == 0.0) {
        if (c1 == 0.0) {
            return {};
        }
        return {RootOfAbscissa(-c0 / c1)};
    }
    std::complex<double> y1;
    std::complex<double> y2;
    const double discriminant = c1 * c1 - 4.0 * c2 * c0;
    if (discriminant >= 0.0) {
        // The root of larger magnitude first, the other from the product of the roots,
        // so that neither is computed as a small difference of large terms.
        const double q = -0.5 * (c1 + std::copysign(std::sqrt(discriminant), c1));
        if (q == 0.0) {
            return {1.0, 1.0};
        }
        y1 = q / c2;
        y2 = c0 / q;
    } else {
        const double real = -c1 / (2.0 * c2);
        const double imaginary = std::sqrt(-discriminant) / (2.0 * std::abs(c2));
        y1 = {real, imaginary};
        y2 = {real, -imaginary};
    }
    return {RootOfAbscissa(y1), RootOfAbscissa(y2)};
}

std::array<double, 3> MinimumPhaseFactor(const SquaredMagnitude& squaredMagnitude) {
    const std::vector<std::complex<double>> roots = MinimumPhaseRoots(squaredMagnitude);
    if (roots.empty()) {
        return {1.0, 0.0, 0.0};
    }
    if (roots.size() == 1) {
        return {1.0, -roots[0].real(), 0.0};
    }
    return {1.0, -(roots[0] + roots[1]).real(), (roots[0] * roots[1]).real()};
}
