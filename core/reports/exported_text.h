#pragma once
// The design as text for another program (vorlexi-calc --format).

#include <string>

#include "designs/make_design.h"

// What vorlexi-calc's stdout carries: the report, or text for another program.
enum class OutputFormat {
    Report,
    Sox,
    Ffmpeg,
    CamillaDsp,
    CamillaDspV2,
    Nyquist,
    PipeWire,
    PipeWireBqRaw
};

// The text for the format (not Report), ending in a line break. PipeWire throws
// std::invalid_argument for a rate that is not a whole number of hertz, and for a design
// the LV2 plugin cannot run.
std::string ExportedText(OutputFormat format, const Design& design);
