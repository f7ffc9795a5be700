#pragma once
// One run of vorlexi-calc once its options are parsed: the design by the chosen method
// (optionally scaled at 1 kHz), then the report, JSON, CSV or a line for another
// program on stdout, and a plot file on request.

#include <iosfwd>

#include "analysis_options.h"
#include "calc_options.h"

// Exit status 0 when done, 1 when the plot or stdout could not be written (no partial
// plot file is left), 2 for unreadable entries, options that cannot go together, or
// values the analysis cannot use; the error is one line on err, nothing on out.
int RunCalc(const CalcOptions& calc, const AnalysisOptions& analysis, std::ostream& out,
            std::ostream& err);
