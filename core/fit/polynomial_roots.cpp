#include "fit/polynomial_roots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Complex = std::complex<double>;

constexpr int kMaxIterations = 200;
constexpr int kPolishingSteps = 3;
// A root whose imaginary part is this small against its magnitude is real: a real
// polynomial's root pairs that close together are one double root split by rounding.
constexpr double kRealShare = 1e-9;

// p(x) and p'(x).
void Evaluate(const std::vector<double>& c, Complex x, Complex& value, Complex& slope) {
    value = 0.0;
    slope = 0.0;
    for (std::size_t j = c.size(); j-- > 0;) {
        slope = slope * x + value;
        value = value * x + c[j];
    }
}

// Starting points: for each edge of the upper convex hull of (j, log|c_j|), as many
// points as the edge spans on a circle of the radius it implies, turned off the real
// axis so that no two starts are conjugate.
std::vector<Complex> Starts(const std::vector<double>& c) {
    std::vector<std::size_t> hull;
    for (std::size_t j = 0; j < c.size(); ++j) {
        if (c[j] == 0.0) continue;
        const double h = std::log(std::abs(c[j]));
        while (hull.size() >= 2) {
            const std::size_t a = hull[hull.size() - 2];
            const std::size_t b = hull.back();
            const double ha = std::log(std::abs(c[a]));
            const double hb = std::log(std::abs(c[b]));
            // b lies on or below the line from a to j: not a corner.
            if ((hb - ha) * static_cast<double>(j - a) <= (h - ha) * static_cast<double>(b - a)) {
                hull.pop_back();
            } else {
                break;
            }
        }
        hull.push_back(j);
    }
    std::vector<Complex> starts;
    // Zero coefficients at the bottom are roots at zero: the hull starts above them.
    for (std::size_t j = 0; j < hull.front(); ++j) starts.emplace_back(0.0, 0.0);
    for (std::size_t k = 0; k + 1 < hull.size(); ++k) {
        const std::size_t low = hull[k];
        const std::size_t high = hull[k + 1];
        const double count = static_cast<double>(high - low);
        const double radius = std::pow(std::abs(c[low] / c[high]), 1.0 / count);
        for (std::size_t i = 0; i < high - low; ++i) {
            const double angle = 2.0 * std::numbers::pi * (static_cast<double>(i) + 0.25) / count +
                                 0.4 * static_cast<double>(k);
            starts.push_back(std::polar(radius, angle));
        }
    }
    return starts;
}

void Aberth(const std::vector<double>& c, std::vector<Complex>& roots) {
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        double largestStep = 0.0;
        for (std::size_t k = 0; k < roots.size(); ++k) {
            if (roots[k] == Complex(0.0, 0.0) && c.front() == 0.0) continue;
            Complex value;
            Complex slope;
            Evaluate(c, roots[k], value, slope);
            if (value == Complex(0.0, 0.0)) continue;
            const Complex ratio = value / slope;
            Complex repulsion = 0.0;
            for (std::size_t j = 0; j < roots.size(); ++j) {
                if (j != k && roots[j] != roots[k]) repulsion += 1.0 / (roots[k] - roots[j]);
            }
            const Complex step = ratio / (1.0 - ratio * repulsion);
            if (!std::isfinite(step.real()) || !std::isfinite(step.imag())) continue;
            roots[k] -= step;
            largestStep =
                std::max(largestStep, std::abs(step) / std::max(std::abs(roots[k]), 1e-300));
        }
        if (largestStep < 1e-16) break;
    }
}

void Polish(const std::vector<double>& c, Complex& root) {
    for (int step = 0; step < kPolishingSteps; ++step) {
        Complex value;
        Complex slope;
        Evaluate(c, root, value, slope);
        if (value == Complex(0.0, 0.0) || slope == Complex(0.0, 0.0)) return;
        const Complex next = root - value / slope;
        Complex nextValue;
        Evaluate(c, next, nextValue, slope);
        if (!(std::abs(nextValue) < std::abs(value))) return;
        root = next;
    }
}

// Real roots exactly real, complex ones as exact conjugate pairs.
std::vector<Complex> Symmetrised(std::vector<Complex> roots) {
    std::vector<Complex> result;
    std::vector<Complex> lower;
    for (const Complex& r : roots) {
        if (std::abs(r.imag()) <= kRealShare * std::abs(r)) {
            result.emplace_back(r.real(), 0.0);
        } else if (r.imag() < 0.0) {
            lower.push_back(r);
        }
    }
    for (const Complex& r : roots) {
        if (!(r.imag() > kRealShare * std::abs(r))) continue;
        // Its partner is the lower root nearest to its conjugate; the pair is the
        // average of the two, so that neither estimate is preferred.
        auto partner = std::min_element(lower.begin(), lower.end(), [&](Complex a, Complex b) {
            return std::abs(a - std::conj(r)) < std::abs(b - std::conj(r));
        });
        Complex average = r;
        if (partner != lower.end()) {
            average = 0.5 * (r + std::conj(*partner));
            lower.erase(partner);
        }
        result.push_back(average);
        result.push_back(std::conj(average));
    }
    // A lower root without an upper partner (not for a real polynomial) stays paired.
    for (const Complex& r : lower) {
        result.push_back(std::conj(r));
        result.push_back(r);
    }
    return result;
}

}  // namespace

std::vector<Complex> PolynomialRoots(const std::vector<double>& coefficients) {
    std::vector<double> c = coefficients;
    while (!c.empty() && c.back() == 0.0) c.pop_back();
    if (c.size() <= 1) return {};
    std::vector<Complex> roots = Starts(c);
    Aberth(c, roots);
    for (Complex& r : roots) Polish(c, r);
    return Symmetrised(roots);
}
