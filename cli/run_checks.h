#pragma once
// What vorlexi-calc refuses before it writes anything: options that cannot go together,
// and designs that the asked-for output cannot use.

#include <optional>
#include <string>

#include "analysis_options.h"
#include "calc_options.h"
#include "design_method.h"

// The error line's text when the options cannot go together; nothing otherwise.
std::optional<std::string> ConflictMessage(const CalcOptions& calc,
                                           const AnalysisOptions& analysis);

// The error line's text when the entries cannot give what the options ask for: an export
// of coefficients needs --sample-freq given, and any output beyond the desktop program's
// report (an export, --csv, --response, --plot) entries read to their end. The report
// itself reads them as the program does. Nothing otherwise.
std::optional<std::string> EntriesMessage(const CalcOptions& calc, const AnalysisOptions& analysis);

// The error line's text when the design, before any scaling at 1 kHz, cannot give what
// the options ask for: anything measured against 1 kHz (a cascade's report included)
// needs 1 kHz below fs/2, a non-zero gain and a response that can be evaluated; an
// exported line needs finite coefficients. Every output but the desktop program's record
// (report or JSON) refuses an unstable design, a pole on or outside the unit circle,
// naming the section and |z|; a matched design's pole at DC (z = 1), which a cascade's
// report shows, is refused by the exports, which name --method=minimax. Nothing otherwise.
std::optional<std::string> UnusableDesignMessage(const CalcOptions& calc,
                                                 const AnalysisOptions& analysis,
                                                 const Design& design);

// False when the design's response, against its curve at 1 kHz, drowns in rounding
// (NaN) over the audio band or at fs/2: no output can be trusted to follow the curve.
bool ResponseCanBeEvaluated(const Design& design);
