#pragma once
// The forms in which vorlexi-calc writes a design: each takes the run's one design.

#include <string>

#include "analysis_options.h"
#include "calc_options.h"
#include "design_method.h"

// What goes to stdout, with LF line breaks (the report's own CR LF turned into LF
// unless --crlf keeps them; then every line ends in CR LF): the summary and report
// (with the response table after --response), the JSON document, the CSV, or the text
// for another program. The desktop program's record is reported in its own form; any
// other design as a cascade under the curve's name.
std::string StandardOutput(const CalcOptions& calc, const AnalysisOptions& analysis,
                           const FilterEntries& entries, const Design& design);

