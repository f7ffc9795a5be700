#include "base/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// printf's default precision for "%e" and "%g".
constexpr int kDefaultPrecision = 6;

// Room for any double in any of the forms here, a fixed form of 1e308 included.
using Buffer = std::array<char, 400>;

template <typename... Format>
void AppendChars(std::string& text, double value, Format... format) {
    Buffer buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    text.append(buffer.data(), result.ptr);
}

template <typename... Format>
std::string Chars(double value, Format... format) {
    std::string text;
    AppendChars(text, value, format...);
    return text;
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
    AppendChars(text, value, std::chars_format::scientific, kDefaultPrecision);
}

void AppendGeneral(std::string& text, double value) {
    AppendChars(text, value, std::chars_format::general, kDefaultPrecision);
}

void AppendInteger(std::string& text, long long value) {
    // "-9223372036854775808" is the longest.
    char buffer[24];
    text.append(buffer, WriteInteger(buffer, buffer + sizeof buffer, value));
}

char* WriteInteger(char* first, char* last, long long value) {
    const auto result = std::to_chars(first, last, value);
    return result.ec == std::errc() ? result.ptr : last;
}

std::string FormatShortest(double value) { return Chars(value); }

std::string FormatSignificant(double value, int significantDigits) {
    return Chars(value, std::chars_format::general, significantDigits);
}

std::string FormatFixed(double value, int decimals) {
    return Chars(value, std::chars_format::fixed, decimals);
}

std::string FormatSignedFixed(double value, int decimals) {
    const std::string magnitude = FormatFixed(std::abs(value), decimals);
    if (magnitude.find_first_not_of("0.") == std::string::npos) {
        return magnitude;
    }
    return (value < 0.0 ? "-" : "+") + magnitude;
}

std::string FormatSignedSignificant(double value, int significantDigits) {
    return (value > 0.0 ? "+" : "") + FormatSignificant(value, significantDigits);
}

std::string PadLeft(const std::string& text, std::size_t width) {
    if (text.size() >= width) {
        return text;
    }
    return std::string(width - text.size(), ' ') + text;
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
