#include "design_method.h"

#include <cmath>
#include <stdexcept>

#include "cascade_minimax_design.h"
#include "curve_minimax_design.h"
#include "frequency_response.h"
#include "matched_curve_design.h"
#include "minimax_design.h"
#include "number_text.h"
#include "riaa_curve.h"
#include "riaa_prototype.h"

namespace {

Design Described(const DesignChoice& choice, const CalculationValues& values) {
    Design design;
    design.values = values;
    design.curveName = choice.curve.name;
    design.curveDescription = choice.curve.description;
    design.method = choice.method;
    design.gainReference = choice.normalize;
    design.target = choice.riaa           ? RiaaCurve({values.extraZeroValue, values.inverse})
                    : values.inverse != 0 ? ReciprocalCurve(choice.curve.curve)
                                          : choice.curve.curve;
    return design;
}

// The desktop program's record (or the minimax biquad in its form), exactly as the tool
// has always made it: designed with the gain at DC, then scaled at 1 kHz when asked.
DesignAttempt RecordDesign(Design design) {
    const CalculationValues& values = design.values;
    RiaaCoefficients record;
    if (design.method == DesignMethod::Matched) {
        record = ComputeRiaaCoefficients(values.samplingFrequency, values.gain,
                                         values.extraZeroValue, values.inverse);
    } else {
        try {
            record = ComputeMinimaxRiaaCoefficients(values.samplingFrequency, values.gain,
                                                    values.extraZeroValue, values.inverse);
        } catch (const std::exception& error) {
            // std::invalid_argument, or std::runtime_error when NLopt is missing.
            return {design, std::string("--method=minimax: ") + error.what()};
        }
    }
    if (design.gainReference == GainReference::OneKilohertz) {
        const double fs = values.samplingFrequency;
        if (!(fs > 2.0 * kRiaaReferenceHz) || !std::isfinite(fs)) {
            return {design,
                    "--normalize=1k needs a finite sampling frequency above 2 kHz, so that "
                    "1 kHz lies below fs/2; got " +
                        FormatShortest(fs)};
        }
        record = ScaleGainAt(record, fs, kRiaaReferenceHz, values.gain);
    }
    design.record = record;
    design.cascade = CascadeFromCoefficients(record);
    return {design, std::nullopt};
}

MinimaxCascade MinimaxOf(const DesignChoice& choice, const CalculationValues& values) {
    CascadeRequest request;
    request.samplingFrequency = values.samplingFrequency;
    request.gain = values.gain;
    request.gainReference = choice.normalize;
    request.inverse = values.inverse != 0;
    if (choice.riaa) {
        if (choice.toleranceDb) {
            return DesignMinimaxRiaaCascadeWithin(values.extraZeroValue, request,
                                                  *choice.toleranceDb);
        }
        return DesignMinimaxRiaaCascade(values.extraZeroValue, request,
                                        choice.sections.value_or(1));
    }
    if (choice.toleranceDb) {
        return DesignMinimaxCurveCascadeWithin(choice.curve.curve, request, *choice.toleranceDb);
    }
    return DesignMinimaxCurveCascade(
        choice.curve.curve, request,
        choice.sections.value_or(MinimumCascadeSections(choice.curve.curve)));
}

DesignAttempt CascadeDesign(const DesignChoice& choice, Design design) {
    const CalculationValues& values = design.values;
    try {
        if (design.method == DesignMethod::Matched) {
            const MatchedCascade matched =
                DesignMatchedCascade(choice.curve.curve, values.samplingFrequency, values.gain,
                                     choice.normalize, values.inverse != 0);
            design.cascade = matched.cascade;
            design.gainReference = matched.gainReference;
        } else {
            const MinimaxCascade minimax = MinimaxOf(choice, values);
            design.cascade = minimax.cascade;
            design.maxDeviationDb = minimax.maxDeviationDb;
            design.gainReference =
                choice.riaa ? choice.normalize
                            : EffectiveGainReference(choice.curve.curve, choice.normalize);
        }
    } catch (const UnreachableTolerance& error) {
        return {design, std::string("--tolerance: ") + error.what()};
    } catch (const std::exception& error) {
        // std::invalid_argument, or std::runtime_error when NLopt or GLPK is missing.
        return {design, "the " + MethodAndSections(design) + " design of " + design.curveName +
                            ": " + error.what()};
    }
    return {design, std::nullopt};
}

}  // namespace

DesignUnderTest UnderTest(const Design& design) {
    return {design.cascade, design.values.samplingFrequency, design.target};
}

std::string CurveAndDirection(const Design& design) {
    return design.curveName + (design.values.inverse != 0 ? ", recording" : ", playback");
}

std::string MethodAndSections(const Design& design) {
    const std::size_t count = design.cascade.sections.size();
    std::string text = design.method == DesignMethod::Matched ? "matched" : "minimax";
    if (count > 0) {
        text += ", " + std::to_string(count) + (count == 1 ? " section" : " sections");
    }
    return text;
}

DesignAttempt MakeDesign(const DesignChoice& choice, const CalculationValues& values) {
    Design design = Described(choice, values);
    if (choice.KeepsTheRecord()) {
        return RecordDesign(std::move(design));
    }
    return CascadeDesign(choice, std::move(design));
}
