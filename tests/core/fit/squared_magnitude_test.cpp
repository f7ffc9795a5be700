// The bridge between a squared magnitude and a filter: if it loses a root's precision
// or picks the root outside the unit circle, the minimax design is wrong or unstable.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "fit/squared_magnitude.h"

namespace {

std::complex<double> Evaluate(const double (&b)[3], double omega) {
    const std::complex<double> zInverse = std::polar(1.0, -omega);
    return b[0] + zInverse * (b[1] + zInverse * b[2]);
}

TEST(SquaredMagnitude, MatchesThePolynomialOnTheUnitCircle) {
    const double b[3] = {0.7, -1.3, 0.45};
    const SquaredMagnitude squared = SquaredMagnitudeOfPolynomial(b);
    for (double f : {0.0, 20.0, 1000.0, 15000.0, 22050.0}) {
        const double y = SquaredMagnitudeAbscissa(f, 44100.0);
        EXPECT_NEAR(squared.At(y), std::norm(Evaluate(b, 2.0 * std::numbers::pi * f / 44100.0)),
                    1e-12)
            << f;
    }
}

TEST(SquaredMagnitude, FactorsBackIntoTheMinimumPhasePolynomial) {
    struct Case {
        const char* what;
        double b[3];
        double expected[3];
    };
    const Case cases[] = {
        {"two real roots", {1.0, -0.5, -0.24}, {1.0, -0.5, -0.24}},  // 0.8 and -0.3
        {"a complex pair",                                           // 0.8 at ±1 rad
         {1.0, -1.6 * std::cos(1.0), 0.64},
         {1.0, -1.6 * std::cos(1.0), 0.64}},
        {"first order", {1.0, -0.9, 0.0}, {1.0, -0.9, 0.0}},
        // A root at 2 is reflected to 1/2: same magnitude, minimum phase.
        {"a root outside", {1.0, -2.5, 1.0}, {1.0, -1.0, 0.25}},
        {"scaled", {3.0, -1.5, -0.72}, {1.0, -0.5, -0.24}},
    };
    for (const Case& c : cases) {
        const auto factor = MinimumPhaseFactor(SquaredMagnitudeOfPolynomial(c.b));
        EXPECT_NEAR(factor[0], c.expected[0], 1e-12) << c.what;
        EXPECT_NEAR(factor[1], c.expected[1], 1e-12) << c.what;
        EXPECT_NEAR(factor[2], c.expected[2], 1e-12) << c.what;
    }
}

TEST(SquaredMagnitude, KeepsRootsNearDcExact) {
    // A 3180 µs pole at 768 kHz sits 4e-4 below 1; 1e-7 below 1 is far past any rate in
    // use. Built from y, the distance to 1 must come back to full relative precision.
    for (double distance : {4.1e-4, 1e-7}) {
        const double r = 1.0 - distance;
        const double exact = 1.0 - r;
        const SquaredMagnitude squared{{exact * exact, 4.0 * r, 0.0}};
        EXPECT_NEAR(1.0 - RootOfAbscissa(-squared.c[0] / squared.c[1]).real(), exact, exact * 1e-8);
    }
}

}  // namespace
