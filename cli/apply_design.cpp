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

namespace {

constexpr double kReferenceHz = 1000.0;

FilterEntries EntriesAt(const ApplyDesignOptions& options, double samplingRate) {
    FilterEntries entries;
    entries.sampleFreq = FormatShortest(samplingRate);
    entries.gain = EntryTextFromArgument(options.gain);
    entries.extraZero = options.zeroFreq.has_value();
    entries.zeroFreq = EntryTextFromArgument(options.zeroFreq.value_or(""));
    entries.inverse = options.inverse;
    return entries;
}

std::string Description(const ApplyDesignOptions& options, const FilterCalculation& calculation,
                        std::size_t sections) {
    std::string text = options.inverse ? "RIAA recording (pre-emphasis) curve"
                                       : "RIAA playback (de-emphasis) curve";
    text += options.method == "minimax" ? ", minimax method" : ", matched z-transform method";
    text += ", " + std::to_string(sections) + (sections == 1 ? " section" : " sections");
    text += ", designed for " + FormatShortest(calculation.samplingFrequency) + " Hz";
    text += ", gain " + FormatShortest(calculation.gain) +
            (options.normalize == "1k" ? " at 1 kHz" : " at DC");
    if (calculation.extraZeroValue > 1.0) {
        text += ", extra zero at " + FormatShortest(calculation.extraZeroValue) + " Hz";
    } else if (calculation.extraZeroValue != 0.0) {
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
        FilterCalculation calculation = CalculateFilter(EntriesAt(options, samplingRate));
        if (const auto problem = ApplyDesignMethod(options.method, calculation)) {
            applied.error = *problem;
            return applied;
        }
        if (options.normalize == "1k") {
            if (!(samplingRate > 2.0 * kReferenceHz)) {
                applied.error = "--normalize=1k needs a sampling rate above 2 kHz";
                return applied;
            }
            calculation.coefficients =
                ScaleGainAt(calculation.coefficients, samplingRate, kReferenceHz, calculation.gain);
        }
        if (!HasFiniteCoefficients(calculation.coefficients)) {
            applied.error =
                "the design at " + FormatShortest(samplingRate) + " Hz has non-finite coefficients";
            return applied;
        }
        applied.cascade = CascadeFromCoefficients(calculation.coefficients);
        applied.description = Description(options, calculation, applied.cascade.sections.size());
        return applied;
    };
}
