#pragma once
// A measured response against the curve it should follow (a playback or recording curve,
// or flat), both normalised to 0 dB at 1 kHz: the table, the largest deviation, the CSV
// and the picture, as the print command gives them for a design.

#include <string>
#include <vector>

#include "curves/analogue_curve.h"
#include "measure/sweep_deconvolution.h"
#include "response/response_comparison.h"
#include "writers/svg_plot.h"

struct MeasuredPoint {
    double frequencyHz;
    double gainDb;       // measured, re 1 kHz
    double curveGainDb;  // expected, re 1 kHz
    double deviationDb;  // gainDb less curveGainDb
};

struct MeasurementSummary {
    std::vector<MeasuredPoint> table;  // the usual frequencies within the band
    double bandLowHz;
    double bandHighHz;
    DeviationPeak peak;  // over [bandLowHz, bandHighHz]
};

// The band a sweep measurement is judged over: 20 Hz up to the smaller of 20 kHz and
// 0.45·fs, the top of the default sweep.
double MeasuredBandTopHz(double samplingRate);

// An AnalogueCurve with no time constants is flat.
MeasuredPoint CompareMeasuredAt(const MeasuredResponse& measured, const AnalogueCurve& curve,
                                double frequencyHz);

MeasurementSummary SummarizeMeasurement(const MeasuredResponse& measured,
                                        const AnalogueCurve& curve);

// The summary as a text table with LF line breaks, numbers locale-independent.
std::string FormatMeasurementTable(const MeasurementSummary& summary);

// The comparison over the band, 100 points a decade, as CSV with a header line:
// frequency_hz, gain_db, curve_gain_db, deviation_db. LF line breaks.
std::string FormatMeasurementCsv(const MeasuredResponse& measured, const AnalogueCurve& curve);

// The comparison over the band for the SVG writer; curveLabel names the expected curve.
ResponseTraces MeasurementTraces(const MeasuredResponse& measured, const AnalogueCurve& curve,
                                 const std::string& curveLabel);
