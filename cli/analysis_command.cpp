#include "analysis_command.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include "atomic_file.h"
#include "calc_command.h"
#include "cascade.h"
#include "coefficient_report.h"
#include "design_method.h"
#include "export_formats.h"
#include "frequency_response.h"
#include "json_output.h"
#include "json_writer.h"
#include "number_text.h"
#include "response_json.h"
#include "response_summary.h"
#include "riaa_prototype.h"
#include "svg_plot.h"

namespace {

constexpr double kReferenceHz = 1000.0;

bool ExportsALine(const AnalysisOptions& analysis) { return analysis.format != "report"; }

std::optional<std::string> ConflictMessage(const CalcOptions& calc,
                                           const AnalysisOptions& analysis) {
    if (ExportsALine(analysis) && (calc.json || analysis.csv || analysis.response)) {
        return "--format=" + analysis.format + " writes one line for another program and " +
               "cannot go with --json, --csv or --response";
    }
    if (analysis.csv && (calc.json || analysis.response)) {
        return std::string("--csv cannot go with --json or --response");
    }
    return std::nullopt;
}

// The first option given that needs the response at 1 kHz, or nothing.
const char* ResponseOption(const AnalysisOptions& analysis) {
    if (analysis.response) return "--response";
    if (analysis.csv) return "--csv";
    if (!analysis.plotPath.empty()) return "--plot";
    if (analysis.normalize == "1k") return "--normalize=1k";
    return nullptr;
}

// Everything measured against 1 kHz needs 1 kHz below fs/2 and a design that is a
// filter at all.
std::optional<std::string> UnusableForResponse(const AnalysisOptions& analysis,
                                               const FilterCalculation& calculation) {
    const char* option = ResponseOption(analysis);
    if (option == nullptr) {
        return std::nullopt;
    }
    const std::string name(option);
    if (!(calculation.samplingFrequency > 2.0 * kReferenceHz) ||
        !std::isfinite(calculation.samplingFrequency)) {
        return name + " needs a finite sampling frequency above 2 kHz, so that 1 kHz lies " +
               "below fs/2; got " + FormatShortest(calculation.samplingFrequency);
    }
    if (calculation.gain == 0.0 || !std::isfinite(calculation.gain)) {
        return name + " needs a finite, non-zero gain; got " + FormatShortest(calculation.gain);
    }
    if (!HasFiniteCoefficients(CascadeFromCoefficients(calculation.coefficients))) {
        return name + ": the design at this sampling frequency has non-finite coefficients";
    }
    // At rates far above audio the poles crowd z = 1 and the response drowns in
    // rounding; a table of NaN would pass for an answer.
    const DesignUnderTest design{CascadeFromCoefficients(calculation.coefficients),
                                 calculation.samplingFrequency,
                                 RiaaCurve({calculation.extraZeroValue, calculation.inverse})};
    const double fs = calculation.samplingFrequency;
    if (std::isnan(MaxDeviation(design, 20.0, AudioBandTopHz(fs)).deviationDb) ||
        std::isnan(CompareAt(design, fs / 2.0).deviationDb)) {
        return name + ": the design's response cannot be evaluated at this sampling frequency";
    }
    return std::nullopt;
}

// |H(1 kHz)| = |gain| instead of H(1) = gain; the report's text follows the new numbers.
void NormalizeAt1k(FilterCalculation& calculation) {
    calculation.coefficients = ScaleGainAt(calculation.coefficients, calculation.samplingFrequency,
                                           kReferenceHz, calculation.gain);
    calculation.text = FormatCalculationSummary(calculation.samplingFrequency, calculation.gain,
                                                calculation.extraZeroValue, calculation.inverse) +
                       FormatCoefficientReport(calculation.coefficients);
}

std::string ExtraZeroText(double extraZeroValue) {
    if (extraZeroValue == 0.0) return "no extra zero";
    if (extraZeroValue > 1.0)
        return "extra zero at " + FormatSignificant(extraZeroValue, 6) + " Hz";
    return "extra zero at 3.18 \xC2\xB5s";  // UTF-8 µ: the SVG is UTF-8
}

std::string PlotTitle(const FilterCalculation& calculation, const AnalysisOptions& analysis) {
    return std::string(calculation.inverse != 0 ? "RIAA recording (pre-emphasis)"
                                                : "RIAA playback (de-emphasis)") +
           ", fs " + FormatSignificant(calculation.samplingFrequency, 6) + " Hz, gain " +
           FormatSignificant(calculation.gain, 6) +
           (analysis.normalize == "1k" ? " at 1 kHz, " : " at DC, ") +
           ExtraZeroText(calculation.extraZeroValue) +
           (analysis.method == "minimax" ? ", minimax biquad" : "");
}

std::string ExportedText(const AnalysisOptions& analysis, const FilterCalculation& calculation) {
    const Cascade c = CascadeFromCoefficients(calculation.coefficients);
    if (analysis.format == "sox") return FormatSoxEffect(c) + '\n';
    if (analysis.format == "ffmpeg") return FormatFfmpegFilter(c) + '\n';
    if (analysis.format == "nyquist")
        return FormatNyquistLine(c, calculation.samplingFrequency) + '\n';
    return FormatCamillaDspFilter(c, calculation.samplingFrequency,
                                  calculation.inverse != 0 ? "riaa_recording" : "riaa_playback");
}

// Both documents come from JsonWriter and are objects: the first's closing brace
// gives way to the second's members.
std::string JoinJsonObjects(const std::string& first, const std::string& second) {
    const std::size_t close = first.find_last_of('}');
    const std::size_t open = second.find('{');
    return first.substr(0, first.find_last_not_of(" \n", close - 1) + 1) + "," +
           second.substr(open + 1);
}

std::string ResponseJson(const ResponseSummary& summary) {
    JsonWriter json;
    json.BeginObject();
    json.Key("response");
    WriteResponseJson(json, summary);
    json.EndObject();
    return json.Text();
}

std::string ToCrLf(const std::string& text) {
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

// What goes to stdout, with LF line breaks (the report's own CR LF turned into LF
// unless --crlf keeps them; then every line ends in CR LF).
std::string StandardOutput(const CalcOptions& calc, const AnalysisOptions& analysis,
                           const FilterEntries& entries, const FilterCalculation& calculation,
                           const DesignUnderTest& design) {
    std::string text;
    if (ExportsALine(analysis)) {
        text = ExportedText(analysis, calculation);
    } else if (analysis.csv) {
        text = FormatResponseCsv(design);
    } else if (calc.json) {
        text = FormatCalculationJson(entries, calculation);
        if (analysis.response) {
            text = JoinJsonObjects(text, ResponseJson(SummarizeResponse(design)));
        }
        return text;
    } else {
        text = ToLineFeeds(calculation.text);
        if (analysis.response) {
            text += FormatResponseTable(SummarizeResponse(design));
        }
    }
    return calc.crlf ? ToCrLf(text) : text;
}

}  // namespace

int RunCalcWithAnalysis(const CalcOptions& calc, const AnalysisOptions& analysis, std::ostream& out,
                        std::ostream& err) {
    std::optional<std::string> problem = ConflictMessage(calc, analysis);
    if (!problem) {
        problem = UnreadableEntryMessage(calc);
    }
    const FilterEntries entries = EntriesFromOptions(calc);
    FilterCalculation calculation = CalculateFilter(entries);
    if (!problem) {
        problem = ApplyDesignMethod(analysis.method, calculation);
    }
    if (!problem) {
        problem = UnusableForResponse(analysis, calculation);
    }
    if (!problem && ExportsALine(analysis) &&
        !HasFiniteCoefficients(CascadeFromCoefficients(calculation.coefficients))) {
        problem = "--format=" + analysis.format +
                  ": the design at this sampling frequency has non-finite coefficients";
    }
    if (problem) {
        err << "vorlexi-calc: " << *problem << '\n';
        return kExitBadInput;
    }

    if (analysis.normalize == "1k") {
        NormalizeAt1k(calculation);
    }
    const DesignUnderTest design{CascadeFromCoefficients(calculation.coefficients),
                                 calculation.samplingFrequency,
                                 RiaaCurve({calculation.extraZeroValue, calculation.inverse})};

    if (!analysis.plotPath.empty()) {
        const auto failure = WriteFileAtomically(
            analysis.plotPath, RenderResponseSvg(design, PlotTitle(calculation, analysis)));
        if (failure) {
            err << "vorlexi-calc: " << *failure << '\n';
            return kExitOutputFailed;
        }
    }

    out << StandardOutput(calc, analysis, entries, calculation, design);
    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "vorlexi-calc: cannot write the output\n";
        return kExitOutputFailed;
    }
    return kExitSuccess;
}
