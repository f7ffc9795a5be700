#include "output_forms.h"

#include "base/json_writer.h"
#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "reports/calculation_json.h"
#include "reports/design_text.h"
#include "reports/response_json.h"
#include "response/response_summary.h"
#include "windows1252.h"

namespace {

// The entries are read as the desktop program reads them, in Windows-1252; JSON is UTF-8.
FilterEntries InUtf8(FilterEntries entries) {
    for (std::string* text : {&entries.sampleFreq, &entries.gain, &entries.zeroFreq}) {
        *text = Windows1252ToUtf8(*text);
    }
    return entries;
}

std::string Json(const AnalysisOptions& analysis, const FilterEntries& entries,
                 const Design& design) {
    JsonWriter json;
    json.BeginObject();
    WriteCalculationJson(json, InUtf8(entries), design);
    if (analysis.response) {
        json.Key("response");
        WriteResponseJson(json, SummarizeResponse(UnderTest(design)));
    }
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
        text = ReportText(design);
        if (analysis.response) {
            text += (design.record ? "" : "\n") +
                    FormatResponseTable(SummarizeResponse(UnderTest(design)));
        }
    }
    return calc.crlf ? ToCrLf(text) : text;
}
