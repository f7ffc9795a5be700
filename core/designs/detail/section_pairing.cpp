#include "designs/detail/section_pairing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "response/root_radius.h"

namespace {

using Root = std::complex<double>;

// Two roots that share one section: a conjugate pair or two real roots.
struct RootPair {
    Root first;
    Root second;
};

double Radius(const RootPair& pair) {
    return std::max(std::abs(pair.first), std::abs(pair.second));
}

std::vector<Root> Padded(std::vector<Root> roots, std::size_t count) {
    roots.resize(std::max(roots.size(), count), Root(0.0, 0.0));
    return roots;
}

std::vector<Root> RealRoots(const std::vector<Root>& roots) {
    std::vector<Root> real;
    for (const Root& r : roots) {
        if (r.imag() == 0.0) real.push_back(r);
    }
    return real;
}

// Each root of positive imaginary part with its conjugate.
std::vector<RootPair> ConjugatePairs(const std::vector<Root>& roots) {
    std::vector<RootPair> pairs;
    for (const Root& r : roots) {
        if (r.imag() > 0.0) pairs.push_back({r, std::conj(r)});
    }
    return pairs;
}

// Conjugate pairs, and the real poles two by two from the largest radius down.
std::vector<RootPair> PolePairs(const std::vector<Root>& poles) {
    std::vector<RootPair> pairs = ConjugatePairs(poles);
    std::vector<Root> real = RealRoots(poles);
    std::stable_sort(real.begin(), real.end(),
                     [](const Root& a, const Root& b) { return std::abs(a) > std::abs(b); });
    for (std::size_t i = 0; i + 1 < real.size(); i += 2) {
        pairs.push_back({real[i], real[i + 1]});
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const RootPair& a, const RootPair& b) { return Radius(a) > Radius(b); });
    return pairs;
}

double Distance(const RootPair& poles, const Root& z1, const Root& z2) {
    return std::min(std::abs(poles.first - z1) + std::abs(poles.second - z2),
                    std::abs(poles.first - z2) + std::abs(poles.second - z1));
}

// Takes from `zeros` the conjugate pair or the two real zeros nearest to `poles`.
RootPair TakeNearestZeros(const RootPair& poles, std::vector<Root>& zeros) {
    double best = std::numeric_limits<double>::infinity();
    std::size_t bestI = 0;
    std::size_t bestJ = 0;
    for (std::size_t i = 0; i < zeros.size(); ++i) {
        for (std::size_t j = i + 1; j < zeros.size(); ++j) {
            const bool realPair = zeros[i].imag() == 0.0 && zeros[j].imag() == 0.0;
            const bool conjugatePair = zeros[i].imag() != 0.0 && zeros[j] == std::conj(zeros[i]);
            if (!realPair && !conjugatePair) continue;
            const double distance = Distance(poles, zeros[i], zeros[j]);
            if (distance < best) {
                best = distance;
                bestI = i;
                bestJ = j;
            }
        }
    }
    const RootPair taken{zeros[bestI], zeros[bestJ]};
    zeros.erase(zeros.begin() + static_cast<std::ptrdiff_t>(bestJ));
    zeros.erase(zeros.begin() + static_cast<std::ptrdiff_t>(bestI));
    return taken;
}

// (1 - r1 z⁻¹)(1 - r2 z⁻¹) as its two lower coefficients.
std::pair<double, double> Coefficients(const RootPair& pair) {
    if (pair.first.imag() != 0.0) {
        return {-2.0 * pair.first.real(), std::norm(pair.first)};
    }
    return {-(pair.first.real() + pair.second.real()), pair.first.real() * pair.second.real()};
}

}  // namespace

Cascade SectionsFromRoots(const std::vector<Root>& zeros, const std::vector<Root>& poles) {
    std::size_t count = std::max(zeros.size(), poles.size());
    count += count % 2;
    std::vector<Root> remainingZeros = Padded(zeros, count);
    Cascade cascade;
    for (const RootPair& polePair : PolePairs(Padded(poles, count))) {
        const RootPair zeroPair = TakeNearestZeros(polePair, remainingZeros);
        const auto [b1, b2] = Coefficients(zeroPair);
        const auto [a1, a2] = Coefficients(polePair);
        cascade.sections.push_back({1.0, b1, b2, a1, a2});
    }
    return OrderedByPoleRadius(cascade);
}

Cascade OrderedByPoleRadius(Cascade cascade) {
    const auto key = [](const BiquadSection& s) {
        return std::pair(LargestRootRadius(1.0, s.a1, s.a2), LargestRootRadius(s.b0, s.b1, s.b2));
    };
    std::stable_sort(
        cascade.sections.begin(), cascade.sections.end(),
        [&](const BiquadSection& a, const BiquadSection& b) { return key(a) < key(b); });
    return cascade;
}

Cascade ReciprocalCascade(const Cascade& cascade) {
    Cascade reciprocal;
    for (const BiquadSection& s : cascade.sections) {
        if (s.b0 == 0.0) {
            throw std::invalid_argument(
                "a section with b0 = 0 delays the signal and has no causal inverse");
        }
        reciprocal.sections.push_back(
            {1.0 / s.b0, s.a1 / s.b0, s.a2 / s.b0, s.b1 / s.b0, s.b2 / s.b0});
    }
    return reciprocal;
}
