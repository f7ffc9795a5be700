// What apply does without design options: the curve within 0.001 dB, 1 kHz unchanged,
// and a comment that says so; the desktop program's design only when asked for.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>

#include "apply_run.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

constexpr int kRate = 44100;

// The RIAA playback curve's magnitude in dB relative to 1 kHz, from its time constants
// 3180 us, 318 us and 75 us (IEC 60098).
double RiaaDb(double hz) {
    const auto h = [](double f) {
        const std::complex<double> s(0.0, 2.0 * M_PI * f);
        return std::abs((1.0 + s * 318e-6) / ((1.0 + s * 3180e-6) * (1.0 + s * 75e-6)));
    };
    return 20.0 * std::log10(h(hz) / h(1000.0));
}

// The gain in dB at hz of a filter whose impulse response (from a unit impulse at 0)
// the samples of channel 0 hold.
double GainDb(const Sound& response, double hz) {
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n * response.channels < response.samples.size(); ++n) {
        sum += response.samples[n * response.channels] *
               std::polar(1.0, -2.0 * M_PI * hz * static_cast<double>(n) / response.rate);
    }
    return 20.0 * std::log10(std::abs(sum));
}

// The impulse response of apply's design with the options, in 64-bit float.
Sound ImpulseResponse(TestFolder& folder, std::vector<std::string> options) {
    WriteSound(folder.Path("impulse.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, kRate, 1, Impulse(1, kRate, 0, 1.0), {}});
    options.insert(options.end(), {"-q", "--bits", "64f", folder.Path("impulse.wav"), "-o",
                                   folder.Path("response.wav")});
    const ProcessResult result = Apply(options);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return ReadSound(folder.Path("response.wav"));
}

TEST(ApplyDefaults, TheCurveWithinAThousandthOfADecibelAndOneKilohertzUnchanged) {
    TestFolder folder;
    const Sound response = ImpulseResponse(folder, {});
    EXPECT_NEAR(GainDb(response, 1000.0), 0.0, 1e-4) << "a 1 kHz tone keeps its level";
    for (const double hz : {20.0, 50.0, 200.0, 2120.0, 5000.0, 10000.0, 15000.0, 20000.0}) {
        EXPECT_NEAR(GainDb(response, hz), RiaaDb(hz), 0.0011) << hz << " Hz";
    }
    std::map<int, std::string> strings(response.strings.begin(), response.strings.end());
    EXPECT_EQ(strings[SF_STR_COMMENT].rfind(
                  "RIAA playback (de-emphasis) curve, minimax method, 2 sections, largest "
                  "deviation 0.0006 dB, designed for 44100 Hz, gain 1 at 1 kHz; applied by",
                  0),
              0u)
        << strings[SF_STR_COMMENT];
}

TEST(ApplyDefaults, TheMatchedDesignAtDcOnlyWhenAskedFor) {
    TestFolder folder;
    // The desktop program's design: gain 1 at DC puts 1 kHz about 19.9 dB down, and the
    // matched z-transform is about 3 dB off the curve near 20 kHz at this rate.
    const Sound matched = ImpulseResponse(folder, {"--method=matched"});
    EXPECT_NEAR(GainDb(matched, 1000.0), -19.91, 0.02);
    EXPECT_GT(std::fabs(GainDb(matched, 20000.0) - RiaaDb(20000.0)), 1.0);
    // --normalize=dc moves the accurate design's gain, not its accuracy.
    const Sound atDc = ImpulseResponse(folder, {"--normalize=dc"});
    EXPECT_NEAR(GainDb(atDc, 1000.0), -19.91, 0.02);
    EXPECT_NEAR(GainDb(atDc, 20000.0) - GainDb(atDc, 1000.0), RiaaDb(20000.0), 0.0011);
    // An explicit --method=minimax without a size is the accurate design too.
    const Sound minimax = ImpulseResponse(folder, {"--method=minimax"});
    EXPECT_NEAR(GainDb(minimax, 20000.0), RiaaDb(20000.0), 0.0011);
}

TEST(ApplyDefaults, WhereNoCascadeReachesTheToleranceTheClosestIsUsedAndNamed) {
    TestFolder folder;
    WriteSound(folder.Path("in.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 1, Noise(4000, 0.1, 5u), {}});
    // Close pairs of roots and a pair near the top of the band: two sections come within
    // about 0.2 dB, and more do no better.
    const ProcessResult result = Apply({"--curve", "custom:z:1000u,p:900u,z:800u,p:700u,z:8u,p:7u",
                                        folder.Path("in.wav"), "-o", folder.Path("out.wav")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.err.find("in.wav: no cascade of up to 4 sections comes within 0.001 dB of "
                              "the curve at 44100 Hz; the closest, minimax, 2 sections, is 0.2"),
              std::string::npos)
        << result.err;
    std::map<int, std::string> strings;
    for (const auto& [kind, text] : ReadSound(folder.Path("out.wav")).strings) {
        strings[kind] = text;
    }
    EXPECT_NE(strings[SF_STR_COMMENT].find(
                  "2 sections, largest deviation 0.2 dB (the closest of up to 4 sections; "
                  "0.001 dB is out of reach at this rate)"),
              std::string::npos)
        << strings[SF_STR_COMMENT];
}

TEST(ApplyDefaults, TheCommentGivesTheGainThatAutoGainLeft) {
    TestFolder folder;
    WriteSound(folder.Path("tone.wav"),
               {SF_FORMAT_WAV | SF_FORMAT_PCM_24, kRate, 1, Noise(kRate, 0.5, 3u), {}});
    // --auto-gain's value is optional: the file after it is still the input.
    const ProcessResult result = Apply(
        {"--gain", "2", "--auto-gain", folder.Path("tone.wav"), "-o", folder.Path("out.wav")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::size_t at = result.err.find("after ");
    ASSERT_NE(at, std::string::npos) << result.err;
    const double autoGainDb = std::stod(result.err.substr(at + 6));
    std::map<int, std::string> strings;
    for (const auto& [kind, text] : ReadSound(folder.Path("out.wav")).strings) {
        strings[kind] = text;
    }
    const std::string& comment = strings[SF_STR_COMMENT];
    const std::string tail =
        " at 1 kHz (--gain 2 with " + result.err.substr(at + 6, 5) + " dB of --auto-gain)";
    const std::size_t tailAt = comment.find(tail);
    ASSERT_NE(tailAt, std::string::npos) << comment << " / " << result.err;
    const std::size_t gainAt = comment.rfind("gain ", tailAt);
    ASSERT_NE(gainAt, std::string::npos) << comment;
    const double applied = std::stod(comment.substr(gainAt + 5, tailAt - gainAt - 5));
    EXPECT_NEAR(applied, 2.0 * std::pow(10.0, autoGainDb / 20.0), 0.006 * applied) << comment;
}

}  // namespace
