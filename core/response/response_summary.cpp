#include "response/response_summary.h"

#include <cmath>

#include "base/decibels.h"
#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "response/frequency_response.h"

namespace {

constexpr double kTableFrequencies[] = {20.0,   50.0,   100.0,   200.0,   500.0,  1000.0,
                                        2000.0, 5000.0, 10000.0, 15000.0, 20000.0};
constexpr double kBandLowHz = 20.0;
constexpr double kCsvLowHz = 10.0;
constexpr int kCsvPointsPerDecade = 100;
// Significant digits, not decimals: a design at a high rate strays by far less than
// a thousandth of a dB.
constexpr int kPeakDigits = 4;

// A column of the table: right-aligned numbers under a right-aligned heading.
constexpr std::size_t kFrequencyWidth = 9;
constexpr std::size_t kColumnWidth = 16;

std::string Decibels(double db) { return FormatSignedFixed(db, 3); }

std::string HertzText(double hz) { return FormatSignificant(hz, 6) + " Hz"; }

std::string FactorAndDb(double factor) {
    return FormatSignificant(factor, 6) + " (" + Decibels(FactorToDb(factor)) + " dB)";
}

}  // namespace

ResponseSummary SummarizeResponse(const DesignUnderTest& design) {
    ResponseSummary summary{};
    for (double f : kTableFrequencies) {
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
    text += PadLeft("Frequency", kFrequencyWidth + 3);
    for (const char* heading :
         {"Design dB", "Analogue dB", "Deviation dB", "Design phase", "Analogue phase"}) {
        text += PadLeft(heading, kColumnWidth);
    }
    text += '\n';
    for (const ResponsePoint& p : summary.table) {
        text += PadLeft(FormatSignificant(p.frequencyHz, 6), kFrequencyWidth) + " Hz";
        text += PadLeft(Decibels(p.gainDb), kColumnWidth);
        text += PadLeft(Decibels(p.prototypeGainDb), kColumnWidth);
        text += PadLeft(Decibels(p.deviationDb), kColumnWidth);
        text += PadLeft(FormatFixed(p.phaseDegrees, 2) + " deg", kColumnWidth);
        text += PadLeft(FormatFixed(p.prototypePhaseDegrees, 2) + " deg", kColumnWidth);
        text += '\n';
    }
    text += "\nLargest deviation from " + HertzText(summary.bandLowHz) + " to " +
            HertzText(summary.bandHighHz) + ": " +
            FormatSignedSignificant(summary.peak.deviationDb, kPeakDigits) + " dB at " +
            HertzText(summary.peak.frequencyHz) + "\n";
    text += "Largest phase deviation over the same band: " +
            FormatSignedSignificant(summary.phasePeak.deviationDegrees, kPeakDigits) + " deg at " +
            HertzText(summary.phasePeak.frequencyHz) + "\n";
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
