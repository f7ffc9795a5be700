#include "reports/coefficient_report.h"

#include <algorithm>
#include <cstdint>

#include "base/number_text.h"

namespace {

constexpr char kListSeparator[] =
    "\r\n-------------------------------------------------------------------\r\n";

// "[0] = 1.000000e+00, [1] = -9.311762e-01": only the leading `count` entries. The
// design gives counts of 2 or 3; a record put together by hand cannot read past the
// arrays.
void AppendIndexedList(std::string& text, const double (&values)[3], std::int32_t count) {
    const int entries = std::clamp(count, 0, 3);
    for (int i = 0; i < entries; ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += '[';
        AppendInteger(text, i);
        text += "] = ";
        AppendScientific(text, values[i]);
    }
}

void AppendSpaced(std::string& text, double value) {
    text += ' ';
    AppendScientific(text, value);
}

}  // namespace

std::string FormatCoefficientReport(RiaaCoefficients coefficients) {
    std::string text;
    text.reserve(640);

    text += "Coefficients for H(z)\r\n\r\nnum";
    AppendIndexedList(text, coefficients.num, coefficients.numCount);
    text += kListSeparator;
    text += "den";
    AppendIndexedList(text, coefficients.den, coefficients.denCount);
    text += "\r\n\r\n";

    text += "Audacity Nyquist biquad equations (LISP format)\r\n\r\n";

    // biquad takes the feedback coefficients negated and a0 as the literal 1.0; both
    // expressions always carry a full second-order section, whatever the counts.
    text += "(biquad s b0 b1 b2 a0 a1 a2)\r\n";
    text += "(biquad s";
    for (double b : coefficients.num) {
        AppendSpaced(text, b);
    }
    text += " 1.0";
    AppendSpaced(text, -coefficients.den[1]);
    AppendSpaced(text, -coefficients.den[2]);
    text += ")\r\n\r\n";

    text += "(biquad-m s b0 b1 b2 a0 a1 a2)\r\n";
    text += "(biquad-m s";
    for (double b : coefficients.num) {
        AppendSpaced(text, b);
    }
    for (double a : coefficients.den) {
        AppendSpaced(text, a);
    }
    text += ")\r\n\r\n";
    return text;
}
