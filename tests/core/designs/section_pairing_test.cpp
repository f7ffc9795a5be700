// From roots to sections: a pole pair with far-away zeros makes a section with a
// large peak, and the roots of a squared magnitude must come back to full precision
// however far apart their magnitudes lie.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "designs/detail/section_pairing.h"
#include "fit/polynomial_roots.h"
#include "response/frequency_response.h"

namespace {

using Complex = std::complex<double>;

TEST(SectionPairing, PairsEachPolePairWithTheNearestZerosAndOrdersByPoleRadius) {
    const std::vector<Complex> zeros = {{0.99, 0.0}, {-0.5, 0.0}, {0.2, 0.6}, {0.2, -0.6}};
    const std::vector<Complex> poles = {{0.25, 0.62}, {0.25, -0.62}, {0.995, 0.0}, {-0.45, 0.0}};
    const Cascade cascade = SectionsFromRoots(zeros, poles);
    ASSERT_EQ(cascade.sections.size(), 2u);
    // The complex pole pair (radius 0.67) first, with the complex zeros beside it.
    const BiquadSection& first = cascade.sections[0];
    EXPECT_NEAR(first.a1, -0.5, 1e-15);
    EXPECT_NEAR(first.a2, 0.25 * 0.25 + 0.62 * 0.62, 1e-15);
    EXPECT_NEAR(first.b1, -0.4, 1e-15);
    EXPECT_NEAR(first.b2, 0.4, 1e-15);
    // The poles at 0.995 and -0.45 last, with the real zeros.
    const BiquadSection& second = cascade.sections[1];
    EXPECT_NEAR(second.a1, -(0.995 - 0.45), 1e-15);
    EXPECT_NEAR(second.b1, -(0.99 - 0.5), 1e-15);
    EXPECT_EQ(first.b0, 1.0);
    EXPECT_EQ(second.b0, 1.0);
}

TEST(SectionPairing, ReciprocalSwapsEachSectionAndRefusesADelay) {
    const Cascade cascade{{{2.0, -1.0, 0.25, -0.5, 0.06}, {0.5, 0.1, 0.0, 0.3, 0.0}}};
    const Cascade inverse = ReciprocalCascade(cascade);
    for (double f : {0.0, 100.0, 10000.0, 20000.0}) {
        const Complex product =
            CascadeResponse(cascade, 44100.0, f) * CascadeResponse(inverse, 44100.0, f);
        EXPECT_NEAR(product.real(), 1.0, 1e-14);
        EXPECT_NEAR(product.imag(), 0.0, 1e-14);
    }
    EXPECT_THROW(ReciprocalCascade({{{0.0, 1.0, 0.0, 0.0, 0.0}}}), std::invalid_argument);
}

TEST(PolynomialRoots, FindsRootsSpanningTenDecadesToFullPrecision) {
    // The kind of squared magnitude a cascade has at 384 kHz: roots near -1e-7 (the
    // 3180 µs pole), -1e-4, -1e-2, beyond Nyquist at 1.3, and a complex pair.
    const std::vector<Complex> expected = {{-1.7e-7, 0.0}, {-3.1e-4, 0.0}, {-2.2e-2, 0.0},
                                           {1.3, 0.0},     {0.4, 0.9},     {0.4, -0.9}};
    std::vector<Complex> product = {1.0};
    for (const Complex& r : expected) {
        std::vector<Complex> next(product.size() + 1, 0.0);
        for (std::size_t j = 0; j < product.size(); ++j) {
            next[j + 1] += product[j];
            next[j] -= r * product[j];
        }
        product = next;
    }
    std::vector<double> c;
    for (const Complex& v : product) c.push_back(v.real());
    const std::vector<Complex> roots = PolynomialRoots(c);
    ASSERT_EQ(roots.size(), expected.size());
    for (const Complex& r : expected) {
        double nearest = INFINITY;
        for (const Complex& found : roots) nearest = std::min(nearest, std::abs(found - r));
        EXPECT_LT(nearest / std::abs(r), 1e-12) << r;
    }
    // Real roots exactly real, complex ones as exact conjugates.
    int real = 0;
    for (const Complex& r : roots) {
        if (r.imag() == 0.0) {
            ++real;
        } else {
            bool conjugate = false;
            for (const Complex& other : roots) conjugate = conjugate || other == std::conj(r);
            EXPECT_TRUE(conjugate) << r;
        }
    }
    EXPECT_EQ(real, 4);
    EXPECT_TRUE(PolynomialRoots({3.0}).empty());
    EXPECT_EQ(PolynomialRoots({0.0, 0.0, 2.0}).size(), 2u);
}

}  // namespace
