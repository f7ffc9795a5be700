#pragma once
// What a user asks of a design: its response at the usual frequencies, how far it
// strays from the analogue curve over the audio band, and its gain at DC and 1 kHz.

#include <string>
#include <vector>

#include "response/response_comparison.h"

struct ResponseSummary {
    std::vector<ResponsePoint> table;  // the usual frequencies from 20 Hz to 20 kHz below fs/2
    double bandLowHz;
    double bandHighHz;
    DeviationPeak peak;            // over [bandLowHz, bandHighHz]
    PhaseDeviationPeak phasePeak;  // over the same band
    double dcGain;                 // H(1), a signed plain factor
    double gainAt1k;               // |H| at 1 kHz, a plain factor
};

ResponseSummary SummarizeResponse(const DesignUnderTest& design);

// The summary as a text table with LF line breaks, numbers locale-independent.
std::string FormatResponseTable(const ResponseSummary& summary);

// The response on a log grid from 10 Hz to fs/2, 100 points a decade, as CSV with a
// header line: frequency_hz, gain_db, phase_deg, prototype_gain_db,
// prototype_phase_deg, deviation_db (gains relative to 1 kHz). LF line breaks.
std::string FormatResponseCsv(const DesignUnderTest& design);
