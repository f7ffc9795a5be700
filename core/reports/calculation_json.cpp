#include "reports/calculation_json.h"

#include <optional>
#include <utility>

#include "reports/design_text.h"

namespace {

void WriteEntries(JsonWriter& json, const FilterEntries& entries) {
    json.BeginObject();
    json.Member("sampleFreq", entries.sampleFreq);
    json.Member("gain", entries.gain);
    json.Member("zeroFreq", entries.zeroFreq);
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

void WriteSections(JsonWriter& json, const Cascade& cascade) {
    json.BeginArray();
    for (const BiquadSection& section : cascade.sections) {
        json.BeginObject();
        for (const auto& [key, value] :
             {std::pair{"b0", section.b0}, std::pair{"b1", section.b1}, std::pair{"b2", section.b2},
              std::pair{"a0", 1.0}, std::pair{"a1", section.a1}, std::pair{"a2", section.a2}}) {
            json.Key(key);
            json.Number(value);
        }
        json.EndObject();
    }
    json.EndArray();
}

// The one-biquad form of numCount, denCount, num and den: the record itself, or a design
// of one section as a full biquad. A design of several sections has none.
std::optional<RiaaCoefficients> OneBiquad(const Design& design) {
    if (design.record) {
        return design.record;
    }
    if (design.cascade.sections.size() != 1) {
        return std::nullopt;
    }
    const BiquadSection& s = design.cascade.sections.front();
    return RiaaCoefficients{3, 3, {s.b0, s.b1, s.b2}, {1.0, s.a1, s.a2}};
}

}  // namespace

void WriteCalculationJson(JsonWriter& json, const FilterEntries& entries, const Design& design) {
    const CalculationValues values = ValuesOf(design);
    json.Key("entries");
    WriteEntries(json, entries);
    json.Member("samplingFrequency", values.samplingFrequency);
    json.Member("gain", values.gain);
    json.Member("extraZeroValue", values.extraZeroValue);
    json.Key("inverse");
    json.Integer(values.inverse);
    if (const std::optional<RiaaCoefficients> coefficients = OneBiquad(design)) {
        json.Key("numCount");
        json.Integer(coefficients->numCount);
        json.Key("denCount");
        json.Integer(coefficients->denCount);
        json.Key("num");
        WriteNumbers(json, coefficients->num);
        json.Key("den");
        WriteNumbers(json, coefficients->den);
    }
    json.Member("curve", design.curveName);
    json.Member("curveDescription", design.curveDescription);
    json.Member("method", design.method == DesignMethod::Matched ? "matched" : "minimax");
    json.Member("gainReference", design.gainReference == GainReference::OneKilohertz ? "1k" : "dc");
    if (design.rumble) {
        json.Key("rumble");
        json.BeginObject();
        json.Member("cornerHz", design.rumble->cornerHz);
        json.Key("order");
        json.Integer(design.rumble->order);
        json.EndObject();
    }
    json.Key("sections");
    WriteSections(json, design.cascade);
}
