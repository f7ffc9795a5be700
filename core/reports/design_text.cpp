#include "reports/design_text.h"

#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "reports/cascade_report.h"

namespace {

std::string ExtraZeroText(double extraZeroValue) {
    switch (ExtraZeroKindOf(extraZeroValue)) {
        case ExtraZeroKind::None:
            return "no extra zero";
        case ExtraZeroKind::AtFrequency:
            return "extra zero at " + FormatSignificant(extraZeroValue, 6) + " Hz";
        case ExtraZeroKind::Fixed:
            break;
    }
    // UTF-8 µ: the SVG is UTF-8.
    return "extra zero at " + FormatSignificant(kFixedExtraZeroTau * 1e6, 6) + " \xC2\xB5s";
}

std::string ToLineFeeds(const std::string& text) {
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        converted += text[i];
    }
    return converted;
}

}  // namespace

CalculationValues ValuesOf(const Design& design) {
    return {design.samplingFrequency, design.gain, design.extraZero,
            design.direction == Direction::Recording ? 1 : 0};
}

DesignUnderTest UnderTest(const Design& design) {
    return {design.cascade, design.samplingFrequency, design.target};
}

std::string CurveAndDirection(const Design& design) {
    return design.curveName +
           (design.direction == Direction::Recording ? ", recording" : ", playback");
}

std::string GainText(const Design& design) {
    return "gain " + FormatSignificant(design.gain, 6) +
           (design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC");
}

std::string PlotTitle(const Design& design) {
    const CalculationValues values = ValuesOf(design);
    const bool recording = design.direction == Direction::Recording;
    const std::string curve =
        design.curveName == "riaa"
            ? (recording ? "RIAA recording (pre-emphasis)" : "RIAA playback (de-emphasis)")
            : design.curveName + (recording ? " recording" : " playback");
    const std::string method =
        design.record ? (design.method == DesignMethod::Minimax ? ", minimax biquad" : "")
                      : ", " + MethodAndSections(design);
    return curve + ", fs " + FormatSignificant(values.samplingFrequency, 6) + " Hz, gain " +
           FormatSignificant(values.gain, 6) +
           (design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC") +
           (design.curveName == "riaa" ? ", " + ExtraZeroText(values.extraZeroValue) : "") + method;
}

std::string CascadeReportText(const Design& design) {
    return "Curve: " + design.curveName + " (" + design.curveDescription + ")" +
           (design.direction == Direction::Recording ? ", its recording curve (inverse)\n"
                                                     : ", playback\n") +
           "Design: " + MethodAndSections(design) + ", " + GainText(design) + "\n\n" +
           FormatCascadeReport(UnderTest(design));
}

std::string ReportText(const Design& design) {
    return design.record ? ToLineFeeds(FormatCalculationText(ValuesOf(design), *design.record))
                         : CascadeReportText(design);
}
