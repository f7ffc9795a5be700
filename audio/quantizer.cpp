#include "quantizer.h"

#include <cmath>
#include <stdexcept>

namespace {

// Adding and taking away 1.5 * 2^52 leaves a double rounded to the nearest integer
// (ties to even) in the processor's default rounding mode, without a library call.
constexpr double kRoundingShift = 6755399441055744.0;

inline double RoundToInteger(double value) { return (value + kRoundingShift) - kRoundingShift; }

// SplitMix64: fast, and every seed gives a full-period sequence.
inline std::uint64_t NextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t kDitherSeed = 0x766F726C657869ULL;

}  // namespace

Quantizer::Quantizer(int bits, bool dither)
    : scale_(std::ldexp(1.0, bits - 1)),
      highest_(scale_ - 1.0),
      lowest_(-scale_),
      shift_(32 - bits),
      dither_(dither),
      random_(kDitherSeed) {
    if (bits < 8 || bits > 32) {
        throw std::invalid_argument("Quantizer: 8 to 32 bits");
    }
}

double Quantizer::LargestSafePeak(int bits, bool dither) {
    const double scale = std::ldexp(1.0, bits - 1);
    // Dither moves a sample by less than one step, and rounding by half a step more.
    return (scale - 1.0 - (dither ? 0.5 : 0.0)) / scale;
}

std::uint64_t Quantizer::Convert(const double* in, int* out, std::size_t count) {
    constexpr double kUnit = 1.0 / 4294967296.0;  // 2^-32
    const double stepsToOutput = std::ldexp(1.0, shift_);
    std::uint64_t clipped = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double value = in[i] * scale_;
        if (dither_) {
            // The difference of two uniform values in [0, 1): triangular on (-1, 1).
            const std::uint64_t bits = NextRandom(random_);
            value += static_cast<double>(bits >> 32) * kUnit -
                     static_cast<double>(bits & 0xFFFFFFFFULL) * kUnit;
        }
        double rounded = RoundToInteger(value);
        if (rounded > highest_) {
            rounded = highest_;
            ++clipped;
        } else if (!(rounded >= lowest_)) {  // also a NaN
            rounded = lowest_;
            ++clipped;
        }
        out[i] = static_cast<int>(static_cast<std::int64_t>(rounded * stepsToOutput));
    }
    return clipped;
}
