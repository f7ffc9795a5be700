#include "writers/pipewire_export.h"

#include <cmath>
#include <stdexcept>

#include "base/number_text.h"
#include "writers/export_formats.h"
#include "writers/pipewire_text.h"

namespace {

constexpr double kHighestRate = 10.0e6;

std::string Node(const std::string& node, const BiquadSection& s, const std::string& rate) {
    return "                    {\n"
           "                        type   = builtin\n"
           "                        name   = " +
           node +
           "\n"
           "                        label  = bq_raw\n"
           "                        config = {\n"
           "                            coefficients = [\n"
           "                                { rate = " +
           rate + ", b0 = " + ExportedCoefficient(s.b0) + ", b1 = " + ExportedCoefficient(s.b1) +
           ", b2 = " + ExportedCoefficient(s.b2) + ", a0 = 1, a1 = " + ExportedCoefficient(s.a1) +
           ", a2 = " + ExportedCoefficient(s.a2) +
           " }\n"
           "                            ]\n"
           "                        }\n"
           "                    }\n";
}

}  // namespace

std::string FormatPipeWireFilterChain(const Cascade& cascade, double samplingFrequency,
                                      const std::string& name, const std::string& description) {
    if (!(samplingFrequency >= 1.0 && samplingFrequency <= kHighestRate) ||
        samplingFrequency != std::floor(samplingFrequency)) {
        throw std::invalid_argument("PipeWire runs whole sampling rates from 1 Hz to 10 MHz, not " +
                                    FormatSignificant(samplingFrequency, 17) + " Hz");
    }
    if (cascade.sections.empty()) {
        throw std::invalid_argument("a filter-chain needs at least one section");
    }
    const std::string rate = FormatFixed(samplingFrequency, 0);
    const std::string base = PipeWireNodeName(name, "riaa");
    const std::size_t count = cascade.sections.size();
    const auto nodeName = [&](const char* side, std::size_t i) {
        return std::string(side) + "_" + std::to_string(i + 1);
    };

    std::string nodes;
    std::string links;
    for (const char* side : {"left", "right"}) {
        for (std::size_t i = 0; i < count; ++i) {
            nodes += Node(nodeName(side, i), cascade.sections[i], rate);
            if (i + 1 < count) {
                links += "                    { output = \"" + nodeName(side, i) +
                         ":Out\" input = \"" + nodeName(side, i + 1) + ":In\" }\n";
            }
        }
    }
    const std::string last = std::to_string(count);
    return "# " + description + ": " + std::to_string(count) +
           (count == 1 ? " second-order section" : " second-order sections") + " designed for " +
           rate +
           " Hz, as a PipeWire filter-chain.\n"
           "# The builtin bq_raw filter needs a PipeWire newer than 0.3.65. Save this as\n"
           "# ~/.config/pipewire/pipewire.conf.d/" +
           base +
           ".conf and restart PipeWire: a source\n"
           "# named as below appears, fed by the default input. With nofail, a PipeWire\n"
           "# that cannot load the chain starts without it.\n" +
           PipeWireModuleHead(description) +
           "            audio.rate       = " +
           rate +
           "\n"
           "            audio.channels   = 2\n"
           "            audio.position   = [ FL FR ]\n"
           "            filter.graph = {\n"
           "                nodes = [\n" +
           nodes +
           "                ]\n"
           "                links = [\n" +
           links +
           "                ]\n"
           "                inputs  = [ \"left_1:In\" \"right_1:In\" ]\n"
           "                outputs = [ \"left_" +
           last + ":Out\" \"right_" + last +
           ":Out\" ]\n"
           "            }\n" +
           PipeWireSourceProps(base);
}
