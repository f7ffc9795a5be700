#include "designs/riaa_record.h"

Cascade CascadeFromCoefficients(const RiaaCoefficients& coefficients) {
    const double a0 = coefficients.den[0];
    const auto& b = coefficients.num;
    const auto& a = coefficients.den;
    if (a0 == 1.0) {
        return {{{b[0], b[1], b[2], a[1], a[2]}}};
    }
    return {{{b[0] / a0, b[1] / a0, b[2] / a0, a[1] / a0, a[2] / a0}}};
}
