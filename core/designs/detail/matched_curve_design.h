#pragma once
// The matched z-transform of any analogue curve, as the desktop program designs RIAA:
// each root s = -1/τ becomes z = exp(-1/(fs·τ)), a root at DC becomes z = 1, and the
// roots are paired into second-order sections (section_pairing.h). For the RIAA curve
// this is ComputeRiaaCoefficients bit for bit.

#include "curves/analogue_curve.h"
#include "designs/detail/minimax_design.h"
#include "response/cascade.h"

struct MatchedCascade {
    Cascade cascade;
    // Where the gain was applied: as asked, except at 1 kHz for a curve whose gain at
    // DC is zero or infinite.
    GainReference gainReference = GainReference::Dc;
};

// The curve (its reciprocal, the recording curve, when inverse) with `gain` at DC or at
// 1 kHz, in the first section. A pole at DC gives a section with a pole at z = 1, an
// integrator: its output drifts with any DC in the input. Zeros and poles at DC that
// cancel are left out. Throws std::invalid_argument for a sampling frequency that is not
// a positive number, a gain that is not finite, or scaling at 1 kHz at a sampling
// frequency of 2 kHz or less.
MatchedCascade DesignMatchedCascade(const AnalogueCurve& playbackCurve, double samplingFrequency,
                                    double gain, GainReference gainReference, bool inverse);
