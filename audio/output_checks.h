#pragma once
// Whether an output can take what the run would write, checked before anything is:
// each gives nothing when it can, else the reason in one line.

#include <optional>
#include <string>

#include "output_format.h"

// A named output that is a pipe or a device: a container's header is completed at the end.
std::optional<std::string> UnsuitableOutput(const std::string& outputPath);
// Standard output for a file of libsndfile format `format`: a terminal, or a container
// that cannot stream.
std::optional<std::string> UnsuitableStream(int format);
// --auto-gain's peak in an output of the encoding: below what it holds audibly.
std::optional<std::string> UnsuitableTarget(double targetPeakDbfs, SampleEncoding encoding);
// A design whose largest gain over the band (bandGain) leaves nothing audible of an input
// that peaks at inputPeak; an input too quiet on its own is not the gain's doing.
std::optional<std::string> InaudibleDesign(double bandGain, double inputPeak,
                                           SampleEncoding encoding);
