#include "reports/filter_calculation.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "designs_under_test.h"
#include "locale_guard.h"
#include "reports/coefficient_report.h"

namespace {

std::string SummaryOf(const std::string& text) {
    const std::size_t end = text.find("\r\n\r\n");
    return end == std::string::npos ? text : text.substr(0, end + 4);
}

TEST(FilterCalculation, DefaultEntriesGiveTheSummaryThenTheReport) {
    const FilterCalculation calculation = CalculateFilter(FilterEntries{});
    const std::string summary =
        "Filter calculated for:\r\n"
        "Sampling frequency: 96000\r\n"
        "Gain:  1\r\n"
        "Extra zero:  0\r\n"
        "Inverse:  0\r\n"
        "\r\n";
    EXPECT_EQ(calculation.text,
              summary + FormatCoefficientReport(RiaaRecord(96000, 1, 0, 0)));
    EXPECT_EQ(calculation.samplingFrequency, 96000);
    EXPECT_EQ(calculation.gain, 1);
    EXPECT_EQ(calculation.extraZeroValue, 0);
    EXPECT_EQ(calculation.inverse, 0);
}

TEST(FilterCalculation, ExtraZeroFallsBackToTheFixedZero) {
    for (const char* zeroFreq : {"", "1", "0.5", "-2k", "abc", "1m"}) {
        FilterEntries entries;
        entries.extraZero = true;
        entries.zeroFreq = zeroFreq;
        const FilterCalculation calculation = CalculateFilter(entries);
        EXPECT_EQ(calculation.extraZeroValue, 1.0) << zeroFreq;
        EXPECT_NE(calculation.text.find("\r\nExtra zero:  1\r\n"), std::string::npos) << zeroFreq;
    }
    EXPECT_EQ(ExtraZeroValue(true, "1.0000001"), 1.0000001);
}

TEST(FilterCalculation, ChosenExtraZeroIsUsedOnlyWhenTicked) {
    FilterEntries entries;
    entries.zeroFreq = "50k";
    EXPECT_EQ(CalculateFilter(entries).extraZeroValue, 0.0);
    EXPECT_EQ(CalculateFilter(entries).coefficients.numCount, 2);

    entries.extraZero = true;
    const FilterCalculation calculation = CalculateFilter(entries);
    EXPECT_EQ(calculation.extraZeroValue, 50000);
    EXPECT_EQ(
        SummaryOf(calculation.text),
        "Filter calculated for:\r\nSampling frequency: 96000\r\nGain:  1\r\nExtra zero:  50000\r\n"
        "Inverse:  0\r\n\r\n");
}

TEST(FilterCalculation, SummaryShowsTheValuesAsRead) {
    FilterEntries entries;
    entries.sampleFreq = "abc";
    entries.gain = "2.5m";
    entries.inverse = true;
    const FilterCalculation unreadable = CalculateFilter(entries);
    EXPECT_EQ(
        SummaryOf(unreadable.text),
        "Filter calculated for:\r\nSampling frequency: 0\r\nGain:  0.0025\r\nExtra zero:  0\r\n"
        "Inverse:  1\r\n\r\n");
    EXPECT_EQ(unreadable.coefficients.num[0], 0.0025);

    entries.sampleFreq = "1.4112M";
    EXPECT_NE(CalculateFilter(entries).text.find("Sampling frequency: 1.4112e+06\r\n"),
              std::string::npos);
}

// A comma-decimal user locale must change neither the reading of "44.1k" nor a byte of
// the text.
TEST(FilterCalculation, GermanLocaleChangesNoByte) {
    FilterEntries entries;
    entries.sampleFreq = "44.1k";
    entries.gain = "1.5";
    entries.zeroFreq = "20.5k";
    entries.extraZero = true;
    const std::string inCLocale = CalculateFilter(entries).text;
    ASSERT_NE(inCLocale.find("Gain:  1.5\r\n"), std::string::npos);

    const LocaleGuard german("de_DE.UTF-8");
    const FilterCalculation inGerman = CalculateFilter(entries);
    EXPECT_EQ(inGerman.samplingFrequency, 44100);
    EXPECT_EQ(inGerman.text, inCLocale);
}

// The desktop program and the tool may calculate on several threads at once.
TEST(FilterCalculation, CalculationsOnSeveralThreadsDoNotMix) {
    std::vector<FilterEntries> entries(8);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].sampleFreq = std::to_string(32 + 8 * i) + "k";
        entries[i].extraZero = i % 2 == 0;
        entries[i].inverse = i % 3 == 0;
    }
    std::vector<std::string> expected;
    for (const FilterEntries& e : entries) {
        expected.push_back(CalculateFilter(e).text);
    }
    std::vector<std::future<bool>> agreements;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        agreements.push_back(std::async(std::launch::async, [&, i] {
            for (int round = 0; round < 500; ++round) {
                if (CalculateFilter(entries[i]).text != expected[i]) {
                    return false;
                }
            }
            return true;
        }));
    }
    for (std::future<bool>& agreement : agreements) {
        EXPECT_TRUE(agreement.get());
    }
}

}  // namespace
