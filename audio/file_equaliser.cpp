#include "file_equaliser.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "cascade_filter.h"
#include "quantizer.h"
#include "safe_writer.h"
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

// Reads every block, filters it and hands the output to `sink` (which returns a message
// on failure); the largest output magnitude goes into peak.
template <typename In, typename Out, typename Sink>
Message RunBlocks(SoundReader& reader, const std::string& inputPath, CascadeFilter& filter,
                  ProgressCounter& progress, double& peak, Sink&& sink) {
    const std::size_t samples = kBlockFrames * static_cast<std::size_t>(filter.Channels());
    std::vector<In> input(samples);
    std::vector<Out> separateOutput(std::is_same_v<In, Out> ? 0 : samples);
    Out* output;
    if constexpr (std::is_same_v<In, Out>) {
        output = input.data();  // in place
    } else {
        output = separateOutput.data();
    }
    for (;;) {
        const long long frames = reader.Read(input.data(), kBlockFrames);
        if (frames < 0) {
            return reader.Error();
        }
        if (frames == 0) {
            return std::nullopt;
        }
        const std::size_t count = static_cast<std::size_t>(frames);
        const double blockPeak = filter.Process(input.data(), output, count);
        peak = blockPeak > peak ? blockPeak : peak;
        if (!filter.StateIsFinite()) {
            return inputPath + ": holds samples that are not finite numbers (NaN or infinity)";
        }
        if (Message failure = sink(output, count)) {
            return failure;
        }
        progress.Advance(count);
    }
}

// The whole file through the filter, for its peak only.
Message MeasurePeak(SoundReader& reader, const std::string& inputPath, CascadeFilter& filter,
                    ProgressCounter& progress, double& peak) {
    const auto nothing = [](const auto*, std::size_t) { return Message(); };
    if (ReadsExactlyAsFloat(reader.Info().format)) {
        return RunBlocks<float, float>(reader, inputPath, filter, progress, peak, nothing);
    }
    return RunBlocks<double, double>(reader, inputPath, filter, progress, peak, nothing);
}

template <typename In>
Message WriteFiltered(SoundReader& reader, const std::string& inputPath, CascadeFilter& filter,
                      SoundWriter& writer, SampleEncoding encoding, bool dither,
                      ProgressCounter& progress, EqualiseResult& result) {
    const auto write = [&writer](const auto* samples, std::size_t frames) {
        return writer.Write(samples, frames) ? Message() : Message(writer.Error());
    };
    if (encoding == SampleEncoding::Float32) {
        return RunBlocks<In, float>(reader, inputPath, filter, progress, result.peak, write);
    }
    if (encoding == SampleEncoding::Float64) {
        return RunBlocks<In, double>(reader, inputPath, filter, progress, result.peak, write);
    }
    Quantizer quantizer(IntegerBits(encoding), dither);
    std::vector<int> integers(kBlockFrames * static_cast<std::size_t>(filter.Channels()));
    const std::size_t channels = static_cast<std::size_t>(filter.Channels());
    const auto quantizeAndWrite = [&](const double* samples, std::size_t frames) {
        result.clippedSamples += quantizer.Convert(samples, integers.data(), frames * channels);
        return write(integers.data(), frames);
    };
    return RunBlocks<In, double>(reader, inputPath, filter, progress, result.peak,
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
        return outputPath +
               ": not a regular file; an audio file's header is completed at the end, which a "
               "pipe or device cannot take";
    }
    return std::nullopt;
}

}  // namespace

EqualiseResult EqualiseFile(const std::string& inputPath, const std::string& outputPath,
                            const DesignForRate& design, const EqualiseSettings& settings,
                            const ProgressReport& progress) {
    EqualiseResult result;
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
        return Outcome(result, EqualiseOutcome::BadRequest, inputPath + ": " + resolved.error);
    }
    const AppliedDesign applied = design(static_cast<double>(info.samplerate));
    if (!applied.error.empty() || applied.cascade.sections.empty()) {
        return Outcome(result, EqualiseOutcome::BadRequest,
                       inputPath + ": " + (applied.error.empty() ? "no design" : applied.error));
    }
    if (Message unsuitable = UnsuitableOutput(outputPath)) {
        return Outcome(result, EqualiseOutcome::BadRequest, *unsuitable);
    }

    const int bits = IntegerBits(resolved.format->encoding);
    result.integerOutput = bits > 0;
    const bool measureFirst = settings.headroom == Headroom::AutoGain ||
                              (result.integerOutput && settings.headroom == Headroom::Refuse);
    ProgressCounter counter(progress, result.frames * (measureFirst ? 2 : 1), result.samplingRate);

    double scale = 1.0;
    if (measureFirst) {
        CascadeFilter measuring(applied.cascade, info.channels);
        double peak = 0.0;
        if (Message failure = MeasurePeak(reader, inputPath, measuring, counter, peak)) {
            return Outcome(result, EqualiseOutcome::Failed, *failure);
        }
        const double largest =
            result.integerOutput ? Quantizer::LargestSafePeak(bits, settings.dither) : INFINITY;
        if (settings.headroom == Headroom::AutoGain) {
            const double target = std::min(std::pow(10.0, settings.targetPeakDbfs / 20.0), largest);
            scale = peak > 0.0 ? target / peak : 1.0;
            result.appliedScale = scale;
        } else if (peak > largest) {
            result.peak = peak;
            result.safeScale = largest / peak;
            return Outcome(result, EqualiseOutcome::WouldClip,
                           inputPath + ": the equalised signal would clip in a " +
                               std::to_string(bits) + "-bit output");
        }
        if (!reader.Rewind()) {
            return Outcome(result, EqualiseOutcome::Failed, reader.Error());
        }
    }

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
    outputInfo.format = resolved.format->sndfileFormat;
    SoundWriter writer(pending.Descriptor(), outputPath, outputInfo);
    if (!writer.Ok()) {
        return Outcome(result, EqualiseOutcome::Failed, writer.Error());
    }
    writer.SetStrings(OutputStrings(reader, applied.description));

    CascadeFilter filter(Scaled(applied.cascade, scale), info.channels);
    const Message failure =
        ReadsExactlyAsFloat(info.format)
            ? WriteFiltered<float>(reader, inputPath, filter, writer, resolved.format->encoding,
                                   settings.dither, counter, result)
            : WriteFiltered<double>(reader, inputPath, filter, writer, resolved.format->encoding,
                                    settings.dither, counter, result);
    if (failure) {
        return Outcome(result, EqualiseOutcome::Failed, *failure);
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
