#include "reports/cascade_report.h"

#include "base/decibels.h"
#include "base/number_text.h"
#include "response/root_radius.h"
#include "response/response_summary.h"
#include "writers/export_formats.h"

namespace {

std::string Radius(double radius) { return FormatFixed(radius, 9); }

std::string HertzText(double hz) { return FormatSignificant(hz, 6) + " Hz"; }

std::string FactorAndDb(double factor) {
    return FormatSignificant(factor, 9) + " (" + FormatSignedFixed(FactorToDb(factor), 6) + " dB)";
}

}  // namespace

std::string FormatCascadeReport(const DesignUnderTest& design) {
    const std::size_t count = design.cascade.sections.size();
    std::string text = "Cascade of " + std::to_string(count) +
                       (count == 1 ? " second-order section" : " second-order sections") +
                       " for a sampling frequency of " +
                       FormatSignificant(design.samplingFrequency, 17) +
                       " Hz\n"
                       "H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2) per section, "
                       "run in this order\n";
    for (std::size_t i = 0; i < count; ++i) {
        const BiquadSection& s = design.cascade.sections[i];
        text += "\nSection " + std::to_string(i + 1) + " of " + std::to_string(count) +
                (i == 0 ? " (carries the gain)" : "") + "\n";
        text += "b0 = " + ExportedCoefficient(s.b0) + ", b1 = " + ExportedCoefficient(s.b1) +
                ", b2 = " + ExportedCoefficient(s.b2) + "\n";
        text += "a0 = 1, a1 = " + ExportedCoefficient(s.a1) +
                ", a2 = " + ExportedCoefficient(s.a2) + "\n";
        text += "largest zero radius " + Radius(LargestRootRadius(s.b0, s.b1, s.b2)) +
                ", largest pole radius " + Radius(LargestRootRadius(1.0, s.a1, s.a2)) + "\n";
    }
    const ResponseSummary summary = SummarizeResponse(design);
    text += "\nWhole cascade\n";
    text += "Gain at DC: " + FactorAndDb(summary.dcGain) + "\n";
    text += "Gain at 1 kHz: " + FactorAndDb(summary.gainAt1k) + "\n";
    text += "Largest deviation from " + HertzText(summary.bandLowHz) + " to " +
            HertzText(summary.bandHighHz) + ": " +
            FormatSignedSignificant(summary.peak.deviationDb, 4) + " dB at " +
            HertzText(summary.peak.frequencyHz) + "\n";
    text += "Largest phase deviation over the same band: " +
            FormatSignedSignificant(summary.phasePeak.deviationDegrees, 4) + " deg at " +
            HertzText(summary.phasePeak.frequencyHz) + "\n";
    return text;
}
