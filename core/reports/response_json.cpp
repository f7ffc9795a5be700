#include "reports/response_json.h"

#include "base/decibels.h"

void WriteResponseJson(JsonWriter& json, const ResponseSummary& summary) {
    json.BeginObject();
    json.Member("bandLowHz", summary.bandLowHz);
    json.Member("bandHighHz", summary.bandHighHz);
    json.Member("maxDeviationDb", summary.peak.deviationDb);
    json.Member("maxDeviationHz", summary.peak.frequencyHz);
    json.Member("maxPhaseDeviationDegrees", summary.phasePeak.deviationDegrees);
    json.Member("maxPhaseDeviationHz", summary.phasePeak.frequencyHz);
    json.Member("dcGain", summary.dcGain);
    json.Member("dcGainDb", FactorToDb(summary.dcGain));
    json.Member("gainAt1kHz", summary.gainAt1k);
    json.Member("gainAt1kHzDb", FactorToDb(summary.gainAt1k));
    json.Key("table");
    json.BeginArray();
    for (const ResponsePoint& p : summary.table) {
        json.BeginObject();
        json.Member("frequencyHz", p.frequencyHz);
        json.Member("gainDb", p.gainDb);
        json.Member("phaseDegrees", p.phaseDegrees);
        json.Member("prototypeGainDb", p.prototypeGainDb);
        json.Member("prototypePhaseDegrees", p.prototypePhaseDegrees);
        json.Member("deviationDb", p.deviationDb);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}
