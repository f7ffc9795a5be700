#pragma once
// A short audio file held whole in memory: a test sweep written in one go, and a
// recording read in one go to be measured. Written through the safe writer, so a
// failed run leaves no partial file; integers dithered and rounded by the quantizer.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "output_format.h"
#include "sound_file.h"

struct WholeSound {
    int samplingRate = 0;
    int channels = 0;
    int sndfileFormat = 0;
    std::vector<double> samples;  // interleaved, full scale 1.0
    long long fileFrames = 0;     // in the file, whether read or not
};

// The file's first mostFrames frames (all of it by default), or the message naming it
// and the reason. A recording of a whole LP side need not fill the memory to be refused.
Result<WholeSound> ReadWholeSound(const std::string& path,
                                  std::size_t mostFrames = std::numeric_limits<std::size_t>::max());

// One channel of a sound (0 for the first).
std::vector<double> ChannelOf(const WholeSound& sound, int channel);

// Writes the samples (interleaved, full scale 1.0) as path in the format, integer ones
// with TPDF dither. Nothing on success, else the message. The caller keeps the samples
// within full scale: what an integer encoding cannot hold is clipped.
std::optional<std::string> WriteWholeSound(const std::string& path, const SoundFileFormat& format,
                                           int samplingRate, int channels,
                                           const std::vector<double>& samples,
                                           const std::vector<SoundString>& strings);
