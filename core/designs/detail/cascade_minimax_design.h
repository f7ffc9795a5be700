#pragma once
// The best cascade of one to four second-order sections for an analogue curve: the
// stable, minimum-phase cascade whose gain in dB departs least, at its worst, from the
// curve over 20 Hz to min(20 kHz, 0.46·fs), both normalised at 1 kHz, and that keeps
// two promises outside that band:
//   - from the band's top to fs/2 its gain never rises above its gain at the top, and
//   - below 20 Hz its gain never exceeds the curve's largest gain there by more than
//     0.1 dB (for RIAA playback: the curve's gain at DC),
// both relative to 1 kHz. See cascade_fit.h for the fit and README.md for the method.

#include <cstdint>
#include <stdexcept>

#include "curves/analogue_curve.h"
#include "designs/detail/minimax_design.h"
#include "response/cascade.h"

// What every design takes besides the curve and the number of sections.
struct CascadeRequest {
    double samplingFrequency = 48000.0;
    double gain = 1.0;  // at DC, or at 1 kHz with GainReference::OneKilohertz
    GainReference gainReference = GainReference::Dc;
    // The reciprocal of the playback design (the recording curve): each section's
    // numerator and denominator swapped. Its dB error is the playback error negated,
    // so it is as close to the reciprocal curve as the playback design is to its own,
    // and the out-of-band promises hold for the playback design it inverts.
    bool inverse = false;
};

struct MinimaxCascade {
    // Ordered by pole radius, the poles nearest the unit circle last; the gain is in
    // the first section, the others are 1 (0 dB) at 1 kHz.
    Cascade cascade;
    // The largest |dB deviation| from the curve over the design band, measured on the
    // cascade's own coefficients (MaxDeviation of response_comparison.h), and where.
    double maxDeviationDb = 0.0;
    double maxDeviationHz = 0.0;
};

// The minimax cascade of `sections` sections for `playbackCurve` (and its reciprocal
// when request.inverse). Deterministic: the same arguments give the same bits. Never
// worse than the design of fewer sections: where a fit of more sections falls short of
// it, that design is returned with sections that pass the signal unchanged put first
// (the first of them carrying the gain).
// Throws std::invalid_argument for a sampling frequency outside the range of
// minimax_design.h, a gain that is not finite, sections outside
// MinimumCascadeSections(curve)..4, a curve with a pole at DC (no stable filter has
// one) or, with a zero at DC, an inverse (a pole at DC again) or a gain at DC, and
// std::runtime_error when NLopt cannot be loaded.
MinimaxCascade DesignMinimaxCascade(const AnalogueCurve& playbackCurve,
                                    const CascadeRequest& request, int sections);

// The same, fitting `fittedCurve` and measuring the result (maxDeviationDb, which order
// is best, the tolerance below) against `measuredCurve`: for a curve designed through
// stand-ins for its factors at DC (curve_minimax_design.h).
MinimaxCascade DesignMinimaxCascadeMeasured(const AnalogueCurve& fittedCurve,
                                            const AnalogueCurve& measuredCurve,
                                            const CascadeRequest& request, int sections);

// The RIAA curve with the extra zero read as ComputeRiaaCoefficients reads it. One
// section is ComputeMinimaxRiaaCoefficients bit for bit.
MinimaxCascade DesignMinimaxRiaaCascade(double extraZero, const CascadeRequest& request,
                                        int sections);

// No cascade of up to four sections meets the tolerance asked for; what() names the
// best figure reachable.
class UnreachableTolerance : public std::invalid_argument {
public:
    UnreachableTolerance(double toleranceDb, double bestDeviationDb, int bestSections);
    double BestDeviationDb() const { return bestDeviationDb_; }
    int BestSections() const { return bestSections_; }

private:
    double bestDeviationDb_;
    int bestSections_;
};

// The design with the fewest sections whose maxDeviationDb is at most toleranceDb.
// Throws UnreachableTolerance when none of up to four sections is, and
// std::invalid_argument as above or for a tolerance that is not a positive number.
MinimaxCascade DesignMinimaxCascadeWithin(const AnalogueCurve& playbackCurve,
                                          const CascadeRequest& request, double toleranceDb);
MinimaxCascade DesignMinimaxCascadeWithinMeasured(const AnalogueCurve& fittedCurve,
                                                  const AnalogueCurve& measuredCurve,
                                                  const CascadeRequest& request,
                                                  double toleranceDb);
MinimaxCascade DesignMinimaxRiaaCascadeWithin(double extraZero, const CascadeRequest& request,
                                              double toleranceDb);
