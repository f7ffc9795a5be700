#pragma once
// A design as the plugin's audio thread holds it: a fixed-size record with no pointer
// in it, so that it travels through the host's worker as plain bytes and is copied in
// run() without allocating.

#include <array>

#include "response/cascade.h"

inline constexpr int kPluginMaxSections = 4;

struct DesignedFilter {
    std::array<BiquadSection, kPluginMaxSections> sections{};
    int count = 0;  // 0: no design
};
