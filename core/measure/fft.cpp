#include "measure/fft.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

bool IsPowerOfTwo(std::size_t n) { return n != 0 && (n & (n - 1)) == 0; }

std::size_t PowerOfTwoAtLeast(std::size_t n) {
    std::size_t power = 1;
    while (power < n) {
        power <<= 1;
    }
    return power;
}

void Fft(std::vector<std::complex<double>>& data, bool inverse) {
    const std::size_t n = data.size();
    if (!IsPowerOfTwo(n)) {
        throw std::invalid_argument("Fft: the length must be a power of two");
    }
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(data[i], data[j]);
        }
    }
    const double sign = inverse ? 1.0 : -1.0;
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::size_t half = length / 2;
        // Twiddles from the angle each time rather than by repeated multiplication: the
        // product's rounding would grow over the millions of points of a long sweep.
        std::vector<std::complex<double>> twiddles(half);
        for (std::size_t k = 0; k < half; ++k) {
            twiddles[k] = std::polar(1.0, sign * 2.0 * std::numbers::pi * static_cast<double>(k) /
                                              static_cast<double>(length));
        }
        for (std::size_t start = 0; start < n; start += length) {
            for (std::size_t k = 0; k < half; ++k) {
                const std::complex<double> odd = data[start + k + half] * twiddles[k];
                data[start + k + half] = data[start + k] - odd;
                data[start + k] += odd;
            }
        }
    }
    if (inverse) {
        const double scale = 1.0 / static_cast<double>(n);
        for (auto& value : data) {
            value *= scale;
        }
    }
}
