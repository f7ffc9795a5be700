#include "export_formats.h"

#include <cmath>

#include "number_text.h"

namespace {

constexpr int kDigits = 17;

std::string Coefficient(double value) { return FormatSignificant(value, kDigits); }

// XLISP reads "1" as an integer; a point or an exponent keeps every value a float.
std::string LispFloat(double value) {
    std::string text = Coefficient(value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace

std::string FormatSoxEffect(const RiaaCoefficients& c) {
    std::string line = "biquad";
    for (double value : {c.num[0], c.num[1], c.num[2], c.den[0], c.den[1], c.den[2]}) {
        line += ' ' + Coefficient(value);
    }
    return line;
}

std::string FormatFfmpegFilter(const RiaaCoefficients& c) {
    return "biquad=b0=" + Coefficient(c.num[0]) + ":b1=" + Coefficient(c.num[1]) +
           ":b2=" + Coefficient(c.num[2]) + ":a0=" + Coefficient(c.den[0]) +
           ":a1=" + Coefficient(c.den[1]) + ":a2=" + Coefficient(c.den[2]);
}

std::string FormatCamillaDspFilter(const RiaaCoefficients& c, double samplingFrequency,
                                   const std::string& name) {
    // CamillaDSP's Free biquad has no a0: divide it out.
    const double a0 = c.den[0];
    return "# Designed for a sampling rate of " + FormatSignificant(samplingFrequency, kDigits) +
           " Hz: set the pipeline's samplerate to match.\n"
           "filters:\n"
           "  " +
           name +
           ":\n"
           "    type: Biquad\n"
           "    parameters:\n"
           "      type: Free\n"
           "      b0: " +
           Coefficient(c.num[0] / a0) +
           "\n"
           "      b1: " +
           Coefficient(c.num[1] / a0) +
           "\n"
           "      b2: " +
           Coefficient(c.num[2] / a0) +
           "\n"
           "      a1: " +
           Coefficient(c.den[1] / a0) +
           "\n"
           "      a2: " +
           Coefficient(c.den[2] / a0) + "\n";
}

std::string FormatNyquistLine(const RiaaCoefficients& c, double samplingFrequency) {
    // *sound-srate* is the selected track's rate in a process effect, and unlike
    // (snd-srate *track*) it also works when *track* is a stereo pair.
    const std::string rate = LispFloat(samplingFrequency);
    std::string call = "(biquad-m *track*";
    for (double value : {c.num[0], c.num[1], c.num[2], c.den[0], c.den[1], c.den[2]}) {
        call += ' ' + LispFloat(value);
    }
    call += ')';
    return "(if (= *sound-srate* " + rate + ") " + call +
           " (format nil \"This filter is designed for " + Coefficient(samplingFrequency) +
           " Hz, the track is at ~a Hz.\" *sound-srate*))";
}

bool HasFiniteCoefficients(const RiaaCoefficients& c) {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(c.num[i]) || !std::isfinite(c.den[i])) {
            return false;
        }
    }
    return true;
}
