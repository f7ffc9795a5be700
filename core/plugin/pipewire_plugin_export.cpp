#include "pipewire_plugin_export.h"

#include <stdexcept>

#include "number_text.h"

namespace {

std::string NodeName(const std::string& name) {
    std::string safe;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        safe += plain ? c : '_';
    }
    return safe.empty() ? "vorlexi" : safe;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c == '\n' ? ' ' : c;
    }
    return quoted + "\"";
}

}  // namespace

std::string FormatPipeWirePluginChain(const std::vector<std::pair<Control, double>>& controls,
                                      const std::string& name, const std::string& description,
                                      const std::string& comment) {
    std::string block;
    for (const auto& [control, value] : controls) {
        const ControlSpec& spec = SpecOf(control);
        if (!(value >= spec.minimum && value <= spec.maximum)) {
            throw std::invalid_argument("the plugin's " + std::string(spec.name) +
                                        " control takes " + FormatShortest(spec.minimum) + " to " +
                                        FormatShortest(spec.maximum) + ", not " +
                                        FormatShortest(value));
        }
        block += "                        \"" + std::string(spec.symbol) +
                 "\" = " + FormatShortest(value) + "\n";
    }
    const std::string base = NodeName(name);
    return "# " + comment +
           "\n"
           "# Runs vorlexi's LV2 plugin (" +
           std::string(kStereoPluginUri) +
           "), which designs the filter\n"
           "# for the rate PipeWire runs at. Save this as\n"
           "# ~/.config/pipewire/pipewire.conf.d/" +
           base +
           ".conf (create the folder first) and restart\n"
           "# PipeWire: a source named as below appears, fed by the default input. With\n"
           "# nofail, PipeWire starts without the filter should the plugin be missing.\n"
           "context.modules = [\n"
           "    {   name = libpipewire-module-filter-chain\n"
           "        flags = [ nofail ]\n"
           "        args = {\n"
           "            node.description = " +
           Quoted(description) +
           "\n"
           "            media.name       = " +
           Quoted(description) +
           "\n"
           "            audio.channels   = 2\n"
           "            audio.position   = [ FL FR ]\n"
           "            filter.graph = {\n"
           "                nodes = [\n"
           "                    {\n"
           "                        type   = lv2\n"
           "                        name   = eq\n"
           "                        plugin = \"" +
           std::string(kStereoPluginUri) +
           "\"\n"
           "                        control = {\n" +
           block +
           "                        }\n"
           "                    }\n"
           "                ]\n"
           "                inputs  = [ \"eq:in_left\" \"eq:in_right\" ]\n"
           "                outputs = [ \"eq:out_left\" \"eq:out_right\" ]\n"
           "            }\n"
           "            capture.props = {\n"
           "                node.name    = \"capture." +
           base +
           "\"\n"
           "                node.passive = true\n"
           "            }\n"
           "            playback.props = {\n"
           "                node.name   = \"" +
           base +
           "\"\n"
           "                media.class = Audio/Source\n"
           "            }\n"
           "        }\n"
           "    }\n"
           "]\n";
}
