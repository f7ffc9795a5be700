#pragma once
// The two files of a measurement read and checked: the recording's channel and the
// sweep, at one rate, trimmed to where they overlap, neither silent nor clipped.

#include <string>
#include <vector>

#include "measure_options.h"

struct MeasureInputs {
    std::vector<double> recording;  // the chosen channel, trimmed to the overlap
    std::vector<double> reference;  // the sweep's first channel, likewise
    double samplingRate = 0.0;
    int channels = 0;              // the recording's
    double recordingSeconds = 0.0;  // before trimming
    double referenceSeconds = 0.0;
    std::string error;  // when set, nothing else is
    bool badOption = false;  // the error is the options' (exit status 2), not the files'
};

MeasureInputs ReadMeasureInputs(const MeasureOptions& options);

// "the recording is 12.5 s and the sweep 11 s: measured over the first 11 s", or empty
// when they are the same length.
std::string LengthNote(const MeasureInputs& inputs);
