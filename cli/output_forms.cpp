#include "output_forms.h"

#include "base/json_writer.h"
#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "json_output.h"
#include "reports/design_text.h"
#include "reports/response_json.h"
#include "response/response_summary.h"

namespace {

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
