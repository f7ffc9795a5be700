#include "apply_command.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "apply_batch.h"
#include "apply_design.h"
#include "apply_progress.h"
#include "argument_text.h"
#include "base/decibels.h"
#include "base/eng_value.h"
#include "base/number_text.h"
#include "exit_status.h"
#include "shown_path.h"
#include "standard_streams.h"

namespace {

std::string Dbfs(double peak) {
    return peak > 0.0 ? FormatSignedFixed(FactorToDb(peak), 2) + " dBFS" : "silence";
}

// The gain times scale, rounded towards zero to four significant digits, so that it
// keeps the promise of the message that names it.
std::string GainTimes(const ApplyDesignOptions& design, double scale) {
    const double gain = ReadEngValue(EntryTextFromArgument(design.gain).c_str()).value * scale;
    const double magnitude = std::fabs(gain);
    const double unit = std::pow(10.0, std::floor(std::log10(magnitude)) - 3.0);
    return FormatSignificant(std::copysign(std::floor(magnitude / unit) * unit, gain), 4);
}

int StatusOf(EqualiseOutcome outcome) {
    switch (outcome) {
        case EqualiseOutcome::Done:
            return kExitSuccess;
        case EqualiseOutcome::BadRequest:
            return kExitBadInput;
        case EqualiseOutcome::WouldClip:
        case EqualiseOutcome::Failed:
            return kExitOutputFailed;
    }
    return kExitOutputFailed;
}

void Report(const ApplyOptions& options, const std::string& inputPath,
            const std::string& outputPath, const EqualiseResult& result, std::ostream& err) {
    const std::string input = ShownSoundPath(inputPath, SoundSide::Input);
    const std::string output = ShownSoundPath(outputPath, SoundSide::Output);
    const Result<DesignChoice> choice = ReadApplyDesignChoice(options.design);
    const std::string gainOption =
        choice && choice->normalize == GainReference::OneKilohertz ? " (at 1 kHz)" : "";
    if (!result.notice.empty()) {
        err << "vorlexi-calc: " << result.notice << '\n';
    }
    if (result.outcome == EqualiseOutcome::WouldClip) {
        err << "vorlexi-calc: " << result.message << ": it peaks at " << Dbfs(result.peak)
            << "; --gain " << GainTimes(options.design, result.safeScale) << gainOption
            << (result.floatOverflow
                    ? " would fit it (or --auto-gain, or a 64-bit float output with --bits 64f)\n"
                    : " would fit it (or --auto-gain, --clip, or a float output with --bits "
                      "32f)\n");
        return;
    }
    if (result.outcome != EqualiseOutcome::Done) {
        err << "vorlexi-calc: " << result.message << '\n';
        return;
    }
    if (result.clippedSamples > 0) {
        err << "vorlexi-calc: " << output << ": " << result.clippedSamples
            << " samples clipped (the signal peaks at " << Dbfs(result.peak) << ")\n";
    }
    if (!result.integerOutput && result.peak > 1.0) {
        err << "vorlexi-calc: " << output << ": the signal peaks at " << Dbfs(result.peak)
            << ", above full scale: the float file holds it, but an integer copy needs --gain "
            << GainTimes(options.design, 1.0 / result.peak) << gainOption << " or less\n";
    }
    if (!options.quiet) {
        err << "vorlexi-calc: " << input << " -> " << output << ": " << result.frames
            << " frames at " << FormatShortest(result.samplingRate) << " Hz, peak "
            << Dbfs(result.peak);
        if (options.autoGain) {
            err << " after " << FormatSignedFixed(FactorToDb(result.appliedScale), 2)
                << " dB of --auto-gain";
        }
        err << '\n';
    }
}

}  // namespace

int RunApply(const CLI::App& app, const ApplyOptions& given, std::ostream& err) {
    const ApplyOptions options = InputsTakenBack(given);
    const Result<EqualiseSettings> settings = SettingsFromOptions(options);
    std::optional<std::string> problem = OptionOutsideApply(app);
    if (!problem && !settings) {
        problem = settings.error();
    }
    if (!problem) {
        problem = DesignOptionsProblem(options.design);
    }
    const Result<std::vector<std::string>> outputs = PlanOutputs(options);
    if (!problem && !outputs) {
        problem = outputs.error();
    }
    if (problem) {
        err << "vorlexi-calc apply: " << *problem << '\n';
        return kExitBadInput;
    }

    if (std::find(options.inputs.begin(), options.inputs.end(), kStandardStream) !=
        options.inputs.end()) {
        if (std::optional<std::string> failure = KeepStandardInputSeekable()) {
            err << "vorlexi-calc apply: " << *failure << '\n';
            return kExitOutputFailed;
        }
    }
    const DesignForRate design = MakeDesignForRate(options.design);
    const bool showProgress = !options.quiet && StandardErrorIsTerminal();
    const std::size_t count = options.inputs.size();
    BatchProgress progress(err, showProgress,
                           count == 1 ? ShownSoundPath(options.inputs[0], SoundSide::Input)
                                      : std::to_string(count) + " files",
                           count);
    std::mutex statusGuard;
    int status = kExitSuccess;
    const int jobs = options.jobs ? *options.jobs : DefaultJobs(count);
    RunOnThreads(count, jobs, [&](std::size_t i) {
        const std::string& input = options.inputs[i];
        const std::string& output = (*outputs)[i];
        EqualiseResult result;
        try {
            result =
                EqualiseFile(input, output, design, *settings,
                             [&progress, i](std::uint64_t done, std::uint64_t total, double rate) {
                                 progress.Update(i, done, total, rate);
                             });
        } catch (const std::bad_alloc&) {
            // The output's temporary file went as the stack unwound.
            result.outcome = EqualiseOutcome::Failed;
            result.message = ShownSoundPath(input, SoundSide::Input) + ": not enough memory";
        } catch (const std::exception& error) {
            // std::runtime_error when libsndfile (or NLopt, GLPK) cannot be loaded.
            result.outcome = EqualiseOutcome::Failed;
            result.message = ShownSoundPath(input, SoundSide::Input) + ": " + error.what();
        }
        std::ostringstream lines;
        Report(options, input, output, result, lines);
        progress.Print(lines.str());
        std::lock_guard<std::mutex> lock(statusGuard);
        status = std::max(status, StatusOf(result.outcome));
    });
    err.flush();
    return status;
}
