#include "output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "base/number_text.h"
#include "sndfile_library.h"

namespace {

struct NamedContainer {
    const char* name;
    int container;
    const char* extension;
};

constexpr NamedContainer kContainers[] = {
    {"wav", SF_FORMAT_WAV, ".wav"},    {"w64", SF_FORMAT_W64, ".w64"},
    {"aiff", SF_FORMAT_AIFF, ".aiff"}, {"flac", SF_FORMAT_FLAC, ".flac"},
    {"caf", SF_FORMAT_CAF, ".caf"},
};

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::optional<SampleEncoding> EncodingOfSubtype(int subtype) {
    switch (subtype) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
            return SampleEncoding::Pcm8;
        case SF_FORMAT_PCM_16:
            return SampleEncoding::Pcm16;
        case SF_FORMAT_PCM_24:
            return SampleEncoding::Pcm24;
        case SF_FORMAT_PCM_32:
            return SampleEncoding::Pcm32;
        case SF_FORMAT_FLOAT:
            return SampleEncoding::Float32;
        case SF_FORMAT_DOUBLE:
            return SampleEncoding::Float64;
        default:
            return std::nullopt;
    }
}

const NamedContainer* KnownContainer(int container) {
    for (const NamedContainer& c : kContainers) {
        if (c.container == container) return &c;
    }
    return nullptr;
}

// What libsndfile says of a container we have no row for (its name and extension).
SF_FORMAT_INFO LibraryFormatInfo(int container) {
    SF_FORMAT_INFO info{};
    info.format = container;
    if (Sndfile().command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) != 0) {
        info = SF_FORMAT_INFO{};
    }
    return info;
}

std::string ContainerName(int container) {
    if (const NamedContainer* known = KnownContainer(container)) return known->name;
    const SF_FORMAT_INFO info = LibraryFormatInfo(container);
    return info.name != nullptr ? info.name : "this container";
}

}  // namespace

int IntegerBits(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Pcm8:
            return 8;
        case SampleEncoding::Pcm16:
            return 16;
        case SampleEncoding::Pcm24:
            return 24;
        case SampleEncoding::Pcm32:
            return 32;
        default:
            return 0;
    }
}

std::optional<int> ContainerFromName(std::string_view name) {
    const std::string lower = Lowercase(name);
    for (const NamedContainer& c : kContainers) {
        if (lower == c.name) return c.container;
    }
    return std::nullopt;
}

std::optional<int> ContainerFromPath(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return std::nullopt;
    }
    const std::string extension = Lowercase(path.substr(dot));
    if (extension == ".aif") return SF_FORMAT_AIFF;
    for (const NamedContainer& c : kContainers) {
        if (extension == c.extension) return c.container;
    }
    return std::nullopt;
}

std::string ExtensionOf(int container) {
    if (const NamedContainer* known = KnownContainer(container)) return known->extension;
    const SF_FORMAT_INFO info = LibraryFormatInfo(container);
    return info.extension != nullptr ? std::string(".") + info.extension : std::string();
}

std::optional<SampleEncoding> EncodingFromName(std::string_view name) {
    const std::string lower = Lowercase(name);
    if (lower == "16") return SampleEncoding::Pcm16;
    if (lower == "24") return SampleEncoding::Pcm24;
    if (lower == "32") return SampleEncoding::Pcm32;
    if (lower == "32f") return SampleEncoding::Float32;
    if (lower == "64f") return SampleEncoding::Float64;
    return std::nullopt;
}

std::string EncodingName(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Pcm8:
            return "8-bit integer";
        case SampleEncoding::Pcm16:
            return "16-bit integer";
        case SampleEncoding::Pcm24:
            return "24-bit integer";
        case SampleEncoding::Pcm32:
            return "32-bit integer";
        case SampleEncoding::Float32:
            return "32-bit float";
        case SampleEncoding::Float64:
            return "64-bit float";
    }
    return {};
}

ResolvedFormat ResolveOutputFormat(int inputFormat, int channels, int sampleRate,
                                   std::optional<int> container,
                                   std::optional<SampleEncoding> encoding) {
    const int major = container.value_or(inputFormat & SF_FORMAT_TYPEMASK);
    const int inputSubtype = inputFormat & SF_FORMAT_SUBMASK;
    if (!encoding) {
        encoding = EncodingOfSubtype(inputSubtype);
        if (!encoding) {
            return {std::nullopt,
                    "its samples are in an encoding that cannot be written back; choose one "
                    "with --bits"};
        }
    }
    // 8-bit samples are unsigned in some containers and signed in others.
    int subtypes[2] = {0, 0};
    switch (*encoding) {
        case SampleEncoding::Pcm8:
            subtypes[0] = inputSubtype == SF_FORMAT_PCM_U8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_S8;
            subtypes[1] = subtypes[0] == SF_FORMAT_PCM_U8 ? SF_FORMAT_PCM_S8 : SF_FORMAT_PCM_U8;
            break;
        case SampleEncoding::Pcm16:
            subtypes[0] = SF_FORMAT_PCM_16;
            break;
        case SampleEncoding::Pcm24:
            subtypes[0] = SF_FORMAT_PCM_24;
            break;
        case SampleEncoding::Pcm32:
            subtypes[0] = SF_FORMAT_PCM_32;
            break;
        case SampleEncoding::Float32:
            subtypes[0] = SF_FORMAT_FLOAT;
            break;
        case SampleEncoding::Float64:
            subtypes[0] = SF_FORMAT_DOUBLE;
            break;
    }
    for (int subtype : subtypes) {
        if (subtype == 0) continue;
        SF_INFO info{};
        info.format = major | subtype;
        info.channels = channels;
        info.samplerate = sampleRate;
        if (Sndfile().formatCheck(&info)) {
            return {SoundFileFormat{major | subtype, *encoding}, {}};
        }
    }
    return {std::nullopt, ContainerName(major) + " cannot hold " + EncodingName(*encoding) +
                              " samples in " + std::to_string(channels) + " channels at " +
                              std::to_string(sampleRate) + " Hz; choose another --bits or " +
                              "--format-out"};
}

int BytesPerSample(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Pcm8:
            return 1;
        case SampleEncoding::Pcm16:
            return 2;
        case SampleEncoding::Pcm24:
            return 3;
        case SampleEncoding::Pcm32:
        case SampleEncoding::Float32:
            return 4;
        case SampleEncoding::Float64:
            return 8;
    }
    return 8;
}

double LargestFloatPeak(SampleEncoding encoding) {
    return encoding == SampleEncoding::Float32 ? std::numeric_limits<float>::max()
                                               : std::numeric_limits<double>::max();
}

double SmallestAudiblePeak(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Float32:
            return std::numeric_limits<float>::min();
        case SampleEncoding::Float64:
            return std::numeric_limits<double>::min();
        default:
            return std::ldexp(1.0, 1 - IntegerBits(encoding));
    }
}

SizedFormat FitOutputSize(const SoundFileFormat& format, int channels, long long frames) {
    // A megabyte below 4 GiB leaves room for the header and the strings.
    constexpr double kLargest32BitFile = 4294967295.0 - 1048576.0;
    const double bytes = static_cast<double>(frames) * channels * BytesPerSample(format.encoding);
    const int container = format.sndfileFormat & SF_FORMAT_TYPEMASK;
    const int subtype = format.sndfileFormat & SF_FORMAT_SUBMASK;
    switch (container) {
        case SF_FORMAT_W64:
        case SF_FORMAT_CAF:
        case SF_FORMAT_RF64:
        case SF_FORMAT_FLAC:
        case SF_FORMAT_RAW:
            return {format.sndfileFormat, {}, {}};
        default:
            break;
    }
    if (bytes <= kLargest32BitFile) {
        return {format.sndfileFormat, {}, {}};
    }
    const std::string size = FormatShortest(std::round(bytes / 1e6) / 1e3) + " GB of audio";
    if (container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX) {
        return {SF_FORMAT_RF64 | subtype,
                size +
                    " is more than a WAV file holds (4 GiB): written as RF64, the 64-bit "
                    "form of WAV (--format-out w64 or caf chooses another container)",
                {}};
    }
    return {
        0,
        {},
        size + " is more than " + ContainerName(container) +
            " files hold (their sizes have 32 bits, 4 GiB at most); choose --format-out w64, caf "
            "or wav (written as RF64 when this large)"};
}
