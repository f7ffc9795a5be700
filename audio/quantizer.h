#pragma once
// From double-precision samples (full scale 1.0) to the integers of an 8- to 32-bit file,
// with triangular (TPDF) dither of one step either way, or plain rounding to the
// nearest step without it. The dither comes from a fixed seed, so the same input gives
// the same bytes on every run.

#include <cstddef>
#include <cstdint>

class Quantizer {
public:
    Quantizer(int bits, bool dither);

    // The largest magnitude that can never clip, dither included.
    static double LargestSafePeak(int bits, bool dither);

    // Rounds count samples into out, left-justified in 32 bits (the way libsndfile takes
    // integers for any width). Values beyond the range are held at its ends; returns
    // how many were.
    std::uint64_t Convert(const double* in, int* out, std::size_t count);

private:
    double scale_;  // steps per full scale
    double highest_;
    double lowest_;
    int shift_;  // from the file's width to 32 bits
    bool dither_;
    std::uint64_t random_;
};
