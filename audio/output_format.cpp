#include "output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "base/ascii_case.h"
#include "base/number_text.h"
#include "containers.h"
#include "sndfile_library.h"

namespace {

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

std::optional<SampleEncoding> EncodingFromName(std::string_view name) {
    const std::string lower = AsciiLowercase(name);
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

using FormatOrReason = Result<SoundFileFormat>;

Result<SoundFileFormat> LossyFormat(int container, int codec, int channels, int sampleRate,
                                    std::optional<SampleEncoding> encoding) {
    const std::string name = ContainerName(container | codec);
    if (encoding) {
        return FormatOrReason::Failure("--bits does not apply to " + name +
                                       ", whose codec keeps its own precision; choose a lossless "
                                       "container for " +
                                       EncodingName(*encoding) + " samples");
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
        return FormatOrReason::Failure(
            name + " holds " +
            (codec == SF_FORMAT_OPUS ? "8, 12, 16, 24 or 48 kHz" : "8 to 48 kHz") + " only, not " +
            std::to_string(sampleRate) +
            " Hz; choose another --format-out (ogg and flac hold any rate)");
    }
    SF_INFO info{};
    info.format = container | codec;
    info.channels = channels;
    info.samplerate = sampleRate;
    if (!Sndfile().formatCheck(&info)) {
        return FormatOrReason::Failure(name + " cannot hold " + std::to_string(channels) +
                                       " channels at " + std::to_string(sampleRate) +
                                       " Hz; choose another --format-out");
    }
    return SoundFileFormat{container | codec, SampleEncoding::Float32, true};
}

bool Holds(int format, int channels, int sampleRate) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return Sndfile().formatCheck(&info) != 0;
}

}  // namespace

Result<SoundFileFormat> ResolveOutputFormat(int inputFormat, int channels, int sampleRate,
                                            std::optional<OutputContainer> container,
                                            std::optional<SampleEncoding> encoding) {
    const int inputSubtype = inputFormat & SF_FORMAT_SUBMASK;
    const bool lossyInput = IsLossyCodec(inputSubtype);
    const int major = container ? container->container : inputFormat & SF_FORMAT_TYPEMASK;
    const int codec = container ? container->codec : lossyInput ? inputSubtype : 0;
    if (!LibraryWritesContainer(major, codec)) {
        return FormatOrReason::Failure("the installed libsndfile does not write " +
                                       ContainerName(major | codec) +
                                       "; choose another --format-out");
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
            return FormatOrReason::Failure(
                "its samples are in an encoding that cannot be written back; choose one "
                "with --bits");
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
            return SoundFileFormat{major | subtype, *encoding};
        }
    }
    return FormatOrReason::Failure(
        ContainerName(major) + " cannot hold " + EncodingName(*encoding) + " samples in " +
        std::to_string(channels) + " channels at " + std::to_string(sampleRate) +
        " Hz; choose another --bits or " + "--format-out");
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

Result<SizedFormat> FitOutputSize(const SoundFileFormat& format, int channels, long long frames) {
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
            return SizedFormat{format.sndfileFormat, {}};
        default:
            break;
    }
    if (bytes <= kLargest32BitFile) {
        return SizedFormat{format.sndfileFormat, {}};
    }
    const std::string size = FormatShortest(std::round(bytes / 1e6) / 1e3) + " GB of audio";
    if (container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX) {
        return SizedFormat{
            SF_FORMAT_RF64 | subtype,
            size +
                " is more than a WAV file holds (4 GiB): written as RF64, the 64-bit "
                "form of WAV (--format-out w64 or caf chooses another container)"};
    }
    return Result<SizedFormat>::Failure(
        size + " is more than " + ContainerName(container) +
        " files hold (their sizes have 32 bits, 4 GiB at most); choose --format-out w64, caf "
        "or wav (written as RF64 when this large)");
}
