#include "apply_design.h"

#include <algorithm>
#include <cmath>

#include "argument_text.h"
#include "base/eng_value.h"
#include "base/number_text.h"
#include "curves/analogue_curve.h"
#include "curves/riaa_curve.h"
#include "design_method.h"
#include "reports/filter_calculation.h"
#include "response/cascade.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"
#include "run_checks.h"
#include "writers/export_formats.h"

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

// What the output file's comment says of the design: curve, method, sections, any rumble
// filter, rate and the version that applied it.
std::string Description(const Design& design) {
    const CalculationValues values = ValuesOf(design);
    std::string text =
        (design.curveName == "riaa" ? std::string("RIAA") : design.curveName) + " " +
        (values.inverse != 0 ? "recording (pre-emphasis)" : "playback (de-emphasis)") + " curve";
    text += design.method == DesignMethod::Minimax ? ", minimax method"
                                                   : ", matched z-transform method";
    const int sections = CurveSectionCount(design);
    text += ", " + std::to_string(sections) + (sections == 1 ? " section" : " sections");
    if (design.rumble) {
        text += ", " + RumbleFilterText(*design.rumble);
    }
    text += ", designed for " + FormatShortest(values.samplingFrequency) + " Hz";
    text += ", gain " + FormatShortest(values.gain) +
            (design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC");
    if (values.extraZeroValue > 1.0) {
        text += ", extra zero at " + FormatShortest(values.extraZeroValue) + " Hz";
    } else if (values.extraZeroValue != 0.0) {
        text += ", extra zero at 3.18 us";
    }
    return text + "; applied by vorlexi-calc " VORLEXI_VERSION;
}

// The largest |H| over 20 Hz to the audio band's top, on a grid fine enough for the
// smooth curves of equalisation (a tenth of a decade between points).
double LargestBandGain(const Cascade& cascade, double samplingRate) {
    const std::vector<double> grid = LogGrid(20.0, AudioBandTopHz(samplingRate), 10);
    if (grid.empty()) {
        return INFINITY;  // no audio band at this rate to judge by
    }
    double largest = 0.0;
    for (double f : grid) {
        largest = std::max(largest, std::abs(CascadeResponse(cascade, samplingRate, f)));
    }
    return largest;
}

}  // namespace

std::optional<std::string> DesignOptionsProblem(const ApplyDesignOptions& options) {
    if (auto problem = PartlyReadDesignEntryMessage(options.gain, options.zeroFreq)) {
        return problem;
    }
    const EngValue gain = ReadEngValue(EntryTextFromArgument(options.gain).c_str());
    if (!gain.readable || !std::isfinite(gain.value) || gain.value == 0.0) {
        return "--gain: \"" + options.gain + "\" is not a finite, non-zero factor";
    }
    if (options.zeroFreq && !options.zeroFreq->empty() &&
        !ReadEngValue(EntryTextFromArgument(*options.zeroFreq).c_str()).readable) {
        return "--extra-zero: \"" + *options.zeroFreq + "\" holds no readable number";
    }
    const Result<DesignChoice> choice = ReadDesignChoice(options, options.zeroFreq.has_value());
    if (!choice) {
        return choice.error();
    }
    // The matched design puts a pole at DC on z = 1: an integrator, whose output runs away
    // with the smallest DC offset in a file. Printed coefficients are the user's to use;
    // a file equalised with them would be ruined.
    const int netZerosAtDc = NetZerosAtDc(choice->curve.curve);
    if (choice->method == DesignMethod::Matched &&
        (options.inverse ? netZerosAtDc > 0 : netZerosAtDc < 0)) {
        return "the matched design of " + choice->curve.name +
               (options.inverse ? " inverted" : "") +
               " has a pole at DC, an integrator that drifts with any DC in the file; use "
               "--method=minimax, which puts that pole at 0.1 Hz, or a curve with a bass shelf";
    }
    return std::nullopt;
}

DesignForRate MakeDesignForRate(const ApplyDesignOptions& options) {
    const Result<DesignChoice> reading = ReadDesignChoice(options, options.zeroFreq.has_value());
    return [options, reading](double samplingRate) {
        AppliedDesign applied;
        if (!reading) {
            applied.error = reading.error();
            return applied;
        }
        const Result<Design> made = MakeDesign(
            RequestOf(*reading, ReadCalculationValues(EntriesAt(options, samplingRate))));
        if (!made) {
            applied.error = made.error();
            return applied;
        }
        if (!HasFiniteCoefficients(made->cascade)) {
            applied.error =
                "the design at " + FormatShortest(samplingRate) + " Hz has non-finite coefficients";
            return applied;
        }
        // As the print command refuses it: a file equalised with such a design would be
        // silence or noise.
        if (samplingRate > 2.0 * kRiaaReferenceHz && !ResponseCanBeEvaluated(*made)) {
            applied.error = "the design's response cannot be evaluated at " +
                            FormatShortest(samplingRate) + " Hz";
            return applied;
        }
        applied.cascade = made->cascade;
        applied.description = Description(*made);
        applied.bandGain = LargestBandGain(made->cascade, samplingRate);
        return applied;
    };
}
