#pragma once
// vorlexi-calc --json: the entries as given and as read, and the design with every
// coefficient at full precision.

#include "base/json_writer.h"
#include "designs/make_design.h"
#include "reports/filter_calculation.h"

// Writes entries, samplingFrequency, gain, extraZeroValue, inverse, then for a design of
// one section numCount, denCount, num and den, then curve, curveDescription, method,
// gainReference and sections (an array of objects b0 b1 b2 a0 a1 a2) as members of the
// object that json has open. The entries' texts are UTF-8 (JSON's own); the front end
// converts what it read in another encoding.
void WriteCalculationJson(JsonWriter& json, const FilterEntries& entries, const Design& design);
