#pragma once
// The report of a cascade for the command-line tool: one block of coefficients per
// section, then the response of the whole cascade against its analogue curve. (The
// desktop program's one-biquad report is coefficient_report.h and stays as it is.)

#include <string>

#include "response/response_comparison.h"

// LF line breaks, coefficients to 17 significant digits, numbers locale-independent.
// Each section block gives b0 b1 b2 and a0 a1 a2 of
// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2) and the largest radius
// of its zeros and poles; the whole cascade's block gives its gain at DC and 1 kHz and
// its largest deviation in gain and phase over 20 Hz to min(20 kHz, 0.49·fs).
std::string FormatCascadeReport(const DesignUnderTest& design);
