#include "sound_files.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <stdexcept>

#include "external_tool.h"

void WriteSound(const std::string& path, const Sound& sound) {
    SF_INFO info{};
    info.format = sound.format;
    info.samplerate = sound.rate;
    info.channels = sound.channels;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    }
    for (const auto& [kind, text] : sound.strings) {
        sf_set_string(file, kind, text.c_str());
    }
    const sf_count_t frames = static_cast<sf_count_t>(sound.samples.size()) / sound.channels;
    bool complete;
    const int subtype = sound.format & SF_FORMAT_SUBMASK;
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE) {
        complete = sf_writef_double(file, sound.samples.data(), frames) == frames;
    } else {
        // libsndfile scales doubles to integers by 0x7FFF..., but reads them back by
        // 1/0x8000...: integers left-justified in 32 bits go in exactly.
        std::vector<int> integers(sound.samples.size());
        for (std::size_t i = 0; i < integers.size(); ++i) {
            integers[i] = static_cast<int>(std::clamp(
                std::nearbyint(sound.samples[i] * 2147483648.0), -2147483648.0, 2147483647.0));
        }
        complete = sf_writef_int(file, integers.data(), frames) == frames;
    }
    if (sf_close(file) != 0 || !complete) {
        throw std::runtime_error(path + ": cannot write");
    }
}

Sound ReadSound(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    }
    Sound sound;
    sound.format = info.format;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    // A stream (a FLAC written to a pipe) does not know its length: read to its end.
    const bool unknownLength = info.frames == SF_COUNT_MAX;
    sf_count_t read = 0;
    if (unknownLength) {
        std::vector<double> block(4096 * static_cast<std::size_t>(info.channels));
        for (sf_count_t got; (got = sf_readf_double(file, block.data(), 4096)) > 0;) {
            sound.samples.insert(sound.samples.end(), block.begin(),
                                 block.begin() + got * info.channels);
        }
    } else {
        sound.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
        read = sf_readf_double(file, sound.samples.data(), info.frames);
    }
    for (int kind = SF_STR_FIRST; kind <= SF_STR_LAST; ++kind) {
        if (const char* text = sf_get_string(file, kind)) {
            sound.strings.emplace_back(kind, text);
        }
    }
    sf_close(file);
    if (!unknownLength && read != info.frames) {
        throw std::runtime_error(path + ": cannot read every frame");
    }
    return sound;
}

std::vector<double> Impulse(int channels, std::size_t frames, std::size_t at, double height) {
    std::vector<double> samples(frames * static_cast<std::size_t>(channels), 0.0);
    for (int c = 0; c < channels; ++c) {
        samples[at * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = height;
    }
    return samples;
}

std::vector<double> Noise(std::size_t samples, double amplitude, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-amplitude, amplitude);
    std::vector<double> noise(samples);
    for (double& value : noise) {
        value = uniform(random);
    }
    return noise;
}

Sound FilteredBySox(const std::string& input, const std::string& output,
                    const std::string& effects) {
    const std::string command = "sox -D " + ShellQuoted(input) + " -e floating-point -b 32 " +
                                ShellQuoted(output) + " " + effects + " 2>/dev/null";
    if (RunCommand(command) != 0) {
        throw std::runtime_error("failed: " + command);
    }
    return ReadSound(output);
}

std::optional<std::size_t> FirstDifference(const Sound& a, const Sound& b, double tolerance) {
    const std::size_t common = std::min(a.samples.size(), b.samples.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!(std::fabs(a.samples[i] - b.samples[i]) <= tolerance)) {
            return i;
        }
    }
    if (a.samples.size() != b.samples.size()) {
        return common;
    }
    return std::nullopt;
}

double Peak(const Sound& sound) {
    double peak = 0.0;
    for (double sample : sound.samples) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

static void Put32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void WriteLongSilence(const std::string& path) {
    constexpr std::uint32_t kDataBytes = 1u << 30;
    std::string header = "RIFF";
    Put32(header, 36 + kDataBytes);
    header += "WAVEfmt ";
    Put32(header, 16);
    Put32(header, 1 | (2u << 16));  // PCM, 2 channels
    Put32(header, 96000);
    Put32(header, 96000 * 4);
    Put32(header, 4 | (16u << 16));  // 4 bytes a frame, 16 bits
    header += "data";
    Put32(header, kDataBytes);
    std::ofstream(path, std::ios::binary) << header;
    if (truncate(path.c_str(), static_cast<off_t>(header.size() + kDataBytes)) != 0) {
        throw std::runtime_error("cannot extend " + path);
    }
}
