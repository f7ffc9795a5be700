#pragma once
// The last digits of a cascade fit: the second Remez algorithm on the optimum's own
// characterisation.
//
// With P and Q of degree 2N (m zeros at DC held) and both 1 at the reference, the fit
// has K = 4N + 1 - m free numbers counting the level E of the error. The optimum
// meets the target at K extremes with |log(P/(T·Q))| = E, whose signs alternate once
// the error is multiplied by sign(f - 1 kHz) (the error is pinned to zero at 1 kHz, so
// the two extremes beside it share a sign). Given K such points, the K equations
// log P - log Q - log T = ±E with the two normalisations are solved by Newton's
// method; the extremes of the new error become the next points, until they no longer
// move. Each step is a small dense linear solve, so this reaches the optimum to
// rounding in a fraction of the time the constrained optimiser needs for its last
// digits, starting from that optimiser's near-optimum.
//
// It knows nothing of the out-of-band bounds and guards: a result that breaks one is
// refused, and the caller keeps the constrained fit.

#include <optional>

#include "fit/cascade_fit.h"

// The equioscillating fit near `start` on the points of `dense` (a grid as fine as the
// design is checked on), or nothing when the iteration does not settle, the start has
// fewer than K alternating extremes, or the result is no better than the start,
// exceeds an out-of-band bound or is not positive at every point of the grid.
std::optional<RationalFit2N> PolishByRemez(const CascadeFitGrid& dense, const RationalFit2N& start);

// The number of extremes an optimum of `sections` sections has (4N + 1 - dcZeros).
int AlternationCount(int sections, int dcZeros);
