#include "riaa_design.h"

#include <cmath>

namespace {

// RIAA time constants in seconds.
constexpr double kLowPoleTau = 0.00318;       // 3180 µs, 50.05 Hz
constexpr double kHighPoleTau = 0.000075;     // 75 µs, 2122 Hz
constexpr double kZeroTau = 0.000318;         // 318 µs, 500.5 Hz
constexpr double kExtraZeroTau = 0.00000318;  // 3.18 µs, 50.05 kHz

// Matched z-transform of the root s = -1/tau: z = exp(-1/(fs*tau)), each step
// rounded to double in this order.
double MatchedRoot(double samplingFrequency, double tau) {
    const double product = samplingFrequency * tau;
    const double exponent = -1.0 / product;
    return std::exp(exponent);
}

double ExtraZeroRoot(double samplingFrequency, double extraZero) {
    if (extraZero > 1.0) {
        const double pi = std::acos(-1.0);
        const double tau = 1.0 / ((pi + pi) * extraZero);
        return std::exp(-1.0 / (tau * samplingFrequency));
    }
    return MatchedRoot(samplingFrequency, kExtraZeroTau);
}

}  // namespace

RiaaCoefficients ComputeRiaaCoefficients(double samplingFrequency, double gain, double extraZero,
                                         std::int32_t inverse) {
    // A local record: the design is reentrant and may run on several threads.
    RiaaCoefficients result{};

    const double p1 = MatchedRoot(samplingFrequency, kLowPoleTau);
    const double p2 = MatchedRoot(samplingFrequency, kHighPoleTau);
    const double z1 = MatchedRoot(samplingFrequency, kZeroTau);

    // (1 - p1 z^-1)(1 - p2 z^-1)
    result.denCount = 3;
    result.den[0] = 1.0;
    result.den[1] = -p1 - p2;
    result.den[2] = p1 * p2;

    result.num[0] = 1.0;
    if (extraZero != 0.0) {
        // (1 - z1 z^-1)(1 - z2 z^-1)
        const double z2 = ExtraZeroRoot(samplingFrequency, extraZero);
        result.numCount = 3;
        result.num[1] = -z1 - z2;
        result.num[2] = z1 * z2;
    } else {
        result.numCount = 2;
        result.num[1] = -z1;
        result.num[2] = 0.0;
    }

    if (inverse != 0) {
        for (int i = 0; i < 3; ++i) {
            const double swapped = result.num[i];
            result.num[i] = result.den[i];
            result.den[i] = swapped;
        }
        const std::int32_t count = result.numCount;
        result.numCount = result.denCount;
        result.denCount = count;
    }

    // Scale the numerator so that H(1), the gain at DC, equals `gain`. Den[0] is
    // 1 in every design, so the constant stands in its place.
    const double numeratorSum = result.num[0] + result.num[1] + result.num[2];
    const double denominatorSum = 1.0 + result.den[1] + result.den[2];
    const double dcGain = numeratorSum / denominatorSum;
    for (double& coefficient : result.num) {
        coefficient = (gain / dcGain) * coefficient;
    }
    return result;
}
