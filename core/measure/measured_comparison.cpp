#include "measure/measured_comparison.h"

#include <algorithm>
#include <cmath>

#include "base/design_vocabulary.h"
#include "base/number_text.h"
#include "response/response_table.h"

namespace {

constexpr double kBandLowHz = 20.0;
// The measured points lie a few hundredths of a hertz apart at the band's foot; the
// search grid is as fine there, and finer above.
constexpr int kSearchPointsPerDecade = 2000;
constexpr int kCsvPointsPerDecade = 100;
constexpr int kPlotPointsPerDecade = 200;
constexpr int kPeakDigits = 4;

}  // namespace

double MeasuredBandTopHz(double samplingRate) { return std::min(20000.0, 0.45 * samplingRate); }

MeasuredPoint CompareMeasuredAt(const MeasuredResponse& measured, const AnalogueCurve& curve,
                                double frequencyHz) {
    MeasuredPoint point{};
    point.frequencyHz = frequencyHz;
    point.gainDb =
        MeasuredGainDb(measured, frequencyHz) - MeasuredGainDb(measured, kRiaaReferenceHz);
    point.curveGainDb = AnalogueGainDbRe1k(curve, frequencyHz);
    point.deviationDb = point.gainDb - point.curveGainDb;
    return point;
}

MeasurementSummary SummarizeMeasurement(const MeasuredResponse& measured,
                                        const AnalogueCurve& curve) {
    MeasurementSummary summary{};
    summary.bandLowHz = kBandLowHz;
    summary.bandHighHz = MeasuredBandTopHz(measured.samplingRate);
    for (double f : kResponseTableFrequencies) {
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
                       FormatShortest(1.0 / kSmoothingOctaves) + " octave), against the curve\n\n";
    text += PadLeft("Frequency", kTableFrequencyWidth + 3);
    for (const char* heading : {"Measured dB", "Curve dB", "Deviation dB"}) {
        text += PadLeft(heading, kTableColumnWidth);
    }
    text += '\n';
    for (const MeasuredPoint& p : summary.table) {
        text += PadLeft(FormatSignificant(p.frequencyHz, 6), kTableFrequencyWidth) + " Hz";
        text += PadLeft(TableDecibels(p.gainDb), kTableColumnWidth);
        text += PadLeft(TableDecibels(p.curveGainDb), kTableColumnWidth);
        text += PadLeft(TableDecibels(p.deviationDb), kTableColumnWidth);
        text += '\n';
    }
    text += "\nLargest deviation from " + TableHertz(summary.bandLowHz) + " to " +
            TableHertz(summary.bandHighHz) + ": " +
            FormatSignedSignificant(summary.peak.deviationDb, kPeakDigits) + " dB at " +
            TableHertz(summary.peak.frequencyHz) + "\n";
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
