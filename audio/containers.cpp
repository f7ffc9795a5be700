#include "containers.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

#include "base/ascii_case.h"
#include "sndfile_library.h"

namespace {

struct NamedContainer {
    const char* name;
    int container;
    int codec;                  // the lossy codec it holds, or 0
    const char* extensions[2];  // the first is the one written
    bool streams;               // to a pipe, as libsndfile writes it
};

// WAV, AIFF, CAF, W64 and RF64 keep sizes in their header, which libsndfile completes at
// the end by going back; AU and raw have none to complete, Ogg and MP3 are streams by
// design, and FLAC goes to a pipe whole from a file without a name (standard_streams.h).
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
    return AsciiLowercase(std::string_view(path).substr(dot));
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

bool IsLossyCodec(int subtype) {
    return subtype == SF_FORMAT_VORBIS || subtype == SF_FORMAT_OPUS ||
           subtype == SF_FORMAT_MPEG_LAYER_I || subtype == SF_FORMAT_MPEG_LAYER_II ||
           subtype == SF_FORMAT_MPEG_LAYER_III;
}

bool LibraryWritesContainer(int container, int codec) {
    const NamedContainer* named = KnownContainer(container, codec);
    return named == nullptr || LibraryWrites(*named);
}

std::string ContainerName(int sndfileFormat) {
    const int container = sndfileFormat & SF_FORMAT_TYPEMASK;
    const int codec = sndfileFormat & SF_FORMAT_SUBMASK;
    if (const NamedContainer* known = KnownContainer(container, codec)) {
        std::string name = known->name;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return codec == SF_FORMAT_VORBIS ? "Ogg Vorbis"
               : codec == SF_FORMAT_OPUS ? "Ogg Opus"
                                         : name;
    }
    const SF_FORMAT_INFO info = LibraryFormatInfo(container);
    return info.name != nullptr ? info.name : "this container";
}

std::optional<OutputContainer> ContainerFromName(std::string_view name) {
    if (const NamedContainer* c = Named(AsciiLowercase(name)))
        return OutputContainer{c->container, c->codec};
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
