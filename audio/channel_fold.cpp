#include "channel_fold.h"

namespace {

struct FoldName {
    const char* name;
    ChannelFold fold;
};

constexpr FoldName kFoldNames[] = {
    {"stereo", ChannelFold::AsIs},       {"lateral", ChannelFold::Lateral},
    {"vertical", ChannelFold::Vertical}, {"left", ChannelFold::Left},
    {"right", ChannelFold::Right},
};

template <typename Sample>
void Fold(ChannelFold fold, Sample* samples, std::size_t frames) {
    // Each output sample lies at or before the frame it comes from: in place is safe.
    const Sample half = 0.5;
    switch (fold) {
        case ChannelFold::AsIs:
            return;
        case ChannelFold::Lateral:
            for (std::size_t i = 0; i < frames; ++i) {
                samples[i] = half * samples[2 * i] + half * samples[2 * i + 1];
            }
            return;
        case ChannelFold::Vertical:
            for (std::size_t i = 0; i < frames; ++i) {
                samples[i] = half * samples[2 * i] - half * samples[2 * i + 1];
            }
            return;
        case ChannelFold::Left:
            for (std::size_t i = 0; i < frames; ++i) {
                samples[i] = samples[2 * i];
            }
            return;
        case ChannelFold::Right:
            for (std::size_t i = 0; i < frames; ++i) {
                samples[i] = samples[2 * i + 1];
            }
            return;
    }
}

}  // namespace

std::optional<ChannelFold> ChannelFoldFromName(std::string_view name) {
    for (const FoldName& known : kFoldNames) {
        if (name == known.name) return known.fold;
    }
    return std::nullopt;
}

std::string ChannelFoldName(ChannelFold fold) {
    for (const FoldName& known : kFoldNames) {
        if (fold == known.fold) return known.name;
    }
    return {};
}

void FoldChannels(ChannelFold fold, float* samples, std::size_t frames) {
    Fold(fold, samples, frames);
}

void FoldChannels(ChannelFold fold, double* samples, std::size_t frames) {
    Fold(fold, samples, frames);
}
