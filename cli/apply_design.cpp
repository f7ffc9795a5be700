#include "apply_design.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "argument_text.h"
#include "base/decibels.h"
#include "base/design_vocabulary.h"
#include "base/eng_value.h"
#include "base/number_text.h"
#include "curves/analogue_curve.h"
#include "curves/riaa_curve.h"
#include "design_method.h"
#include "reports/design_text.h"
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
// filter, how far from the curve, rate and extra zero. The gain follows once the run knows
// its scale.
std::string Description(const Design& design) {
    const CalculationValues values = ValuesOf(design);
    std::string text =
        (design.curveName == "riaa" ? std::string("RIAA") : design.curveName) + " " +
        (design.direction == Direction::Recording ? "recording (pre-emphasis)"
                                                  : "playback (de-emphasis)") +
        " curve";
    text += design.method == DesignMethod::Minimax ? ", minimax method"
                                                   : ", matched z-transform method";
    const int sections = CurveSectionCount(design);
    text += ", " + std::to_string(sections) + (sections == 1 ? " section" : " sections");
    if (design.rumble) {
        text += ", " + RumbleFilterText(*design.rumble);
    }
    // A minimax design knows its own figure; the matched one is measured as --response
    // measures it.
    const double top = AudioBandTopHz(values.samplingFrequency);
    const std::optional<double> deviationDb =
        design.maxDeviationDb ? design.maxDeviationDb
        : top > 20.0          ? std::optional<double>(
                           std::fabs(MaxDeviation(UnderTest(design), 20.0, top).deviationDb))
                     : std::nullopt;
    if (deviationDb) {
        text += ", largest deviation " +
                (*deviationDb < 1e-4 ? std::string("below 0.0001")
                                     : FormatSignificant(*deviationDb, 2)) +
                " dB";
        if (design.missedToleranceDb) {
            text += " (the closest of up to 4 sections; " +
                    FormatShortest(*design.missedToleranceDb) + " dB is out of reach at this rate)";
        }
    }
    text += ", designed for " + FormatShortest(values.samplingFrequency) + " Hz";
    if (values.extraZeroValue > 1.0) {
        text += ", extra zero at " + FormatShortest(values.extraZeroValue) + " Hz";
    } else if (values.extraZeroValue != 0.0) {
        text += ", extra zero at 3.18 us";
    }
    return text;
}

// "gain 1.15 at 1 kHz (--gain 2 with -4.80 dB of --auto-gain)": the gain the file got.
std::string AppliedGain(const Design& design, const std::string& gainOption, double scale) {
    const std::string where =
        design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC";
    std::string text = "gain " + FormatSignificant(design.gain * scale, 3) + where;
    if (scale != 1.0) {
        text += " (--gain " + gainOption + " with " + FormatSignedFixed(FactorToDb(scale), 2) +
                " dB of --auto-gain)";
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

Result<AppliedDesign> DesignAt(const ApplyDesignOptions& options,
                               const Result<DesignChoice>& reading, double samplingRate) {
    using DesignOrReason = Result<AppliedDesign>;
    if (!reading) {
        return DesignOrReason::Failure(reading.error());
    }
    const Result<Design> made =
        MakeDesign(RequestOf(*reading, ReadCalculationValues(EntriesAt(options, samplingRate))));
    if (!made) {
        return DesignOrReason::Failure(made.error());
    }
    if (!HasFiniteCoefficients(made->cascade)) {
        return DesignOrReason::Failure("the design at " + FormatShortest(samplingRate) +
                                       " Hz has non-finite coefficients");
    }
    // As the print command refuses it: a file equalised with such a design would be
    // silence or noise.
    if (samplingRate > 2.0 * kRiaaReferenceHz && !ResponseCanBeEvaluated(*made)) {
        return DesignOrReason::Failure("the design's response cannot be evaluated at " +
                                       FormatShortest(samplingRate) + " Hz");
    }
    AppliedDesign applied;
    applied.cascade = made->cascade;
    applied.description = Description(*made);
    applied.describeGain = [design = *made, gain = options.gain](double scale) {
        return AppliedGain(design, EntryTextFromArgument(gain), scale);
    };
    applied.bandGain = LargestBandGain(made->cascade, samplingRate);
    if (made->missedToleranceDb && made->maxDeviationDb) {
        applied.notice = "no cascade of up to 4 sections comes within " +
                         FormatShortest(*made->missedToleranceDb) + " dB of the curve at " +
                         FormatShortest(samplingRate) + " Hz; the closest, " +
                         MethodAndSections(*made) + ", is " +
                         FormatSignificant(*made->maxDeviationDb, 2) + " dB off";
    }
    return applied;
}

}  // namespace

Result<DesignChoice> ReadApplyDesignChoice(const ApplyDesignOptions& options) {
    Result<DesignChoice> reading = ReadDesignChoice(options, options.zeroFreq.has_value());
    if (!reading) {
        return reading;
    }
    DesignChoice& choice = reading.value();
    const bool methodGiven = options.methodOption != nullptr && options.methodOption->count() > 0;
    const bool matched = methodGiven && options.method == DesignMethod::Matched;
    if (!matched && !choice.sections && !choice.toleranceDb) {
        choice.method = DesignMethod::Minimax;
        choice.toleranceDb = kApplyToleranceDb;
        choice.closestWhereUnmet = true;
    }
    const bool normalizeGiven =
        options.normalizeOption != nullptr && options.normalizeOption->count() > 0;
    if (!normalizeGiven) {
        // The matched design is the desktop program's, and that has its gain at DC.
        choice.normalize = matched ? GainReference::Dc : GainReference::OneKilohertz;
    }
    return reading;
}

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
    const Result<DesignChoice> choice = ReadApplyDesignChoice(options);
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
    const Result<DesignChoice> reading = ReadApplyDesignChoice(options);
    // Files of a batch share the design of their rate: made once, by one thread at a time.
    struct Designs {
        std::mutex guard;
        std::map<double, Result<AppliedDesign>> byRate;
    };
    auto designs = std::make_shared<Designs>();
    return [options, reading, designs](double samplingRate) {
        std::lock_guard<std::mutex> lock(designs->guard);
        auto known = designs->byRate.find(samplingRate);
        if (known == designs->byRate.end()) {
            known = designs->byRate.emplace(samplingRate, DesignAt(options, reading, samplingRate))
                        .first;
        }
        return known->second;
    };
}
