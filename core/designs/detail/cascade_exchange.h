#pragma once
// The exchange around the cascade fit (cascade_fit.h): the fit runs on a coarse grid;
// a dense check finds where the result is worse than the grid saw (a larger deviation
// in the band, a bound exceeded outside it, P or Q not positive), those peaks join the
// grid and the fit runs again, as the Remez exchange does, until the two agree.
//
// Orders follow one another: the least order the curve needs starts from the curve
// itself, sine-warped; each further order starts from the fit of one section fewer.
// In the polynomials of degree 2N that fit is a point of the larger problem like any
// other, and as the problem has no local minimum, the start only decides how soon the
// optimum is reached. Fixed grids and starts: the same bits on every run.

#include <memory>
#include <vector>

#include "base/design_vocabulary.h"
#include "curves/analogue_curve.h"
#include "fit/cascade_fit.h"

// The reference frequency both curves are normalised at.
inline constexpr double kCascadeReferenceHz = kRiaaReferenceHz;

struct CheckedFit {
    RationalFit2N fit;
    int sections = 0;
    // On the dense grid, as LargestRatioDeviation measures it. An exchange that does
    // not settle keeps its last fit only where that is valid and better than its
    // start, else the start (the fit of one section fewer).
    double denseDeviation = 0.0;
};

class CascadeFitSequence {
public:
    // `leastFit`, when given, is taken as the fit of the least order as it is.
    CascadeFitSequence(const AnalogueCurve& playbackCurve, double samplingFrequency,
                       const RationalFit2N* leastFit = nullptr);
    ~CascadeFitSequence();

    int NextOrder() const { return next_; }
    const CheckedFit& Next();
    const CheckedFit& UpTo(int sections);

private:
    // The curve's targets and the dense grids, the same for every order: made once.
    struct Grids;
    std::unique_ptr<const Grids> grids_;
    const RationalFit2N* leastFit_;
    int next_;
    std::vector<CheckedFit> fits_;
};

// P and Q of one biquad, 1 at the reference frequency.
RationalFit2N RationalFitOfBiquad(const double (&numerator)[3], const double (&denominator)[3],
                                  double samplingFrequency);
