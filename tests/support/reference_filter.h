#pragma once
// The plainest filter there is, to check the product's against: each section in turn,
// direct form I, in double precision, from rest.

#include <vector>

#include "response/cascade.h"

// y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] - a1 y[n-1] - a2 y[n-2], section by section.
inline std::vector<double> ReferenceFiltered(const Cascade& cascade, std::vector<double> samples) {
    for (const BiquadSection& s : cascade.sections) {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
        for (double& value : samples) {
            const double y = s.b0 * value + s.b1 * x1 + s.b2 * x2 - s.a1 * y1 - s.a2 * y2;
            x2 = x1;
            x1 = value;
            y2 = y1;
            y1 = y;
            value = y;
        }
    }
    return samples;
}
