#pragma once
// The minimax cascade of any curve, named or the user's own, through the generic design
// of cascade_minimax_design.h, and the gain reference every design of a curve uses.

#include "curves/analogue_curve.h"
#include "designs/detail/cascade_minimax_design.h"
#include "designs/detail/minimax_design.h"

// Where a design of the curve applies its gain: as asked, except at 1 kHz for a curve
// whose gain at DC is zero or infinite (a factor jωτ left over at DC).
GainReference EffectiveGainReference(const AnalogueCurve& curve, GainReference asked);

// No stable filter has a pole at DC, so a curve whose bass boost runs down to DC is
// designed with that factor jωτ
// replaced by a pole or zero (1 + jωτ') at this frequency: it changes the curve by
// 10·log10(1 + (0.1/f)²) dB, 0.00011 dB at 20 Hz and less above, and leaves the
// design a finite gain below the band (20·log10(f_turnover/0.1 Hz) dB above it).
inline constexpr double kDcFactorStandInHz = 0.1;

// The curve with its poles at DC replaced as above, and for the recording curve
// (inverse), which the generic design makes as the reciprocal of the playback design,
// its zeros at DC too; pairs of a pole and a zero at DC cancel first. Only the shape is
// kept: every design of a curve with a factor at DC normalises it at 1 kHz.
AnalogueCurve WithStandInsForPolesAtDc(const AnalogueCurve& playbackCurve, bool inverse);

// DesignMinimaxCascade (or DesignMinimaxCascadeWithin) for the curve with its stand-ins,
// the gain at EffectiveGainReference; maxDeviationDb and maxDeviationHz, the choice
// between orders and the tolerance are measured against the curve itself. Throws
// std::invalid_argument as the generic design does.
MinimaxCascade DesignMinimaxCurveCascade(const AnalogueCurve& playbackCurve,
                                         const CascadeRequest& request, int sections);
MinimaxCascade DesignMinimaxCurveCascadeWithin(const AnalogueCurve& playbackCurve,
                                               const CascadeRequest& request, double toleranceDb);
