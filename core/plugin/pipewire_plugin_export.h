#pragma once
// A PipeWire filter-chain that runs vorlexi's stereo LV2 plugin: the form that loads on
// PipeWire 0.3.65 (Debian 12), whose filter-chain hosts LV2 plugins through lilv but has
// no builtin bq_raw. The plugin designs for the rate PipeWire runs at, so the file holds
// the controls of the design, not coefficients, and suits every rate.
//
// The module carries `flags = [ nofail ]`: should the plugin be missing, PipeWire starts
// without the filter instead of not at all.

#include <string>
#include <utility>
#include <vector>

#include "plugin/plugin_controls.h"

// The controls given are set in the node's control block (the others keep the plugin's
// defaults). `name` becomes the node names (letters, digits, '_' and '-'; anything else
// is replaced by '_'), `description` the name users see, `comment` the file's first
// comment line. Throws std::invalid_argument for a value outside its control's range.
std::string FormatPipeWirePluginChain(const std::vector<std::pair<Control, double>>& controls,
                                      const std::string& name, const std::string& description,
                                      const std::string& comment);
