#include "apply_options.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "apply_batch.h"
#include "design_options.h"
#include "shown_path.h"

namespace {

using SettingsOrReason = Result<EqualiseSettings>;
using PathsOrReason = Result<std::vector<std::string>>;

constexpr double kDefaultAutoGainPeakDbfs = -1.0;

std::optional<double> ReadDecibels(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

struct FileIdentity {
    dev_t device;
    ino_t inode;
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

bool SameFile(const std::string& a, const std::string& b) {
    const auto firstFile = IdentityOf(a);
    const auto secondFile = IdentityOf(b);
    if (firstFile && secondFile) {
        return firstFile->device == secondFile->device && firstFile->inode == secondFile->inode;
    }
    // Not both there yet: the same name is the same file to be.
    std::error_code firstError;
    std::error_code secondError;
    const auto first = std::filesystem::weakly_canonical(a, firstError);
    const auto second = std::filesystem::weakly_canonical(b, secondError);
    if (firstError || secondError) {
        return std::filesystem::path(a).lexically_normal() ==
               std::filesystem::path(b).lexically_normal();
    }
    return first == second;
}

// The path as one word of a shell command line, quoted where it needs to be.
std::string ShellWord(const std::string& path) {
    const bool plain = !path.empty() && std::all_of(path.begin(), path.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_./+-:=@%,", c);
    });
    if (plain) {
        return path;
    }
    std::string quoted = "'";
    for (char c : path) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Why the folder cannot take the outputs, with the command that would make it.
std::optional<std::string> OutputFolderProblem(const std::string& folder) {
    const std::string shown = safe_write::ShownPath(folder);
    const std::string quoted = shown == folder ? "\"" + shown + "\"" : shown;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return quoted + " does not exist; mkdir -p " + ShellWord(folder) + " makes it";
    }
    if (status.type() != std::filesystem::file_type::directory) {
        return quoted + (error ? ": " + error.message() : std::string(" is not a folder"));
    }
    return std::nullopt;
}

}  // namespace

CLI::App* AddApplyCommand(CLI::App& app, ApplyOptions& options) {
    CLI::App* apply = app.add_subcommand(
        "apply",
        "Equalise audio files (WAV, W64, RF64, AIFF, CAF, FLAC, AU, raw, MP3, Ogg\n"
        "Vorbis, Opus) with the design made for each file's own sampling rate;\n"
        "standard input for an input named -, standard output for -o -");
    apply->footer(
        "By default the design is within 0.001 dB of the curve and passes 1 kHz\n"
        "unchanged. Playback EQ lifts 20 Hz by about 19 dB over 1 kHz: write a\n"
        "float file (--bits 32f) to keep every sample, or use --auto-gain for an\n"
        "integer one.\n"
        "Examples:\n"
        "  vorlexi-calc apply flat.wav -o riaa.wav --bits 32f\n"
        "  vorlexi-calc apply flat.wav -o riaa.flac --auto-gain\n"
        "  vorlexi-calc apply --inverse --output-dir cut/ side-a.flac side-b.flac --auto-gain\n"
        "  vorlexi-calc apply 78.wav -o eq.wav --curve decca-ffrr-78 --channels lateral\n"
        "  sox in.wav -t flac - | vorlexi-calc apply - -o - --auto-gain | play -t flac -\n"
        "Exit status: 0 done, 1 a file could not be read or written, or would clip,\n"
        "2 bad options.");
    // Not required here: --auto-gain, whose value is optional, may have taken the first
    // file (InputsTakenBack gives it back).
    apply->add_option("inputs", options.inputs, "Audio files to equalise; - for standard input")
        ->type_name("IN");
    apply->add_option("-o,--output", options.output, "The equalised file, for one input")
        ->type_name("OUT");
    apply
        ->add_option("--output-dir", options.outputDir,
                     "An existing folder for the equalised files,\n"
                     "each under its input's name (files run at\n"
                     "once, one a core: see --jobs)")
        ->type_name("DIR");

    apply
        ->add_option("-g,--gain", options.design.gain,
                     "Gain at 1 kHz, a plain factor (at DC with\n"
                     "--normalize=dc or --method=matched)")
        ->type_name("FACTOR")
        ->capture_default_str();
    apply
        ->add_option("-z,--extra-zero", options.design.zeroFreq,
                     "Add an extra zero: alone at the fixed 3.18 µs\n"
                     "time constant, with FREQ at that frequency")
        ->type_name("[FREQ]")
        ->expected(0, 1);
    apply->add_flag("-i,--inverse", options.design.inverse,
                    "The recording (pre-emphasis) curve instead of playback");
    AddDesignOptions(*apply, options.design);
    // apply's defaults differ from the print command's, whose report stays the desktop
    // program's calculation.
    DescribeDesignDefaults(*apply,
                           "minimax (the default): the cascade of the fewest\n"
                           "sections within 0.001 dB of the curve over 20 Hz\n"
                           "to min(20 kHz, 0.46 fs), or the closest of four\n"
                           "where none is; --sections or --tolerance choose\n"
                           "another size. matched: the desktop program's\n"
                           "design, the matched z-transform of the curve's\n"
                           "time constants, with its gain at DC",
                           "1k: the gain applies at 1 kHz (the default);\n"
                           "dc: at DC (the default of --method=matched)");
    CLI::Option* normalize = apply->get_option("--normalize");
    options.design.normalizeOption = normalize;
    apply
        ->add_option("-s,--sample-freq", options.sampleFreq,
                     "Refused: each file is equalised at its own rate")
        ->type_name("FREQ");

    apply
        ->add_option("--format-out", options.formatOut,
                     "wav, w64, rf64, aiff, caf, flac, au, raw, ogg\n"
                     "(Vorbis), opus or mp3, as the installed\n"
                     "libsndfile writes them; default: the input's\n"
                     "container and codec (or -o's extension)")
        ->type_name("CONTAINER")
        ->check(CLI::IsMember(
            {"wav", "w64", "rf64", "aiff", "caf", "flac", "au", "raw", "ogg", "opus", "mp3"},
            CLI::ignore_case));
    apply
        ->add_option("--bits", options.bits,
                     "16, 24, 32 (integer) or 32f, 64f (float);\n"
                     "default: the input's. Float is recommended\n"
                     "for playback EQ: it never clips")
        ->type_name("BITS")
        ->check(CLI::IsMember({"16", "24", "32", "32f", "64f"}, CLI::ignore_case));
    apply->add_flag("--clip", options.clip,
                    "Integer output: let samples beyond full scale\n"
                    "clip, and count them (default: refuse the file\n"
                    "and name the --gain that fits)");
    apply
        ->add_option("--auto-gain", options.autoGain,
                     "Scale each file so that its peak is DBFS\n"
                     "(default -1; at most what the format holds)")
        ->type_name("[DBFS]")
        ->expected(0, 1);
    apply
        ->add_option("--channels", options.channels,
                     "stereo: every channel as it is (the default);\n"
                     "of a two-channel file, one channel: lateral\n"
                     "(L+R)/2 for a mono record, vertical (L-R)/2 for\n"
                     "a vertical-cut one (Edison, Pathe, cylinders),\n"
                     "left or right")
        ->type_name("CHANNELS")
        ->check(CLI::IsMember({"stereo", "lateral", "vertical", "left", "right"}));
    apply->add_flag("--no-dither", options.noDither, "Integer output: round without TPDF dither");
    apply
        ->add_option("-j,--jobs", options.jobs,
                     "Equalise N files at once (default: one a\n"
                     "core); each file comes out as it would alone")
        ->type_name("N")
        ->check(CLI::Range(1, kMostJobs));
    apply->add_flag("-q,--quiet", options.quiet, "No progress bar and no summary line a file");
    return apply;
}

ApplyOptions InputsTakenBack(ApplyOptions options) {
    std::error_code error;
    if (options.autoGain && !ReadDecibels(*options.autoGain) &&
        (*options.autoGain == kStandardStream ||
         std::filesystem::exists(*options.autoGain, error))) {
        options.inputs.insert(options.inputs.begin(), *options.autoGain);
        options.autoGain = std::string();
    }
    return options;
}

std::optional<std::string> OptionOutsideApply(const CLI::App& app) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0) {
            return option->get_name() + " belongs to the print command; apply takes its own " +
                   "options after the word apply";
        }
    }
    return std::nullopt;
}

Result<EqualiseSettings> SettingsFromOptions(const ApplyOptions& options) {
    if (options.sampleFreq) {
        return SettingsOrReason::Failure(
            "--sample-freq cannot go with apply: each file is equalised at its own "
            "sampling rate");
    }
    if (options.clip && options.autoGain) {
        return SettingsOrReason::Failure("--clip and --auto-gain cannot go together");
    }
    EqualiseSettings settings;
    if (!options.formatOut.empty()) {
        settings.container = ContainerFromName(options.formatOut);
    } else if (!options.output.empty() && options.output != kStandardStream) {
        if (std::optional<std::string> unknown = UnknownExtension(options.output)) {
            return SettingsOrReason::Failure("-o " + safe_write::ShownPath(options.output) + ": " +
                                             *unknown);
        }
        settings.container = ContainerFromPath(options.output);
    }
    if (!options.bits.empty()) {
        settings.encoding = EncodingFromName(options.bits);
    }
    settings.dither = !options.noDither;
    settings.channels = ChannelFoldFromName(options.channels).value_or(ChannelFold::AsIs);
    if (options.clip) {
        settings.headroom = Headroom::Clip;
    } else if (options.autoGain) {
        settings.headroom = Headroom::AutoGain;
        settings.targetPeakDbfs = kDefaultAutoGainPeakDbfs;
        if (!options.autoGain->empty()) {
            const std::optional<double> decibels = ReadDecibels(*options.autoGain);
            if (!decibels) {
                return SettingsOrReason::Failure("--auto-gain: \"" + *options.autoGain +
                                                 "\" is not a peak in dBFS (such as -1 or -0.3)");
            }
            settings.targetPeakDbfs = *decibels;
        }
    }
    return settings;
}

Result<std::vector<std::string>> PlanOutputs(const ApplyOptions& options) {
    if (options.inputs.empty()) {
        return PathsOrReason::Failure(
            "name the files to equalise: vorlexi-calc apply IN... (- for standard input)");
    }
    const bool toFile = !options.output.empty();
    const bool toFolder = !options.outputDir.empty();
    if (toFile == toFolder) {
        return PathsOrReason::Failure(
            toFile ? "-o and --output-dir cannot go together"
                   : "name the output: -o OUT for one input, --output-dir DIR for any");
    }
    if (toFile && options.inputs.size() > 1) {
        return PathsOrReason::Failure("-o names one output, but " +
                                      std::to_string(options.inputs.size()) +
                                      " inputs were given; use --output-dir");
    }
    std::vector<std::string> paths;
    if (toFile) {
        paths.push_back(options.output);
    } else {
        if (std::optional<std::string> problem = OutputFolderProblem(options.outputDir)) {
            return PathsOrReason::Failure("--output-dir: " + *problem);
        }
        const std::optional<OutputContainer> container = ContainerFromName(options.formatOut);
        for (const std::string& input : options.inputs) {
            if (input == kStandardStream) {
                return PathsOrReason::Failure(
                    "standard input has no name to write under --output-dir; name its "
                    "output with -o");
            }
            std::filesystem::path name = std::filesystem::path(input).filename();
            if (container) {
                name.replace_extension(ExtensionOf(*container));
            }
            paths.push_back((std::filesystem::path(options.outputDir) / name).string());
        }
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (paths[i] == kStandardStream) {
            continue;
        }
        for (const std::string& input : options.inputs) {
            if (input != kStandardStream && SameFile(paths[i], input)) {
                return PathsOrReason::Failure(safe_write::ShownPath(paths[i]) +
                                              " is an input: apply never overwrites its input");
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(paths[i], paths[j])) {
                return PathsOrReason::Failure(safe_write::ShownPath(options.inputs[j]) + " and " +
                                              safe_write::ShownPath(options.inputs[i]) +
                                              " would both be written to " +
                                              safe_write::ShownPath(paths[i]));
            }
        }
    }
    return paths;
}
