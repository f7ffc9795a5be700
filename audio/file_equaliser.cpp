#include "file_equaliser.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "base/decibels.h"
#include "base/number_text.h"
#include "cascade_filter.h"
#include "quantizer.h"
#include "safe_writer.h"
#include "shown_path.h"
#include "sound_file.h"

namespace {

using Message = std::optional<std::string>;

EqualiseResult Outcome(EqualiseResult result, EqualiseOutcome outcome, const std::string& message) {
    result.outcome = outcome;
    result.message = message;
    return result;
}

// Integer files of up to 24 bits, floats and the compressed encodings read exactly into
// float, at half the memory traffic of double; wider ones need double.
bool ReadsExactlyAsFloat(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype != SF_FORMAT_PCM_32 && subtype != SF_FORMAT_DOUBLE;
}

class ProgressCounter {
public:
    ProgressCounter(const ProgressReport& report, std::uint64_t total, double samplingRate)
        : report_(report), total_(total), samplingRate_(samplingRate) {}
    void Advance(std::uint64_t frames) {
        done_ += frames;
        if (report_) report_(done_, total_, samplingRate_);
    }

private:
    const ProgressReport& report_;
    std::uint64_t total_;
    double samplingRate_;
    std::uint64_t done_ = 0;
};

// The blocks' buffers, allocated before the output file begins, so that a lack of
// memory fails before anything is written.
struct BlockBuffers {
    BlockBuffers(std::size_t samples, bool floats, bool doubles, bool integers)
        : floats(floats ? samples : 0),
          doubles(doubles ? samples : 0),
          integers(integers ? samples : 0) {}
    template <typename Sample>
    std::vector<Sample>& Of() {
        if constexpr (std::is_same_v<Sample, float>) {
            return floats;
        } else {
            return doubles;
        }
    }
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<int> integers;
};

// Why the blocks stopped: a message, and whether a 32-bit float output overflowed.
struct BlockStop {
    std::string message;
    bool floatOverflow = false;
};
using Stop = std::optional<BlockStop>;

// The whole input's largest magnitude, read once more from the start: NaN when a sample
// is not finite, nothing when it cannot be read. Only for the rare verdicts that need
// it, so that the blocks' loop pays nothing for it.
template <typename In>
std::optional<double> InputPeak(SoundReader& reader, BlockBuffers& buffers, int channels) {
    if (!reader.Rewind()) return std::nullopt;
    In* input = buffers.Of<In>().data();
    double largest = 0.0;
    for (;;) {
        const long long frames = reader.Read(input, kBlockFrames);
        if (frames < 0) return std::nullopt;
        if (frames == 0) return largest;
        for (std::size_t i = 0; i < static_cast<std::size_t>(frames * channels); ++i) {
            const double magnitude = std::fabs(static_cast<double>(input[i]));
            if (!std::isfinite(magnitude)) return NAN;
            largest = magnitude > largest ? magnitude : largest;
        }
    }
}

std::optional<double> InputPeak(SoundReader& reader, BlockBuffers& buffers, int channels) {
    return ReadsExactlyAsFloat(reader.Info().format) ? InputPeak<float>(reader, buffers, channels)
                                                     : InputPeak<double>(reader, buffers, channels);
}

// Reads every block, filters it and hands the output to `sink` (which returns a message
// on failure); the largest output magnitude goes into peak.
template <typename In, typename Out, typename Sink>
Stop RunBlocks(SoundReader& reader, const std::string& shownInput, CascadeFilter& filter,
               BlockBuffers& buffers, ProgressCounter& progress, double& peak, Sink&& sink) {
    In* input = buffers.Of<In>().data();
    Out* output = buffers.Of<Out>().data();  // the same buffer when In is Out: in place
    const std::size_t channels = static_cast<std::size_t>(filter.Channels());
    for (;;) {
        const long long frames = reader.Read(input, kBlockFrames);
        if (frames < 0) {
            return BlockStop{reader.Error()};
        }
        if (frames == 0) {
            return std::nullopt;
        }
        const std::size_t count = static_cast<std::size_t>(frames);
        const double blockPeak = filter.Process(input, output, count);
        peak = blockPeak > peak ? blockPeak : peak;
        if (!filter.StateIsFinite()) {
            // Read again to tell a file's NaN or infinity from an overflow of the arithmetic.
            const std::optional<double> inputPeak =
                InputPeak(reader, buffers, static_cast<int>(channels));
            const bool inputFinite = inputPeak && !std::isnan(*inputPeak);
            return BlockStop{inputFinite
                                 ? shownInput +
                                       ": the equalised signal grows beyond what double precision "
                                       "holds; lower --gain"
                                 : shownInput +
                                       ": holds samples that are not finite numbers (NaN "
                                       "or infinity)"};
        }
        // The filter runs in double; a 32-bit float holds at most about 3.4e38, and a
        // larger sample would be written as an infinity.
        if constexpr (std::is_same_v<Out, float>) {
            if (blockPeak > std::numeric_limits<float>::max()) {
                return BlockStop{shownInput +
                                     ": the equalised signal would overflow a 32-bit "
                                     "float output",
                                 true};
            }
        }
        if (std::optional<std::string> failure = sink(output, count)) {
            return BlockStop{*failure};
        }
        progress.Advance(count);
    }
}

// The whole file through the filter, for its peak only.
Stop MeasurePeak(SoundReader& reader, const std::string& shownInput, CascadeFilter& filter,
                 BlockBuffers& buffers, ProgressCounter& progress, double& peak) {
    const auto nothing = [](const auto*, std::size_t) { return Message(); };
    if (ReadsExactlyAsFloat(reader.Info().format)) {
        return RunBlocks<float, float>(reader, shownInput, filter, buffers, progress, peak,
                                       nothing);
    }
    return RunBlocks<double, double>(reader, shownInput, filter, buffers, progress, peak, nothing);
}

template <typename In>
Stop WriteFiltered(SoundReader& reader, const std::string& shownInput, CascadeFilter& filter,
                   BlockBuffers& buffers, SoundWriter& writer, SampleEncoding encoding, bool dither,
                   ProgressCounter& progress, EqualiseResult& result) {
    const auto write = [&writer](const auto* samples, std::size_t frames) {
        return writer.Write(samples, frames) ? Message() : Message(writer.Error());
    };
    if (encoding == SampleEncoding::Float32) {
        return RunBlocks<In, float>(reader, shownInput, filter, buffers, progress, result.peak,
                                    write);
    }
    if (encoding == SampleEncoding::Float64) {
        return RunBlocks<In, double>(reader, shownInput, filter, buffers, progress, result.peak,
                                     write);
    }
    Quantizer quantizer(IntegerBits(encoding), dither);
    int* integers = buffers.integers.data();
    const std::size_t channels = static_cast<std::size_t>(filter.Channels());
    const auto quantizeAndWrite = [&](const double* samples, std::size_t frames) {
        result.clippedSamples += quantizer.Convert(samples, integers, frames * channels);
        return write(integers, frames);
    };
    return RunBlocks<In, double>(reader, shownInput, filter, buffers, progress, result.peak,
                                 quantizeAndWrite);
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

// A container is finished by seeking back to its header: a pipe or a device cannot be.
Message UnsuitableOutput(const std::string& outputPath) {
    struct stat status {};
    if (stat(outputPath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return safe_write::ShownPath(outputPath) +
               ": not a regular file; an audio file's header is completed at the end, which a "
               "pipe or device cannot take";
    }
    return std::nullopt;
}

std::string Dbfs(double peak) { return FormatSignedFixed(FactorToDb(peak), 2) + " dBFS"; }

// Nothing when the peak that auto-gain aims at suits the output, else why not.
Message UnsuitableTarget(double targetPeakDbfs, SampleEncoding encoding) {
    const double smallest = SmallestAudiblePeak(encoding);
    if (std::pow(10.0, targetPeakDbfs / 20.0) >= smallest) {
        return std::nullopt;
    }
    return "--auto-gain=" + FormatShortest(targetPeakDbfs) + ": below " +
           (IntegerBits(encoding) > 0 ? "one step of a " : "the smallest normal value of a ") +
           EncodingName(encoding) + " output (" + Dbfs(smallest) +
           "): the file would hold nothing audible";
}

// Nothing when the design's gain leaves the output something of an input that peaks at
// inputPeak, else why not. An input too quiet for the output on its own is not the
// gain's doing, and is written.
Message InaudibleDesign(double bandGain, double inputPeak, SampleEncoding encoding) {
    const bool integer = IntegerBits(encoding) > 0;
    // Below half a step an integer output rounds to silence; below the smallest normal
    // value a float one loses its precision and then everything.
    const double smallest = SmallestAudiblePeak(encoding) * (integer ? 0.5 : 1.0);
    const double loudest = bandGain * inputPeak;  // no output sample can exceed it
    if (!(inputPeak >= smallest) || !(loudest < smallest)) {
        return std::nullopt;
    }
    return "the design's gain leaves nothing audible in a " + EncodingName(encoding) +
           " output: the input peaks at " + Dbfs(inputPeak) + ", the output at most at " +
           (loudest > 0.0 ? Dbfs(loudest) : std::string("silence")) + ", below " + Dbfs(smallest) +
           "; raise --gain (or use --auto-gain)";
}

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
    const std::string shownInput = safe_write::ShownPath(inputPath);
    SoundReader reader(inputPath);
    if (!reader.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, reader.Error());
    }
    const SF_INFO info = reader.Info();
    result.frames = static_cast<std::uint64_t>(info.frames);
    result.samplingRate = info.samplerate;

    const ResolvedFormat resolved = ResolveOutputFormat(info.format, info.channels, info.samplerate,
                                                        settings.container, settings.encoding);
    if (!resolved.format) {
        return Outcome(result, EqualiseOutcome::BadRequest, shownInput + ": " + resolved.error);
    }
    const SampleEncoding encoding = resolved.format->encoding;
    const SizedFormat sized = FitOutputSize(*resolved.format, info.channels, info.frames);
    if (!sized.error.empty()) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       safe_write::ShownPath(outputPath) + ": " + sized.error);
    }
    if (!sized.notice.empty()) {
        result.notice = safe_write::ShownPath(outputPath) + ": " + sized.notice;
    }
    const AppliedDesign applied = design(static_cast<double>(info.samplerate));
    if (!applied.error.empty() || applied.cascade.sections.empty()) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       shownInput + ": " + (applied.error.empty() ? "no design" : applied.error));
    }
    if (Message unsuitable = UnsuitableOutput(outputPath)) {
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
    result.integerOutput = bits > 0;
    const bool measureFirst = settings.headroom == Headroom::AutoGain ||
                              (result.integerOutput && settings.headroom == Headroom::Refuse);
    ProgressCounter counter(progress, result.frames * (measureFirst ? 2 : 1), result.samplingRate);

    const bool readsFloat = ReadsExactlyAsFloat(info.format);
    BlockBuffers buffers(kBlockFrames * static_cast<std::size_t>(info.channels),
                         readsFloat || encoding == SampleEncoding::Float32,
                         !readsFloat || encoding != SampleEncoding::Float32, result.integerOutput);
    // The largest peak the output holds: what never clips after dither, or for floating
    // point the largest value less a margin for the rounding of the scaled filter.
    const double largest = result.integerOutput ? Quantizer::LargestSafePeak(bits, settings.dither)
                                                : LargestFloatPeak(encoding) * (1.0 - 1e-9);
    const auto measure = [&](const Cascade& cascade, double& peak) {
        CascadeFilter measuring(cascade, info.channels);
        if (Stop failure = MeasurePeak(reader, shownInput, measuring, buffers, counter, peak)) {
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
                           shownInput + ": the equalised signal would clip in a " +
                               std::to_string(bits) + "-bit output");
        }
    }
    CascadeFilter filter(Scaled(applied.cascade, scale), info.channels);

    safe_write::PendingFile pending = safe_write::PendingFile::Begin(outputPath);
    if (!pending.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, pending.Error());
    }
    if (pending.WritesInPlace()) {
        return Outcome(result, EqualiseOutcome::BadRequest, *UnsuitableOutput(outputPath));
    }
    SF_INFO outputInfo{};
    outputInfo.samplerate = info.samplerate;
    outputInfo.channels = info.channels;
    outputInfo.format = sized.sndfileFormat;
    SoundWriter writer(pending.Descriptor(), outputPath, outputInfo);
    if (!writer.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, writer.Error());
    }
    writer.SetStrings(OutputStrings(reader, applied.description));

    const Stop failure = readsFloat
                             ? WriteFiltered<float>(reader, shownInput, filter, buffers, writer,
                                                    encoding, settings.dither, counter, result)
                             : WriteFiltered<double>(reader, shownInput, filter, buffers, writer,
                                                     encoding, settings.dither, counter, result);
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
    if (Message committing = pending.Commit()) {
        return Outcome(result, EqualiseOutcome::Failed, *committing);
    }
    result.outcome = EqualiseOutcome::Done;
    return result;
}
