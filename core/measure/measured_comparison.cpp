#include "measure/measured_comparison.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace {

constexpr double kTableFrequencies[] = {20.0,   50.0,   100.0,   200.0,   500.0,  1000.0,
                                        2000.0, 5000.0, 10000.0, 15000.0, 20000.0};
constexpr double kBandLowHz = 20.0;
constexpr double kReferenceHz = 1000.0;
// The measured points lie a few hundredths of a hertz apart at the band's foot; the
// search grid is as fine there, and finer above.
constexpr int kSearchPointsPerDecade = 2000;
constexpr int kCsvPointsPerDecade = 100;
constexpr int kPlotPointsPerDecade = 200;
constexpr int kPeakDigits = 4;
constexpr std::size_t kFrequencyWidth = 9;
constexpr std::size_t kColumnWidth = 16;

std::string Decibels(double db) { return FormatSignedFixed(db, 3); }

std::string HertzText(double hz) { return FormatSignificant(hz, 6) + " Hz"; }

}  // namespace

double MeasuredBandTopHz(double samplingRate) { return std::min(20000.0, 0.45 * samplingRate); }

MeasuredPoint CompareMeasuredAt(const MeasuredResponse& measured, const AnalogueCurve& curve,
                                double frequencyHz) {
    MeasuredPoint point{};
    point.frequencyHz = frequencyHz;
    point.gainDb = MeasuredGainDb(measured, frequencyHz) - MeasuredGainDb(measured, kReferenceHz);
    point.curveGainDb = AnalogueGainDbRe1k(curve, frequencyHz);
    point.deviationDb = point.gainDb - point.curveGainDb;
    return point;
}

MeasurementSummary SummarizeMeasurement(const MeasuredResponse& measured,
                                        const AnalogueCurve& curve) {
    MeasurementSummary summary{};
    summary.bandLowHz = kBandLowHz;
    summary.bandHighHz = MeasuredBandTopHz(measured.samplingRate);
    for (double f : kTableFrequencies) {
        if (f <= summary.bandHighHz) {
            summary.table.push_back(CompareMeasuredAt(measured, curve, f));
        }
    }
    summary.peak = {0.0, summary.bandLowHz};
    for (double f : LogGrid(summary.bandLowHz, summary.bandHighHz, kSearchPointsPerDecade)) {
        const double deviation = CompareMeasuredAt(measured, curve, f).deviationDb;
        if (!(std::fabs(deviation) <= std::fabs(summary.peak.deviationDb))) {
            summary.peak = {deviation, f};
        }
    }
    return summary;
}

std::string FormatMeasurementTable(const MeasurementSummary& summary) {
    std::string text = "Measured response relative to 1 kHz (averaged over 1/" +
                       FormatShortest(1.0 / kSmoothingOctaves) +
                       " octave), against the curve\n\n";
    text += PadLeft("Frequency", kFrequencyWidth + 3);
    for (const char* heading : {"Measured dB", "Curve dB", "Deviation dB"}) {
        text += PadLeft(heading, kColumnWidth);
    }
    text += '\n';
    for (const MeasuredPoint& p : summary.table) {
        text += PadLeft(FormatSignificant(p.frequencyHz, 6), kFrequencyWidth) + " Hz";
        text += PadLeft(Decibels(p.gainDb), kColumnWidth);
        text += PadLeft(Decibels(p.curveGainDb), kColumnWidth);
        text += PadLeft(Decibels(p.deviationDb), kColumnWidth);
        text += '\n';
    }
    text += "\nLargest deviation from " + HertzText(summary.bandLowHz) + " to " +
            HertzText(summary.bandHighHz) + ": " +
            FormatSignedSignificant(summary.peak.deviationDb, kPeakDigits) + " dB at " +
            HertzText(summary.peak.frequencyHz) + "\n";
    return text;
}

std::string FormatMeasurementCsv(const MeasuredResponse& measured, const AnalogueCurve& curve) {
    std::string csv = "frequency_hz,gain_db,curve_gain_db,deviation_db\n";
    for (double f :
         LogGrid(kBandLowHz, MeasuredBandTopHz(measured.samplingRate), kCsvPointsPerDecade)) {
        const MeasuredPoint p = CompareMeasuredAt(measured, curve, f);
        csv += FormatShortest(p.frequencyHz) + ',' + FormatShortest(p.gainDb) + ',' +
               FormatShortest(p.curveGainDb) + ',' + FormatShortest(p.deviationDb) + '\n';
    }
    return csv;
}

ResponseTraces MeasurementTraces(const MeasuredResponse& measured, const AnalogueCurve& curve,
                                 const std::string& curveLabel) {
    const MeasurementSummary summary = SummarizeMeasurement(measured, curve);
    ResponseTraces traces;
    traces.axisHighHz = measured.samplingRate / 2.0;
    traces.bandLowHz = summary.bandLowHz;
    traces.bandHighHz = summary.bandHighHz;
    traces.peak = summary.peak;
    traces.gainLabel = "Measured";
    traces.referenceLabel = curveLabel;
    traces.frequencies = LogGrid(summary.bandLowHz, summary.bandHighHz, kPlotPointsPerDecade);
    for (double f : traces.frequencies) {
        const MeasuredPoint p = CompareMeasuredAt(measured, curve, f);
        traces.gainDb.push_back(p.gainDb);
        traces.referenceDb.push_back(p.curveGainDb);
        traces.deviationDb.push_back(p.deviationDb);
    }
    return traces;
}
