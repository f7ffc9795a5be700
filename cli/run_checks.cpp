#include "run_checks.h"

#include <cmath>
#include <stdexcept>

#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "reports/design_text.h"
#include "response/response_comparison.h"
#include "writers/export_formats.h"

namespace {

bool ExportsALine(const AnalysisOptions& analysis) {
    return analysis.format != OutputFormat::Report;
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
