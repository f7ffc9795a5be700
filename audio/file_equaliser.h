#pragma once
// Equalises one audio file into another: the design made for the file's own sampling
// rate, every channel through it independently, in blocks of constant size whatever
// the file's length. The output goes through the safe writer, so a failed or
// interrupted run leaves no partial file and the input is never touched.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/result.h"
#include "channel_fold.h"
#include "output_format.h"
#include "response/cascade.h"
#include "sound_file.h"

// The filter for one sampling rate and the text that names it in the output's comment.
struct AppliedDesign {
    Cascade cascade;
    std::string description;
    // The largest |H| over the audio band (the gain included); infinity when not known.
    // A full-scale input peaks at about this much, so an output that cannot hold it
    // would hold nothing audible.
    double bandGain = INFINITY;
    // The rest of the comment, from the factor the run scaled the design by (auto-gain);
    // nothing adds nothing.
    std::function<std::string(double scale)> describeGain = nullptr;
    std::string notice = {};  // what the user should know of the design, or nothing
};
// The design for a sampling rate, or the reason none can be made at that rate.
using DesignForRate = std::function<Result<AppliedDesign>(double samplingRate)>;

// What integer outputs do with a signal that would not fit.
enum class Headroom {
    Refuse,    // a first pass finds the peak; the run stops before writing if it would clip
    Clip,      // hold the samples at full scale and count them
    AutoGain,  // a first pass finds the peak; scale the whole file to targetPeakDbfs
};

struct EqualiseSettings {
    std::optional<OutputContainer> container;  // nothing keeps the input's
    std::optional<SampleEncoding> encoding;
    Headroom headroom = Headroom::Refuse;
    double targetPeakDbfs = -1.0;  // for AutoGain
    bool dither = true;            // TPDF dither for integer outputs
    ChannelFold channels = ChannelFold::AsIs;
};

// Called after every block: frames done out of the total over every pass (a first
// pass counts as much as the writing pass), and the file's sampling rate.
using ProgressReport =
    std::function<void(std::uint64_t done, std::uint64_t total, double samplingRate)>;

enum class EqualiseOutcome {
    Done,
    BadRequest,  // the options do not suit this file (its rate, its format)
    WouldClip,   // the peak exceeds what the output holds: an integer one (Headroom::Refuse),
                 // or a 32-bit float one, whose largest value is about 3.4e38
    Failed,      // reading or writing failed
};

struct EqualiseResult {
    EqualiseOutcome outcome = EqualiseOutcome::Failed;
    std::string message;               // names the file and the reason, for all but Done
    double peak = 0.0;                 // the output's largest magnitude (full scale 1.0)
    double safeScale = 1.0;            // WouldClip: the gain factor that would avoid it
    double appliedScale = 1.0;         // AutoGain: the factor applied to the design
    std::uint64_t clippedSamples = 0;  // Clip: samples held at full scale
    bool integerOutput = false;
    bool floatOverflow = false;  // WouldClip of a float output
    std::string notice;          // what the run chose for the user (RF64 for a WAV)
    std::uint64_t frames = 0;
    double samplingRate = 0.0;
};

EqualiseResult EqualiseFile(const std::string& inputPath, const std::string& outputPath,
                            const DesignForRate& design, const EqualiseSettings& settings,
                            const ProgressReport& progress);

// The size of one block of frames that passes through the filter.
inline constexpr std::size_t kBlockFrames = 32768;
