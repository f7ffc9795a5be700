#include "plugin/pipewire_plugin_export.h"

#include <stdexcept>

#include "base/number_text.h"
#include "writers/pipewire_text.h"

std::string FormatPipeWirePluginChain(const std::vector<std::pair<Control, double>>& controls,
                                      const std::string& name, const std::string& description,
                                      const std::string& comment) {
    std::string block;
    for (const auto& [control, value] : controls) {
        const ControlRow& row = RowOf(control);
        if (!(value >= row.minimum && value <= row.maximum)) {
            throw std::invalid_argument("the plugin's " + std::string(row.name) +
                                        " control takes " + FormatShortest(row.minimum) + " to " +
                                        FormatShortest(row.maximum) + ", not " +
                                        FormatShortest(value));
        }
        block += "                        \"" + std::string(row.symbol) +
                 "\" = " + FormatShortest(value) + "\n";
    }
    const std::string base = PipeWireNodeName(name, "vorlexi");
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
           "# nofail, PipeWire starts without the filter should the plugin be missing.\n" +
           PipeWireModuleHead(description) +
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
           "            }\n" +
           PipeWireSourceProps(base);
}
