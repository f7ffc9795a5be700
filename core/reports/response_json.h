#pragma once
// A response summary as a JSON object, for tools that read vorlexi's output.

#include "base/json_writer.h"
#include "response/response_summary.h"

// Writes one object: bandLowHz, bandHighHz, maxDeviationDb, maxDeviationHz,
// maxPhaseDeviationDegrees, maxPhaseDeviationHz (the design's phase less the curve's,
// its polarity taken out), dcGain,
// dcGainDb, gainAt1kHz, gainAt1kHzDb and `table`, an array of objects with
// frequencyHz, gainDb, phaseDegrees, prototypeGainDb, prototypePhaseDegrees and
// deviationDb (gains relative to 1 kHz).
void WriteResponseJson(JsonWriter& json, const ResponseSummary& summary);
