// The designer's model against vorlexi-calc run as a process for the same settings: the
// window must show the very figures and text the tool prints, or a user who copies a line
// from one and checks it with the other finds two answers.

#include <algorithm>
#include <clocale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "design_outcome.h"
#include "designer_settings.h"
#include "run_process.h"

namespace {

ProcessResult RunCalc(const DesignerSettings& settings, const Design& design,
                      const std::vector<std::string>& extra) {
    std::vector<std::string> arguments = {VORLEXI_CALC_PATH};
    for (const std::string& argument : CalcDesignArguments(settings, design, CalcCommand::Print)) {
        arguments.push_back(argument);
    }
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunProcess(arguments);
}

DesignerSettings Riaa48k() { return DesignerSettings{}; }

DesignerSettings MinimaxSections(int sections, std::string rate) {
    DesignerSettings settings;
    settings.samplingFrequency = std::move(rate);
    settings.method = DesignMethod::Minimax;
    settings.size = SizeChoice::Sections;
    settings.sections = sections;
    return settings;
}

DesignerSettings NamedRecording(std::string curve, std::string rate) {
    DesignerSettings settings;
    settings.curveName = std::move(curve);
    settings.samplingFrequency = std::move(rate);
    settings.direction = Direction::Recording;
    settings.gain = "2";
    settings.gainReference = GainReference::OneKilohertz;
    return settings;
}

DesignerSettings TurnoverTolerance() {
    DesignerSettings settings;
    settings.curveSource = CurveSource::Turnover;
    settings.turnoverHz = "400";
    settings.shelfHz = "";
    settings.rollOffDb = "12";
    settings.samplingFrequency = "96k";
    settings.method = DesignMethod::Minimax;
    settings.size = SizeChoice::Tolerance;
    settings.toleranceDb = "0.01";
    return settings;
}

DesignerSettings CustomConstants() {
    DesignerSettings settings;
    settings.curveSource = CurveSource::Custom;
    settings.timeConstants = "3180u,318u,50u";
    settings.samplingFrequency = "44.1k";
    return settings;
}

DesignerSettings WithRumble(DesignerSettings settings) {
    settings.rumbleHz = "20";
    settings.rumbleOrder = 3;
    return settings;
}

struct Case {
    const char* name;
    DesignerSettings settings;
};

class SameAsCalc : public ::testing::TestWithParam<Case> {};

TEST_P(SameAsCalc, FiguresAreTheLinesOfItsResponse) {
    const DesignOutcome outcome = MakeOutcome(GetParam().settings);
    ASSERT_TRUE(outcome.design) << outcome.error;
    const ProcessResult calc = RunCalc(outcome.settings, *outcome.design, {"--response"});
    ASSERT_EQ(calc.exitStatus, 0) << calc.err;
    // Every line but the design's own first line is a line of the tool's output.
    const std::string figures = outcome.figures.substr(outcome.figures.find('\n') + 1);
    EXPECT_NE(calc.out.find(figures), std::string::npos) << figures << "\nnot in\n" << calc.out;
}

TEST_P(SameAsCalc, EveryProgramsTextIsTheToolsByteForByte) {
    const DesignOutcome outcome = MakeOutcome(GetParam().settings);
    ASSERT_TRUE(outcome.design) << outcome.error;
    for (const ExportProgramInfo& info : ExportPrograms()) {
        const Result<std::string> text = ExportText(*outcome.design, info.program);
        const std::vector<std::string> extra =
            info.program == ExportProgram::Report
                ? std::vector<std::string>{"--response"}
                : std::vector<std::string>{std::string("--format=") + info.calcFormat};
        const ProcessResult calc = RunCalc(outcome.settings, *outcome.design, extra);
        if (text) {
            EXPECT_EQ(calc.exitStatus, 0) << info.calcFormat << ": " << calc.err;
            EXPECT_EQ(*text, calc.out) << info.calcFormat;
        } else {
            // Refused by both, and for the same reason.
            EXPECT_NE(calc.exitStatus, 0) << info.calcFormat;
            const std::string reason = text.error().substr(text.error().find(": ") + 2);
            EXPECT_NE(calc.err.find(reason), std::string::npos)
                << info.calcFormat << ": " << reason << " vs " << calc.err;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SameAsCalc,
    ::testing::Values(Case{"riaa_matched_48k", Riaa48k()},
                      Case{"riaa_minimax_two_sections_44k1", MinimaxSections(2, "44100")},
                      Case{"riaa_minimax_four_sections_96k", MinimaxSections(4, "96k")},
                      Case{"aes_recording_gain_at_1k", NamedRecording("aes-1951", "48000")},
                      Case{"turnover_within_tolerance", TurnoverTolerance()},
                      Case{"custom_time_constants", CustomConstants()},
                      Case{"minimax_with_rumble_filter", WithRumble(MinimaxSections(2, "44100"))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesignerEntries, BadEntriesNameTheEntryAndHowToFixIt) {
    DesignerSettings settings;
    settings.samplingFrequency = "fast";
    EXPECT_EQ(MakeOutcome(settings).error,
              "Sampling frequency: \"fast\" is not a positive number; type one such as 44100 or "
              "96k");
    settings = {};
    settings.gain = "0";
    EXPECT_NE(MakeOutcome(settings).error.find("Gain: \"0\""), std::string::npos);
    settings = {};
    settings.curveSource = CurveSource::Custom;
    settings.timeConstants = "318u,3180u,oops";
    EXPECT_TRUE(MakeOutcome(settings).error.starts_with("Curve: ")) << MakeOutcome(settings).error;
    settings = MinimaxSections(2, "48k");
    settings.size = SizeChoice::Tolerance;
    settings.toleranceDb = "-1";
    EXPECT_NE(MakeOutcome(settings).error.find("Tolerance"), std::string::npos);
    settings = {};
    settings.rumbleHz = "low";
    EXPECT_NE(MakeOutcome(settings).error.find("Rumble filter: \"low\""), std::string::npos);
}

TEST(DesignerEntries, RatesWhereTheResponseMeansNothingAreRefusedNotPlotted) {
    DesignerSettings settings;
    settings.samplingFrequency = "1500";
    const DesignOutcome outcome = MakeOutcome(settings);
    EXPECT_FALSE(outcome.design);
    EXPECT_NE(outcome.error.find("above 2 kHz"), std::string::npos) << outcome.error;
    EXPECT_TRUE(outcome.plot.empty());
}

TEST(DesignerEntries, NumbersReadTheSameWhateverTheLocale) {
    // The entries are read by the core, never by the C locale: "44.1k" is 44100 Hz and
    // "1.5" one and a half for a German user too, and the figures keep their points.
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: scripts/install-deps.sh --test makes it";
    DesignerSettings settings = CustomConstants();
    settings.gain = "1.5";
    const DesignOutcome outcome = MakeOutcome(settings);
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(outcome.design) << outcome.error;
    EXPECT_EQ(outcome.design->samplingFrequency, 44100.0);
    EXPECT_EQ(outcome.design->gain, 1.5);
    EXPECT_NE(outcome.figures.find("Gain at DC: 1.5 ("), std::string::npos) << outcome.figures;
}

TEST(DesignerApply, ArgumentsSpellOutTheDesignShown) {
    // apply's own defaults may change; the files must get the design on the screen.
    const DesignOutcome matched = MakeOutcome(Riaa48k());
    ASSERT_TRUE(matched.design);
    const auto matchedArguments =
        CalcDesignArguments(matched.settings, *matched.design, CalcCommand::Apply);
    EXPECT_EQ(matchedArguments, (std::vector<std::string>{"--curve=riaa", "--gain=1",
                                                          "--method=matched", "--normalize=dc"}));

    DesignerSettings ownSize = NamedRecording("aes-1951", "48k");
    ownSize.method = DesignMethod::Minimax;
    const DesignOutcome minimax = MakeOutcome(ownSize);
    ASSERT_TRUE(minimax.design) << minimax.error;
    const auto arguments =
        CalcDesignArguments(minimax.settings, *minimax.design, CalcCommand::Apply);
    EXPECT_EQ(arguments,
              (std::vector<std::string>{
                  "--curve=aes-1951", "--gain=2", "--inverse", "--method=minimax",
                  "--sections=" + std::to_string(minimax.design->cascade.sections.size()),
                  "--normalize=1k"}));
    EXPECT_EQ(std::count_if(arguments.begin(), arguments.end(),
                            [](const std::string& a) { return a.starts_with("--sample-freq"); }),
              0)
        << "apply designs for each file's own rate";
}

}  // namespace
