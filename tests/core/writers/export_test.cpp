// The text users paste into SoX, FFmpeg, CamillaDSP and Audacity: run by the real
// tools where they are installed, read back number by number otherwise. A wrong sign,
// a lost digit or sections in the wrong order turn a phono equaliser into a different
// filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "designs/riaa_record.h"
#include "designs_under_test.h"
#include "external_tool.h"
#include "response/frequency_response.h"
#include "writers/export_formats.h"

namespace {

struct Case {
    const char* name;
    double fs;
    Cascade cascade;
};

// The matched one-biquad designs (playback and recording, with and without the extra
// zero; the inverse designs have coefficients far above 1) and minimax cascades of
// two to four sections.
std::vector<Case> Cases() {
    const auto matched = [](double fs, double gain, double extraZero, int inverse) {
        return CascadeFromCoefficients(RiaaRecord(fs, gain, extraZero, inverse));
    };
    const auto minimax = [](double fs, double gain, double extraZero, bool inverse, int sections) {
        return RiaaDesign({fs, gain, extraZero, inverse, DesignMethod::Minimax,
                           SectionCount{sections}})
            .cascade;
    };
    return {
        {"44k1 playback", 44100.0, matched(44100.0, 1.0, 0.0, 0)},
        {"48k with a 20 kHz zero, gain 2", 48000.0, matched(48000.0, 2.0, 20000.0, 0)},
        {"96k recording with the 3.18 us zero", 96000.0, matched(96000.0, 1.0, 1.0, 1)},
        {"44k1 recording without extra zero", 44100.0, matched(44100.0, 0.5, 0.0, 1)},
        {"44k1 minimax, two sections", 44100.0, minimax(44100.0, 1.0, 0.0, false, 2)},
        {"48k minimax recording, three sections, gain 2", 48000.0,
         minimax(48000.0, 2.0, 0.0, true, 3)},
        {"96k minimax with the 3.18 us zero, four sections", 96000.0,
         minimax(96000.0, 1.0, 1.0, false, 4)},
    };
}

constexpr std::size_t kImpulseLength = 256;

std::vector<double> Values(const BiquadSection& s) { return {s.b0, s.b1, s.b2, 1.0, s.a1, s.a2}; }

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
std::string Between(const std::string& text, const std::string& before, const std::string& after,
                    std::size_t from = 0) {
    const std::size_t start = text.find(before, from);
    if (start == std::string::npos) return {};
    const std::size_t begin = start + before.size();
    const std::size_t to = text.find(after, begin);
    return to == std::string::npos ? std::string() : text.substr(begin, to - begin);
}

// Feeds an impulse through `command` (which reads in.f32 and writes out.f32 in
// `folder`) and compares with the cascade's own impulse response, relative to its
// peak. The impulse is scaled so that no section's output can clip in the tool's
// fixed-point path between effects.
void ExpectToolReproducesImpulseResponse(const Cascade& cascade, const ScratchFolder& folder,
                                         const std::string& command) {
    double peak = 0.0;
    for (std::size_t k = 1; k <= cascade.sections.size(); ++k) {
        for (double v : CascadeImpulseResponse(cascade, 1.0, kImpulseLength, k)) {
            peak = std::max(peak, std::abs(v));
        }
    }
    const double amplitude = std::min(1.0, 0.5 / peak);
    const auto expected = CascadeImpulseResponse(cascade, amplitude, kImpulseLength);

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

TEST(SoxEffect, RealSoxReproducesTheCascadesImpulseResponse) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null"), 0)
        << "sox is missing: scripts/install-deps.sh --test installs it";
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        ScratchFolder folder;
        // -D: no dither; float in and out, so only the filters change the samples.
        const std::string rate = std::to_string(static_cast<int>(k.fs));
        ExpectToolReproducesImpulseResponse(k.cascade, folder,
                                            "sox -D -t f32 -r " + rate + " -c 1 " +
                                                ShellQuoted(folder.Path("in.f32")) + " -t f32 " +
                                                ShellQuoted(folder.Path("out.f32")) + " " +
                                                FormatSoxEffect(k.cascade));
    }
}

TEST(FfmpegFilter, RealFfmpegReproducesTheCascadesImpulseResponse) {
    ASSERT_EQ(RunCommand("command -v ffmpeg >/dev/null"), 0)
        << "ffmpeg is missing: scripts/install-deps.sh --test installs it";
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        ScratchFolder folder;
        const std::string rate = std::to_string(static_cast<int>(k.fs));
        // The line alone asks for double precision: single-precision samples through four
        // feedback loops would not match to a millionth.
        ExpectToolReproducesImpulseResponse(
            k.cascade, folder,
            "ffmpeg -nostdin -v error -y -f f32le -ar " + rate + " -ac 1 -i " +
                ShellQuoted(folder.Path("in.f32")) + " -af " +
                ShellQuoted(FormatFfmpegFilter(k.cascade)) + " -f f32le -c:a pcm_f32le " +
                ShellQuoted(folder.Path("out.f32")));
    }
}

// FFmpeg filters a 16-bit input in 16-bit arithmetic unless told otherwise: a -6 dBFS
// impulse then comes out 0.4 dB off the design, a quieter record several dB.
TEST(FfmpegFilter, AnImpulseFromA16BitFileFollowsTheDesign) {
    ASSERT_EQ(RunCommand("command -v ffmpeg >/dev/null"), 0)
        << "ffmpeg is missing: scripts/install-deps.sh --test installs it";
    // Long enough for the 3180 us pole to decay below a float's resolution.
    constexpr std::size_t kLength = 16384;
    constexpr double kAmplitude = 0.5;  // -6 dBFS, exactly 16384 in 16 bits
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        ScratchFolder folder;
        std::vector<char> impulse(2 * kLength, 0);
        impulse[1] = 0x40;  // 16384, little-endian
        {
            std::ofstream in(folder.Path("in.s16"), std::ios::binary);
            in.write(impulse.data(), static_cast<std::streamsize>(impulse.size()));
        }
        const std::string command =
            "ffmpeg -nostdin -v error -y -f s16le -ar " + std::to_string(static_cast<int>(k.fs)) +
            " -ac 1 -i " + ShellQuoted(folder.Path("in.s16")) + " -af " +
            ShellQuoted(FormatFfmpegFilter(k.cascade)) + " -f f32le -c:a pcm_f32le " +
            ShellQuoted(folder.Path("out.f32"));
        ASSERT_EQ(RunCommand(command), 0) << command;
        const std::vector<float> output = ReadFloats(folder.Path("out.f32"));
        ASSERT_EQ(output.size(), kLength);
        for (double f : {20.0, 100.0, 1000.0, 10000.0, 20000.0}) {
            std::complex<double> spectrum = 0.0;
            const double w = 2.0 * M_PI * f / k.fs;
            for (std::size_t n = 0; n < kLength; ++n) {
                spectrum +=
                    static_cast<double>(output[n]) * std::polar(1.0, -w * static_cast<double>(n));
            }
            const double measuredDb = 20.0 * std::log10(std::abs(spectrum) / kAmplitude);
            const double designedDb =
                20.0 * std::log10(std::abs(CascadeResponse(k.cascade, k.fs, f)));
            EXPECT_NEAR(measuredDb, designedDb, 0.01) << f << " Hz";
        }
    }
}

TEST(ExportedLines, CarryEveryCoefficientExactlyAndInOrder) {
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        const auto& sections = k.cascade.sections;

        const auto sox = Split(FormatSoxEffect(k.cascade), ' ');
        ASSERT_EQ(sox.size(), 7 * sections.size());
        for (std::size_t s = 0; s < sections.size(); ++s) {
            EXPECT_EQ(sox[7 * s], "biquad");
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(WholeNumber(sox[7 * s + 1 + i]), Values(sections[s])[i])
                    << sox[7 * s + 1 + i];
            }
        }

        const auto filters = Split(FormatFfmpegFilter(k.cascade), ',');
        ASSERT_EQ(filters.size(), sections.size());
        const char* keys[] = {"b0=", "b1=", "b2=", "a0=", "a1=", "a2="};
        for (std::size_t s = 0; s < sections.size(); ++s) {
            ASSERT_EQ(filters[s].rfind("biquad=", 0), 0u) << filters[s];
            const auto settings = Split(filters[s].substr(7), ':');
            ASSERT_EQ(settings.size(), 7u) << filters[s];
            EXPECT_EQ(settings[6], "precision=f64");
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(settings[i].substr(0, 3), keys[i]);
                EXPECT_EQ(WholeNumber(settings[i].substr(3)), Values(sections[s])[i])
                    << settings[i];
            }
        }
    }
}

TEST(CamillaDspFilter, NamesOneFreeBiquadPerSectionAndRunsThemInOrder) {
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        const auto& sections = k.cascade.sections;
        const std::string text = FormatCamillaDspFilter(k.cascade, k.fs, "riaa");
        const std::size_t pipeline = text.find("\npipeline:\n  - type: Filter\n");
        ASSERT_NE(pipeline, std::string::npos) << text;
        const std::string names = text.substr(text.find("    names:\n", pipeline));
        for (std::size_t s = 0; s < sections.size(); ++s) {
            const std::string name =
                sections.size() == 1 ? "riaa" : "riaa_" + std::to_string(s + 1);
            const std::size_t block = text.find("\n  " + name + ":\n    type: Biquad\n");
            ASSERT_NE(block, std::string::npos) << name;
            EXPECT_EQ(text.find("\n      type: Free\n", block), text.find("\n      type:", block));
            const char* camillaKeys[] = {"b0", "b1", "b2", "a1", "a2"};
            const double values[] = {sections[s].b0, sections[s].b1, sections[s].b2, sections[s].a1,
                                     sections[s].a2};
            for (int i = 0; i < 5; ++i) {
                const std::string key = std::string("\n      ") + camillaKeys[i] + ": ";
                EXPECT_EQ(WholeNumber(Between(text, key, "\n", block)), values[i]) << key;
            }
            // The pipeline lists the sections in the cascade's order.
            const std::size_t listed = names.find("      - " + name + "\n");
            ASSERT_NE(listed, std::string::npos) << names;
            if (s > 0) {
                EXPECT_GT(listed, names.find("      - riaa_" + std::to_string(s) + "\n"));
            }
        }
    }
}

// CamillaDSP refuses a configuration whose pipeline steps have the other version's keys,
// so each form is read by a YAML parser and checked against its version's structure.
TEST(CamillaDspFilter, EachVersionReadsAsThatVersionsConfiguration) {
    ASSERT_EQ(RunCommand(std::string(PYTHON3_PATH) + " -c 'import yaml'"), 0)
        << "python3-yaml is missing: scripts/install-deps.sh --test installs it";
    // One section and a cascade; each run starts Python.
    for (const Case& k : {Cases()[0], Cases()[5]}) {
        SCOPED_TRACE(k.name);
        for (const auto& [version, number] :
             {std::pair{CamillaDspVersion::V3, "3"}, std::pair{CamillaDspVersion::V2, "2"}}) {
            ScratchFolder folder;
            const std::string path = folder.Path("riaa.yml");
            std::ofstream(path) << FormatCamillaDspFilter(k.cascade, k.fs, "riaa", version);
            const std::string command = std::string(PYTHON3_PATH) + " " +
                                        ShellQuoted(CHECK_CAMILLADSP_SCRIPT) + " " + number + " " +
                                        ExportedCoefficient(k.fs) + " " + ShellQuoted(path) +
                                        " > " + ShellQuoted(folder.Path("result"));
            EXPECT_EQ(RunCommand(command), 0)
                << "CamillaDSP " << number << ": " << ReadText(folder.Path("result"));
        }
    }
}

TEST(NyquistLine, NestsTheSectionsAndRefusesOtherRates) {
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        const auto& sections = k.cascade.sections;
        const std::string line = FormatNyquistLine(k.cascade, k.fs);

        const std::string rate = Between(line, "(if (= *sound-srate* ", ") (biquad-m ");
        EXPECT_EQ(WholeNumber(rate), k.fs) << line;
        // The first section is innermost: it filters the track itself.
        std::string call = Between(line, ") ", " (format nil \"");
        for (std::size_t s = sections.size(); s-- > 0;) {
            ASSERT_EQ(call.rfind("(biquad-m ", 0), 0u) << call;
            ASSERT_EQ(call.back(), ')') << call;
            const std::string inner = call.substr(10, call.size() - 11);
            const std::size_t split = s == 0 ? inner.find(' ') : inner.rfind(')') + 1;
            const std::string argument = inner.substr(0, split);
            const auto values = Split(inner.substr(split + 1), ' ');
            ASSERT_EQ(values.size(), 6u) << inner;
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(WholeNumber(values[i]), Values(sections[s])[i]) << values[i];
                // XLISP reads "1" as an integer; every value must read as a float.
                EXPECT_NE(values[i].find_first_of(".e"), std::string::npos) << values[i];
            }
            call = argument;
        }
        EXPECT_EQ(call, "*track*");
        EXPECT_NE(rate.find_first_of(".e"), std::string::npos) << rate;
        // Otherwise an error message naming the track's rate.
        EXPECT_NE(Between(line, "(format nil \"", "\" *sound-srate*))").find("~a"),
                  std::string::npos)
            << line;
    }
}

TEST(ExportedLines, RefuseNonFiniteCoefficientsAndEmptyCascades) {
    const auto usable = CascadeFromCoefficients(RiaaRecord(44100.0, 1.0, 0.0, 0));
    EXPECT_TRUE(HasFiniteCoefficients(usable));
    // A rate this high cancels the DC sums to zero: the scaling divides by it.
    EXPECT_FALSE(HasFiniteCoefficients(
        CascadeFromCoefficients(RiaaRecord(1e300, 1.0, 0.0, 0))));
    Cascade broken = Cases()[4].cascade;
    broken.sections.back().a2 = NAN;
    EXPECT_FALSE(HasFiniteCoefficients(broken));
    EXPECT_FALSE(HasFiniteCoefficients(Cascade{}));
}

}  // namespace
