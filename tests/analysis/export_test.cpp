// The lines users paste into SoX, FFmpeg, CamillaDSP and Audacity: run by the real
// tools where they are installed, read back number by number otherwise. A wrong sign
// or a lost digit here turns a phono equaliser into a different filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
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

// Reads every number in the text that matches `pattern`'s first group, in order.
std::vector<double> NumbersIn(const std::string& text, const std::string& pattern) {
    std::vector<double> numbers;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        numbers.push_back(std::strtod((*it)[1].str().c_str(), nullptr));
    }
    return numbers;
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
        ExpectToolReproducesImpulseResponse(
            c, folder,
            "ffmpeg -nostdin -v error -y -f f32le -ar " + rate + " -ac 1 -i " +
                ShellQuoted(folder.Path("in.f32")) + " -af " + ShellQuoted(FormatFfmpegFilter(c)) +
                " -f f32le " + ShellQuoted(folder.Path("out.f32")));
    }
}

TEST(ExportedLines, CarryEveryCoefficientExactlyAndInOrder) {
    const std::string number = R"(([-+0-9.eE]+))";
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        const auto expected = Values(c);

        const std::string sox = FormatSoxEffect(c);
        EXPECT_EQ(sox.rfind("biquad ", 0), 0u);
        EXPECT_EQ(NumbersIn(sox, " " + number), expected);

        const std::string ffmpeg = FormatFfmpegFilter(c);
        EXPECT_TRUE(std::regex_match(ffmpeg, std::regex("biquad=b0=" + number + ":b1=" + number +
                                                        ":b2=" + number + ":a0=" + number +
                                                        ":a1=" + number + ":a2=" + number)))
            << ffmpeg;
        EXPECT_EQ(NumbersIn(ffmpeg, "[ab][012]=" + number), expected);

        const std::string camilla = FormatCamillaDspFilter(c, k.fs, "riaa");
        EXPECT_NE(camilla.find("\nfilters:\n  riaa:\n    type: Biquad\n"), std::string::npos);
        EXPECT_NE(camilla.find("\n      type: Free\n"), std::string::npos);
        EXPECT_EQ(NumbersIn(camilla, "\n      [ab][012]: " + number),
                  (std::vector<double>{c.num[0], c.num[1], c.num[2], c.den[1], c.den[2]}));
    }
}

TEST(NyquistLine, FiltersTheTrackAtTheDesignedRateAndRefusesOthers) {
    for (const Case& k : kCases) {
        SCOPED_TRACE(k.name);
        const auto c = ComputeRiaaCoefficients(k.fs, k.gain, k.extraZero, k.inverse);
        const std::string line = FormatNyquistLine(c, k.fs);

        std::smatch parts;
        const std::string number = R"(([-+0-9.eE]+))";
        ASSERT_TRUE(std::regex_match(
            line, parts,
            std::regex(R"(\(if \(= \*sound-srate\* )" + number + R"(\) \(biquad-m \*track\*((?: [-+0-9.eE]+){6})\) )" +
                       R"(\(format nil "[^"]*~a[^"]*" \*sound-srate\*\)\))")))
            << line;
        EXPECT_EQ(std::strtod(parts[1].str().c_str(), nullptr), k.fs);
        EXPECT_EQ(NumbersIn(parts[2].str(), " " + number), Values(c));
        // XLISP reads "1" as an integer; every value must read as a float.
        for (const std::string& text : {parts[1].str(), parts[2].str()}) {
            std::istringstream words(text);
            for (std::string word; words >> word;) {
                EXPECT_NE(word.find_first_of(".e"), std::string::npos) << word;
            }
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
