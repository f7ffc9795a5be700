#include "designs/detail/riaa_design.h"

#include <cmath>

#include "curves/riaa_curve.h"

namespace {

// Matched z-transform of the root s = -1/tau: z = exp(-1/(fs*tau)), each step
// rounded to double in this order.
double MatchedRoot(double samplingFrequency, double tau) {
    const double product = samplingFrequency * tau;
    const double exponent = -1.0 / product;
    return std::exp(exponent);
}

}  // namespace

void ScaleToGainAtDc(RiaaCoefficients& coefficients, double gain) {
    const double numeratorSum = coefficients.num[0] + coefficients.num[1] + coefficients.num[2];
    const double denominatorSum = 1.0 + coefficients.den[1] + coefficients.den[2];
    const double dcGain = numeratorSum / denominatorSum;
    for (double& coefficient : coefficients.num) {
        coefficient = (gain / dcGain) * coefficient;
    }
}

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
    if (ExtraZeroKindOf(extraZero) != ExtraZeroKind::None) {
        // (1 - z1 z^-1)(1 - z2 z^-1)
        const double z2 = MatchedRoot(samplingFrequency, ExtraZeroTau(extraZero));
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

    ScaleToGainAtDc(result, gain);
    return result;
}
