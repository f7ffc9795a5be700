#include "c_locale_numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// Longest "%e" text: "-1.797693e+308"; "%g" is shorter, "%d" of a long long 20.
constexpr int kNumberBufferSize = 32;

// printf's default precision for "%e" and "%g".
constexpr int kDefaultPrecision = 6;

// std::to_chars with a format and a precision is specified to write what printf
// writes in the C locale, whatever the global locale is.
void AppendFormatted(std::string& text, double value, std::chars_format format) {
    char buffer[kNumberBufferSize];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, format, kDefaultPrecision);
    text.append(buffer, result.ptr);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Called when from_chars reports a value out of the range of double. The texts we
// read hold at most 34 characters, so their mantissa alone cannot leave the range:
// a negative exponent means the value underflowed, any other an overflow.
bool ExponentIsNegative(const char* begin, const char* end) {
    for (const char* c = begin; c + 1 < end; ++c) {
        if (*c == 'e' || *c == 'E') {
            return c[1] == '-';
        }
    }
    return false;
}

}  // namespace

void AppendScientific(std::string& text, double value) {
    AppendFormatted(text, value, std::chars_format::scientific);
}

void AppendGeneral(std::string& text, double value) {
    AppendFormatted(text, value, std::chars_format::general);
}

void AppendInteger(std::string& text, long long value) {
    char buffer[kNumberBufferSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

DecimalReading ReadDecimal(const char* text) {
    // from_chars takes no '+' and, after a sign, would also take "inf" and "nan":
    // the sign is read here and the digits or point behind it are required.
    const char* digits = text;
    bool negative = false;
    if (*digits == '+' || *digits == '-') {
        negative = *digits == '-';
        ++digits;
    }
    if (!IsDigit(*digits) && *digits != '.') {
        return {0.0, false};
    }

    double magnitude = 0.0;
    const char* end = digits + std::strlen(digits);
    const auto [stop, error] = std::from_chars(digits, end, magnitude, std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        return {0.0, false};
    }
    if (error == std::errc::result_out_of_range) {
        magnitude = ExponentIsNegative(digits, stop) ? 0.0 : HUGE_VAL;
    }
    return {negative ? -magnitude : magnitude, true};
}
