#pragma once
// A cascade of second-order sections: the one form of a designed filter that every
// analysis, writer, export and the audio processor take.

#include <vector>

// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2); a0 is 1 and not stored.
struct BiquadSection {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// Sections in the order they run. The overall gain is folded into the first section's
// numerator, so the cascade's response is the product of its sections' responses.
struct Cascade {
    std::vector<BiquadSection> sections;
};
