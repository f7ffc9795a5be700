#include "json_output.h"

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

void WriteCalculationJson(JsonWriter& json, const FilterEntries& entries, const Design& design) {
    const CalculationValues& values = design.values;
    const RiaaCoefficients& coefficients = design.coefficients;
    json.Key("entries");
    WriteEntries(json, entries);
    json.Key("samplingFrequency");
    json.Number(values.samplingFrequency);
    json.Key("gain");
    json.Number(values.gain);
    json.Key("extraZeroValue");
    json.Number(values.extraZeroValue);
    json.Key("inverse");
    json.Integer(values.inverse);
    json.Key("numCount");
    json.Integer(coefficients.numCount);
    json.Key("denCount");
    json.Integer(coefficients.denCount);
    json.Key("num");
    WriteNumbers(json, coefficients.num);
    json.Key("den");
    WriteNumbers(json, coefficients.den);
}
