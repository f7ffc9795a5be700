#include "output_checks.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include "base/decibels.h"
#include "base/number_text.h"
#include "containers.h"
#include "shown_path.h"

namespace {

std::string Dbfs(double peak) { return FormatSignedFixed(FactorToDb(peak), 2) + " dBFS"; }

}  // namespace

// A container is finished by seeking back to its header: a pipe or a device cannot be.
std::optional<std::string> UnsuitableOutput(const std::string& outputPath) {
    struct stat status {};
    if (stat(outputPath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return safe_write::ShownPath(outputPath) +
               ": not a regular file; an audio file's header is completed at the end, which a "
               "pipe or device cannot take";
    }
    return std::nullopt;
}

// libsndfile finishes WAV, AIFF, CAF and the like by going back to their header, which
// standard output cannot do when it is a pipe; a terminal would get the bytes as text.
std::optional<std::string> UnsuitableStream(int format) {
    if (::isatty(STDOUT_FILENO)) {
        return std::string(
            "standard output is a terminal; send it through a pipe or into a file (> FILE)");
    }
    if (!StreamsToPipe(format & SF_FORMAT_TYPEMASK)) {
        return "standard output: " + ContainerName(format) +
               " is finished by going back to its header, which a pipe cannot take; "
               "--format-out " +
               StreamingContainerNames() + " stream (or -o FILE)";
    }
    return std::nullopt;
}

// Nothing when the peak that auto-gain aims at suits the output, else why not.
std::optional<std::string> UnsuitableTarget(double targetPeakDbfs, SampleEncoding encoding) {
    const double smallest = SmallestAudiblePeak(encoding);
    if (std::pow(10.0, targetPeakDbfs / 20.0) >= smallest) {
        return std::nullopt;
    }
    return "--auto-gain=" + FormatShortest(targetPeakDbfs) + ": below " +
           (IntegerBits(encoding) > 0 ? "one step of a " : "the smallest normal value of a ") +
           EncodingName(encoding) + " output (" + Dbfs(smallest) +
           "): the file would hold nothing audible";
}

// Nothing when the design's gain leaves the output something of an input that peaks at
// inputPeak, else why not. An input too quiet for the output on its own is not the
// gain's doing, and is written.
std::optional<std::string> InaudibleDesign(double bandGain, double inputPeak,
                                           SampleEncoding encoding) {
    const bool integer = IntegerBits(encoding) > 0;
    // Below half a step an integer output rounds to silence; below the smallest normal
    // value a float one loses its precision and then everything.
    const double smallest = SmallestAudiblePeak(encoding) * (integer ? 0.5 : 1.0);
    const double loudest = bandGain * inputPeak;  // no output sample can exceed it
    if (!(inputPeak >= smallest) || !(loudest < smallest)) {
        return std::nullopt;
    }
    return "the design's gain leaves nothing audible in a " + EncodingName(encoding) +
           " output: the input peaks at " + Dbfs(inputPeak) + ", the output at most at " +
           (loudest > 0.0 ? Dbfs(loudest) : std::string("silence")) + ", below " + Dbfs(smallest) +
           "; raise --gain (or use --auto-gain)";
}
