#pragma once
// The minimax fit of a cascade's squared magnitude to a target on a grid of points:
// the core step of the cascade design.
//
// A cascade of N sections has a squared magnitude P(y)/Q(y), two polynomials of degree
// 2N in y = sin²(ω/2) (see squared_magnitude.h). As in the one-biquad fit, "within a
// factor (1 + t) of the target T everywhere" is P <= (1 + t)·T·Q and T·Q <= (1 + t)·P
// at every point: linear in the coefficients for a fixed t, so the largest error is
// quasiconvex and has no local minimum but the global one. (A product form with one
// quadratic per section, tried first, has many: which roots share a quadratic is fixed
// by the start, and the optimiser stopped at a different design from each start.)
//
// The optimiser works on corrections to the start, in units of the start's deviation:
// P = P0·(1 + t0·α(y)), Q = Q0·(1 + t0·β(y)), with α and β linear in scaled
// coefficients and t = t0·v. Every constraint is then a number near 1 whatever the
// rate and however small the deviation already is, and no step subtracts two nearly
// equal coefficients.
//
// For a fixed t the constraints are linear, so the fit is found by differential
// correction: a short sequence of linear programs (GLPK's simplex method), each of which
// lowers the deviation, converging to the optimum on the grid. Where the linear solver
// stops short of it through rounding, NLopt's SLSQP carries on from the best point.
//
// Besides the band, the fit keeps the out-of-band bounds of the design:
//   P/Q <= P/Q at the band edge   at each point above the band, and
//   P/Q <= belowBandLimit         at each point below it,
// and P and Q positive at guard points outside the band.

#include <vector>

struct PolynomialInY {
    std::vector<double> c;  // c[0] + c[1]·y + c[2]·y² + ...

    double At(double y) const;
};

struct RationalFit2N {
    PolynomialInY numerator;
    PolynomialInY denominator;

    // P(y)/Q(y).
    double At(double y) const { return numerator.At(y) / denominator.At(y); }
};

struct CascadeFitGrid {
    int degree = 2;                  // of P and Q: twice the number of sections
    int dcZeros = 0;                 // P's lowest coefficients held at zero (zeros at DC)
    std::vector<double> abscissae;   // y of each band point
    std::vector<double> targets;     // T there, 1 at the reference
    double referenceAbscissa = 0.0;  // P = Q = 1 here (1 kHz)
    // Outside the band: P and Q stay positive, so that both factor into sections with
    // every root inside the unit circle.
    std::vector<double> guardAbscissae;
    double bandEdgeAbscissa = 0.0;           // the top of the band
    std::vector<double> aboveBandAbscissae;  // P/Q <= P/Q at the band edge
    std::vector<double> belowBandAbscissae;  // P/Q <= belowBandLimit
    double belowBandLimit = 0.0;
    // The guards below the band hold P and Q above a small share of these (the curve's
    // own squared magnitudes, sine-warped), or of the start where that is already
    // lower; empty, and above the band: a small share of the start.
    PolynomialInY guardNumerator;
    PolynomialInY guardDenominator;
};

// max over the band points of max(P/(T·Q), T·Q/P) - 1; infinite if P/Q is not
// positive at one.
double LargestRatioDeviation(const CascadeFitGrid& grid, const RationalFit2N& fit);

// P and Q positive at every point of the grid, the guards included (P may be zero at
// DC where the curve has a zero there).
bool PositiveOnGrid(const CascadeFitGrid& grid, const RationalFit2N& fit);

// The largest factor, less one, by which an out-of-band bound is exceeded (negative
// when all hold with room; -1 when the grid has none).
double LargestBoundExcess(const CascadeFitGrid& grid, const RationalFit2N& fit);

// Improves `start` (P = Q = 1 at the reference, both positive at every point, of
// degree at most grid.degree) towards the minimax fit on the grid. Returns the best
// point the optimiser visited that is better than the start and keeps the bounds and
// guards, normalised to 1 at the reference; otherwise the start.
RationalFit2N FitCascadeMinimax(const CascadeFitGrid& grid, const RationalFit2N& start);
