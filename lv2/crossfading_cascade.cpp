#include "crossfading_cascade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "cascade_kernels.h"

CrossfadingCascade::CrossfadingCascade(double samplingFrequency, double fadeSeconds)
    : fadeFrames_(
          static_cast<std::uint32_t>(std::max(1.0, std::round(samplingFrequency * fadeSeconds)))),
      fadeFrame_(fadeFrames_) {}

void CrossfadingCascade::Start(const DesignedFilter& design) {
    current_ = Running{};
    current_.design = design;
    fadeFrame_ = fadeFrames_;
}

void CrossfadingCascade::ChangeTo(const DesignedFilter& design) {
    if (!HasDesign()) {
        Start(design);
        return;
    }
    previous_ = current_;
    current_.design = design;
    ContinueHistory(previous_, current_);
    fadeFrame_ = 0;
}

// The input history is shared, whatever the designs; section k's output history is
// taken from the old section k, the last new section's from the old last, so that the
// new cascade's output continues the old cascade's output.
void CrossfadingCascade::ContinueHistory(const Running& from, Running& to) {
    const int oldCount = from.design.count;
    const int newCount = to.design.count;
    for (int channel = 0; channel < kMaxChannels; ++channel) {
        const double* source = from.state[channel];
        double* target = to.state[channel];
        target[0] = source[0];
        target[1] = source[1];
        for (int k = 0; k < newCount; ++k) {
            const int counterpart = k == newCount - 1 ? oldCount - 1 : std::min(k, oldCount - 1);
            target[2 + 2 * k] = source[2 + 2 * counterpart];
            target[3 + 2 * k] = source[3 + 2 * counterpart];
        }
    }
}

void CrossfadingCascade::Filter(Running& filter, int channel, const float* in, double* out,
                                std::uint32_t frames) {
    portable_kernels::FilterInterleaved<float, double>(
        filter.design.sections.data(), static_cast<std::size_t>(filter.design.count),
        filter.state[channel], 1, in, out, frames);
}

void CrossfadingCascade::Process(const float* const* in, float* const* out, int channels,
                                 std::uint32_t frames) {
    channels = std::min(channels, kMaxChannels);
    if (!HasDesign()) {
        for (int c = 0; c < channels; ++c) {
            if (out[c] != in[c]) std::copy(in[c], in[c] + frames, out[c]);
        }
        return;
    }
    double now[kChunkFrames];
    double before[kChunkFrames];
    for (std::uint32_t done = 0; done < frames;) {
        const std::uint32_t chunk = std::min(kChunkFrames, frames - done);
        const std::uint32_t fadeStart = fadeFrame_;
        for (int c = 0; c < channels; ++c) {
            Filter(current_, c, in[c] + done, now, chunk);
            if (fadeStart < fadeFrames_) {
                Filter(previous_, c, in[c] + done, before, chunk);
                for (std::uint32_t n = 0; n < chunk; ++n) {
                    const std::uint32_t at = std::min(fadeStart + n, fadeFrames_);
                    // A raised-cosine fade: its slope is zero at both ends, so the
                    // change of gain adds no corner of its own.
                    const double weight = 0.5 - 0.5 * std::cos(std::numbers::pi * at / fadeFrames_);
                    now[n] = before[n] + weight * (now[n] - before[n]);
                }
            }
            float* target = out[c] + done;
            for (std::uint32_t n = 0; n < chunk; ++n) {
                target[n] = static_cast<float>(now[n]);
            }
        }
        if (fadeStart < fadeFrames_) {
            fadeFrame_ = std::min(fadeFrames_, fadeStart + chunk);
        }
        done += chunk;
    }
}
