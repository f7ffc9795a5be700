#include "measure_inputs.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/decibels.h"
#include "base/number_text.h"
#include "measure/sweep_deconvolution.h"
#include "shown_path.h"
#include "whole_sound.h"

namespace {

// Below this peak a file holds nothing a sweep left: -90 dBFS is under the noise of
// any sound card's input, and far under the level of a test sweep.
constexpr double kSilentPeak = 3.16e-5;
// At or above this a sample sits at full scale: 32767/32768 of a 16-bit file and
// everything wider reaches it; a sweep that touches it has had its tops cut.
constexpr double kFullScale = 0.9999;

double Peak(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double value : samples) peak = std::max(peak, std::fabs(value));
    return peak;
}

std::string Seconds(double seconds) { return FormatSignificant(seconds, 4) + " s"; }

}  // namespace

Result<MeasureFiles> ReadMeasureFiles(const MeasureOptions& options) {
    // One frame more than is measured tells a file that is too long.
    Result<WholeSound> sweep = ReadWholeSound(options.reference, kLongestMeasuredFrames + 1);
    if (!sweep) {
        return Result<MeasureFiles>::Failure(sweep.error());
    }
    const std::size_t sweepFrames = sweep->samples.size() / static_cast<std::size_t>(sweep->channels);
    Result<WholeSound> recorded = ReadWholeSound(options.recording, sweepFrames);
    if (!recorded) {
        return Result<MeasureFiles>::Failure(recorded.error());
    }
    if (recorded->samplingRate != sweep->samplingRate) {
        return Result<MeasureFiles>::Failure(
            safe_write::ShownPath(options.recording) + " runs at " +
            std::to_string(recorded->samplingRate) + " Hz and the sweep " +
            safe_write::ShownPath(options.reference) + " at " +
            std::to_string(sweep->samplingRate) +
            " Hz; record at the sweep's rate, or write the sweep at the recording's "
            "with signal --sample-freq");
    }
    return MeasureFiles{std::move(recorded).value(), std::move(sweep).value()};
}

std::optional<std::string> ChannelProblem(const MeasureOptions& options, const MeasureFiles& files) {
    const int channels = files.recording.channels;
    if (options.channel <= channels) {
        return std::nullopt;
    }
    return "--channel " + std::to_string(options.channel) + ": " +
           safe_write::ShownPath(options.recording) + " has " + std::to_string(channels) +
           " channel" + (channels == 1 ? "" : "s");
}

Result<MeasureInputs> MeasureInputsOf(const MeasureFiles& files, const MeasureOptions& options) {
    const auto fail = [](std::string error) {
        return Result<MeasureInputs>::Failure(std::move(error));
    };
    const std::string shownRecording = safe_write::ShownPath(options.recording);
    const std::string shownReference = safe_write::ShownPath(options.reference);
    MeasureInputs inputs;
    inputs.samplingRate = files.recording.samplingRate;
    inputs.channels = files.recording.channels;
    inputs.recording = ChannelOf(files.recording, options.channel - 1);
    inputs.reference = ChannelOf(files.sweep, 0);
    inputs.recordingSeconds = static_cast<double>(files.recording.fileFrames) / inputs.samplingRate;
    inputs.referenceSeconds = static_cast<double>(files.sweep.fileFrames) / inputs.samplingRate;

    const std::size_t overlap = std::min(inputs.recording.size(), inputs.reference.size());
    if (overlap > kLongestMeasuredFrames) {
        return fail("the recording and the sweep overlap for " +
                    Seconds(std::min(inputs.recordingSeconds, inputs.referenceSeconds)) +
                    "; measure takes at most " +
                    Seconds(static_cast<double>(kLongestMeasuredFrames) / inputs.samplingRate) +
                    " at this rate: write a shorter sweep with signal --duration");
    }
    inputs.recording.resize(overlap);
    inputs.reference.resize(overlap);
    for (const auto& [samples, shown] :
         {std::pair{&inputs.recording, shownRecording}, std::pair{&inputs.reference, shownReference}}) {
        const double peak = Peak(*samples);
        if (!(peak >= kSilentPeak)) {
            return fail(shown + " holds only silence (its peak is " +
                        (peak > 0.0 ? FormatSignedFixed(FactorToDb(peak), 1) + " dBFS"
                                    : std::string("zero")) +
                        (samples == &inputs.recording
                             ? "); check the connections and the recording level"
                             : "); give the sweep that signal wrote"));
        }
    }
    const auto clipped = std::count_if(inputs.recording.begin(), inputs.recording.end(),
                                       [](double value) { return std::fabs(value) >= kFullScale; });
    if (clipped > 0) {
        return fail(shownRecording + " clipped: " + std::to_string(clipped) +
                    " samples at full scale; record again with less gain, or write a quieter "
                    "sweep with signal --level");
    }
    return inputs;
}

std::string LengthNote(const MeasureInputs& inputs) {
    if (inputs.recordingSeconds == inputs.referenceSeconds) {
        return {};
    }
    return "the recording is " + Seconds(inputs.recordingSeconds) + " and the sweep " +
           Seconds(inputs.referenceSeconds) + ": measured over the first " +
           Seconds(std::min(inputs.recordingSeconds, inputs.referenceSeconds));
}
