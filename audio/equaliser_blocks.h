#pragma once
// The equaliser's blocks: read, fold, filter and hand on, pass after pass, with buffers
// of one size whatever the file's length. For file_equaliser.cpp alone.

#include <sndfile.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "cascade_filter.h"
#include "channel_fold.h"
#include "file_equaliser.h"
#include "quantizer.h"
#include "sound_file.h"

namespace equaliser_blocks {

using Message = std::optional<std::string>;

// Integer files of up to 24 bits, floats and the compressed encodings read exactly into
// float, at half the memory traffic of double; wider ones need double.
inline bool ReadsExactlyAsFloat(int format) {
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

inline std::optional<double> InputPeak(SoundReader& reader, BlockBuffers& buffers, int channels) {
    return ReadsExactlyAsFloat(reader.Info().format) ? InputPeak<float>(reader, buffers, channels)
                                                     : InputPeak<double>(reader, buffers, channels);
}

// Reads every block, filters it and hands the output to `sink` (which returns a message
// on failure); the largest output magnitude goes into peak.
template <typename In, typename Out, typename Sink>
Stop RunBlocks(SoundReader& reader, const std::string& shownInput, ChannelFold fold,
               CascadeFilter& filter, BlockBuffers& buffers, ProgressCounter& progress,
               double& peak, Sink&& sink) {
    In* input = buffers.Of<In>().data();
    Out* output = buffers.Of<Out>().data();  // the same buffer when In is Out: in place
    for (;;) {
        const long long frames = reader.Read(input, kBlockFrames);
        if (frames < 0) {
            return BlockStop{reader.Error()};
        }
        if (frames == 0) {
            return std::nullopt;
        }
        const std::size_t count = static_cast<std::size_t>(frames);
        FoldChannels(fold, input, count);
        const double blockPeak = filter.Process(input, output, count);
        peak = blockPeak > peak ? blockPeak : peak;
        if (!filter.StateIsFinite()) {
            // Read again to tell a file's NaN or infinity from an overflow of the arithmetic.
            const std::optional<double> inputPeak =
                InputPeak(reader, buffers, reader.Info().channels);
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
inline Stop MeasurePeak(SoundReader& reader, const std::string& shownInput, ChannelFold fold,
                        CascadeFilter& filter, BlockBuffers& buffers, ProgressCounter& progress,
                        double& peak) {
    const auto nothing = [](const auto*, std::size_t) { return Message(); };
    if (ReadsExactlyAsFloat(reader.Info().format)) {
        return RunBlocks<float, float>(reader, shownInput, fold, filter, buffers, progress, peak,
                                       nothing);
    }
    return RunBlocks<double, double>(reader, shownInput, fold, filter, buffers, progress, peak,
                                     nothing);
}

template <typename In>
Stop WriteFiltered(SoundReader& reader, const std::string& shownInput, ChannelFold fold,
                   CascadeFilter& filter, BlockBuffers& buffers, SoundWriter& writer,
                   SampleEncoding encoding, bool dither, ProgressCounter& progress,
                   EqualiseResult& result) {
    const auto write = [&writer](const auto* samples, std::size_t frames) {
        return writer.Write(samples, frames) ? Message() : Message(writer.Error());
    };
    if (encoding == SampleEncoding::Float32) {
        return RunBlocks<In, float>(reader, shownInput, fold, filter, buffers, progress,
                                    result.peak, write);
    }
    if (encoding == SampleEncoding::Float64) {
        return RunBlocks<In, double>(reader, shownInput, fold, filter, buffers, progress,
                                     result.peak, write);
    }
    Quantizer quantizer(IntegerBits(encoding), dither);
    int* integers = buffers.integers.data();
    const std::size_t channels = static_cast<std::size_t>(filter.Channels());
    const auto quantizeAndWrite = [&](const double* samples, std::size_t frames) {
        result.clippedSamples += quantizer.Convert(samples, integers, frames * channels);
        return write(integers, frames);
    };
    return RunBlocks<In, double>(reader, shownInput, fold, filter, buffers, progress, result.peak,
                                 quantizeAndWrite);
}

}  // namespace equaliser_blocks
