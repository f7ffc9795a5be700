#include "json_output.h"

#include "json_writer.h"
#include "windows1252.h"

namespace {

void WriteEntries(JsonWriter& json, const FilterEntries& entries) {
    json.BeginObject();
    json.Key("sampleFreq");
    json.String(Windows1252ToUtf8(entries.sampleFreq));
    json.Key("gain");
    json.String(Windows1252ToUtf8(entries.gain));
    json.Key("zeroFreq");
    json.String(Windows1252ToUtf8(entries.zeroFreq));
    json.Key("extraZero");
    json.Boolean(entries.extraZero);
    json.Key("inverse");
    json.Boolean(entries.inverse);
    json.EndObject();
}

void WriteNumbers(JsonWriter& json, const double (&values)[3]) {
    json.BeginArray();
    for (double value : values) {
        json.Number(value);
    }
    json.EndArray();
}

}  // namespace

std::string FormatCalculationJson(const FilterEntries& entries,
                                  const FilterCalculation& calculation) {
    JsonWriter json;
    json.BeginObject();
    json.Key("entries");
    WriteEntries(json, entries);
    json.Key("samplingFrequency");
    json.Number(calculation.samplingFrequency);
    json.Key("gain");
    json.Number(calculation.gain);
    json.Key("extraZeroValue");
    json.Number(calculation.extraZeroValue);
    json.Key("inverse");
    json.Integer(calculation.inverse);
    json.Key("numCount");
    json.Integer(calculation.coefficients.numCount);
    json.Key("denCount");
    json.Integer(calculation.coefficients.denCount);
    json.Key("num");
    WriteNumbers(json, calculation.coefficients.num);
    json.Key("den");
    WriteNumbers(json, calculation.coefficients.den);
    json.EndObject();
    return json.Text();
}
