#pragma once
// The two files of a measurement read and checked: the recording's channel and the
// sweep, at one rate, trimmed to where they overlap, neither silent nor clipped.

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "measure_options.h"
#include "whole_sound.h"

// The recording and the sweep as read from their files.
struct MeasureFiles {
    WholeSound recording;
    WholeSound sweep;
};

// Refused, as the files' fault: a file that cannot be read, or two at different rates.
Result<MeasureFiles> ReadMeasureFiles(const MeasureOptions& options);

// The options' fault: a --channel the recording does not have.
std::optional<std::string> ChannelProblem(const MeasureOptions& options, const MeasureFiles& files);

struct MeasureInputs {
    std::vector<double> recording;  // the chosen channel, trimmed to the overlap
    std::vector<double> reference;  // the sweep's first channel, likewise
    double samplingRate = 0.0;
    int channels = 0;               // the recording's
    double recordingSeconds = 0.0;  // before trimming
    double referenceSeconds = 0.0;
};

// The chosen channel and the sweep over their overlap. Refused, as the files' fault: an
// overlap longer than measure takes, a silent file, a clipped recording.
Result<MeasureInputs> MeasureInputsOf(const MeasureFiles& files, const MeasureOptions& options);

// "the recording is 12.5 s and the sweep 11 s: measured over the first 11 s", or empty
// when they are the same length.
std::string LengthNote(const MeasureInputs& inputs);
