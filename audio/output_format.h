#pragma once
// The output file's container and sample format: the input's own unless asked
// otherwise, checked against what the container can hold.

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "containers.h"

// How the samples are stored. The integer ones are dithered and rounded by us.
enum class SampleEncoding { Pcm8, Pcm16, Pcm24, Pcm32, Float32, Float64 };

struct SoundFileFormat {
    int sndfileFormat = 0;  // container | encoding, as libsndfile takes it
    SampleEncoding encoding = SampleEncoding::Float32;  // Float32 for a lossy codec
    bool lossy = false;  // MP3, Vorbis, Opus: samples go to the codec as floats, and its
                         // decoders clip what lies beyond full scale
};

// 8, 16, 24 or 32 for an integer encoding, 0 for floating point.
int IntegerBits(SampleEncoding encoding);

// "16", "24", "32" (integers), "32f", "64f" (floating point).
std::optional<SampleEncoding> EncodingFromName(std::string_view name);
std::string EncodingName(SampleEncoding encoding);

// The output for an input of libsndfile format `inputFormat`: the container and encoding
// asked for, else the input's. A lossy input keeps its codec in its own container, and
// becomes 32-bit float (24-bit where only integers fit) in a lossless one. A message when
// the input's encoding is none that can be written (ADPCM, mu-law, ...) and none was
// asked for, when --bits is asked of a lossy codec, or when the container cannot hold
// the encoding, the channel count or the rate.
Result<SoundFileFormat> ResolveOutputFormat(int inputFormat, int channels, int sampleRate,
                                            std::optional<OutputContainer> container,
                                            std::optional<SampleEncoding> encoding);

// The bytes one sample of the encoding takes in a file.
int BytesPerSample(SampleEncoding encoding);

// The largest and smallest peaks that an output of the encoding holds (full scale 1.0):
// the largest finite value for floating point (1.0 less the dither for integers is the
// quantizer's matter), and the smallest normal value, or one step of an integer.
double LargestFloatPeak(SampleEncoding encoding);
double SmallestAudiblePeak(SampleEncoding encoding);

// WAV, AIFF and most other containers record their sizes in 32 bits and cannot hold
// 4 GiB of audio: the size would wrap, and a reader would see a fraction of the file.
// Before anything is written, from the frames and channels: a WAV that large becomes
// RF64, WAV's own 64-bit form (notice says so); W64, CAF, RF64, FLAC and raw files hold
// any size; any other container is refused with the reason.
struct SizedFormat {
    int sndfileFormat = 0;
    std::string notice;
};
Result<SizedFormat> FitOutputSize(const SoundFileFormat& format, int channels, long long frames);
