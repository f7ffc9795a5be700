#include "output_forms.h"

#include "base/json_writer.h"
#include "base/number_text.h"
#include "cascade_output.h"
#include "curves/riaa_curve.h"
#include "json_output.h"
#include "reports/response_json.h"
#include "response/response_summary.h"

namespace {

std::string ExtraZeroText(double extraZeroValue) {
    switch (ExtraZeroKindOf(extraZeroValue)) {
        case ExtraZeroKind::None:
            return "no extra zero";
        case ExtraZeroKind::AtFrequency:
            return "extra zero at " + FormatSignificant(extraZeroValue, 6) + " Hz";
        case ExtraZeroKind::Fixed:
            break;
    }
    // UTF-8 µ: the SVG is UTF-8.
    return "extra zero at " + FormatSignificant(kFixedExtraZeroTau * 1e6, 6) + " \xC2\xB5s";
}

std::string Json(const AnalysisOptions& analysis, const FilterEntries& entries,
                 const Design& design) {
    JsonWriter json;
    json.BeginObject();
    WriteCalculationJson(json, entries, design);
    if (analysis.response) {
        json.Key("response");
        WriteResponseJson(json, SummarizeResponse(UnderTest(design)));
    }
    json.EndObject();
    return json.Text();
}

std::string ToLineFeeds(const std::string& text) {
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        converted += text[i];
    }
    return converted;
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

std::string Report(const Design& design) {
    return design.record ? ToLineFeeds(FormatCalculationText(ValuesOf(design), *design.record))
                         : CascadeReportText(design);
}

}  // namespace

std::string StandardOutput(const CalcOptions& calc, const AnalysisOptions& analysis,
                           const FilterEntries& entries, const Design& design) {
    if (calc.json) {
        return Json(analysis, entries, design);
    }
    std::string text;
    if (analysis.format != OutputFormat::Report) {
        text = ExportedText(analysis.format, design);
    } else if (analysis.csv) {
        text = FormatResponseCsv(UnderTest(design));
    } else {
        text = Report(design);
        if (analysis.response) {
            text += (design.record ? "" : "\n") +
                    FormatResponseTable(SummarizeResponse(UnderTest(design)));
        }
    }
    return calc.crlf ? ToCrLf(text) : text;
}

std::string PlotTitle(const Design& design) {
    const CalculationValues values = ValuesOf(design);
    const std::string curve =
        design.curveName == "riaa"
            ? (values.inverse != 0 ? "RIAA recording (pre-emphasis)"
                                   : "RIAA playback (de-emphasis)")
            : design.curveName + (values.inverse != 0 ? " recording" : " playback");
    const std::string method =
        design.record ? (design.method == DesignMethod::Minimax ? ", minimax biquad" : "")
                      : ", " + MethodAndSections(design);
    return curve + ", fs " + FormatSignificant(values.samplingFrequency, 6) + " Hz, gain " +
           FormatSignificant(values.gain, 6) +
           (design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC") +
           (design.curveName == "riaa" ? ", " + ExtraZeroText(values.extraZeroValue) : "") + method;
}
