#include "signal_command.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "apply_design.h"
#include "argument_text.h"
#include "base/decibels.h"
#include "base/eng_value.h"
#include "base/number_text.h"
#include "cascade_filter.h"
#include "command_scope.h"
#include "containers.h"
#include "curves/riaa_curve.h"
#include "exit_status.h"
#include "measure/sine_sweep.h"
#include "measure/sweep_deconvolution.h"
#include "plain_number.h"
#include "quantizer.h"
#include "response/frequency_response.h"
#include "shown_path.h"
#include "whole_sound.h"

namespace {

constexpr double kDefaultLevelDbfs = -6.0;
constexpr double kDefaultPeakDbfs = -1.0;  // where --inverse lowers the default level to

// The options' design for the rate, or the reason there is none.
struct SweepDesign {
    std::optional<AppliedDesign> applied;  // nothing for a flat sweep
    std::string error;
};

// The design options shape the sweep only through --inverse; without it a curve or a
// method given would be ignored, which a user who forgot --inverse would not notice.
std::optional<std::string> DesignWithoutInverse(const SignalOptions& options) {
    for (const char* name : {"--curve", "--sections", "--tolerance", "--method", "--normalize",
                             "--gain", "--extra-zero"}) {
        if (options.command->get_option(name)->count() > 0) {
            return std::string(name) +
                   " shapes the sweep with the recording curve only; add --inverse, or drop " +
                   name + " for a flat sweep";
        }
    }
    return std::nullopt;
}

SweepDesign DesignAt(const SignalOptions& options, double rate) {
    if (!options.design.inverse) {
        if (auto problem = DesignWithoutInverse(options)) {
            return {std::nullopt, *problem};
        }
        return {};
    }
    // apply's design, accurate unless the options say otherwise: the sweep is equalised
    // as apply would equalise a file at this rate.
    if (auto problem = DesignOptionsProblem(options.design)) {
        return {std::nullopt, *problem};
    }
    const Result<AppliedDesign> applied = MakeDesignForRate(options.design)(rate);
    if (!applied) {
        return {std::nullopt, applied.error()};
    }
    return {*applied, {}};
}

std::string Dbfs(double factor) { return FormatSignedFixed(FactorToDb(factor), 2) + " dBFS"; }

// The error line when the sweep, which peaks at `peak` at 0 dBFS, would clip at the
// level or be too quiet to measure; it names the level that would do.
std::optional<std::string> LevelProblem(double levelDb, double peak, SampleEncoding encoding) {
    const int bits = IntegerBits(encoding);
    const double largest = bits > 0 ? Quantizer::LargestSafePeak(bits, true) : 1.0;
    // 40 dB above an integer output's step the rounding moves the measured response by
    // hundredths of a dB; and no sound card hears below -120 dBFS.
    const double quietest = std::max(1e-6, bits > 0 ? 100.0 * SmallestAudiblePeak(encoding) : 0.0);
    const double loudest = peak * std::pow(10.0, levelDb / 20.0);
    const std::string start =
        "--level " + FormatShortest(levelDb) + ": the sweep would peak at " + Dbfs(loudest);
    if (loudest > largest) {
        // Rounded down to a tenth of a dB, so that the level named fits.
        const double fits = std::floor(FactorToDb(largest / peak) * 10.0) / 10.0;
        return start + " and clip; --level " + FormatFixed(fits, 1) + " or lower fits";
    }
    if (loudest < quietest) {
        const double audible = std::ceil(FactorToDb(quietest / peak) * 10.0) / 10.0;
        return start + ", too quiet to measure in a " + EncodingName(encoding) + " file; --level " +
               FormatFixed(audible, 1) + " or higher";
    }
    return std::nullopt;
}

struct Reading {
    SweepPlan plan;
    SoundFileFormat format;
    std::string error;
};

Reading ReadPlan(const SignalOptions& options) {
    Reading reading;
    const EngValue rate = ReadEngValue(EntryTextFromArgument(options.sampleFreq).c_str());
    if (!rate.readable || !(rate.value >= 8000.0) || !(rate.value <= 768000.0) ||
        rate.value != std::floor(rate.value)) {
        reading.error = "--sample-freq: \"" + options.sampleFreq +
                        "\" is not a whole number of hertz from 8k to 768k (such as 48k)";
        return reading;
    }
    const std::optional<double> seconds = ReadPlainNumber(options.duration);
    if (!seconds || *seconds < 1.0) {
        reading.error = "--duration: \"" + options.duration +
                        "\" is not a number of seconds, at least 1 (such as 10)";
        return reading;
    }
    reading.plan.samplingRate = rate.value;
    reading.plan.endHz = DefaultSweepTopHz(rate.value);
    reading.plan.seconds = *seconds;
    const double longest =
        static_cast<double>(kLongestMeasuredFrames) / rate.value - reading.plan.silenceSeconds;
    if (*seconds > longest) {
        reading.error = "--duration " + options.duration + ": measure takes at most " +
                        FormatShortest(std::floor(longest)) + " s of sweep at " +
                        FormatShortest(rate.value) + " Hz";
        return reading;
    }
    if (auto problem = SweepPlanProblem(reading.plan)) {
        reading.error = *problem;
        return reading;
    }
    if (auto unknown = UnknownExtension(options.output)) {
        reading.error = *unknown;
        return reading;
    }
    const OutputContainer container =
        ContainerFromPath(options.output).value_or(OutputContainer(SF_FORMAT_WAV));
    const SampleEncoding encoding = EncodingFromName(options.bits).value_or(SampleEncoding::Pcm24);
    const Result<SoundFileFormat> resolved =
        ResolveOutputFormat(container.container | SF_FORMAT_PCM_24, options.channels,
                            static_cast<int>(rate.value), container, encoding);
    // The reason is worded for apply, whose --format-out signal does not have.
    if (!resolved) {
        reading.error = safe_write::ShownPath(options.output) + ": its container cannot hold " +
                        EncodingName(encoding) +
                        " samples; choose other --bits, or another extension (.wav, "
                        ".w64, .aiff, .flac, .caf)";
        return reading;
    }
    reading.format = *resolved;
    return reading;
}

std::string Description(const SweepPlan& plan, const SweepDesign& design, double at1kDb) {
    std::string text = "Exponential sine sweep from " + FormatShortest(plan.startHz) + " Hz to " +
                       FormatShortest(plan.endHz) + " Hz over " + FormatShortest(plan.seconds) +
                       " s, then " + FormatShortest(plan.silenceSeconds) + " s of silence, " +
                       FormatSignedFixed(at1kDb, 2) + " dBFS at 1 kHz";
    if (design.applied) {
        text += "; equalised with the " + design.applied->description;
    } else {
        text += "; flat; written by vorlexi-calc " VORLEXI_VERSION;
    }
    return text;
}

}  // namespace

int RunSignal(const CLI::App& app, const SignalOptions& options, std::ostream& err) {
    const auto refuse = [&err](const std::string& problem) {
        err << "vorlexi-calc signal: " << problem << '\n';
        return kExitBadInput;
    };
    if (auto problem = OptionBeforeCommand(app, "signal")) {
        return refuse(*problem);
    }
    Reading reading = ReadPlan(options);
    if (!reading.error.empty()) {
        return refuse(reading.error);
    }
    std::optional<double> level;
    if (options.level) {
        level = ReadPlainNumber(*options.level);
        if (!level) {
            return refuse("--level: \"" + *options.level +
                          "\" is not a level in dBFS (such as -6 or -20)");
        }
    }
    SweepPlan& plan = reading.plan;
    const SweepDesign design = DesignAt(options, plan.samplingRate);
    if (!design.error.empty()) {
        return refuse(design.error);
    }

    // The sweep at full scale through the design: its peak and its gain at 1 kHz scale
    // with the level.
    std::vector<double> samples = ExponentialSweep(plan);
    double peak = 0.0;
    double gainAt1k = 1.0;
    if (design.applied) {
        const Cascade& cascade = design.applied->cascade;
        gainAt1k = std::abs(CascadeResponse(cascade, plan.samplingRate, kRiaaReferenceHz));
        CascadeFilter filter(cascade, 1);
        peak = filter.Process(samples.data(), samples.data(), samples.size());
    } else {
        for (double value : samples) peak = std::max(peak, std::fabs(value));
    }
    const double levelDb =
        level.value_or(std::min(kDefaultLevelDbfs, kDefaultPeakDbfs + FactorToDb(1.0 / peak)));
    if (auto problem = LevelProblem(levelDb, peak, reading.format.encoding)) {
        return refuse(*problem);
    }
    const double scale = std::pow(10.0, levelDb / 20.0);
    const std::size_t channels = static_cast<std::size_t>(options.channels);
    std::vector<double> frames(samples.size() * channels);
    for (std::size_t n = 0; n < frames.size(); ++n) {
        frames[n] = scale * samples[n / channels];
    }

    const double at1kDb = levelDb + FactorToDb(gainAt1k);
    const std::string description = Description(plan, design, at1kDb);
    if (auto failure =
            WriteWholeSound(options.output, reading.format, static_cast<int>(plan.samplingRate),
                            options.channels, frames, {{SF_STR_COMMENT, description}})) {
        err << "vorlexi-calc signal: " << *failure << '\n';
        return kExitOutputFailed;
    }
    if (!options.quiet) {
        err << "vorlexi-calc: " << safe_write::ShownPath(options.output) << ": sweep from "
            << FormatShortest(plan.startHz) << " Hz to " << FormatShortest(plan.endHz) << " Hz in "
            << FormatShortest(plan.seconds) << " s at " << FormatShortest(plan.samplingRate)
            << " Hz, " << FormatSignedFixed(at1kDb, 2) << " dBFS at 1 kHz, peak "
            << Dbfs(peak * scale) << '\n';
    }
    return kExitSuccess;
}
