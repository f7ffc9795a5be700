#pragma once
// A designed cascade as a PipeWire filter-chain: a configuration fragment that makes
// the filter a virtual source fed by the default input.
//
// The graph follows the filter-chain module's documented syntax (nodes, links,
// inputs, outputs, capture.props, playback.props): one builtin `bq_raw` node per
// section and channel, linked "Out" to "In" in the cascade's order, a left and a
// right chain whose first inputs and last outputs are the graph's inputs and outputs,
// and audio.rate set to the designed rate so that PipeWire runs the filter there
// (resampling the stream around it if the device runs at another rate).
//
// bq_raw takes its coefficients in a config block, per sampling rate:
//   config = { coefficients = [ { rate = 48000, b0 = …, b1 = …, b2 = …, a0 = …, a1 = …, a2 = … } ]
//   }
// with the denominator as stored here (a1, a2 with their own signs). It is newer than
// the filter-chain documentation of PipeWire 0.3.65 (Debian 12), which lists the
// builtin biquads bq_lowpass … bq_allpass but not bq_raw.

#include <string>

#include "response/cascade.h"

// `name` becomes the node names (letters, digits, '_' and '-'; anything else is
// replaced by '_'), `description` the name users see (quoted). Throws
// std::invalid_argument for a sampling rate that is not a whole number of hertz
// from 1 to 10 MHz (PipeWire's rates are integers) or a cascade without sections.
std::string FormatPipeWireFilterChain(const Cascade& cascade, double samplingFrequency,
                                      const std::string& name, const std::string& description);
