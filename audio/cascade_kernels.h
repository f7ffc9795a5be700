#pragma once
// The inner loops behind CascadeFilter, built twice: for any processor, and on x86-64
// once more with fused multiply-add, which shortens each section's recursion by a third
// and halves its arithmetic. The filter chooses once, when it is made. The loops use
// nothing from the standard library that could be emitted out of line: such a copy,
// compiled for the newer processor, could be linked in place of the portable one.

#include <cstddef>

#include "response/cascade.h"

// Filters `frames` interleaved frames of `channels` channels. state holds the history
// entries one after the other, each with one value per channel. Returns the largest
// output magnitude (before rounding to Out).
namespace portable_kernels {
template <typename In, typename Out>
double FilterInterleaved(const BiquadSection* sections, std::size_t count, double* state,
                         int channels, const In* in, Out* out, std::size_t frames);
}

namespace fma_kernels {
template <typename In, typename Out>
double FilterInterleaved(const BiquadSection* sections, std::size_t count, double* state,
                         int channels, const In* in, Out* out, std::size_t frames);
// True when this processor can run them.
bool Available();
}  // namespace fma_kernels
