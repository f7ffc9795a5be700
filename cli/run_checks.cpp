#include "run_checks.h"

#include <cmath>
#include <stdexcept>

#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "reports/design_text.h"
#include "response/response_comparison.h"
#include "response/root_radius.h"
#include "writers/export_formats.h"

namespace {

bool ExportsALine(const AnalysisOptions& analysis) {
    return analysis.format != OutputFormat::Report;
}

// The LV2 plugin designs for the rate PipeWire runs at: its file holds the curve and the
// controls, not this design's coefficients.
bool ExportsCoefficients(const AnalysisOptions& analysis) {
    return ExportsALine(analysis) && analysis.format != OutputFormat::PipeWire;
}

std::string FormatOption(const AnalysisOptions& analysis) {
    return "--format=" + NameOf(kOutputFormatNames, analysis.format);
}

// The first option given that needs the response at 1 kHz, or nothing. A cascade's
// report ends with its response (gains at DC and 1 kHz, the largest deviations), so it
// needs it too: the one-biquad record's report does not.
const char* ResponseOption(const CalcOptions& calc, const AnalysisOptions& analysis,
                           const Design& design) {
    if (analysis.response) return "--response";
    if (analysis.csv) return "--csv";
    if (!analysis.plotPath.empty()) return "--plot";
    if (analysis.design.normalize == GainReference::OneKilohertz) return "--normalize=1k";
    if (!design.record && !calc.json && analysis.format == OutputFormat::Report) {
        return "the report of a cascade";
    }
    return nullptr;
}

std::optional<std::string> UnusableForResponse(const CalcOptions& calc,
                                               const AnalysisOptions& analysis,
                                               const Design& design) {
    const char* option = ResponseOption(calc, analysis, design);
    if (option == nullptr) {
        return std::nullopt;
    }
    const std::string name(option);
    const double fs = design.samplingFrequency;
    if (!(fs > 2.0 * kRiaaReferenceHz) || !std::isfinite(fs)) {
        return name + " needs a finite sampling frequency above 2 kHz, so that 1 kHz lies " +
               "below fs/2; got " + FormatShortest(fs);
    }
    const double gain = design.gain;
    if (gain == 0.0 || !std::isfinite(gain)) {
        return name + " needs a finite, non-zero gain; got " + FormatShortest(gain);
    }
    if (!HasFiniteCoefficients(design.cascade)) {
        return name + ": the design at this sampling frequency has non-finite coefficients";
    }
    if (!ResponseCanBeEvaluated(design)) {
        return name + ": the design's response cannot be evaluated at this sampling frequency";
    }
    return std::nullopt;
}

// The first output asked for that writes more than the desktop program's record (its
// report or JSON), or nothing.
std::optional<std::string> OutputBeyondTheRecord(const CalcOptions& calc,
                                                 const AnalysisOptions& analysis,
                                                 const Design& design) {
    if (ExportsCoefficients(analysis)) return FormatOption(analysis);
    if (analysis.response) return "--response";
    if (analysis.csv) return "--csv";
    if (!analysis.plotPath.empty()) return "--plot";
    if (!design.record && !calc.json && analysis.format == OutputFormat::Report) {
        return "the report of a cascade";
    }
    return std::nullopt;
}

// A matched design maps a pole at DC to z = 1 (exp(0)), up to the rounding of a1 and a2:
// an integrator, which the curve itself has, but which runs away with any DC offset.
bool HasPoleAtDc(const BiquadSection& s) {
    return std::abs(1.0 + s.a1 + s.a2) <= 1e-14 * (1.0 + std::abs(s.a1) + std::abs(s.a2));
}

std::optional<std::string> UnstableMessage(const CalcOptions& calc, const AnalysisOptions& analysis,
                                           const Design& design) {
    const std::optional<std::string> output = OutputBeyondTheRecord(calc, analysis, design);
    if (!output) {
        return std::nullopt;
    }
    const std::size_t count = design.cascade.sections.size();
    for (std::size_t i = 0; i < count; ++i) {
        const BiquadSection& s = design.cascade.sections[i];
        double radius = LargestRootRadius(1.0, s.a1, s.a2);
        if (design.method == DesignMethod::Matched && HasPoleAtDc(s)) {
            if (ExportsCoefficients(analysis)) {
                return *output + ": the matched design of " + design.curveName +
                       (design.direction == Direction::Recording ? " (recording)" : "") +
                       " has a pole at DC (z = 1), an integrator that runs away with any DC "
                       "offset; use --method=minimax, which puts that pole at 0.1 Hz";
            }
            radius = std::abs(s.a2);  // the section's other pole, z = 1 times it being a2
        }
        if (!(radius < 1.0)) {
            const double fs = design.samplingFrequency;
            return *output + ": the design is unstable: section " + std::to_string(i + 1) + " of " +
                   std::to_string(count) + " has a pole at |z| = " + FormatSignificant(radius, 6) +
                   ", on or outside the unit circle" +
                   (fs > 0.0
                        ? std::string()
                        : "; the sampling frequency must be positive, not " + FormatShortest(fs));
        }
    }
    return std::nullopt;
}

}  // namespace

bool ResponseCanBeEvaluated(const Design& design) {
    // At rates far above audio the poles crowd z = 1 and the response drowns in
    // rounding; a table of NaN would pass for an answer.
    const DesignUnderTest underTest = UnderTest(design);
    const double fs = design.samplingFrequency;
    return !std::isnan(MaxDeviation(underTest, 20.0, AudioBandTopHz(fs)).deviationDb) &&
           !std::isnan(CompareAt(underTest, fs / 2.0).deviationDb);
}

std::optional<std::string> ConflictMessage(const CalcOptions& calc,
                                           const AnalysisOptions& analysis) {
    if (ExportsALine(analysis) && (calc.json || analysis.csv || analysis.response)) {
        return FormatOption(analysis) + " writes one line for another program and " +
               "cannot go with --json, --csv or --response";
    }
    if (analysis.csv && (calc.json || analysis.response)) {
        return std::string("--csv cannot go with --json or --response");
    }
    return std::nullopt;
}

std::optional<std::string> EntriesMessage(const CalcOptions& calc,
                                          const AnalysisOptions& analysis) {
    if (ExportsCoefficients(analysis) && !calc.sampleFreq) {
        return FormatOption(analysis) +
               " writes coefficients that hold at one sampling frequency only: give it with "
               "--sample-freq (such as -s 44.1k)";
    }
    const bool beyondTheReport =
        ExportsALine(analysis) || analysis.csv || analysis.response || !analysis.plotPath.empty();
    return beyondTheReport ? PartlyReadCalcEntryMessage(calc) : std::nullopt;
}

std::optional<std::string> UnusableDesignMessage(const CalcOptions& calc,
                                                 const AnalysisOptions& analysis,
                                                 const Design& design) {
    if (std::optional<std::string> problem = UnusableForResponse(calc, analysis, design)) {
        return problem;
    }
    if (ExportsALine(analysis) && !HasFiniteCoefficients(design.cascade)) {
        return FormatOption(analysis) +
               ": the design at this sampling frequency has non-finite coefficients";
    }
    if (std::optional<std::string> problem = UnstableMessage(calc, analysis, design)) {
        return problem;
    }
    if (analysis.format == OutputFormat::PipeWire ||
        analysis.format == OutputFormat::PipeWireBqRaw) {
        try {
            ExportedText(analysis.format, design);
        } catch (const std::invalid_argument& error) {
            return FormatOption(analysis) + ": " + error.what();
        }
    }
    return std::nullopt;
}
