#pragma once
// The plugin's filter: one cascade per channel in double precision, and on a change of
// design a short crossfade from the old cascade to the new one, both running on the
// same input meanwhile. The new cascade starts from the old one's history (input
// history as it is, each section's output history from its counterpart), not from
// silence, so its output is already close to the old one's where the fade begins; the
// fade hides what is left of the difference. No allocation after construction.

#include <cstdint>

#include "designed_filter.h"

class CrossfadingCascade {
public:
    static constexpr int kMaxChannels = 2;

    // The fade lasts fadeSeconds at this rate, at least one frame.
    CrossfadingCascade(double samplingFrequency, double fadeSeconds);

    // Runs this design from silence (activation).
    void Start(const DesignedFilter& design);

    // Fades to this design from the next frame on. A change during a fade completes
    // the running fade at once and fades from there.
    void ChangeTo(const DesignedFilter& design);

    bool HasDesign() const { return current_.design.count > 0; }
    bool Fading() const { return fadeFrame_ < fadeFrames_; }

    // Filters `frames` frames of each channel (out may be in). Without a design the
    // input passes unchanged.
    void Process(const float* const* in, float* const* out, int channels, std::uint32_t frames);

private:
    static constexpr int kStateEntries = 2 + 2 * kPluginMaxSections;
    static constexpr std::uint32_t kChunkFrames = 64;

    struct Running {
        DesignedFilter design;
        double state[kMaxChannels][kStateEntries];
    };

    void Filter(Running& filter, int channel, const float* in, double* out, std::uint32_t frames);
    static void ContinueHistory(const Running& from, Running& to);

    Running current_{};
    Running previous_{};  // the design faded from, while fading
    std::uint32_t fadeFrames_;
    std::uint32_t fadeFrame_;
};
