#include "cascade_output.h"

#include "cascade_report.h"
#include "export_formats.h"
#include "number_text.h"
#include "pipewire_export.h"

namespace {

// A name for the filters in a configuration: the curve's name up to any ':' of a custom
// or turnover entry, then playback or recording ("riaa_playback", "custom_recording").
std::string FilterName(const Design& design) {
    std::string name;
    for (char c : design.curveName.substr(0, design.curveName.find(':'))) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        name += kept ? c : '_';
    }
    return name + (design.direction == Direction::Recording ? "_recording" : "_playback");
}

std::string GainText(const Design& design) {
    return "gain " + FormatSignificant(design.gain, 6) +
           (design.gainReference == GainReference::OneKilohertz ? " at 1 kHz" : " at DC");
}

}  // namespace

std::string ExportedText(OutputFormat format, const Design& design) {
    const Cascade& c = design.cascade;
    const double fs = design.samplingFrequency;
    switch (format) {
        case OutputFormat::Sox:
            return FormatSoxEffect(c) + '\n';
        case OutputFormat::Ffmpeg:
            return FormatFfmpegFilter(c) + '\n';
        case OutputFormat::Nyquist:
            return FormatNyquistLine(c, fs) + '\n';
        case OutputFormat::PipeWire:
            return FormatPipeWireFilterChain(
                c, fs, "vorlexi_" + FilterName(design),
                "vorlexi " + CurveAndDirection(design) + " (" + MethodAndSections(design) + ")");
        case OutputFormat::CamillaDsp:
        case OutputFormat::Report:
            break;
    }
    return FormatCamillaDspFilter(c, fs, FilterName(design));
}

std::string CascadeReportText(const Design& design) {
    return "Curve: " + design.curveName + " (" + design.curveDescription + ")" +
           (design.direction == Direction::Recording ? ", its recording curve (inverse)\n"
                                                     : ", playback\n") +
           "Design: " + MethodAndSections(design) + ", " + GainText(design) + "\n\n" +
           FormatCascadeReport(UnderTest(design));
}
