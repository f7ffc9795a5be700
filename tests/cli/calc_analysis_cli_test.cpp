// vorlexi-calc's analysis options as a user runs them: what lands on stdout, in the
// plot file and on stderr, and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc_process.h"
#include "external_tool.h"
#include "run_process.h"

namespace {

// The JSON document read strictly by Python, as "path value" pairs.
std::map<std::string, std::string> JsonValues(const std::string& document) {
    ScratchFolder folder;
    const std::string input = folder.Path("in.json");
    const std::string output = folder.Path("out.txt");
    {
        std::FILE* file = std::fopen(input.c_str(), "w");
        std::fputs(document.c_str(), file);
        std::fclose(file);
    }
    std::map<std::string, std::string> values;
    if (RunCommand(std::string(PYTHON3_PATH) + " " + ShellQuoted(CHECK_JSON_SCRIPT) + " " +
                   ShellQuoted(input) + " > " + ShellQuoted(output)) != 0) {
        return values;
    }
    std::istringstream lines(ReadText(output));
    for (std::string line; std::getline(lines, line);) {
        const auto space = line.find(' ');
        values[line.substr(0, space)] = line.substr(space + 1);
    }
    return values;
}

double Number(const std::map<std::string, std::string>& values, const std::string& path) {
    const auto it = values.find(path);
    return it == values.end() ? NAN : std::strtod(it->second.c_str(), nullptr);
}

// Option values CLI11 refuses come with the usage; the rest is one line.
void ExpectRefusedWithUsage(const ProcessResult& result, const std::string& messagePart) {
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(messagePart), std::string::npos) << result.err;
}

void ExpectRefused(const ProcessResult& result, const std::string& messagePart) {
    ExpectRefusedWithUsage(result, messagePart);
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
}

TEST(CalcResponse, FollowsTheReportWithTheTableAndTheDeviation) {
    const ProcessResult plain = Calc({"-s", "44.1k"});
    const ProcessResult result = Calc({"-s", "44.1k", "--response"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    // The report is untouched; the response follows it.
    EXPECT_EQ(result.out.substr(0, plain.out.size()), plain.out);
    const std::string response = result.out.substr(plain.out.size());
    EXPECT_NE(response.find("\n    20000 Hz"), std::string::npos) << response;
    EXPECT_NE(response.find("Largest deviation from 20 Hz to 20000 Hz: +3.142 dB at 20000 Hz\n"),
              std::string::npos);
    EXPECT_NE(response.find("Gain at DC: 1 (0.000 dB)\n"), std::string::npos);

    const ProcessResult crlf = Calc({"-s", "44.1k", "--response", "--crlf"});
    EXPECT_NE(crlf.out.find("+3.142 dB at 20000 Hz\r\n"), std::string::npos);
    EXPECT_EQ(crlf.out.find("\n\n"), std::string::npos) << "every line ends in CR LF";
}

TEST(CalcResponse, JsonCarriesTheResponseBesideTheDesign) {
    const ProcessResult result = Calc({"-s", "96k", "--json", "--response"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto values = JsonValues(result.out);
    ASSERT_FALSE(values.empty()) << "not valid JSON:\n" << result.out;
    EXPECT_EQ(values.at("samplingFrequency"), "96000.0");
    EXPECT_EQ(values.count("den.2"), 1u);
    EXPECT_NEAR(Number(values, "response.maxDeviationDb"), 0.627, 0.001);
    EXPECT_EQ(Number(values, "response.maxDeviationHz"), 20000.0);
    EXPECT_EQ(Number(values, "response.table.0.frequencyHz"), 20.0);
    EXPECT_EQ(Number(values, "response.table.10.frequencyHz"), 20000.0);
    EXPECT_EQ(values.count("response.table.11.frequencyHz"), 0u);
}

TEST(CalcNormalize, OneKilohertzScalesTheGainThereAndKeepsTheReportsForm) {
    const auto at1k = JsonValues(
        Calc({"-s", "48k", "-g", "2", "-z", "--normalize=1k", "--json", "--response"}).out);
    EXPECT_NEAR(Number(at1k, "response.gainAt1kHz"), 2.0, 1e-12);
    const auto atDc = JsonValues(
        Calc({"-s", "48k", "-g", "2", "-z", "--normalize=dc", "--json", "--response"}).out);
    EXPECT_NEAR(Number(atDc, "response.dcGain"), 2.0, 1e-12);
    // Only the numerator moves: the same poles, a different scale.
    EXPECT_EQ(at1k.at("den.1"), atDc.at("den.1"));
    EXPECT_NE(at1k.at("num.0"), atDc.at("num.0"));

    // The default is dc, and 1k writes the same report with other numbers.
    EXPECT_EQ(Calc({"-s", "48k", "--normalize=dc"}).out, Calc({"-s", "48k"}).out);
    const std::string report = Calc({"-s", "48k", "--normalize=1k"}).out;
    EXPECT_EQ(report.rfind("Filter calculated for:\nSampling frequency: 48000\nGain:  1\n", 0), 0u);
    EXPECT_NE(report, Calc({"-s", "48k"}).out);
}

TEST(CalcCsv, WritesTheResponseInsteadOfTheReport) {
    const ProcessResult result = Calc({"-s", "44.1k", "--csv"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out.rfind("frequency_hz,gain_db,phase_deg,", 0), 0u);
    EXPECT_EQ(result.out.find("Coefficients"), std::string::npos);
    const auto lastLine = result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1);
    EXPECT_EQ(lastLine.rfind("22050,", 0), 0u) << lastLine;
}

TEST(CalcFormat, WritesOneLineForTheChosenProgram) {
    const ProcessResult sox = Calc({"-s", "44.1k", "--format=sox"});
    ASSERT_EQ(sox.exitStatus, 0) << sox.err;
    EXPECT_EQ(sox.out.rfind("biquad 0.0269367", 0), 0u) << sox.out;
    EXPECT_EQ(std::count(sox.out.begin(), sox.out.end(), '\n'), 1);

    EXPECT_EQ(Calc({"-s", "44.1k", "--format=ffmpeg"}).out.rfind("biquad=b0=0.0269367", 0), 0u);
    EXPECT_EQ(
        Calc({"-s", "44.1k", "--format=nyquist"}).out.rfind("(if (= *sound-srate* 44100.0) ", 0),
        0u);
    EXPECT_NE(Calc({"-s", "96k", "-i", "--format=camilladsp"})
                  .out.find("\n  riaa_recording:\n    type: Biquad\n"),
              std::string::npos);
    EXPECT_NE(Calc({"-s", "96k", "--format=camilladsp-v2"}).out.find("\n    channel: 1\n"),
              std::string::npos);
    EXPECT_EQ(Calc({"--format=report"}).out, Calc({}).out);

    const std::string help = Calc({"--help"}).out;
    EXPECT_NE(help.find("a1 and a2 negated"), std::string::npos) << help;
}

TEST(CalcPlot, WritesAnSvgBesideTheUsualOutput) {
    ScratchFolder folder;
    const std::string path = folder.Path("response.svg");
    const ProcessResult result = Calc({"-s", "44.1k", "--plot", path});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, Calc({"-s", "44.1k"}).out);
    const std::string svg = ReadText(path);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("RIAA playback (de-emphasis), fs 44100 Hz, gain 1 at DC, no extra zero"),
              std::string::npos);
    EXPECT_NE(svg.find("id=\"design\""), std::string::npos);
    EXPECT_NE(svg.find("id=\"prototype\""), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left beside the plot";
}

TEST(CalcPlot, AnUnwritablePathFailsWithoutLeavingAnything) {
    ScratchFolder folder;
    const std::string missingFolder = folder.Path("no/such/folder/plot.svg");
    const ProcessResult result = Calc({"--plot", missingFolder});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("cannot write " + missingFolder), std::string::npos) << result.err;

    // A folder in the way is refused, and nothing is left beside it.
    std::filesystem::create_directory(folder.Path("taken.svg"));
    EXPECT_EQ(Calc({"--plot", folder.Path("taken.svg")}).exitStatus, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")),
                            std::filesystem::directory_iterator()),
              1)
        << "the temporary file is removed";
}

TEST(CalcAnalysisErrors, BadValuesAndClashingOptionsAreRefusedOnOneLine) {
    ExpectRefusedWithUsage(Calc({"--format=wav"}), "--format");
    ExpectRefusedWithUsage(Calc({"--normalize=2k"}), "--normalize");
    ExpectRefused(Calc({"--format=sox", "--json"}), "cannot go with");
    ExpectRefused(Calc({"--csv", "--response"}), "cannot go with");
    ExpectRefused(Calc({"-s", "2k", "--response"}), "above 2 kHz");
    ExpectRefused(Calc({"-s", "abc", "--csv"}), "--sample-freq");
    ExpectRefused(Calc({"--lenient", "-s", "abc", "--normalize=1k"}), "--normalize=1k needs");
    ExpectRefused(Calc({"-s", "1e300", "--format=sox"}), "non-finite");
    ExpectRefused(Calc({"-s", "1e12", "--csv"}), "cannot be evaluated");

    ScratchFolder folder;
    ExpectRefused(Calc({"-g", "0", "--plot", folder.Path("p.svg")}), "non-zero gain");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("p.svg")));
}

}  // namespace
