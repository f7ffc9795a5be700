#pragma once
// Two channels folded into one before the filter, for records that a stereo cartridge
// played: a lateral-cut (mono) record is the sum of the channels, a vertical-cut one
// (Edison, Pathé, cylinders) their difference. Folding first is exact for a linear
// filter and halves its work.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class ChannelFold {
    AsIs,      // every channel as it is, any number of them
    Lateral,   // (L + R) / 2
    Vertical,  // (L - R) / 2
    Left,
    Right,
};

// "stereo", "lateral", "vertical", "left", "right", as --channels names them.
std::optional<ChannelFold> ChannelFoldFromName(std::string_view name);
std::string ChannelFoldName(ChannelFold fold);

// The channels written for an input of `channels`; only AsIs takes other than two.
inline int FoldedChannels(ChannelFold fold, int channels) {
    return fold == ChannelFold::AsIs ? channels : 1;
}

// Folds `frames` interleaved two-channel frames in place into `frames` samples of one
// channel. Nothing for AsIs.
void FoldChannels(ChannelFold fold, float* samples, std::size_t frames);
void FoldChannels(ChannelFold fold, double* samples, std::size_t frames);
