#include "output_forms.h"

#include "export_formats.h"
#include "json_output.h"
#include "json_writer.h"
#include "number_text.h"
#include "response_json.h"
#include "response_summary.h"
#include "riaa_curve.h"

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

std::string ExportedText(OutputFormat format, const Design& design) {
    const RiaaCoefficients& c = design.coefficients;
    const double fs = design.values.samplingFrequency;
    switch (format) {
        case OutputFormat::Sox:
            return FormatSoxEffect(c) + '\n';
        case OutputFormat::Ffmpeg:
            return FormatFfmpegFilter(c) + '\n';
        case OutputFormat::Nyquist:
            return FormatNyquistLine(c, fs) + '\n';
        case OutputFormat::CamillaDsp:
        case OutputFormat::Report:
            break;
    }
    return FormatCamillaDspFilter(c, fs,
                                  design.values.inverse != 0 ? "riaa_recording" : "riaa_playback");
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
        text = ToLineFeeds(FormatCalculationText(design.values, design.coefficients));
        if (analysis.response) {
            text += FormatResponseTable(SummarizeResponse(UnderTest(design)));
        }
    }
    return calc.crlf ? ToCrLf(text) : text;
}

std::string PlotTitle(const Design& design, const AnalysisOptions& analysis) {
    const CalculationValues& values = design.values;
    return std::string(values.inverse != 0 ? "RIAA recording (pre-emphasis)"
                                           : "RIAA playback (de-emphasis)") +
           ", fs " + FormatSignificant(values.samplingFrequency, 6) + " Hz, gain " +
           FormatSignificant(values.gain, 6) +
           (analysis.normalize == GainReference::OneKilohertz ? " at 1 kHz, " : " at DC, ") +
           ExtraZeroText(values.extraZeroValue) +
           (analysis.method == DesignMethod::Minimax ? ", minimax biquad" : "");
}
