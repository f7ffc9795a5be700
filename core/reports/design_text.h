#pragma once
// What the front ends say of a design: the values it was made from, its title, its report.

#include <string>

#include "designs/make_design.h"
#include "reports/filter_calculation.h"
#include "response/response_comparison.h"

// The values a design was made from, as the desktop program's report states them.
CalculationValues ValuesOf(const Design& design);

// The design beside the analogue curve it follows, for the response, CSV and plot.
DesignUnderTest UnderTest(const Design& design);

// "riaa, playback" or "aes-1951, recording": the curve as the titles name it.
std::string CurveAndDirection(const Design& design);

// The plot's title: the curve, the values and the method.
std::string PlotTitle(const Design& design);

// The curve, method and gain, then FormatCascadeReport; LF line breaks.
std::string CascadeReportText(const Design& design);

// The report with LF line breaks: the desktop program's record in its own form (its CR LF
// turned into LF), any other design as a cascade under the curve's name.
std::string ReportText(const Design& design);

// "gain 1 at DC" or "gain 2.5 at 1 kHz", as the titles and headers state the gain.
std::string GainText(const Design& design);
