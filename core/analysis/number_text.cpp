#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// Room for any double in any of the forms below (a fixed form of 1e308 included).
using Buffer = std::array<char, 400>;

}  // namespace

std::string FormatShortest(double value) {
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::string FormatSignificant(double value, int significantDigits) {
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significantDigits);
    return {buffer.data(), result.ptr};
}

std::string FormatFixed(double value, int decimals) {
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return {buffer.data(), result.ptr};
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
