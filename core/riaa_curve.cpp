#include "riaa_curve.h"

#include <cmath>

ExtraZeroKind ExtraZeroKindOf(double extraZero) {
    if (extraZero == 0.0) {
        return ExtraZeroKind::None;
    }
    // Written so that a NaN also gives the fixed zero.
    return extraZero > 1.0 ? ExtraZeroKind::AtFrequency : ExtraZeroKind::Fixed;
}

double ExtraZeroTau(double extraZero) {
    switch (ExtraZeroKindOf(extraZero)) {
        case ExtraZeroKind::None:
            return 0.0;
        case ExtraZeroKind::Fixed:
            return kFixedExtraZeroTau;
        case ExtraZeroKind::AtFrequency:
            break;
    }
    const double pi = std::acos(-1.0);
    return 1.0 / ((pi + pi) * extraZero);
}

void ScaleToGainAtDc(RiaaCoefficients& coefficients, double gain) {
    const double numeratorSum = coefficients.num[0] + coefficients.num[1] + coefficients.num[2];
    const double denominatorSum = 1.0 + coefficients.den[1] + coefficients.den[2];
    const double dcGain = numeratorSum / denominatorSum;
    for (double& coefficient : coefficients.num) {
        coefficient = (gain / dcGain) * coefficient;
    }
}
