#include "output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <limits>

#include "number_text.h"
#include "sndfile_library.h"

namespace {

struct NamedContainer {
    const char* name;
    int container;
    int codec;  // the lossy codec it holds, or 0
    const char* extensions[2];  // the first is the one written
    bool streams;  // to a pipe, as libsndfile writes it
};

// WAV, AIFF, CAF, W64 and RF64 keep sizes in their header, which libsndfile completes at
// the end by going back; AU and raw have none to complete, FLAC leaves its totals
// unknown, and Ogg and MP3 are streams by design.
constexpr NamedContainer kContainers[] = {
    {"wav", SF_FORMAT_WAV, 0, {".wav", nullptr}, false},
    {"w64", SF_FORMAT_W64, 0, {".w64", nullptr}, false},
    {"rf64", SF_FORMAT_RF64, 0, {".rf64", nullptr}, false},
    {"aiff", SF_FORMAT_AIFF, 0, {".aiff", ".aif"}, false},
    {"caf", SF_FORMAT_CAF, 0, {".caf", nullptr}, false},
    {"flac", SF_FORMAT_FLAC, 0, {".flac", nullptr}, true},
    {"au", SF_FORMAT_AU, 0, {".au", ".snd"}, true},
    {"raw", SF_FORMAT_RAW, 0, {".raw", nullptr}, true},
    {"ogg", SF_FORMAT_OGG, SF_FORMAT_VORBIS, {".ogg", ".oga"}, true},
    {"opus", SF_FORMAT_OGG, SF_FORMAT_OPUS, {".opus", nullptr}, true},
    {"mp3", SF_FORMAT_MPEG, SF_FORMAT_MPEG_LAYER_III, {".mp3", nullptr}, true},
};

bool IsLossyCodec(int subtype) {
    return subtype == SF_FORMAT_VORBIS || subtype == SF_FORMAT_OPUS ||
           subtype == SF_FORMAT_MPEG_LAYER_I || subtype == SF_FORMAT_MPEG_LAYER_II ||
           subtype == SF_FORMAT_MPEG_LAYER_III;
}

// Whether the installed libsndfile writes the container at all: Debian's builds have
// had MP3 since 1.1, others may lack it, or Ogg.
bool LibraryWrites(const NamedContainer& c) {
    SF_INFO info{};
    info.format = c.container | (c.codec != 0 ? c.codec : SF_FORMAT_PCM_16);
    info.channels = 1;
    info.samplerate = 48000;
    return Sndfile().formatCheck(&info) != 0;
}

// By name and extension from the table alone, so that the options are checked without
// loading libsndfile; whether the library writes the container is asked when a file is.
const NamedContainer* Named(std::string_view lowerName) {
    for (const NamedContainer& c : kContainers) {
        if (lowerName == c.name) return &c;
    }
    return nullptr;
}

const NamedContainer* ByExtension(std::string_view lowerExtension) {
    for (const NamedContainer& c : kContainers) {
        for (const char* extension : c.extensions) {
            if (extension != nullptr && lowerExtension == extension) return &c;
        }
    }
    return nullptr;
}

// The extension of a path's file name with its dot, lowercase; empty for none.
std::string ExtensionOfPath(const std::string& path);

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

const NamedContainer* KnownContainer(int container, int codec) {
    for (const NamedContainer& c : kContainers) {
        if (c.container == container && c.codec == (IsLossyCodec(codec) ? codec : 0)) return &c;
    }
    return nullptr;
}

std::string ExtensionOfPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (dot == std::string::npos || dot <= nameStart) {
        return {};
    }
    return Lowercase(std::string_view(path).substr(dot));
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

}  // namespace

std::string ContainerName(int sndfileFormat) {
    const int container = sndfileFormat & SF_FORMAT_TYPEMASK;
    const int codec = sndfileFormat & SF_FORMAT_SUBMASK;
    if (const NamedContainer* known = KnownContainer(container, codec)) {
        std::string name = known->name;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return codec == SF_FORMAT_VORBIS ? "Ogg Vorbis" : codec == SF_FORMAT_OPUS ? "Ogg Opus" : name;
    }
    const SF_FORMAT_INFO info = LibraryFormatInfo(container);
    return info.name != nullptr ? info.name : "this container";
}

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

std::optional<OutputContainer> ContainerFromName(std::string_view name) {
    if (const NamedContainer* c = Named(Lowercase(name))) return OutputContainer{c->container, c->codec};
    return std::nullopt;
}


std::optional<OutputContainer> ContainerFromPath(const std::string& path) {
    if (const NamedContainer* c = ByExtension(ExtensionOfPath(path))) {
        return OutputContainer{c->container, c->codec};
    }
    return std::nullopt;
}

std::optional<std::string> UnknownExtension(const std::string& path) {
    const std::string extension = ExtensionOfPath(path);
    if (extension.empty() || ByExtension(extension) != nullptr) {
        return std::nullopt;
    }
    std::string known;
    for (const NamedContainer& c : kContainers) {
        for (const char* other : c.extensions) {
            if (other != nullptr) known += (known.empty() ? "" : " ") + std::string(other);
        }
    }
    return "\"" + extension + "\" is no audio file that apply writes; it writes " + known +
           " (or --format-out chooses the container whatever the name)";
}

std::string ExtensionOf(const OutputContainer& container) {
    if (const NamedContainer* known = KnownContainer(container.container, container.codec)) {
        return known->extensions[0];
    }
    const SF_FORMAT_INFO info = LibraryFormatInfo(container.container);
    return info.extension != nullptr ? std::string(".") + info.extension : std::string();
}

bool StreamsToPipe(int container) {
    for (const NamedContainer& c : kContainers) {
        if (c.container == container) return c.streams;
    }
    return false;
}

std::string StreamingContainerNames() {
    std::string names;
    for (const NamedContainer& c : kContainers) {
        if (c.streams && LibraryWrites(c)) {
            names += (names.empty() ? "" : ", ") + std::string(c.name);
        }
    }
    return names;
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

namespace {

ResolvedFormat LossyFormat(int container, int codec, int channels, int sampleRate,
                           std::optional<SampleEncoding> encoding) {
    const std::string name = ContainerName(container | codec);
    if (encoding) {
        return {std::nullopt, "--bits does not apply to " + name +
                                  ", whose codec keeps its own precision; choose a lossless "
                                  "container for " +
                                  EncodingName(*encoding) + " samples"};
    }
    // libsndfile's format check passes any rate; the Opus and MPEG encoders then refuse
    // the file.
    constexpr int kOpusRates[] = {8000, 12000, 16000, 24000, 48000};
    constexpr int kMpegRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    const auto holds = [sampleRate](const auto& rates) {
        return std::find(std::begin(rates), std::end(rates), sampleRate) != std::end(rates);
    };
    if ((codec == SF_FORMAT_OPUS && !holds(kOpusRates)) ||
        (codec == SF_FORMAT_MPEG_LAYER_III && !holds(kMpegRates))) {
        return {std::nullopt, name + " holds " +
                                  (codec == SF_FORMAT_OPUS ? "8, 12, 16, 24 or 48 kHz"
                                                           : "8 to 48 kHz") +
                                  " only, not " + std::to_string(sampleRate) +
                                  " Hz; choose another --format-out (ogg and flac hold any rate)"};
    }
    SF_INFO info{};
    info.format = container | codec;
    info.channels = channels;
    info.samplerate = sampleRate;
    if (!Sndfile().formatCheck(&info)) {
        return {std::nullopt, name + " cannot hold " + std::to_string(channels) +
                                  " channels at " + std::to_string(sampleRate) +
                                  " Hz; choose another --format-out"};
    }
    return {SoundFileFormat{container | codec, SampleEncoding::Float32, true}, {}};
}

bool Holds(int format, int channels, int sampleRate) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return Sndfile().formatCheck(&info) != 0;
}

}  // namespace

ResolvedFormat ResolveOutputFormat(int inputFormat, int channels, int sampleRate,
                                   std::optional<OutputContainer> container,
                                   std::optional<SampleEncoding> encoding) {
    const int inputSubtype = inputFormat & SF_FORMAT_SUBMASK;
    const bool lossyInput = IsLossyCodec(inputSubtype);
    const int major = container ? container->container : inputFormat & SF_FORMAT_TYPEMASK;
    const int codec = container ? container->codec : lossyInput ? inputSubtype : 0;
    if (const NamedContainer* named = KnownContainer(major, codec);
        named != nullptr && !LibraryWrites(*named)) {
        return {std::nullopt, "the installed libsndfile does not write " +
                                  ContainerName(major | codec) + "; choose another --format-out"};
    }
    if (codec != 0) {
        return LossyFormat(major, codec, channels, sampleRate, encoding);
    }
    if (!encoding && lossyInput) {
        // Decoded, a lossy file is floating point, which FLAC, for one, cannot hold.
        encoding = Holds(major | SF_FORMAT_FLOAT, channels, sampleRate) ? SampleEncoding::Float32
                                                                        : SampleEncoding::Pcm24;
    }
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
        case SF_FORMAT_OGG:
        case SF_FORMAT_MPEG:
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
