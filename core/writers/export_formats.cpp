#include "writers/export_formats.h"

#include <array>
#include <cmath>

#include "base/number_text.h"

namespace {

constexpr int kDigits = 17;

// XLISP reads "1" as an integer; a point or an exponent keeps every value a float.
std::string LispFloat(double value) {
    std::string text = ExportedCoefficient(value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

// The six numbers of a section in the order b0 b1 b2 a0 a1 a2.
std::array<double, 6> Values(const BiquadSection& s) { return {s.b0, s.b1, s.b2, 1.0, s.a1, s.a2}; }

std::string CamillaName(const std::string& name, std::size_t index, std::size_t count) {
    return count == 1 ? name : name + "_" + std::to_string(index + 1);
}

}  // namespace

std::string ExportedCoefficient(double value) { return FormatSignificant(value, kDigits); }

std::string FormatSoxEffect(const Cascade& cascade) {
    std::string line;
    for (const BiquadSection& s : cascade.sections) {
        line += line.empty() ? "biquad" : " biquad";
        for (double value : Values(s)) {
            line += ' ' + ExportedCoefficient(value);
        }
    }
    return line;
}

std::string FormatFfmpegFilter(const Cascade& cascade) {
    std::string chain;
    const char* keys[] = {"b0", "b1", "b2", "a0", "a1", "a2"};
    for (const BiquadSection& s : cascade.sections) {
        chain += chain.empty() ? "biquad=" : ",biquad=";
        const auto values = Values(s);
        for (std::size_t i = 0; i < values.size(); ++i) {
            chain +=
                std::string(i == 0 ? "" : ":") + keys[i] + "=" + ExportedCoefficient(values[i]);
        }
        // FFmpeg's biquad filters in the precision of its input by default: 16-bit
        // samples run through 16-bit arithmetic, several dB off the design on quiet
        // material. Double precision keeps every input at the design.
        chain += ":precision=f64";
    }
    return chain;
}

std::string FormatCamillaDspFilter(const Cascade& cascade, double samplingFrequency,
                                   const std::string& name, CamillaDspVersion version) {
    const std::size_t count = cascade.sections.size();
    const std::string rate = FormatSignificant(samplingFrequency, kDigits);
    // CamillaDSP keeps the rate under devices:, beside the capture and playback devices.
    std::string text = "# Designed for a sampling rate of " + rate +
                       " Hz; the configuration's devices must run at it:\n"
                       "# devices:\n"
                       "#   samplerate: " +
                       rate + "\nfilters:\n";
    for (std::size_t i = 0; i < count; ++i) {
        const BiquadSection& s = cascade.sections[i];
        text += "  " + CamillaName(name, i, count) +
                ":\n"
                "    type: Biquad\n"
                "    parameters:\n"
                "      type: Free\n"
                "      b0: " +
                ExportedCoefficient(s.b0) + "\n      b1: " + ExportedCoefficient(s.b1) +
                "\n      b2: " + ExportedCoefficient(s.b2) +
                "\n      a1: " + ExportedCoefficient(s.a1) +
                "\n      a2: " + ExportedCoefficient(s.a2) + "\n";
    }
    std::string names = "    names:\n";
    for (std::size_t i = 0; i < count; ++i) {
        names += "      - " + CamillaName(name, i, count) + "\n";
    }
    text += "pipeline:\n";
    if (version == CamillaDspVersion::V3) {
        return text + "  - type: Filter\n    channels: [0, 1]\n" + names;
    }
    for (const char* channel : {"0", "1"}) {
        text += std::string("  - type: Filter\n    channel: ") + channel + "\n" + names;
    }
    return text;
}

std::string FormatNyquistLine(const Cascade& cascade, double samplingFrequency) {
    // *sound-srate* is the selected track's rate in a process effect, and unlike
    // (snd-srate *track*) it also works when *track* is a stereo pair.
    const std::string rate = LispFloat(samplingFrequency);
    std::string call = "*track*";
    for (const BiquadSection& s : cascade.sections) {
        std::string outer = "(biquad-m " + call;
        for (double value : Values(s)) {
            outer += ' ' + LispFloat(value);
        }
        call = outer + ')';
    }
    return "(if (= *sound-srate* " + rate + ") " + call +
           " (format nil \"This filter is designed for " + ExportedCoefficient(samplingFrequency) +
           " Hz, the track is at ~a Hz.\" *sound-srate*))";
}

bool HasFiniteCoefficients(const Cascade& cascade) {
    if (cascade.sections.empty()) {
        return false;
    }
    for (const BiquadSection& s : cascade.sections) {
        for (double value : Values(s)) {
            if (!std::isfinite(value)) {
                return false;
            }
        }
    }
    return true;
}
