#pragma once
// The minimax fit of a ratio of squared magnitudes to a target on a grid of points:
// the core step of every minimax design, the one biquad and the cascades alike.
//
// In the coefficients of N(y) and D(y) (see squared_magnitude.h) the set of fits whose
// ratio N/D stays within a factor (1 + t) of the target, N(y)·D(y) > 0, is convex for
// every t and shrinks as t does: the largest deviation is a quasiconvex function of
// the coefficients, so a local optimiser that reaches a minimum has reached the
// global one of the grid problem. NLopt's SLSQP solves its smooth form: minimise t
// subject to N - (1 + t)·T·D <= 0 and T·D - (1 + t)·N <= 0 at every point.

#include <vector>

#include "fit/squared_magnitude.h"

struct FitGrid {
    std::vector<double> abscissae;   // y of each point, see SquaredMagnitudeAbscissa
    std::vector<double> targets;     // target squared magnitude there, 1 at the reference
    double referenceAbscissa = 0.0;  // where N = D = 1 holds exactly (1 kHz)
    // Points outside the band where N and D must stay positive, so that both can be
    // factored into polynomials with every root strictly inside the unit circle.
    std::vector<double> guardAbscissae;
};

struct RationalFit {
    SquaredMagnitude numerator;
    SquaredMagnitude denominator;
};

// The largest factor by which N/D departs from the target on the grid, less one:
// max over the points of max(N/(T·D), T·D/N) - 1. Infinite if N/D is not positive.
double LargestRatioDeviation(const FitGrid& grid, const RationalFit& fit);

// The same as a deviation in dB: 10·log10(1 + LargestRatioDeviation).
double LargestDeviationDb(const FitGrid& grid, const RationalFit& fit);

// Improves `start` (which should meet N = D = 1 at the reference and be positive at
// every point) towards the minimax fit on the grid. Returns the better of the start
// and the optimiser's result, so the result is never worse than the start.
RationalFit FitMinimax(const FitGrid& grid, const RationalFit& start);
