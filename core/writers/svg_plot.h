#pragma once
// A picture of a design's response for a forum post or a README: the design's and
// the analogue curve's magnitude on a log frequency axis, and below it the deviation.

#include <string>
#include <vector>

#include "response/response_comparison.h"

// Two magnitude curves on a log frequency axis from 10 Hz to axisHighHz, and their
// difference; what a picture of a design or of a measurement shows.
struct ResponseTraces {
    std::vector<double> frequencies;  // Hz, rising
    std::vector<double> gainDb;       // the design or the measurement, re 1 kHz
    std::vector<double> referenceDb;  // the curve it should follow, re 1 kHz
    std::vector<double> deviationDb;  // gainDb less referenceDb
    double axisHighHz = 0.0;          // fs/2
    double bandLowHz = 0.0;           // the band a deviation counts over; beyond it is shaded
    double bandHighHz = 0.0;
    DeviationPeak peak{};
    std::string gainLabel = "Digital design";
    std::string referenceLabel = "Analogue curve";
};

// A complete SVG document (UTF-8) of the traces, `title` on top and the largest
// deviation beneath it.
std::string RenderTracesSvg(const ResponseTraces& traces, const std::string& title);

// A complete SVG document (UTF-8). `title` names the parameters; a second title line
// gives the largest deviation over the audio band. Frequencies run from 10 Hz to fs/2;
// what lies outside a panel's range is clipped, and the part above the audio band is
// shaded.
std::string RenderResponseSvg(const DesignUnderTest& design, const std::string& title);
