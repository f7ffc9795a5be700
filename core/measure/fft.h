#pragma once
// The discrete Fourier transform of a power-of-two length, in place. The core takes
// nothing but the standard library, and the sweep measurement needs only this one
// radix-2 transform, so it lives here rather than behind a library.

#include <complex>
#include <cstddef>
#include <vector>

// True for 1, 2, 4, 8, ...
bool IsPowerOfTwo(std::size_t n);

// The smallest power of two at least n (1 for n = 0).
std::size_t PowerOfTwoAtLeast(std::size_t n);

// X[k] = Σ x[n]·e^(−2πi·kn/N) in place; with inverse, x[n] = (1/N)·Σ X[k]·e^(+2πi·kn/N).
// The length must be a power of two (std::invalid_argument otherwise).
void Fft(std::vector<std::complex<double>>& data, bool inverse = false);
