#pragma once
// Runs a cascade of second-order sections over interleaved multichannel audio, in
// double precision whatever the samples are stored as. Channels are independent and
// the state carries from one block to the next, so a file of any length streams
// through in blocks of any size with the same result as one long block.

#include <cstddef>
#include <vector>

#include "response/cascade.h"

class CascadeFilter {
public:
    // Which build of the inner loops runs: the fastest this processor can, or the one
    // for any processor (so that the tests check both).
    enum class Loops { Fastest, Portable };

    // Throws std::invalid_argument for no channel or no section.
    CascadeFilter(const Cascade& cascade, int channels, Loops loops = Loops::Fastest);

    int Channels() const { return channels_; }

    // Back to silence, as at the start of a file.
    void Reset();

    // Filters `frames` interleaved frames of in into out (the same buffer, or one that
    // does not overlap it) and returns the largest output magnitude before rounding to
    // the output type.
    double Process(const float* in, float* out, std::size_t frames);
    double Process(const float* in, double* out, std::size_t frames);
    double Process(const double* in, float* out, std::size_t frames);
    double Process(const double* in, double* out, std::size_t frames);

    // False once a NaN or an infinity has entered: it stays in the recursion for good,
    // so a check after each block finds every one that the peak would miss.
    bool StateIsFinite() const;

private:
    template <typename In, typename Out>
    double Run(const In* in, Out* out, std::size_t frames);

    std::vector<BiquadSection> sections_;
    int channels_;
    bool fma_;
    // Direct form I shares histories: section k's input history is section k-1's output
    // history. Entries x[n-1], x[n-2], then y_k[n-1], y_k[n-2] for each section, each
    // entry holding one value per channel.
    std::vector<double> state_;
};
