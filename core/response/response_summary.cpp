#include "response/response_summary.h"

#include <cmath>

#include "base/decibels.h"
#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "response/frequency_response.h"
#include "response/response_table.h"

namespace {

constexpr double kBandLowHz = 20.0;
constexpr double kCsvLowHz = 10.0;
constexpr int kCsvPointsPerDecade = 100;
// Significant digits, not decimals: a design at a high rate strays by far less than
// a thousandth of a dB.
constexpr int kPeakDigits = 4;

std::string FactorAndDb(double factor) {
    return FormatSignificant(factor, 6) + " (" + TableDecibels(FactorToDb(factor)) + " dB)";
}

}  // namespace

ResponseSummary SummarizeResponse(const DesignUnderTest& design) {
    ResponseSummary summary{};
    for (double f : kResponseTableFrequencies) {
        if (f < design.samplingFrequency / 2.0) {
            summary.table.push_back(CompareAt(design, f));
        }
    }
    summary.bandLowHz = kBandLowHz;
    summary.bandHighHz = AudioBandTopHz(design.samplingFrequency);
    summary.peak = MaxDeviation(design, summary.bandLowHz, summary.bandHighHz);
    summary.phasePeak = MaxPhaseDeviation(design, summary.bandLowHz, summary.bandHighHz);
    summary.dcGain = CascadeResponse(design.cascade, design.samplingFrequency, 0.0).real();
    summary.gainAt1k =
        std::abs(CascadeResponse(design.cascade, design.samplingFrequency, kRiaaReferenceHz));
    return summary;
}

std::string FormatResponseTable(const ResponseSummary& summary) {
    std::string text = "Response relative to 1 kHz: the design against the analogue curve\n\n";
    text += PadLeft("Frequency", kTableFrequencyWidth + 3);
    for (const char* heading :
         {"Design dB", "Analogue dB", "Deviation dB", "Design phase", "Analogue phase"}) {
        text += PadLeft(heading, kTableColumnWidth);
    }
    text += '\n';
    for (const ResponsePoint& p : summary.table) {
        text += PadLeft(FormatSignificant(p.frequencyHz, 6), kTableFrequencyWidth) + " Hz";
        text += PadLeft(TableDecibels(p.gainDb), kTableColumnWidth);
        text += PadLeft(TableDecibels(p.prototypeGainDb), kTableColumnWidth);
        text += PadLeft(TableDecibels(p.deviationDb), kTableColumnWidth);
        text += PadLeft(FormatFixed(p.phaseDegrees, 2) + " deg", kTableColumnWidth);
        text += PadLeft(FormatFixed(p.prototypePhaseDegrees, 2) + " deg", kTableColumnWidth);
        text += '\n';
    }
    return text + '\n' + FormatResponseFigures(summary);
}

std::string FormatResponseFigures(const ResponseSummary& summary) {
    std::string text = "Largest deviation from " + TableHertz(summary.bandLowHz) + " to " +
                       TableHertz(summary.bandHighHz) + ": " +
                       FormatSignedSignificant(summary.peak.deviationDb, kPeakDigits) + " dB at " +
                       TableHertz(summary.peak.frequencyHz) + "\n";
    text += "Largest phase deviation over the same band: " +
            FormatSignedSignificant(summary.phasePeak.deviationDegrees, kPeakDigits) + " deg at " +
            TableHertz(summary.phasePeak.frequencyHz) + "\n";
    text += "Gain at DC: " + FactorAndDb(summary.dcGain) + "\n";
    text += "Gain at 1 kHz: " + FactorAndDb(summary.gainAt1k) + "\n";
    return text;
}

std::string FormatResponseCsv(const DesignUnderTest& design) {
    std::string csv =
        "frequency_hz,gain_db,phase_deg,prototype_gain_db,prototype_phase_deg,deviation_db\n";
    for (double f : LogGrid(kCsvLowHz, design.samplingFrequency / 2.0, kCsvPointsPerDecade)) {
        const ResponsePoint p = CompareAt(design, f);
        csv += FormatShortest(p.frequencyHz) + ',' + FormatShortest(p.gainDb) + ',' +
               FormatShortest(p.phaseDegrees) + ',' + FormatShortest(p.prototypeGainDb) + ',' +
               FormatShortest(p.prototypePhaseDegrees) + ',' + FormatShortest(p.deviationDb) + '\n';
    }
    return csv;
}
