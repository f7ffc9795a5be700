#pragma once
// A design as the plugin's audio thread holds it: a fixed-size record with no pointer
// in it, so that it travels through the host's worker as plain bytes and is copied in
// run() without allocating.

#include <array>

#include "base/design_vocabulary.h"
#include "designs/rumble_filter.h"
#include "response/cascade.h"
#include "response/cascade.h"

// The curve's sections and the rumble filter's after them.
inline constexpr int kPluginMaxSections = kMaxCascadeSections + kMaxRumbleSections;

struct DesignedFilter {
    std::array<BiquadSection, kPluginMaxSections> sections{};
    int count = 0;  // 0: no design
};
