#pragma once
// The containers apply writes, by name and by extension: the lossless ones, and the
// lossy codecs (MP3, Ogg Vorbis, Opus) that libsndfile 1.1 and later writes. Options
// are read from this table alone; whether the installed libsndfile writes a container
// is asked when a file is to be written.

#include <optional>
#include <string>
#include <string_view>

// A container and, for the lossy ones, the codec in it (SF_FORMAT_VORBIS, _OPUS,
// _MPEG_LAYER_III); 0 lets the sample format choose.
struct OutputContainer {
    OutputContainer(int container, int codec = 0) : container(container), codec(codec) {}
    int container;
    int codec;
};

// The containers the tool offers by name ("wav", "flac", "mp3", ...), or nothing.
// ResolveOutputFormat says when the installed libsndfile does not write one.
std::optional<OutputContainer> ContainerFromName(std::string_view name);
// The container a file name's extension stands for, or nothing: for a name without an
// extension, or with one that is not known (UnknownExtension then says so).
std::optional<OutputContainer> ContainerFromPath(const std::string& path);
// The error line for a path whose extension names no container the tool writes, with
// the ones it does; nothing for a known or no extension.
std::optional<std::string> UnknownExtension(const std::string& path);
// The usual extension of a container, with its dot; empty for one without.
std::string ExtensionOf(const OutputContainer& container);
// "FLAC", "Ogg Opus": a container (and codec) as messages name it.
std::string ContainerName(int sndfileFormat);

// Whether libsndfile can write the container to a pipe, whose start cannot be gone back
// to: those whose header holds no sizes, or whose sizes may stay unknown.
bool StreamsToPipe(int container);
// "au, flac, ogg, ...": the containers that StreamsToPipe and the installed libsndfile
// writes, by name.
std::string StreamingContainerNames();

// Vorbis, Opus and the MPEG layers: codecs whose samples are not stored as they are.
bool IsLossyCodec(int subtype);
// False only for a container of the table that the installed libsndfile does not write.
bool LibraryWritesContainer(int container, int codec);
