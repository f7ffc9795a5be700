// Runs the built vorlexi-calc and checks what a user or a script sees: exit status,
// stdout bytes and stderr lines.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc_process.h"
#include "reports/filter_calculation.h"
#include "run_process.h"

#include <unistd.h>

namespace {

std::string WithLineFeeds(std::string text) {
    std::string converted;
    for (char c : text) {
        if (c != '\r') {
            converted += c;
        }
    }
    return converted;
}

FilterEntries Entries(const char* sampleFreq, const char* gain, bool extraZero,
                      const char* zeroFreq, bool inverse) {
    FilterEntries entries;
    entries.sampleFreq = sampleFreq;
    entries.gain = gain;
    entries.extraZero = extraZero;
    entries.zeroFreq = zeroFreq;
    entries.inverse = inverse;
    return entries;
}

void ExpectSucceedsWith(const ProcessResult& result, const std::string& out) {
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, out);
}

TEST(CalcCli, DefaultsPrintTheDefaultCalculationWithLineFeeds) {
    const ProcessResult result = Calc({});
    ExpectSucceedsWith(result, WithLineFeeds(CalculateFilter(FilterEntries{}).text));
    EXPECT_EQ(result.out.rfind("Filter calculated for:\nSampling frequency: 96000\n", 0), 0u);
}

TEST(CalcCli, CrlfWritesTheProgramsOwnBytes) {
    ExpectSucceedsWith(Calc({"--crlf", "-s", "44.1k"}),
                       CalculateFilter(Entries("44.1k", "1", false, "", false)).text);
}

TEST(CalcCli, OptionsMirrorTheDialogEntries) {
    const std::string expected =
        WithLineFeeds(CalculateFilter(Entries("48k", "2", true, "20k", true)).text);
    ExpectSucceedsWith(
        Calc({"--sample-freq", "48k", "--gain", "2", "--extra-zero=20k", "--inverse"}), expected);
    ExpectSucceedsWith(Calc({"-s", "48k", "-g", "2", "-z", "20k", "-i"}), expected);

    const ProcessResult fixedZero = Calc({"--extra-zero"});
    ExpectSucceedsWith(fixedZero,
                       WithLineFeeds(CalculateFilter(Entries("96k", "1", true, "", false)).text));
    EXPECT_NE(fixedZero.out.find("\nExtra zero:  1\n"), std::string::npos);
    EXPECT_NE(Calc({"--extra-zero", "0.5"}).out.find("\nExtra zero:  1\n"), std::string::npos);
}

TEST(CalcCli, MicroSignReadsAsUtf8OrAsTheRawByte) {
    const std::string micro =
        WithLineFeeds(CalculateFilter(Entries("96k", "2.2u", false, "", false)).text);
    ExpectSucceedsWith(Calc({"-g", "2.2\xC2\xB5"}), micro);
    ExpectSucceedsWith(Calc({"-g", "2.2\xB5"}), micro);
    EXPECT_NE(micro.find("\nGain:  2.2e-06\n"), std::string::npos);
}

TEST(CalcCli, UnreadableEntryIsAnErrorUnlessLenient) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"-s", "abc"}, "vorlexi-calc: --sample-freq: \"abc\" holds no readable number\n"},
        {{"--gain", ""}, "vorlexi-calc: --gain: \"\" holds no readable number\n"},
        {{"-g", " 1"}, "vorlexi-calc: --gain: \" 1\" holds no readable number\n"},
        {{"--extra-zero=k"}, "vorlexi-calc: --extra-zero: \"k\" holds no readable number\n"},
    };
    for (const Case& c : cases) {
        const ProcessResult strict = Calc(c.arguments);
        EXPECT_EQ(strict.exitStatus, 2);
        EXPECT_EQ(strict.err, c.message);
        EXPECT_EQ(strict.out, "");

        std::vector<std::string> lenientArguments = c.arguments;
        lenientArguments.push_back("--lenient");
        const ProcessResult lenient = Calc(lenientArguments);
        EXPECT_EQ(lenient.exitStatus, 0) << c.message;
        EXPECT_NE(lenient.out.find("Filter calculated for:\n"), std::string::npos);
    }
    EXPECT_NE(Calc({"-s", "abc", "--lenient"}).out.find("\nSampling frequency: 0\n"),
              std::string::npos);
}

TEST(CalcCli, AGenuineZeroIsNoError) {
    const ProcessResult result = Calc({"-s", "0", "-g", "0"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.out.find("Sampling frequency: 0\nGain:  0\n"), std::string::npos);
}

TEST(CalcCli, BadUsageGivesUsageOnStderrAndStatusTwo) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--bogus"}, {"stray"}, {"--sample-freq"}}) {
        const ProcessResult result = Calc(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[0];
        EXPECT_EQ(result.out, "") << arguments[0];
        EXPECT_NE(result.err.find("Usage: vorlexi-calc"), std::string::npos) << arguments[0];
    }
    EXPECT_NE(Calc({"--bogus"}).err.find("--bogus"), std::string::npos);
}

TEST(CalcCli, HelpAndVersionGoToStdout) {
    const ProcessResult help = Calc({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("--extra-zero"), std::string::npos);
    EXPECT_NE(help.out.find("\"Infinity\""), std::string::npos);
    EXPECT_NE(help.out.find("The report reads an entry from its first\n31 characters"),
              std::string::npos)
        << help.out;
    const ProcessResult version = Calc({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out.rfind("vorlexi-calc ", 0), 0u);
}

TEST(CalcCli, AFailedWriteIsNoSuccess) {
    const ProcessResult result =
        RunProcess({"/bin/sh", "-c", "exec \"$0\" > /dev/full", VORLEXI_CALC_PATH});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "vorlexi-calc: cannot write the output\n");
}

// "--gain=" gives the entry an empty text, as clearing the dialog's field does: the next
// argument stays an option of its own.
TEST(CalcCli, AnEmptyValueAfterTheEqualsSignIsAnEntry) {
    const ProcessResult gain = Calc({"--gain=", "--inverse", "--lenient"});
    EXPECT_EQ(gain.exitStatus, 0) << gain.err;
    EXPECT_NE(gain.out.find("\nGain:  0\nExtra zero:  0\nInverse:  1\n"), std::string::npos);
    const ProcessResult rate = Calc({"--sample-freq=", "--gain=2", "--lenient"});
    EXPECT_NE(rate.out.find("Sampling frequency: 0\nGain:  2\n"), std::string::npos);

    const ProcessResult strictGain = Calc({"--gain=", "--inverse"});
    EXPECT_EQ(strictGain.exitStatus, 2);
    EXPECT_EQ(strictGain.err, "vorlexi-calc: --gain: \"\" holds no readable number\n");
    EXPECT_EQ(strictGain.out, "");
    EXPECT_EQ(Calc({"--sample-freq=", "--gain=2"}).err,
              "vorlexi-calc: --sample-freq: \"\" holds no readable number\n");

    // An empty zero frequency is the fixed zero, and takes nothing after it either.
    const ProcessResult zero = Calc({"--extra-zero=", "--inverse"});
    EXPECT_NE(zero.out.find("\nExtra zero:  1\nInverse:  1\n"), std::string::npos);
    const ProcessResult stray = Calc({"--extra-zero=", "20k"});
    EXPECT_EQ(stray.exitStatus, 2);
    EXPECT_NE(stray.err.find("20k"), std::string::npos) << stray.err;
}

TEST(CalcCli, NoOptionTakesAnotherOptionAsItsValue) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--gain", "--inverse"}, {"-g", "-i"}, {"-s", "--json"}, {"--format", "--json"}}) {
        const ProcessResult result = Calc(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[0];
        EXPECT_EQ(result.out, "") << arguments[0];
        EXPECT_EQ(
            result.err.rfind("vorlexi-calc: " + arguments[0] + " needs a value, not the option " +
                                 arguments[1] + "\nUsage: vorlexi-calc",
                             0),
            0u)
            << result.err;
    }
    // The value of -z is optional: an option after it is an option.
    const ProcessResult zero = Calc({"--extra-zero", "--inverse"});
    EXPECT_NE(zero.out.find("\nExtra zero:  1\nInverse:  1\n"), std::string::npos);
    // A negative number is a value, not an option.
    EXPECT_NE(Calc({"--gain", "-3m"}).out.find("\nGain:  -0.003\n"), std::string::npos);
    EXPECT_NE(Calc({"-z", "-2k", "-i"}).out.find("\nExtra zero:  1\nInverse:  1\n"),
              std::string::npos);
}

// A choice is one of its names as written: not the number the program keeps it as, not
// another case, not empty.
TEST(CalcCli, ChoicesAreTakenByTheirNamesOnly) {
    const struct {
        const char* argument;
        const char* message;
    } cases[] = {
        {"--format=1",
         "--format: 1 not in "
         "{report,sox,ffmpeg,camilladsp,camilladsp-v2,nyquist,pipewire,pipewire-bq-raw}"},
        {"--method=Minimax", "--method: Minimax not in {matched,minimax}"},
        {"--normalize=", "--normalize: \"\" not in {dc,1k}"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Calc({c.argument});
        EXPECT_EQ(result.exitStatus, 2) << c.argument;
        EXPECT_EQ(result.err.rfind("vorlexi-calc: " + std::string(c.message) + "\n", 0), 0u)
            << result.err;
    }
    EXPECT_NE(Calc({"-s", "96k", "--format=sox"}).out.rfind("biquad ", 0), std::string::npos);
}

// --plot followed by an option once wrote the picture to a file named after the option.
TEST(CalcCli, APlotPathIsNeverAnOption) {
    char folder[] = "/tmp/vorlexi-calc-plot-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const ProcessResult result = RunProcess(
        {"/bin/sh", "-c", "cd \"$1\" && exec \"$0\" --plot --json", VORLEXI_CALC_PATH, folder});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    const std::string leftover = std::string(folder) + "/--json";
    EXPECT_NE(access(leftover.c_str(), F_OK), 0) << "a file named --json was written";
    std::remove(leftover.c_str());
    rmdir(folder);

    // An empty path is no plot to skip silently.
    const ProcessResult empty = Calc({"--plot="});
    EXPECT_EQ(empty.exitStatus, 2);
    EXPECT_EQ(empty.err.rfind("vorlexi-calc: --plot: an empty path names no file\n", 0), 0u)
        << empty.err;
}

// The document as a strict JSON reader sees it, one "path value" per line.
std::map<std::string, std::string> ReadJsonStrictly(const std::string& document) {
    char path[] = "/tmp/vorlexi-calc-json-XXXXXX";
    const int descriptor = mkstemp(path);
    EXPECT_GE(descriptor, 0);
    close(descriptor);
    std::ofstream(path, std::ios::binary) << document;
    const ProcessResult check = RunProcess({PYTHON3_PATH, CHECK_JSON_SCRIPT, path});
    std::remove(path);
    EXPECT_EQ(check.exitStatus, 0) << check.err << document;
    std::map<std::string, std::string> values;
    std::istringstream lines(check.out);
    for (std::string key, value; lines >> key && std::getline(lines >> std::ws, value);) {
        values[key] = value;
    }
    return values;
}

double NumberAt(const std::map<std::string, std::string>& values, const std::string& key) {
    const auto found = values.find(key);
    EXPECT_NE(found, values.end()) << key;
    if (found == values.end()) {
        return NAN;
    }
    std::string text = found->second;
    if (text.rfind("string ", 0) == 0) {
        text = text.substr(7);  // a non-finite number
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size())
        << key << ": " << found->second;
    return value;
}

void ExpectSameBits(double actual, double expected, const std::string& key) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << key;
    } else {
        EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
            << key << ": " << actual << " vs " << expected;
    }
}

TEST(CalcCli, JsonCarriesEveryCoefficientAtFullPrecision) {
    const ProcessResult result =
        Calc({"--json", "-s", "44.1k", "-g", "2.2\xC2\xB5", "-z", "20k", "-i"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const FilterCalculation expected =
        CalculateFilter(Entries("44.1k", "2.2\xB5", true, "20k", true));
    const std::map<std::string, std::string> values = ReadJsonStrictly(result.out);

    EXPECT_EQ(values.at("entries.sampleFreq"), "string 44.1k");
    EXPECT_EQ(values.at("entries.gain"), "string 2.2\xC2\xB5");
    EXPECT_EQ(values.at("entries.extraZero"), "true");
    EXPECT_EQ(values.at("entries.inverse"), "true");
    ExpectSameBits(NumberAt(values, "samplingFrequency"), expected.samplingFrequency,
                   "samplingFrequency");
    ExpectSameBits(NumberAt(values, "gain"), expected.gain, "gain");
    ExpectSameBits(NumberAt(values, "extraZeroValue"), expected.extraZeroValue, "extraZeroValue");
    EXPECT_EQ(NumberAt(values, "inverse"), 1);
    EXPECT_EQ(NumberAt(values, "numCount"), expected.coefficients.numCount);
    EXPECT_EQ(NumberAt(values, "denCount"), expected.coefficients.denCount);
    for (int i = 0; i < 3; ++i) {
        const std::string index = std::to_string(i);
        ExpectSameBits(NumberAt(values, "num." + index), expected.coefficients.num[i],
                       "num." + index);
        ExpectSameBits(NumberAt(values, "den." + index), expected.coefficients.den[i],
                       "den." + index);
    }
}

// An infinite gain on a zero sampling frequency scales the numerator (1, 0, 0) to
// infinity and two NaNs.
TEST(CalcCli, JsonStaysValidForInfinitiesAndNaN) {
    const ProcessResult result = Calc({"--json", "-s", "0", "-g", "-1e999"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::map<std::string, std::string> values = ReadJsonStrictly(result.out);
    EXPECT_EQ(values.at("gain"), "string -Infinity");
    EXPECT_EQ(values.at("num.0"), "string -Infinity");
    EXPECT_EQ(values.at("num.1"), "string NaN");
}

}  // namespace
