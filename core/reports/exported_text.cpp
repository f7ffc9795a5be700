#include "reports/exported_text.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "base/number_text.h"
#include "curves/curve_entry.h"
#include "curves/named_curves.h"
#include "plugin/pipewire_plugin_export.h"
#include "reports/cascade_report.h"
#include "reports/design_text.h"
#include "writers/export_formats.h"
#include "writers/pipewire_export.h"

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

// The plugin's controls for the design. The plugin makes minimax designs: a minimax
// design keeps its number of sections, a matched one becomes the plugin's own accurate
// design (the fewest sections within its default tolerance).
std::vector<std::pair<Control, double>> PluginControlsOf(const Design& design) {
    std::vector<std::pair<Control, double>> controls;
    const std::string& name = design.curveName;
    if (const NamedCurve* named = FindNamedCurve(name)) {
        controls.emplace_back(Control::Curve,
                              1.0 + static_cast<double>(named - NamedCurves().data()));
    } else if (name.starts_with("turnover:") && design.extraZero == 0.0) {
        // The entry read again, as the plugin reads its figures: the target holds the
        // rumble filter's poles too.
        const AnalogueCurve playback = ReadCurveEntry(name).value().curve;
        const double turnoverTau = playback.zeroTaus.at(0);
        const auto hz = [](double tau) { return 1.0 / (2.0 * std::numbers::pi * tau); };
        controls.emplace_back(Control::Curve, kCustomCurve);
        controls.emplace_back(Control::TurnoverHz, hz(turnoverTau));
        for (double tau : playback.poleTaus) {
            controls.emplace_back(tau > turnoverTau ? Control::ShelfHz : Control::TrebleHz,
                                  hz(tau));
        }
    } else {
        throw std::invalid_argument(
            "the LV2 plugin takes a named curve or a turnover entry, not " + name +
            "; --format=pipewire-bq-raw writes this design's coefficients instead");
    }
    if (design.extraZero != 0.0) {
        throw std::invalid_argument(
            "the LV2 plugin has no extra zero (use --curve=riaa-3.18us, or "
            "--format=pipewire-bq-raw)");
    }
    controls.emplace_back(Control::Direction,
                          design.direction == Direction::Recording ? kRecording : kPlayback);
    if (design.method == DesignMethod::Minimax) {
        controls.emplace_back(Control::Sections, static_cast<double>(CurveSectionCount(design)));
    }
    if (!(design.gain > 0.0)) {
        throw std::invalid_argument("the LV2 plugin takes a positive gain (in dB), not " +
                                    FormatShortest(design.gain));
    }
    controls.emplace_back(Control::GainDb, 20.0 * std::log10(design.gain));
    controls.emplace_back(Control::GainReference, design.gainReference == GainReference::Dc
                                                      ? kGainAtDc
                                                      : kGainAtOneKilohertz);
    if (design.rumble) {
        controls.emplace_back(Control::RumbleHz, design.rumble->cornerHz);
        controls.emplace_back(Control::RumbleOrder, design.rumble->order);
    }
    return controls;
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
            return FormatPipeWirePluginChain(
                PluginControlsOf(design), "vorlexi_" + FilterName(design),
                "vorlexi " + CurveAndDirection(design),
                "vorlexi " + CurveAndDirection(design) + ", " + GainText(design) +
                    (design.method == DesignMethod::Minimax
                         ? ", " + MethodAndSections(design)
                         : ", minimax within the plugin's default tolerance") +
                    ", as a PipeWire filter-chain.");
        case OutputFormat::PipeWireBqRaw:
            return FormatPipeWireFilterChain(
                c, fs, "vorlexi_" + FilterName(design),
                "vorlexi " + CurveAndDirection(design) + " (" + MethodAndSections(design) + ")");
        case OutputFormat::CamillaDspV2:
            return FormatCamillaDspFilter(c, fs, FilterName(design), CamillaDspVersion::V2);
        case OutputFormat::CamillaDsp:
        case OutputFormat::Report:
            break;
    }
    return FormatCamillaDspFilter(c, fs, FilterName(design), CamillaDspVersion::V3);
}
