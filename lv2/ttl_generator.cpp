// Writes the bundle's Turtle description from the control table and the named-curve
// table, so that neither is ever written out by hand:
//   vorlexi_lv2_ttl BUNDLE_FOLDER BINARY_NAME
// gives manifest.ttl, vorlexi.ttl (both plugins, every port) and presets.ttl (every
// named curve in both directions, for both plugins).

#include <cstdio>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "curves/named_curves.h"
#include "plugin/plugin_controls.h"
#include "safe_writer.h"

namespace {

struct PluginVariant {
    std::string_view uri;
    std::string_view name;
    std::string_view key;  // in preset URIs
    int channels;
};

constexpr PluginVariant kVariants[] = {
    {kStereoPluginUri, "vorlexi phono equaliser (stereo)", "stereo", 2},
    {kMonoPluginUri, "vorlexi phono equaliser (mono)", "mono", 1},
};

constexpr std::string_view kPrefixes =
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pprop: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix work:  <http://lv2plug.in/ns/ext/worker#> .\n\n";

std::string Literal(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Uri(std::string_view uri) { return "<" + std::string(uri) + ">"; }

// Turtle reads "0.001" as a decimal and "1e-04" as a double; both are numbers to a host.
std::string Number(double value) { return FormatShortest(value); }

std::string PresetUri(const PluginVariant& variant, const NamedCurve& curve, bool recording) {
    return std::string(kPluginUriBase) + "preset/" + std::string(variant.key) + "-" +
           std::string(curve.name) + (recording ? "-recording" : "-playback");
}

std::string ScalePoint(double value, std::string_view label) {
    return "        lv2:scalePoint [ rdfs:label " + Literal(label) + " ; rdf:value " +
           Number(value) + " ] ;\n";
}

std::string ScalePoints(Control control) {
    std::string points;
    switch (control) {
        case Control::Curve: {
            points += ScalePoint(kCustomCurve, "Custom 78 curve (turnover, shelf, roll-off)");
            double value = 1.0;
            for (const NamedCurve& curve : NamedCurves()) {
                points += ScalePoint(value, curve.description);
                value += 1.0;
            }
            break;
        }
        case Control::Direction:
            points += ScalePoint(kPlayback, "Playback (de-emphasis)");
            points += ScalePoint(kRecording, "Recording (pre-emphasis)");
            break;
        case Control::Sections:
            points += ScalePoint(kFewestSections, "Fewest within the tolerance");
            points += ScalePoint(1, "1 section");
            for (int n = 2; n <= 4; ++n) {
                points += ScalePoint(n, std::to_string(n) + " sections");
            }
            break;
        case Control::GainReference:
            points += ScalePoint(kGainAtOneKilohertz, "At 1 kHz");
            points += ScalePoint(kGainAtDc, "At DC");
            break;
        case Control::ShelfHz:
            points += ScalePoint(0, "Off");
            break;
        case Control::TrebleHz:
            points += ScalePoint(0, "Set by the roll-off at 10 kHz");
            break;
        case Control::RumbleHz:
            points += ScalePoint(kNoRumbleFilter, "Off");
            break;
        default:
            break;
    }
    return points;
}

std::string ControlPort(const ControlRow& row) {
    std::string port = "    [\n        a lv2:InputPort , lv2:ControlPort ;\n";
    port += "        lv2:index " + std::to_string(PortIndex(row.control)) + " ;\n";
    port += "        lv2:symbol " + Literal(row.symbol) + " ;\n";
    port += "        lv2:name " + Literal(row.name) + " ;\n";
    port += "        rdfs:comment " + Literal(row.comment) + " ;\n";
    if (row.control == Control::Enabled) {
        port += "        lv2:designation lv2:enabled ;\n";
    }
    switch (row.kind) {
        case ControlKind::Toggle:
            port += "        lv2:portProperty lv2:toggled ;\n";
            break;
        case ControlKind::Enumeration:
            port += "        lv2:portProperty lv2:integer , lv2:enumeration ;\n";
            break;
        case ControlKind::Integer:
            port += "        lv2:portProperty lv2:integer ;\n";
            break;
        case ControlKind::Logarithmic:
            port += "        lv2:portProperty pprop:logarithmic ;\n";
            break;
        case ControlKind::Continuous:
            break;
    }
    if (!row.unit.empty()) {
        port += "        units:unit units:" + std::string(row.unit) + " ;\n";
    }
    port += ScalePoints(row.control);
    port += "        lv2:default " + Number(row.defaultValue) + " ;\n";
    port += "        lv2:minimum " + Number(row.minimum) + " ;\n";
    port += "        lv2:maximum " + Number(row.maximum) + " ;\n    ]";
    return port;
}

std::string AudioPort(std::uint32_t index, bool input, std::string_view symbol,
                      std::string_view name) {
    return "    [\n        a lv2:AudioPort , " +
           std::string(input ? "lv2:InputPort" : "lv2:OutputPort") + " ;\n        lv2:index " +
           std::to_string(index) + " ;\n        lv2:symbol " + Literal(symbol) +
           " ;\n        lv2:name " + Literal(name) + " ;\n    ]";
}

std::string PluginDescription(const PluginVariant& variant) {
    std::string text = Uri(variant.uri) + "\n    a lv2:Plugin , lv2:FilterPlugin ;\n";
    text += "    doap:name " + Literal(variant.name) + " ;\n";
    text += "    doap:license <https://vorlexi.example.org/copyright> ;\n";
    text += "    rdfs:comment " +
            Literal(
                "Phono, tape and emphasis equalisation on the minimax design, within "
                "0.001 dB of the curve at the host's rate") +
            " ;\n";
    text += "    lv2:minorVersion 0 ;\n    lv2:microVersion 0 ;\n";
    text += "    lv2:optionalFeature lv2:hardRTCapable , work:schedule ;\n";
    text += "    lv2:extensionData work:interface ;\n";
    text += "    lv2:port\n";
    for (const ControlRow& row : PluginControls()) {
        text += ControlPort(row) + " ,\n";
    }
    static constexpr std::string_view kInputs[] = {"in_left", "in_right"};
    static constexpr std::string_view kOutputs[] = {"out_left", "out_right"};
    static constexpr std::string_view kInputNames[] = {"Input left", "Input right"};
    static constexpr std::string_view kOutputNames[] = {"Output left", "Output right"};
    std::uint32_t index = kFirstAudioPort;
    for (int c = 0; c < variant.channels; ++c) {
        const bool mono = variant.channels == 1;
        text +=
            AudioPort(index++, true, mono ? "in" : kInputs[c], mono ? "Input" : kInputNames[c]) +
            " ,\n";
    }
    for (int c = 0; c < variant.channels; ++c) {
        const bool mono = variant.channels == 1;
        text += AudioPort(index++, false, mono ? "out" : kOutputs[c],
                          mono ? "Output" : kOutputNames[c]);
        text += c + 1 < variant.channels ? " ,\n" : " .\n\n";
    }
    return text;
}

std::string Manifest(const std::string& binary) {
    std::string text(kPrefixes);
    for (const PluginVariant& variant : kVariants) {
        text += Uri(variant.uri) + "\n    a lv2:Plugin ;\n    lv2:binary <" + binary +
                "> ;\n    rdfs:seeAlso <vorlexi.ttl> .\n\n";
    }
    for (const PluginVariant& variant : kVariants) {
        for (const NamedCurve& curve : NamedCurves()) {
            for (bool recording : {false, true}) {
                text += Uri(PresetUri(variant, curve, recording)) +
                        "\n    a pset:Preset ;\n    lv2:appliesTo " + Uri(variant.uri) +
                        " ;\n    rdfs:seeAlso <presets.ttl> .\n\n";
            }
        }
    }
    return text;
}

std::string Presets() {
    std::string text(kPrefixes);
    for (const PluginVariant& variant : kVariants) {
        double value = 1.0;
        for (const NamedCurve& curve : NamedCurves()) {
            for (bool recording : {false, true}) {
                text += Uri(PresetUri(variant, curve, recording)) +
                        "\n    a pset:Preset ;\n    lv2:appliesTo " + Uri(variant.uri) +
                        " ;\n    rdfs:label " +
                        Literal(std::string(recording ? "Recording: " : "Playback: ") +
                                std::string(curve.description)) +
                        " ;\n    lv2:port [\n        lv2:symbol \"curve\" ;\n        pset:value " +
                        Number(value) +
                        "\n    ] , [\n        lv2:symbol \"direction\" ;\n        pset:value " +
                        Number(recording ? kRecording : kPlayback) + "\n    ] .\n\n";
            }
            value += 1.0;
        }
    }
    return text;
}

bool Write(const std::string& path, const std::string& content) {
    if (const auto problem = safe_write::WriteFileSafely(path, content)) {
        std::fprintf(stderr, "vorlexi_lv2_ttl: %s\n", problem->c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorlexi_lv2_ttl BUNDLE_FOLDER BINARY_NAME\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::string plugins(kPrefixes);
    for (const PluginVariant& variant : kVariants) {
        plugins += PluginDescription(variant);
    }
    const bool written = Write(folder + "/manifest.ttl", Manifest(argv[2])) &&
                         Write(folder + "/vorlexi.ttl", plugins) &&
                         Write(folder + "/presets.ttl", Presets());
    return written ? 0 : 1;
}
