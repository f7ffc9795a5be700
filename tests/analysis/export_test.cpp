// The lines users paste into SoX, FFmpeg, CamillaDSP and Audacity: run by the real
// tools where they are installed, read back number by number otherwise. A wrong sign
// or a lost digit here turns a phono equaliser into a different filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "export_formats.h"
#include "external_tool.h"
#include "frequency_response.h"
#include "riaa_design.h"

namespace {

struct Case {
    const char* name;
    double fs;
    double extraZero;
    int inverse;
    double gain;
};

// Playback and recording, with and without the extra zero, at common rates; the
// inverse designs have coefficients far above 1.
const Case kCases[] = {
    {"44k1 playback", 44100.0, 0.0, 0, 1.0},
    {"48k with a 20 kHz zero, gain 2", 48000.0, 20000.0, 0, 2.0},
    {"96k recording with the 3.18 us zero", 96000.0, 1.0, 1, 1.0},
    {"44k1 recording without extra zero", 44100.0, 0.0, 1, 0.5},
};

constexpr std::size_t kImpulseLength = 256;

std::vector<double> Values(const RiaaCoefficients& c) {
    return {c.num[0], c.num[1], c.num[2], c.den[0], c.den[1], c.den[2]};
}

// The number a whole word spells, or NaN when anything else is in it.
double WholeNumber(const std::string& word) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' ? value : NAN;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// The text between `before` and the next `after`, or "" when either is missing.
std::string Between(const std::string& text, const std::string& before, const std::string& after) {
    const std::size_t start = text.find(before);
    if (start == std::string::npos) return {};
    const std::size_t from = start + before.size();
    const std::size_t to = text.find(after, from);
    return to == std::string::npos ? std::string() : text.substr(from, to - from);
}

// Feeds an impulse through `command` (which reads in.f32 and writes out.f32 in
// `folder`) and compares with the design's own impulse response, relative to its peak.
// The impulse is scaled so that the tool's fixed-point path cannot clip.
void ExpectToolReproducesImpulseResponse(const RiaaCoefficients& c, const ScratchFolder& folder,
                                         const std::string& command) {
    const auto unit = ImpulseResponse(c.num, c.den, 1.0, kImpulseLength);
    double peak = 0.0;
    for (double v : unit) {
        peak = std::max(peak, std::abs(v));
    }
    const double amplitude = std::min(1.0, 0.5 / peak);
    const auto expected = ImpulseResponse(c.num, c.den, amplitude, kImpulseLength);

    std::vector<float> impulse(kImpulseLength, 0.0f);
    impulse[0] = static_cast<float>(amplitude);
    WriteFloats(folder.Path("in.f32"), impulse);
    ASSERT_EQ(RunCommand(command), 0) << command;
    const auto output = ReadFloats(folder.Path("out.f32"));
    ASSERT_EQ(output.size(), kImpulseLength) << command;
    for (std::size_t n = 0; n < kImpulseLength; ++n) {
        ASSERT_NEAR(output[n] / amplitude, expected[n] / amplitude, 1e-6 * std::max(1.0, peak))
            << "sample " << n << " of " << command;
    }
}

TEST(SoxEffect, RealSoxReproducesTheDesignsImpulseResponse) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        ScratchFolder folder;
        // -D: no dither; float in and out, so only the filter changes the samples.
        const std::string rate = std::to_string(static_cast<int>(k.fs));
        ExpectToolReproducesImpulseResponse(
            c, folder,
            "sox -D -t f32 -r " + rate + " -c 1 " + ShellQuoted(folder.Path("in.f32")) +
                " -t f32 " + ShellQuoted(folder.Path("out.f32")) + " " + FormatSoxEffect(c));
    }
}

TEST(FfmpegFilter, RealFfmpegReproducesTheDesignsImpulseResponse) {
    ASSERT_EQ(RunCommand("command -v ffmpeg >/dev/null"), 0)
        << "ffmpeg is missing: scripts/install-deps.sh --test installs it";
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        ScratchFolder folder;
        const std::string rate = std::to_string(static_cast<int>(k.fs));
        ExpectToolReproducesImpulseResponse(c, folder,
                                            "ffmpeg -nostdin -v error -y -f f32le -ar " + rate +
                                                " -ac 1 -i " + ShellQuoted(folder.Path("in.f32")) +
                                                " -af " + ShellQuoted(FormatFfmpegFilter(c)) +
                                                " -f f32le " + ShellQuoted(folder.Path("out.f32")));
    }
}

TEST(ExportedLines, CarryEveryCoefficientExactlyAndInOrder) {
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        const auto expected = Values(c);

        const auto sox = Split(FormatSoxEffect(c), ' ');
        ASSERT_EQ(sox.size(), 7u);
        EXPECT_EQ(sox[0], "biquad");
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(WholeNumber(sox[i + 1]), expected[i]) << sox[i + 1];
        }

        const std::string ffmpeg = FormatFfmpegFilter(c);
        ASSERT_EQ(ffmpeg.rfind("biquad=", 0), 0u) << ffmpeg;
        const auto settings = Split(ffmpeg.substr(7), ':');
        ASSERT_EQ(settings.size(), 6u) << ffmpeg;
        const char* keys[] = {"b0=", "b1=", "b2=", "a0=", "a1=", "a2="};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(settings[i].substr(0, 3), keys[i]);
            EXPECT_EQ(WholeNumber(settings[i].substr(3)), expected[i]) << settings[i];
        }

        const std::string camilla = FormatCamillaDspFilter(c, k.fs, "riaa");
        EXPECT_NE(camilla.find("\nfilters:\n  riaa:\n    type: Biquad\n"), std::string::npos);
        EXPECT_NE(camilla.find("\n      type: Free\n"), std::string::npos);
        const char* camillaKeys[] = {"b0", "b1", "b2", "a1", "a2"};
        const double camillaValues[] = {c.num[0], c.num[1], c.num[2], c.den[1], c.den[2]};
        for (int i = 0; i < 5; ++i) {
            const std::string key = std::string("\n      ") + camillaKeys[i] + ": ";
            EXPECT_EQ(WholeNumber(Between(camilla, key, "\n")), camillaValues[i]) << key;
        }
    }
}

TEST(NyquistLine, FiltersTheTrackAtTheDesignedRateAndRefusesOthers) {
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        const std::string line = FormatNyquistLine(c, k.fs);

        const std::string rate = Between(line, "(if (= *sound-srate* ", ") (biquad-m *track* ");
        EXPECT_EQ(WholeNumber(rate), k.fs) << line;
        const auto arguments = Split(Between(line, "(biquad-m *track* ", ") (format nil \""), ' ');
        ASSERT_EQ(arguments.size(), 6u) << line;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(WholeNumber(arguments[i]), Values(c)[i]) << arguments[i];
        }
        // Otherwise an error message naming the track's rate.
        EXPECT_NE(Between(line, "(format nil \"", "\" *sound-srate*))").find("~a"),
                  std::string::npos)
            << line;
        EXPECT_EQ(line.substr(line.size() - 17), "\" *sound-srate*))");
        // XLISP reads "1" as an integer; every value must read as a float.
        auto words = arguments;
        words.push_back(rate);
        for (const std::string& word : words) {
            EXPECT_NE(word.find_first_of(".e"), std::string::npos) << word;
        }
    }
}

TEST(ExportedLines, RefuseNonFiniteCoefficients) {
    EXPECT_TRUE(HasFiniteCoefficients(ComputeRiaaCoefficients(44100.0, 1.0, 0.0, 0)));
    // A rate this high cancels the DC sums to zero: the scaling divides by it.
    EXPECT_FALSE(HasFiniteCoefficients(ComputeRiaaCoefficients(1e300, 1.0, 0.0, 0)));
    RiaaCoefficients c = ComputeRiaaCoefficients(44100.0, 1.0, 0.0, 0);
    c.den[2] = NAN;
    EXPECT_FALSE(HasFiniteCoefficients(c));
}

}  // namespace
