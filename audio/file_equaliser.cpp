#include "file_equaliser.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "base/decibels.h"
#include "base/number_text.h"
#include "cascade_filter.h"
#include "channel_fold.h"
#include "equaliser_blocks.h"
#include "output_checks.h"
#include "quantizer.h"
#include "safe_writer.h"
#include "shown_path.h"
#include "sound_file.h"
#include "standard_streams.h"

namespace {

using namespace equaliser_blocks;

EqualiseResult Outcome(EqualiseResult result, EqualiseOutcome outcome, const std::string& message) {
    result.outcome = outcome;
    result.message = message;
    return result;
}

// The input's strings, with the design appended to its comment (or as the comment).
std::vector<SoundString> OutputStrings(const SoundReader& reader, const std::string& design) {
    std::vector<SoundString> strings = reader.Strings();
    for (auto& [kind, text] : strings) {
        if (kind == SF_STR_COMMENT) {
            text += "\n" + design;
            return strings;
        }
    }
    strings.emplace_back(SF_STR_COMMENT, design);
    return strings;
}

Cascade Scaled(Cascade cascade, double scale) {
    BiquadSection& first = cascade.sections.front();
    first.b0 *= scale;
    first.b1 *= scale;
    first.b2 *= scale;
    return cascade;
}

// A descriptor closed as it goes out of scope.
class UniqueDescriptor {
public:
    explicit UniqueDescriptor(int fd) : fd_(fd) {}
    ~UniqueDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueDescriptor(const UniqueDescriptor&) = delete;
    UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;
    explicit operator bool() const { return fd_ >= 0; }
    int Get() const { return fd_; }

private:
    int fd_;
};

// Floating-point files may hold samples far beyond full scale; others peak at 1.0 at most.
bool FloatingPointFile(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}

}  // namespace

EqualiseResult EqualiseFile(const std::string& inputPath, const std::string& outputPath,
                            const DesignForRate& design, const EqualiseSettings& settings,
                            const ProgressReport& progress) {
    EqualiseResult result;
    const std::string shownInput = ShownSoundPath(inputPath, SoundSide::Input);
    SoundReader reader(inputPath);
    if (!reader.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, reader.Error());
    }
    const SF_INFO info = reader.Info();
    result.frames = static_cast<std::uint64_t>(info.frames);
    result.samplingRate = info.samplerate;

    if (settings.channels != ChannelFold::AsIs && info.channels != 2) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       shownInput + ": --channels " + ChannelFoldName(settings.channels) +
                           " folds the two channels of a stereo file, and this one has " +
                           std::to_string(info.channels) +
                           "; leave --channels out for every channel as it is");
    }
    const int channels = FoldedChannels(settings.channels, info.channels);
    const Result<SoundFileFormat> resolved = ResolveOutputFormat(
        info.format, channels, info.samplerate, settings.container, settings.encoding);
    if (!resolved) {
        return Outcome(result, EqualiseOutcome::BadRequest, shownInput + ": " + resolved.error());
    }
    const SampleEncoding encoding = resolved->encoding;
    const Result<SizedFormat> sized = FitOutputSize(*resolved, channels, info.frames);
    if (!sized) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       ShownSoundPath(outputPath, SoundSide::Output) + ": " + sized.error());
    }
    if (!sized->notice.empty()) {
        result.notice = ShownSoundPath(outputPath, SoundSide::Output) + ": " + sized->notice;
    }
    const Result<AppliedDesign> designed = design(static_cast<double>(info.samplerate));
    if (!designed || designed->cascade.sections.empty()) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       shownInput + ": " + (designed ? "no design" : designed.error()));
    }
    const AppliedDesign& applied = *designed;
    if (!applied.notice.empty()) {
        result.notice +=
            (result.notice.empty() ? "" : "\nvorlexi-calc: ") + shownInput + ": " + applied.notice;
    }
    if (Message unsuitable = outputPath == kStandardStream ? UnsuitableStream(sized->sndfileFormat)
                                                           : UnsuitableOutput(outputPath)) {
        return Outcome(result, EqualiseOutcome::BadRequest, *unsuitable);
    }
    if (settings.headroom == Headroom::AutoGain) {
        if (Message target = UnsuitableTarget(settings.targetPeakDbfs, encoding)) {
            return Outcome(result, EqualiseOutcome::BadRequest, shownInput + ": " + *target);
        }
    } else if (!FloatingPointFile(info.format)) {
        // Judged at full scale before anything is read; a float file once it is read.
        if (Message inaudible = InaudibleDesign(applied.bandGain, 1.0, encoding)) {
            return Outcome(result, EqualiseOutcome::BadRequest, shownInput + ": " + *inaudible);
        }
    }

    const int bits = IntegerBits(encoding);
    const bool lossy = resolved->lossy;
    // A lossy codec takes floats, but its decoders clip them at full scale.
    result.integerOutput = bits > 0 || lossy;
    const bool measureFirst = settings.headroom == Headroom::AutoGain ||
                              (result.integerOutput && settings.headroom == Headroom::Refuse);
    ProgressCounter counter(progress, result.frames * (measureFirst ? 2 : 1), result.samplingRate);

    const bool readsFloat = ReadsExactlyAsFloat(info.format);
    BlockBuffers buffers(kBlockFrames * static_cast<std::size_t>(info.channels),
                         readsFloat || encoding == SampleEncoding::Float32,
                         !readsFloat || encoding != SampleEncoding::Float32, bits > 0);
    // The largest peak the output holds: what never clips after dither, or for floating
    // point the largest value less a margin for the rounding of the scaled filter.
    const double largest = bits > 0 ? Quantizer::LargestSafePeak(bits, settings.dither)
                           : lossy  ? 1.0
                                    : LargestFloatPeak(encoding) * (1.0 - 1e-9);
    const auto measure = [&](const Cascade& cascade, double& peak) {
        CascadeFilter measuring(cascade, channels);
        if (Stop failure = MeasurePeak(reader, shownInput, settings.channels, measuring, buffers,
                                       counter, peak)) {
            return Message(failure->message);
        }
        return reader.Rewind() ? Message() : Message(reader.Error());
    };

    double scale = 1.0;
    if (measureFirst) {
        double peak = 0.0;
        if (Message failure = measure(applied.cascade, peak)) {
            return Outcome(result, EqualiseOutcome::Failed, *failure);
        }
        if (settings.headroom == Headroom::AutoGain) {
            const double target = std::min(std::pow(10.0, settings.targetPeakDbfs / 20.0), largest);
            scale = peak > 0.0 ? target / peak : 1.0;
            result.appliedScale = scale;
        } else if (peak > largest) {
            result.peak = peak;
            result.safeScale = largest / peak;
            return Outcome(result, EqualiseOutcome::WouldClip,
                           shownInput + ": the equalised signal would clip in " +
                               (lossy ? "an " + ContainerName(sized->sndfileFormat)
                                      : "a " + std::to_string(bits) + "-bit") +
                               " output");
        }
    }
    CascadeFilter filter(Scaled(applied.cascade, scale), channels);

    // Standard output is written as it comes; a file only once it is complete.
    const bool toStandardOutput = outputPath == kStandardStream;
    std::optional<safe_write::PendingFile> pending;
    if (!toStandardOutput) {
        pending.emplace(safe_write::PendingFile::Begin(outputPath));
        if (!pending->Ok()) {
            return Outcome(result, EqualiseOutcome::Failed, pending->Error());
        }
        if (pending->WritesInPlace()) {
            return Outcome(result, EqualiseOutcome::BadRequest, *UnsuitableOutput(outputPath));
        }
    }
    SF_INFO outputInfo{};
    outputInfo.samplerate = info.samplerate;
    outputInfo.channels = channels;
    outputInfo.format = sized->sndfileFormat;
    // A FLAC stream goes to a pipe once it is complete (standard_streams.h).
    const bool flacToPipe = toStandardOutput &&
                            (sized->sndfileFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC &&
                            ::lseek(STDOUT_FILENO, 0, SEEK_CUR) < 0;
    UniqueDescriptor flacStream(flacToPipe ? UnnamedTemporaryFile() : -1);
    if (flacToPipe && !flacStream) {
        return Outcome(result, EqualiseOutcome::Failed,
                       std::string("standard output: cannot make a temporary file for the FLAC "
                                   "stream: ") +
                           std::strerror(errno));
    }
    SoundWriter writer(pending      ? pending->Descriptor()
                       : flacStream ? flacStream.Get()
                                    : STDOUT_FILENO,
                       outputPath, outputInfo);
    if (!writer.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, writer.Error());
    }
    writer.SetStrings(OutputStrings(
        reader, applied.describeGain ? applied.description + ", " + applied.describeGain(scale)
                                     : applied.description));

    const Stop failure =
        readsFloat ? WriteFiltered<float>(reader, shownInput, settings.channels, filter, buffers,
                                          writer, encoding, settings.dither, counter, result)
                   : WriteFiltered<double>(reader, shownInput, settings.channels, filter, buffers,
                                           writer, encoding, settings.dither, counter, result);
    if (failure && failure->floatOverflow) {
        // Nothing is kept; the whole file's peak names the gain that fits.
        writer.Close();
        double peak = 0.0;
        if (!reader.Rewind()) {
            return Outcome(result, EqualiseOutcome::Failed, reader.Error());
        }
        if (Message measuring = measure(Scaled(applied.cascade, scale), peak)) {
            return Outcome(result, EqualiseOutcome::Failed, *measuring);
        }
        result.peak = peak;
        result.safeScale = largest / peak;
        result.floatOverflow = true;
        return Outcome(result, EqualiseOutcome::WouldClip, failure->message);
    }
    if (failure) {
        return Outcome(result, EqualiseOutcome::Failed, failure->message);
    }
    // A float file's level is known once it is read: an output too quiet to hold anything
    // is judged against the input's own peak.
    if (settings.headroom != Headroom::AutoGain && FloatingPointFile(info.format) &&
        result.peak < SmallestAudiblePeak(encoding)) {
        const std::optional<double> inputPeak = InputPeak(reader, buffers, info.channels);
        if (!inputPeak) {
            return Outcome(result, EqualiseOutcome::Failed, reader.Error());
        }
        if (Message inaudible = InaudibleDesign(applied.bandGain, *inputPeak, encoding)) {
            return Outcome(result, EqualiseOutcome::BadRequest, shownInput + ": " + *inaudible);
        }
    }
    if (Message closing = writer.Close()) {
        return Outcome(result, EqualiseOutcome::Failed, *closing);
    }
    if (Message committing = pending      ? pending->Commit()
                             : flacStream ? CopyToStandardOutput(flacStream.Get())
                                          : Message()) {
        return Outcome(result, EqualiseOutcome::Failed, *committing);
    }
    result.outcome = EqualiseOutcome::Done;
    return result;
}
