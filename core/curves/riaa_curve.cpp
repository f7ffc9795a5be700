#include "curves/riaa_curve.h"

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
