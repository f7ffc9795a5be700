#pragma once
// A digital design against its analogue prototype, both normalised to 0 dB at 1 kHz.

#include <vector>

#include "curves/analogue_curve.h"
#include "response/cascade.h"

// One design to compare: its sections, the rate they run at and the analogue curve
// they were meant to follow (for the desktop program's record:
// CascadeFromCoefficients and RiaaCurve).
struct DesignUnderTest {
    Cascade cascade;
    double samplingFrequency;
    AnalogueCurve curve;
};

// The two responses at one frequency. Gains in dB relative to each curve's own gain
// at 1 kHz; deviationDb = gainDb - prototypeGainDb. phaseDeviationDegrees is the
// design's phase less the curve's, in (-180, 180], with the design's polarity taken
// out (a design for a negative gain is not 180° off).
struct ResponsePoint {
    double frequencyHz;
    double gainDb;
    double phaseDegrees;
    double prototypeGainDb;
    double prototypePhaseDegrees;
    double deviationDb;
    double phaseDeviationDegrees;
};

ResponsePoint CompareAt(const DesignUnderTest& design, double frequencyHz);

// Frequencies from low to high (both included), evenly spaced on a log axis with at
// least pointsPerDecade a decade. Empty unless 0 < low <= high.
std::vector<double> LogGrid(double lowHz, double highHz, int pointsPerDecade);

// The largest |deviation| over a band, and where it is.
struct DeviationPeak {
    double deviationDb;  // signed: positive where the design lies above the curve
    double frequencyHz;
};

// The grid the peak searches run on: 2000 points a decade over [lowHz, highHz], and
// 2000 more that crowd towards highHz (spacing growing with the square of the distance),
// where the extremes of a many-section design lie a few hertz apart.
std::vector<double> PeakSearchGrid(double lowHz, double highHz);

// Searches that grid, then refines the largest point between its neighbours (golden
// section), so the peak's value is exact to far below its own size.
DeviationPeak MaxDeviation(const DesignUnderTest& design, double lowHz, double highHz);

// The largest |phase deviation| over a band on the same grid, signed, in degrees.
struct PhaseDeviationPeak {
    double deviationDegrees;
    double frequencyHz;
};
PhaseDeviationPeak MaxPhaseDeviation(const DesignUnderTest& design, double lowHz, double highHz);

// The band users judge a phono equaliser over: 20 Hz up to the smaller of 20 kHz and
// 0.49·fs (a single biquad cannot follow the curve right up to Nyquist).
double AudioBandTopHz(double samplingFrequency);
