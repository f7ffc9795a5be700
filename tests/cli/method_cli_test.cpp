// vorlexi-calc --method: a user who asks for the minimax design gets it in every output
// form the tool has, and the matched design stays what the tool gives by default.
#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "calc_process.h"
#include "designs_under_test.h"
#include "external_tool.h"
#include "response/frequency_response.h"
#include "run_process.h"

namespace {

std::vector<std::string> With(std::vector<std::string> arguments, const std::string& extra) {
    arguments.push_back(extra);
    return arguments;
}

// The six numbers of a SoX effect line, "biquad b0 b1 b2 a0 a1 a2".
std::vector<double> SoxCoefficients(const std::string& line) {
    std::istringstream words(line);
    words.imbue(std::locale::classic());
    std::string name;
    words >> name;
    std::vector<double> numbers;
    for (double value; words >> value;) {
        numbers.push_back(value);
    }
    return numbers;
}

std::vector<double> AsList(const RiaaCoefficients& c) {
    return {c.num[0], c.num[1], c.num[2], c.den[0], c.den[1], c.den[2]};
}

TEST(MethodCli, MatchedStaysTheDefault) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-s", "44.1k"}, {"-s", "96k", "-z", "-i", "--response"}}) {
        const ProcessResult plain = Calc(arguments);
        const ProcessResult matched = Calc(With(arguments, "--method=matched"));
        EXPECT_EQ(plain.exitStatus, 0);
        EXPECT_EQ(matched.exitStatus, 0);
        EXPECT_EQ(matched.out, plain.out);
    }
}

TEST(MethodCli, MinimaxWritesTheMinimaxDesignToFullPrecision) {
    const ProcessResult atDc =
        Calc({"-s", "44.1k", "-g", "2", "-z", "20k", "-i", "--method=minimax", "--format=sox"});
    ASSERT_EQ(atDc.exitStatus, 0) << atDc.err;
    EXPECT_EQ(SoxCoefficients(atDc.out),
              AsList(*RiaaDesign({44100.0, 2.0, 20000.0, true, DesignMethod::Minimax}).record));

    const ProcessResult at1k =
        Calc({"-s", "48k", "-g", "0.5", "--method=minimax", "--normalize=1k", "--format=sox"});
    ASSERT_EQ(at1k.exitStatus, 0) << at1k.err;
    const std::vector<double> written = SoxCoefficients(at1k.out);
    const std::vector<double> expected =
        AsList(*RiaaDesign({.samplingFrequency = 48000.0,
                            .gain = 0.5,
                            .method = DesignMethod::Minimax,
                            .gainReference = GainReference::OneKilohertz})
                    .record);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(written[i], expected[i], 1e-15 + 1e-15 * std::abs(expected[i])) << i;
    }
}

TEST(MethodCli, EveryOutputFormCarriesTheMinimaxDesign) {
    const std::vector<std::string> base{"-s", "44.1k", "-z"};
    const std::vector<std::vector<std::string>> forms{{},
                                                      {"--crlf"},
                                                      {"--json"},
                                                      {"--response"},
                                                      {"--json", "--response"},
                                                      {"--csv"},
                                                      {"--format=sox"},
                                                      {"--format=ffmpeg"},
                                                      {"--format=camilladsp"},
                                                      {"--format=nyquist"}};
    for (const auto& form : forms) {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), form.begin(), form.end());
        SCOPED_TRACE(testing::Message() << (form.empty() ? "report" : form.front()));
        const ProcessResult matched = Calc(arguments);
        const ProcessResult minimax = Calc(With(arguments, "--method=minimax"));
        EXPECT_EQ(minimax.exitStatus, 0);
        EXPECT_EQ(minimax.err, "");
        EXPECT_FALSE(minimax.out.empty());
        EXPECT_NE(minimax.out, matched.out);
    }

    // The response table measures the design it printed: 0.235 dB at 44.1 kHz.
    const ProcessResult response = Calc({"-s", "44.1k", "--method=minimax", "--response"});
    const auto at = response.out.find("Largest deviation");
    ASSERT_NE(at, std::string::npos) << response.out;
    const auto colon = response.out.find(':', at);
    EXPECT_LE(std::abs(std::stod(response.out.substr(colon + 1))), 0.25);

    ScratchFolder folder;
    const std::string plot = folder.Path("minimax.svg");
    const ProcessResult drawn = Calc({"-s", "48k", "--method=minimax", "--plot", plot});
    EXPECT_EQ(drawn.exitStatus, 0) << drawn.err;
    EXPECT_NE(ReadText(plot).find("minimax"), std::string::npos);
}

TEST(MethodCli, RatesTheMinimaxDesignCannotServeAreAnErrorNotAFilter) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-s", "1k", "--method=minimax"},
          {"-s", "20M", "--method=minimax", "--format=sox"},
          {"--lenient", "-s", "abc", "--method=minimax"}}) {
        const ProcessResult result = Calc(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[1];
        EXPECT_EQ(result.out, "") << arguments[1];
        EXPECT_NE(result.err.find("minimax"), std::string::npos) << result.err;
    }
    const ProcessResult unknown = Calc({"--method=remez"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_EQ(unknown.out, "");
}

}  // namespace
