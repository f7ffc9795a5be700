// The plugin as lilv's lv2apply runs it (a host with no features at all), on impulses,
// against the design vorlexi-calc prints for the same settings: the same filter, to the
// precision of float samples.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "apply_run.h"
#include "external_tool.h"
#include "plugin/plugin_controls.h"
#include "response/cascade.h"
#include "sound_files.h"

namespace {

// The cascade of a SoX line "biquad b0 b1 b2 a0 a1 a2 biquad ...".
Cascade CascadeOfSoxLine(const std::string& line) {
    std::istringstream words(line);
    words.imbue(std::locale::classic());
    Cascade cascade;
    std::string word;
    while (words >> word) {
        double a0 = 1.0;
        BiquadSection s;
        words >> s.b0 >> s.b1 >> s.b2 >> a0 >> s.a1 >> s.a2;
        cascade.sections.push_back(s);
    }
    return cascade;
}

struct Case {
    int rate;
    std::vector<std::pair<std::string, double>> controls;  // for lv2apply -c
    std::vector<std::string> options;                      // the same for vorlexi-calc
};

// The plugin's defaults: minimax within 0.001 dB, 0 dB at 1 kHz.
const std::vector<std::string> kDefaultDesign = {"--tolerance=0.001", "--normalize=1k"};

std::vector<std::string> With(std::vector<std::string> more) {
    std::vector<std::string> options = kDefaultDesign;
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

void ExpectLv2applyMatchesTheDesign(const Case& test, const std::string& uri, int channels) {
    SCOPED_TRACE(std::to_string(test.rate) + " Hz, " + uri);
    ScratchFolder folder;
    const std::size_t frames = static_cast<std::size_t>(test.rate) / 4;
    const double height = 0.5;
    Sound impulse;
    impulse.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    impulse.rate = test.rate;
    impulse.channels = channels;
    impulse.samples = Impulse(channels, frames, 0, height);
    WriteSound(folder.Path("impulse.wav"), impulse);

    std::string command = "lv2apply -i " + ShellQuoted(folder.Path("impulse.wav")) + " -o " +
                          ShellQuoted(folder.Path("out.wav"));
    for (const auto& [symbol, value] : test.controls) {
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text << value;
        command += " -c " + symbol + " " + text.str();
    }
    command += " " + uri + " 2>" + ShellQuoted(folder.Path("err.txt"));
    ASSERT_EQ(RunCommand("env LV2_PATH=" + ShellQuoted(VORLEXI_LV2_PATH) + " " + command), 0)
        << command << "\n"
        << ReadText(folder.Path("err.txt"));

    const Sound out = ReadSound(folder.Path("out.wav"));
    ASSERT_EQ(out.samples.size(), frames * channels);
    const Cascade design = CascadeOfSoxLine(ExportedSoxEffects(test.rate, test.options));
    const std::vector<double> wanted = CascadeImpulseResponse(design, height, frames);
    double peak = 0.0;
    for (double v : wanted) peak = std::max(peak, std::fabs(v));
    for (int c = 0; c < channels; ++c) {
        for (std::size_t n = 0; n < frames; ++n) {
            ASSERT_NEAR(out.samples[n * channels + c], wanted[n], 1e-6 * peak)
                << "channel " << c << ", frame " << n;
        }
    }
}

TEST(Lv2apply, TheDefaultControlsGiveTheToleranceDesignAtEveryRate) {
    for (int rate : {44100, 48000, 96000, 192000}) {
        ExpectLv2applyMatchesTheDesign({rate, {}, kDefaultDesign}, std::string(kStereoPluginUri),
                                       2);
    }
    ExpectLv2applyMatchesTheDesign({48000, {}, kDefaultDesign}, std::string(kMonoPluginUri), 1);
}

TEST(Lv2apply, CurveDirectionSectionsAndGainControlsGiveTheirDesigns) {
    const std::string mono(kMonoPluginUri);
    // Columbia LP is row 4 of the named curves (control value 4).
    ExpectLv2applyMatchesTheDesign({48000, {{"curve", 4}}, With({"--curve=columbia-lp"})}, mono, 1);
    ExpectLv2applyMatchesTheDesign({96000, {{"direction", kRecording}}, With({"--inverse"})}, mono,
                                   1);
    ExpectLv2applyMatchesTheDesign(
        {44100,
         {{"sections", 3}, {"gain", 6}, {"gain_reference", kGainAtDc}},
         {"--sections=3", "--normalize=dc", "--gain=" + std::to_string(std::pow(10.0, 0.3))}},
        mono, 1);
}

TEST(Lv2apply, TheCustomCurveControlsGiveTheTurnoverEntrysDesign) {
    const std::string mono(kMonoPluginUri);
    ExpectLv2applyMatchesTheDesign(
        {48000,
         {{"curve", kCustomCurve}, {"turnover", 300}, {"shelf", 50}, {"rolloff", 10}},
         With({"--curve=turnover:300,shelf:50,rolloff:10"})},
        mono, 1);
    // Without a shelf the boost runs down to DC; the curve is then normalised at 1 kHz.
    ExpectLv2applyMatchesTheDesign(
        {48000, {{"curve", kCustomCurve}, {"turnover", 500}}, With({"--curve=turnover:500"})}, mono,
        1);
}

// decca-ffrr-78 is row 8 of the named curves.
TEST(Lv2apply, TheRumbleControlsAddTheHighPassVorlexiCalcDesigns) {
    const std::string mono(kMonoPluginUri);
    ExpectLv2applyMatchesTheDesign(
        {48000,
         {{"curve", 8}, {"rumble", 20}, {"rumble_order", 4}},
         With({"--curve=decca-ffrr-78", "--rumble=20", "--rumble-order=4"})},
        mono, 1);
    ExpectLv2applyMatchesTheDesign(
        {96000, {{"direction", kRecording}, {"rumble", 15}}, With({"--inverse", "--rumble=15"})},
        std::string(kStereoPluginUri), 2);
}

}  // namespace
