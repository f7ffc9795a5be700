#pragma once
// vorlexi-calc --json: the entries as given and as read, and the design with every
// coefficient at full precision.

#include <string>

#include "filter_calculation.h"

std::string FormatCalculationJson(const FilterEntries& entries,
                                  const FilterCalculation& calculation);
