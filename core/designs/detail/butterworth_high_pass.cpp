#include "designs/detail/butterworth_high_pass.h"

#include <cmath>
#include <numbers>

namespace {

// The Q of pole pair k of an order-n Butterworth, the poles lying evenly on the circle:
// 1 / (2 sin((2k − 1)π / 2n)), k = 1 the pair nearest the imaginary axis (the highest Q).
double PairQ(int order, int pair) {
    return 1.0 / (2.0 * std::sin((2.0 * pair - 1.0) * std::numbers::pi / (2.0 * order)));
}

// The pairs from the lowest Q (index 0) to the highest.
double PairQFromLowest(int order, int index) { return PairQ(order, order / 2 - index); }

}  // namespace

std::vector<BiquadSection> ButterworthHighPassSections(double cornerHz, int order,
                                                       double samplingFrequency) {
    // The analogue corner that the bilinear transform s = 2fs (1 − z⁻¹)/(1 + z⁻¹) maps
    // onto cornerHz, as a fraction of 2fs.
    const double k = std::tan(std::numbers::pi * cornerHz / samplingFrequency);
    std::vector<BiquadSection> sections;
    if (order % 2 == 1) {
        // s / (s + ωc) → (1 − z⁻¹) / ((1 + k) + (k − 1) z⁻¹)
        const double norm = 1.0 / (1.0 + k);
        sections.push_back({norm, -norm, 0.0, (k - 1.0) * norm, 0.0});
    }
    for (int pair = 0; pair < order / 2; ++pair) {
        // s² / (s² + s ωc/Q + ωc²) → (1 − z⁻¹)² over
        // (1 + k/Q + k²) + 2(k² − 1) z⁻¹ + (1 − k/Q + k²) z⁻²
        const double kq = k / PairQFromLowest(order, pair);
        const double norm = 1.0 / (1.0 + kq + k * k);
        sections.push_back(
            {norm, -2.0 * norm, norm, 2.0 * (k * k - 1.0) * norm, (1.0 - kq + k * k) * norm});
    }
    return sections;
}

AnalogueCurve WithButterworthHighPass(AnalogueCurve curve, double cornerHz, int order) {
    const double tau = 1.0 / (2.0 * std::numbers::pi * cornerHz);
    curve.dcZeroTaus.insert(curve.dcZeroTaus.end(), static_cast<std::size_t>(order), tau);
    if (order % 2 == 1) {
        curve.poleTaus.push_back(tau);
    }
    for (int pair = 0; pair < order / 2; ++pair) {
        curve.quadraticPoles.push_back({tau, PairQFromLowest(order, pair)});
    }
    return curve;
}
