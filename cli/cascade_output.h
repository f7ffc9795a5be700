#pragma once
// The design as text for another program (--format), and the report of a design that
// is not the desktop program's one-biquad record: the cascade's sections and response,
// under a header naming the curve and the method.

#include <string>

#include "analysis_options.h"
#include "design_method.h"

// The text for the format (not Report), ending in a line break. PipeWire throws
// std::invalid_argument for a rate that is not a whole number of hertz.
std::string ExportedText(OutputFormat format, const Design& design);

// The curve, method and gain, then FormatCascadeReport; LF line breaks.
std::string CascadeReportText(const Design& design);
