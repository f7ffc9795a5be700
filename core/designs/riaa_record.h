#pragma once
// The desktop program's one-biquad record (RiaaCoefficients): the form its report and JSON
// are written from, which MakeDesign hands out in Design::record, and the one conversion
// the rest takes it through, to a one-section cascade.

#include <cstdint>

#include "response/cascade.h"

// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2).
// A count of 2 means a first-order polynomial whose third entry is zero; a0 is 1.
struct RiaaCoefficients {
    std::int32_t numCount;
    std::int32_t denCount;
    double num[3];  // b0, b1, b2
    double den[3];  // a0, a1, a2
};

// The record as one section: a first-order numerator or denominator keeps its zero
// third entry. Every design has a0 = 1; a record with another a0 is divided by it.
Cascade CascadeFromCoefficients(const RiaaCoefficients& coefficients);
