#pragma once
// A picture of a design's response for a forum post or a README: the design's and
// the analogue curve's magnitude on a log frequency axis, and below it the deviation.

#include <string>

#include "response/response_comparison.h"

// A complete SVG document (UTF-8). `title` names the parameters; a second title line
// gives the largest deviation over the audio band. Frequencies run from 10 Hz to fs/2;
// what lies outside a panel's range is clipped, and the part above the audio band is
// shaded.
std::string RenderResponseSvg(const DesignUnderTest& design, const std::string& title);
