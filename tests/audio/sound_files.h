#pragma once
// Audio files for the tests, written and read with libsndfile directly, so that the
// tests see what another program would see.

#include <sndfile.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Sound {
    int format = 0;
    int rate = 0;
    int channels = 0;
    std::vector<double> samples;  // interleaved, full scale 1.0
    std::vector<std::pair<int, std::string>> strings;
};

// Throws std::runtime_error when the file cannot be written. For an integer format the
// samples should be whole steps of it; others are rounded.
void WriteSound(const std::string& path, const Sound& sound);
// Throws std::runtime_error when the file cannot be read.
Sound ReadSound(const std::string& path);

// An impulse of the given height at frame `at` in every channel, zeros elsewhere.
std::vector<double> Impulse(int channels, std::size_t frames, std::size_t at, double height);

// Uniform noise in [-amplitude, amplitude] from a fixed seed.
std::vector<double> Noise(std::size_t samples, double amplitude, unsigned seed);

// The input as the real SoX filters it with effects (a line that vorlexi-calc exports),
// written to output without dither and as 32-bit float, so that only the filter changes
// the samples. Throws std::runtime_error naming the command when SoX fails.
Sound FilteredBySox(const std::string& input, const std::string& output,
                    const std::string& effects);

// Where two sounds first differ by more than tolerance (or in length), or nothing.
std::optional<std::size_t> FirstDifference(const Sound& a, const Sound& b, double tolerance);

// The largest |sample|.
double Peak(const Sound& sound);

// A 16-bit stereo 96 kHz WAV of silence, about 47 minutes long, that takes no disk
// space: a header and a hole.
void WriteLongSilence(const std::string& path);
