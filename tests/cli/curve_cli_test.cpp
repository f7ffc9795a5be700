// vorlexi-calc with --curve, --sections, --tolerance and --list-curves, run as a user
// runs it: the design it writes is the core's, refusals are one line and exit status 2,
// and the chains it exports run in the real SoX and FFmpeg as designed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "calc_process.h"
#include "curves/analogue_curve.h"
#include "curves/curve_entry.h"
#include "curves/curve_list.h"
#include "curves/named_curves.h"
#include "designs_under_test.h"
#include "external_tool.h"
#include "run_process.h"
#include "writers/export_formats.h"

namespace {

// The sections of SoX effects "biquad b0 b1 b2 a0 a1 a2 biquad …", read back exactly.
Cascade SoxCascade(const std::string& line) {
    std::istringstream words(line);
    Cascade cascade;
    for (std::string word; words >> word;) {
        EXPECT_EQ(word, "biquad");
        double v[6];
        for (double& value : v) {
            words >> word;
            value = std::strtod(word.c_str(), nullptr);
        }
        EXPECT_EQ(v[3], 1.0);
        cascade.sections.push_back({v[0], v[1], v[2], v[4], v[5]});
    }
    return cascade;
}

void ExpectSameCascade(const Cascade& written, const Cascade& designed) {
    ASSERT_EQ(written.sections.size(), designed.sections.size());
    for (std::size_t i = 0; i < designed.sections.size(); ++i) {
        const BiquadSection& w = written.sections[i];
        const BiquadSection& d = designed.sections[i];
        EXPECT_EQ(std::vector<double>({w.b0, w.b1, w.b2, w.a1, w.a2}),
                  std::vector<double>({d.b0, d.b1, d.b2, d.a1, d.a2}))
            << "section " << i;
    }
}

Design Minimax(const char* curve, double fs, DesignSize size, bool recording = false) {
    return CurveDesign(curve, fs, DesignMethod::Minimax, size, recording);
}

TEST(CurveCli, ToleranceTakesTheFewestSectionsThatMeetIt) {
    // One section is 0.235 dB off RIAA at 44.1 kHz, two far below a hundredth.
    const ProcessResult riaa = Calc({"-s", "44.1k", "--tolerance", "0.01", "--format=sox"});
    ASSERT_EQ(riaa.exitStatus, 0) << riaa.err;
    ExpectSameCascade(SoxCascade(riaa.out), Minimax("riaa", 44100.0, SectionCount{2}).cascade);

    // A curve of its own: the count is the smallest whose fit meets the tolerance.
    const double twoSections = *Minimax("columbia-lp", 48000.0, SectionCount{2}).maxDeviationDb;
    const double tolerance = twoSections * 1.01;
    ASSERT_GT(*Minimax("columbia-lp", 48000.0, SectionCount{1}).maxDeviationDb, tolerance);
    const ProcessResult curve = Calc({"-s", "48k", "--curve", "columbia-lp", "--tolerance",
                                      std::to_string(tolerance), "--format=sox"});
    ASSERT_EQ(curve.exitStatus, 0) << curve.err;
    EXPECT_EQ(SoxCascade(curve.out).sections.size(), 2u);
}

TEST(CurveCli, AToleranceNoCascadeMeetsNamesTheBestReachable) {
    DesignRequest request;
    request.samplingFrequency = 44100.0;
    request.method = DesignMethod::Minimax;
    request.size = ToleranceDb{1e-12};
    const Result<Design> unreachable = MakeDesign(request);
    ASSERT_FALSE(unreachable.ok()) << "1e-12 dB should be out of reach";
    const std::string expected = "vorlexi-calc: " + unreachable.error() + "\n";
    const ProcessResult result = Calc({"-s", "44.1k", "--tolerance", "1e-12"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, expected);
    EXPECT_NE(result.err.find("the best, 4 sections, is"), std::string::npos);

    for (const char* bad : {"0", "-0.1", "abc", "", "nan", "inf"}) {
        ExpectOneLineRefusal(Calc({"--tolerance", bad}), "--tolerance: \"" + std::string(bad) + "\"");
    }
}

TEST(CurveCli, SectionsRunFromTheCurvesMinimumToFour) {
    for (const char* bad : {"0", "5", "two", "1.5", ""}) {
        ExpectOneLineRefusal(Calc({"--sections", bad}), "from 1 to 4");
    }
    // The IEC amendment's high-pass adds a pole and a zero at DC: two sections at least.
    ExpectOneLineRefusal(Calc({"--curve", "riaa-iec", "--sections", "1"}),
                  "the curve riaa-iec needs at least 2 sections");
    ExpectOneLineRefusal(Calc({"--sections", "2", "--tolerance", "0.1"}), "cannot go together");
    // The matched design's sections follow from the curve.
    ExpectOneLineRefusal(Calc({"--method=matched", "--sections", "2"}), "--method=matched");
    ExpectOneLineRefusal(Calc({"--method=matched", "--tolerance", "0.1"}), "--method=matched");

    const ProcessResult four =
        Calc({"-s", "96k", "--curve", "riaa-iec", "-i", "--sections", "4", "--format=sox"});
    ASSERT_EQ(four.exitStatus, 0) << four.err;
    ExpectSameCascade(SoxCascade(four.out),
                      Minimax("riaa-iec", 96000.0, SectionCount{4}, true).cascade);
}

TEST(CurveCli, ARefusedCurveEntryIsOneLineWithTheReadersMessage) {
    for (const char* entry : {"custom:-3u", "custom:z:318u", "custom:3180u,abc",
                              "custom:", "turnover:0", "no-such-curve", ""}) {
        const CurveReading reading = ReadCurveEntry(entry);
        ASSERT_FALSE(reading.ok()) << entry;
        ExpectOneLineRefusal(Calc({"--curve", entry}), "--curve: " + reading.error());
    }
    // The extra zero belongs to RIAA; other curves take their zeros in custom entries.
    ExpectOneLineRefusal(Calc({"--curve", "teldec", "-z"}), "--extra-zero");
    // A readable entry is designed like a named curve.
    const ProcessResult custom =
        Calc({"-s", "48k", "--curve", "custom:1590u,318u,100u", "--format=sox"});
    ASSERT_EQ(custom.exitStatus, 0) << custom.err;
    ExpectSameCascade(
        SoxCascade(custom.out),
        CurveDesign("columbia-lp", 48000.0, DesignMethod::Matched).cascade);
}

// A cascade's report ends with its response against the curve; where that cannot be
// measured it is refused, never printed as NaN. The exported line needs no response.
TEST(CurveCli, ACascadeReportWhoseResponseCannotBeMeasuredIsRefused) {
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--curve", "teldec", "--gain", "0"}), "non-zero gain");
    ExpectOneLineRefusal(Calc({"-s", "1.5k", "--curve", "teldec"}), "above 2 kHz");
    ExpectOneLineRefusal(Calc({"-s", "1e308", "--curve", "teldec"}), "the report of a cascade");
    const ProcessResult line =
        Calc({"-s", "44.1k", "--curve", "teldec", "-g", "0", "--format=sox"});
    EXPECT_EQ(line.exitStatus, 0) << line.err;
    EXPECT_EQ(line.out.find("nan"), std::string::npos) << line.out;
}

TEST(CurveCli, ListCurvesNamesEveryCurveAndEachOneDesigns) {
    const ProcessResult list = Calc({"--list-curves"});
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    EXPECT_EQ(list.out, CurveListText());
    std::istringstream lines(list.out);
    std::vector<std::string> listed;
    for (std::string line; std::getline(lines, line);) {
        listed.push_back(line.substr(0, line.find(' ')));
    }
    ASSERT_EQ(listed.size(), NamedCurves().size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const NamedCurve& curve = NamedCurves()[i];
        EXPECT_EQ(listed[i], curve.name);
        // Every listed name works with --curve, and its line runs in SoX. A curve with a
        // pole at DC is exported by its minimax design: the matched one is an integrator.
        std::vector<std::string> arguments = {"-s", "44.1k", "--curve", listed[i], "--format=sox"};
        if (NetZerosAtDc(CurveOf(curve)) < 0) {
            arguments.push_back("--method=minimax");
        }
        const ProcessResult design = Calc(arguments);
        EXPECT_EQ(design.exitStatus, 0) << listed[i] << ": " << design.err;
        EXPECT_TRUE(HasFiniteCoefficients(SoxCascade(design.out))) << listed[i];
    }
}

TEST(CurveCli, ReportJsonAndPlotNameTheCurve) {
    const ProcessResult report = Calc({"-s", "48k", "--curve", "decca-lp", "--sections", "2"});
    ASSERT_EQ(report.exitStatus, 0) << report.err;
    EXPECT_EQ(report.out.rfind("Curve: decca-lp (London/Decca ffrr LP", 0), 0u) << report.out;
    EXPECT_NE(report.out.find("Design: minimax, 2 sections"), std::string::npos);
    EXPECT_NE(report.out.find("Section 2 of 2"), std::string::npos);

    const ProcessResult json =
        Calc({"-s", "48k", "--curve", "decca-lp", "--sections", "2", "--json", "--response"});
    ASSERT_EQ(json.exitStatus, 0) << json.err;
    EXPECT_NE(json.out.find("\"curve\": \"decca-lp\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"method\": \"minimax\""), std::string::npos);
    EXPECT_NE(json.out.find("\"maxPhaseDeviationDegrees\""), std::string::npos);
    // Two sections have no one-biquad record.
    EXPECT_EQ(json.out.find("\"num\""), std::string::npos);
    const BiquadSection second =
        Minimax("decca-lp", 48000.0, SectionCount{2}).cascade.sections[1];
    EXPECT_NE(json.out.find("\"a2\": " + FormatShortest(second.a2)), std::string::npos)
        << "full precision: " << json.out;

    ScratchFolder folder;
    const std::string plot = folder.Path("plot.svg");
    ASSERT_EQ(Calc({"-s", "48k", "--curve", "bsi-n78", "-i", "--plot", plot}).exitStatus, 0);
    EXPECT_NE(ReadText(plot).find("bsi-n78 recording, fs 48000 Hz"), std::string::npos);
}

TEST(CurveCli, PipeWireCarriesEverySectionAtTheDesignedRate) {
    const ProcessResult graph =
        Calc({"-s", "96k", "--curve", "riaa-iec", "--format=pipewire-bq-raw"});
    ASSERT_EQ(graph.exitStatus, 0) << graph.err;
    const Cascade designed =
        CurveDesign("riaa-iec", 96000.0, DesignMethod::Matched).cascade;
    // One bq_raw node a section and channel.
    std::size_t nodes = 0;
    for (std::size_t at = graph.out.find("label  = bq_raw"); at != std::string::npos;
         at = graph.out.find("label  = bq_raw", at + 1)) {
        ++nodes;
    }
    EXPECT_EQ(nodes, 2 * designed.sections.size());
    EXPECT_NE(graph.out.find("a2 = " + ExportedCoefficient(designed.sections.back().a2)),
              std::string::npos);
    ExpectOneLineRefusal(Calc({"-s", "44100.5", "--format=pipewire-bq-raw"}), "--format=pipewire-bq-raw");
}

// The default PipeWire form runs the LV2 plugin with the design's controls, so that it
// loads on Debian 12's PipeWire, which has no bq_raw; it can never stop the daemon.
TEST(CurveCli, PipeWireLoadsThePluginWithTheDesignsControls) {
    const ProcessResult named =
        Calc({"-s", "48k", "--curve", "columbia-lp", "-i", "--sections=3", "--format=pipewire"});
    ASSERT_EQ(named.exitStatus, 0) << named.err;
    for (const char* line :
         {"flags = [ nofail ]", "type   = lv2",
          "plugin = \"https://vorlexi.example.org/lv2/stereo\"", "\"curve\" = 4\n",
          "\"direction\" = 1\n", "\"sections\" = 3\n", "\"gain\" = 0\n", "\"gain_reference\" = 1\n",
          "inputs  = [ \"eq:in_left\" \"eq:in_right\" ]"}) {
        EXPECT_NE(named.out.find(line), std::string::npos) << line << "\n" << named.out;
    }
    EXPECT_EQ(named.out.find("bq_raw"), std::string::npos);

    const ProcessResult turnover =
        Calc({"-s", "48k", "--curve", "turnover:300,shelf:50", "--format=pipewire"});
    ASSERT_EQ(turnover.exitStatus, 0) << turnover.err;
    for (const char* line : {"\"curve\" = 0\n", "\"turnover\" = 300", "\"shelf\" = 50"}) {
        EXPECT_NE(turnover.out.find(line), std::string::npos) << line << "\n" << turnover.out;
    }
    ExpectOneLineRefusal(Calc({"-s", "48k", "--curve", "custom:3180u,318u,75u", "--format=pipewire"}),
                  "--format=pipewire-bq-raw");
    ExpectOneLineRefusal(Calc({"-s", "48k", "-g", "1000", "--format=pipewire"}), "Gain control");
}

// An impulse through `command` (reading in.f32, writing out.f32 in folder) against the
// cascade's own impulse response, relative to its peak. The impulse is scaled so that
// no section's output comes near full scale in SoX's fixed-point path between effects,
// and as large as that allows, above the rounding of that path.
void ExpectToolRunsTheCascade(const Cascade& cascade, const ScratchFolder& folder,
                              const std::string& command) {
    constexpr std::size_t kLength = 512;
    double peak = 0.0;
    for (std::size_t k = 1; k <= cascade.sections.size(); ++k) {
        for (double v : CascadeImpulseResponse(cascade, 1.0, kLength, k)) {
            peak = std::max(peak, std::abs(v));
        }
    }
    const double amplitude = std::min(1.0, 0.5 / peak);
    const std::vector<double> expected = CascadeImpulseResponse(cascade, amplitude, kLength);
    std::vector<float> impulse(kLength, 0.0f);
    impulse[0] = static_cast<float>(amplitude);
    WriteFloats(folder.Path("in.f32"), impulse);
    ASSERT_EQ(RunCommand(command), 0) << command;
    const std::vector<float> output = ReadFloats(folder.Path("out.f32"));
    ASSERT_EQ(output.size(), kLength);
    for (std::size_t n = 0; n < kLength; ++n) {
        ASSERT_NEAR(output[n] / amplitude, expected[n] / amplitude, 1e-6 * std::max(1.0, peak))
            << "sample " << n << " of " << command;
    }
}

TEST(CurveCli, RealSoxAndFfmpegRunTheExportedChainOfAnotherCurve) {
    ASSERT_EQ(RunCommand("command -v sox >/dev/null && command -v ffmpeg >/dev/null"), 0)
        << "sox or ffmpeg is missing: scripts/install-deps.sh --test installs them";
    const struct {
        std::vector<std::string> options;
        Cascade designed;
    } cases[] = {
        {{"--curve", "columbia-lp", "--sections", "3"},
         Minimax("columbia-lp", 48000.0, SectionCount{3}).cascade},
        {{"--curve", "tape-nab", "-i", "--sections", "2"},
         Minimax("tape-nab", 48000.0, SectionCount{2}, true).cascade},
    };
    for (const auto& k : cases) {
        std::vector<std::string> sox = k.options;
        sox.insert(sox.end(), {"-s", "48k", "--format=sox"});
        std::vector<std::string> ffmpeg = k.options;
        ffmpeg.insert(ffmpeg.end(), {"-s", "48k", "--format=ffmpeg"});
        const ProcessResult soxLine = Calc(sox);
        const ProcessResult ffmpegLine = Calc(ffmpeg);
        ASSERT_EQ(soxLine.exitStatus, 0) << soxLine.err;
        ASSERT_EQ(ffmpegLine.exitStatus, 0) << ffmpegLine.err;
        ExpectSameCascade(SoxCascade(soxLine.out), k.designed);

        ScratchFolder folder;
        const std::string in = ShellQuoted(folder.Path("in.f32"));
        const std::string out = ShellQuoted(folder.Path("out.f32"));
        ExpectToolRunsTheCascade(
            k.designed, folder,
            "sox -D -t f32 -r 48000 -c 1 " + in + " -t f32 " + out + " " + soxLine.out);
        std::string chain = ffmpegLine.out;
        chain.pop_back();  // the line break
        ExpectToolRunsTheCascade(k.designed, folder,
                                 "ffmpeg -nostdin -v error -y -f f32le -ar 48000 -ac 1 -i " + in +
                                     " -af " + ShellQuoted("aformat=sample_fmts=dbl," + chain) +
                                     " -f f32le -c:a pcm_f32le " + out);
    }
}

}  // namespace

namespace {

// --help fits a terminal and names each choice of --curve, --format, --method and
// --normalize once, in one list the completion reads.
TEST(CurveCli, HelpWrapsTheChoiceListsAndNamesEachChoiceOnce) {
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"--help"}, std::vector<std::string>{"apply", "--help"}}) {
        const std::string help = Calc(command).out;
        std::istringstream lines(help);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(line.size(), 100u) << line;
        }
        // Once: not "matched|minimax:{matched,minimax}" as the type and the set again.
        const auto once = [&help](const std::string& text) {
            const std::size_t at = help.find(text);
            return at != std::string::npos && help.find(text, at + 1) == std::string::npos;
        };
        EXPECT_TRUE(once("{matched, minimax}")) << help;
        EXPECT_TRUE(once("{dc, 1k}")) << help;
        EXPECT_TRUE(once("{aes-1951, bsi-n78,")) << help;
        EXPECT_EQ(help.find("matched|minimax"), std::string::npos) << help;
        EXPECT_NE(help.find("{matched, minimax}"), std::string::npos) << help;
    }
    EXPECT_NE(Calc({"--help"}).out.find("pipewire, pipewire-bq-raw"), std::string::npos);
    ExpectOneLineRefusal(Calc({"--curve", "riia"}), "unknown curve \"riia\" (did you mean riaa?)");
}

}  // namespace
