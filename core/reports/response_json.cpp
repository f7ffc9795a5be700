#include "reports/response_json.h"

#include "base/decibels.h"

namespace {

void Member(JsonWriter& json, const char* key, double value) {
    json.Key(key);
    json.Number(value);
}

}  // namespace

void WriteResponseJson(JsonWriter& json, const ResponseSummary& summary) {
    json.BeginObject();
    Member(json, "bandLowHz", summary.bandLowHz);
    Member(json, "bandHighHz", summary.bandHighHz);
    Member(json, "maxDeviationDb", summary.peak.deviationDb);
    Member(json, "maxDeviationHz", summary.peak.frequencyHz);
    Member(json, "maxPhaseDeviationDegrees", summary.phasePeak.deviationDegrees);
    Member(json, "maxPhaseDeviationHz", summary.phasePeak.frequencyHz);
    Member(json, "dcGain", summary.dcGain);
    Member(json, "dcGainDb", FactorToDb(summary.dcGain));
    Member(json, "gainAt1kHz", summary.gainAt1k);
    Member(json, "gainAt1kHzDb", FactorToDb(summary.gainAt1k));
    json.Key("table");
    json.BeginArray();
    for (const ResponsePoint& p : summary.table) {
        json.BeginObject();
        Member(json, "frequencyHz", p.frequencyHz);
        Member(json, "gainDb", p.gainDb);
        Member(json, "phaseDegrees", p.phaseDegrees);
        Member(json, "prototypeGainDb", p.prototypeGainDb);
        Member(json, "prototypePhaseDegrees", p.prototypePhaseDegrees);
        Member(json, "deviationDb", p.deviationDb);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}
