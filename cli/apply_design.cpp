#include "apply_design.h"

#include <cmath>

#include "argument_text.h"
#include "cascade.h"
#include "design_method.h"
#include "eng_value.h"
#include "export_formats.h"
#include "filter_calculation.h"
#include "frequency_response.h"
#include "number_text.h"
#include "riaa_curve.h"

namespace {

FilterEntries EntriesAt(const ApplyDesignOptions& options, double samplingRate) {
    FilterEntries entries;
    entries.sampleFreq = FormatShortest(samplingRate);
    entries.gain = EntryTextFromArgument(options.gain);
    entries.extraZero = options.zeroFreq.has_value();
    entries.zeroFreq = EntryTextFromArgument(options.zeroFreq.value_or(""));
    entries.inverse = options.inverse;
    return entries;
}

std::string Description(const ApplyDesignOptions& options, const CalculationValues& values,
                        std::size_t sections) {
    std::string text = options.inverse ? "RIAA recording (pre-emphasis) curve"
                                       : "RIAA playback (de-emphasis) curve";
    text += options.method == DesignMethod::Minimax ? ", minimax method"
                                                    : ", matched z-transform method";
    text += ", " + std::to_string(sections) + (sections == 1 ? " section" : " sections");
    text += ", designed for " + FormatShortest(values.samplingFrequency) + " Hz";
    text += ", gain " + FormatShortest(values.gain) +
            (options.normalize == GainReference::OneKilohertz ? " at 1 kHz" : " at DC");
    if (values.extraZeroValue > 1.0) {
        text += ", extra zero at " + FormatShortest(values.extraZeroValue) + " Hz";
    } else if (values.extraZeroValue != 0.0) {
        text += ", extra zero at 3.18 us";
    }
    return text + "; applied by vorlexi-calc " VORLEXI_VERSION;
}

}  // namespace

std::optional<std::string> DesignOptionsProblem(const ApplyDesignOptions& options) {
    const EngValue gain = ReadEngValue(EntryTextFromArgument(options.gain).c_str());
    if (!gain.readable || !std::isfinite(gain.value) || gain.value == 0.0) {
        return "--gain: \"" + options.gain + "\" is not a finite, non-zero factor";
    }
    if (options.zeroFreq && !options.zeroFreq->empty() &&
        !ReadEngValue(EntryTextFromArgument(*options.zeroFreq).c_str()).readable) {
        return "--extra-zero: \"" + *options.zeroFreq + "\" holds no readable number";
    }
    return std::nullopt;
}

DesignForRate MakeDesignForRate(const ApplyDesignOptions& options) {
    return [options](double samplingRate) {
        AppliedDesign applied;
        const DesignAttempt attempt =
            MakeDesign(options.method, ReadCalculationValues(EntriesAt(options, samplingRate)));
        if (attempt.problem) {
            applied.error = *attempt.problem;
            return applied;
        }
        const CalculationValues& values = attempt.design.values;
        RiaaCoefficients coefficients = attempt.design.coefficients;
        if (options.normalize == GainReference::OneKilohertz) {
            if (!(samplingRate > 2.0 * kRiaaReferenceHz)) {
                applied.error = "--normalize=1k needs a sampling rate above 2 kHz";
                return applied;
            }
            coefficients = ScaleGainAt(coefficients, samplingRate, kRiaaReferenceHz, values.gain);
        }
        if (!HasFiniteCoefficients(coefficients)) {
            applied.error =
                "the design at " + FormatShortest(samplingRate) + " Hz has non-finite coefficients";
            return applied;
        }
        applied.cascade = CascadeFromCoefficients(coefficients);
        applied.description = Description(options, values, applied.cascade.sections.size());
        return applied;
    };
}
