// Every container and sample format that apply offers: an impulse goes through as it
// came (same container, same format, same samples) with a neutral design, and as the
// design's impulse response with the RIAA design.
#include <gtest/gtest.h>

#include <cmath>

#include "designs_under_test.h"
#include "external_tool.h"
#include "file_equaliser.h"
#include "sound_files.h"

namespace {

struct FormatCase {
    const char* name;
    int format;
    double step;  // the format's resolution at full scale 1.0
};

const FormatCase kFormats[] = {
    {"WAV 16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0x1p-15},
    {"WAV 24", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0x1p-23},
    {"WAV 32", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 0x1p-31},
    {"WAV float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0x1p-24},
    {"WAV double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 0x1p-53},
    {"W64 24", SF_FORMAT_W64 | SF_FORMAT_PCM_24, 0x1p-23},
    {"W64 double", SF_FORMAT_W64 | SF_FORMAT_DOUBLE, 0x1p-53},
    {"AIFF 16", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 0x1p-15},
    {"AIFF 32", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 0x1p-31},
    {"AIFF float", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 0x1p-24},
    {"FLAC 16", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0x1p-15},
    {"FLAC 24", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 0x1p-23},
    {"CAF 24", SF_FORMAT_CAF | SF_FORMAT_PCM_24, 0x1p-23},
    {"CAF float", SF_FORMAT_CAF | SF_FORMAT_FLOAT, 0x1p-24},
    {"CAF double", SF_FORMAT_CAF | SF_FORMAT_DOUBLE, 0x1p-53},
};

constexpr int kRate = 44100;
constexpr std::size_t kFrames = 400;
constexpr std::size_t kAt = 10;

DesignForRate Fixed(const Cascade& cascade) {
    return [cascade](double) { return AppliedDesign{cascade, "test design"}; };
}

EqualiseSettings WithoutDither() {
    EqualiseSettings settings;
    settings.dither = false;
    return settings;
}

TEST(FormatRoundTrip, ANeutralDesignGivesBackTheImpulseInTheSameFormat) {
    for (const FormatCase& k : kFormats) {
        SCOPED_TRACE(k.name);
        ScratchFolder folder;
        const Sound input{k.format, kRate, 2, Impulse(2, kFrames, kAt, 0.5), {}};
        WriteSound(folder.Path("in"), input);
        const EqualiseResult result =
            EqualiseFile(folder.Path("in"), folder.Path("out"), Fixed(Cascade{{BiquadSection{}}}),
                         WithoutDither(), {});
        ASSERT_EQ(result.outcome, EqualiseOutcome::Done) << result.message;
        const Sound output = ReadSound(folder.Path("out"));
        EXPECT_EQ(output.format, k.format);
        EXPECT_EQ(output.rate, kRate);
        EXPECT_EQ(output.samples, input.samples);
    }
}

TEST(FormatRoundTrip, TheRiaaDesignGivesItsImpulseResponseWithinTheFormatsStep) {
    const RiaaCoefficients c = *RiaaDesign({.samplingFrequency = kRate}).record;
    const std::vector<double> expected = ImpulseResponse(c.num, c.den, 0.5, kFrames - kAt);
    for (const FormatCase& k : kFormats) {
        SCOPED_TRACE(k.name);
        ScratchFolder folder;
        WriteSound(folder.Path("in"), {k.format, kRate, 2, Impulse(2, kFrames, kAt, 0.5), {}});
        const EqualiseResult result =
            EqualiseFile(folder.Path("in"), folder.Path("out"), Fixed(CascadeFromCoefficients(c)),
                         WithoutDither(), {});
        ASSERT_EQ(result.outcome, EqualiseOutcome::Done) << result.message;
        const Sound output = ReadSound(folder.Path("out"));
        ASSERT_EQ(output.samples.size(), 2 * kFrames);
        for (std::size_t n = 0; n < kFrames; ++n) {
            const double want = n < kAt ? 0.0 : expected[n - kAt];
            // Floats keep their relative precision; integers round to half a step.
            const double tolerance = std::max(k.step * std::fabs(want), 0.5 * k.step) * 1.0001;
            ASSERT_NEAR(output.samples[2 * n], want, tolerance) << "frame " << n;
            ASSERT_EQ(output.samples[2 * n + 1], output.samples[2 * n]) << "frame " << n;
        }
    }
}

TEST(FormatRoundTrip, AskedForContainerAndFormatReplaceTheInputsOwn) {
    ScratchFolder folder;
    WriteSound(folder.Path("in.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 1, Impulse(1, kFrames, kAt, 0.25), {}});
    EqualiseSettings settings = WithoutDither();
    settings.container = SF_FORMAT_FLAC;
    settings.encoding = SampleEncoding::Pcm24;
    const EqualiseResult result = EqualiseFile(folder.Path("in.wav"), folder.Path("out.flac"),
                                               Fixed(Cascade{{BiquadSection{}}}), settings, {});
    ASSERT_EQ(result.outcome, EqualiseOutcome::Done) << result.message;
    const Sound output = ReadSound(folder.Path("out.flac"));
    EXPECT_EQ(output.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(output.samples, Impulse(1, kFrames, kAt, 0.25));

    settings.encoding = SampleEncoding::Float32;  // FLAC holds integers only
    const EqualiseResult refused = EqualiseFile(folder.Path("in.wav"), folder.Path("x.flac"),
                                                Fixed(Cascade{{BiquadSection{}}}), settings, {});
    EXPECT_EQ(refused.outcome, EqualiseOutcome::BadRequest);
    EXPECT_NE(refused.message.find("cannot hold 32-bit float"), std::string::npos)
        << refused.message;
}

}  // namespace
