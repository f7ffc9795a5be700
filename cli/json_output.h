#pragma once
// vorlexi-calc --json: the entries as given and as read, and the design with every
// coefficient at full precision.

#include "design_method.h"
#include "filter_calculation.h"
#include "json_writer.h"

// Writes entries, samplingFrequency, gain, extraZeroValue, inverse, numCount, denCount,
// num and den as members of the object that json has open.
void WriteCalculationJson(JsonWriter& json, const FilterEntries& entries, const Design& design);
