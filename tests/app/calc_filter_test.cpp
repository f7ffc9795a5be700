// Actions > Calc Filter end to end inside the program: the entries typed into the dialog,
// the whole text of the view afterwards, the document's modified state and undo.

#include "app_test_support.h"
#include "edit_control.h"
#include "reports/filter_calculation.h"
#include "resource_ids.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace app_test;

namespace {

// Runs Actions > Calc Filter with these entries typed into the dialog and confirmed.
void CalculateWith(const FilterEntries& entries) {
    WhenModalOpens([entries](QWidget& open) {
        EditField(open, IDC_SAMPLE_FREQ).setText(QString::fromLatin1(entries.sampleFreq));
        EditField(open, IDC_GAIN).setText(QString::fromLatin1(entries.gain));
        CheckBox(open, IDC_EXTRA_ZERO).setChecked(entries.extraZero);
        EditField(open, IDC_ZERO_FREQ).setText(QString::fromLatin1(entries.zeroFreq));
        CheckBox(open, IDC_INVERSE).setChecked(entries.inverse);
        Button(open, IDOK).click();
    });
    RunCommand(ID_CALC_FILTER);
}

FilterEntries Entries(std::string sampleFreq, std::string gain, bool extraZero,
                      std::string zeroFreq, bool inverse) {
    FilterEntries entries;
    entries.sampleFreq = std::move(sampleFreq);
    entries.gain = std::move(gain);
    entries.extraZero = extraZero;
    entries.zeroFreq = std::move(zeroFreq);
    entries.inverse = inverse;
    return entries;
}

// The summary's line for a label, without its line break.
std::string SummaryLine(const std::string& text, const std::string& label) {
    const std::size_t start = text.find(label);
    if (start == std::string::npos) {
        return {};
    }
    return text.substr(start, text.find("\r\n", start) - start);
}

class CalcFilter : public ::testing::Test {
protected:
    void SetUp() override { StartCleanDocument(); }
};

}  // namespace

struct CalcCase {
    const char* name;
    FilterEntries entries;
    const char* extraZeroLine;
    const char* samplingLine;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CalcCase& calc, std::ostream* out) { *out << calc.name; }

class CalcFilterEntries : public ::testing::TestWithParam<CalcCase> {
protected:
    void SetUp() override { StartCleanDocument(); }
};

TEST_P(CalcFilterEntries, TheViewShowsTheSharedCalculationsWholeText) {
    const CalcCase& calc = GetParam();
    CalculateWith(calc.entries);
    const std::string text = ViewText();
    EXPECT_EQ(text, CalculateFilter(calc.entries).text);
    EXPECT_EQ(text.rfind("Filter calculated for:\r\n", 0), 0u);
    EXPECT_EQ(SummaryLine(text, "Extra zero:"), calc.extraZeroLine);
    EXPECT_EQ(SummaryLine(text, "Sampling frequency:"), calc.samplingLine);
    EXPECT_FALSE(Document().IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    , CalcFilterEntries,
    ::testing::Values(CalcCase{"Defaults", Entries("96k", "1", false, "", false), "Extra zero:  0",
                               "Sampling frequency: 96000"},
                      CalcCase{"ExtraZeroTickedButEmpty", Entries("96k", "1", true, "", false),
                               "Extra zero:  1", "Sampling frequency: 96000"},
                      CalcCase{"ExtraZeroAtOne", Entries("96k", "1", true, "1", false),
                               "Extra zero:  1", "Sampling frequency: 96000"},
                      CalcCase{"ExtraZeroBelowOne", Entries("96k", "1", true, "0.5", false),
                               "Extra zero:  1", "Sampling frequency: 96000"},
                      CalcCase{"ExtraZeroNegative", Entries("96k", "1", true, "-2k", false),
                               "Extra zero:  1", "Sampling frequency: 96000"},
                      CalcCase{"ExtraZeroAt50k", Entries("96k", "1", true, "50k", false),
                               "Extra zero:  50000", "Sampling frequency: 96000"},
                      CalcCase{"ZeroFrequencyIgnoredWhileUnticked",
                               Entries("96k", "1", false, "50k", false), "Extra zero:  0",
                               "Sampling frequency: 96000"},
                      CalcCase{"Inverse", Entries("44.1k", "2", false, "", true), "Extra zero:  0",
                               "Sampling frequency: 44100"},
                      CalcCase{"EmptySamplingFrequency", Entries("", "1", false, "", false),
                               "Extra zero:  0", "Sampling frequency: 0"},
                      CalcCase{"UnreadableSamplingFrequency", Entries("abc", "1", false, "", false),
                               "Extra zero:  0", "Sampling frequency: 0"}),
    [](const ::testing::TestParamInfo<CalcCase>& info) { return std::string(info.param.name); });

TEST_F(CalcFilter, InverseIsShownAsOne) {
    CalculateWith(Entries("96k", "1", false, "", true));
    EXPECT_EQ(SummaryLine(ViewText(), "Inverse:"), "Inverse:  1");
}

TEST_F(CalcFilter, CancelLeavesTextModifiedStateAndEntriesAlone) {
    CalculateWith(Entries("48k", "3", true, "20k", false));
    const std::string before = ViewText();
    QTest::keyClicks(&Editor(), "note");
    ASSERT_TRUE(Document().IsModified());
    const std::string typed = ViewText();

    WhenModalOpens([](QWidget& open) {
        EditField(open, IDC_SAMPLE_FREQ).setText("1M");
        CheckBox(open, IDC_INVERSE).setChecked(true);
        Button(open, IDCANCEL).click();
    });
    RunCommand(ID_CALC_FILTER);
    EXPECT_EQ(ViewText(), typed);
    EXPECT_TRUE(Document().IsModified());

    // The next opening shows the entries confirmed before the cancelled one.
    WhenModalOpens([](QWidget& open) {
        EXPECT_EQ(EditField(open, IDC_SAMPLE_FREQ).text(), "48k");
        EXPECT_EQ(EditField(open, IDC_GAIN).text(), "3");
        EXPECT_TRUE(CheckBox(open, IDC_EXTRA_ZERO).isChecked());
        EXPECT_EQ(EditField(open, IDC_ZERO_FREQ).text(), "20k");
        EXPECT_FALSE(CheckBox(open, IDC_INVERSE).isChecked());
        Button(open, IDCANCEL).click();
    });
    RunCommand(ID_CALC_FILTER);
    EXPECT_NE(before, typed);
}

TEST_F(CalcFilter, TheSecondCalculationReplacesTheFirstAndAnyEdits) {
    CalculateWith(Entries("96k", "1", false, "", false));
    QTest::keyClicks(&Editor(), "edited after the first");
    CalculateWith(Entries("48k", "0.5", true, "30k", true));
    EXPECT_EQ(ViewText(), CalculateFilter(Entries("48k", "0.5", true, "30k", true)).text);
}

TEST_F(CalcFilter, ModifiedStateIsKeptAsItWas) {
    CalculateWith(Entries("96k", "1", false, "", false));
    EXPECT_FALSE(Document().IsModified()) << "a calculation on a clean document";

    QTest::keyClicks(&Editor(), "x");
    ASSERT_TRUE(Document().IsModified());
    CalculateWith(Entries("96k", "1", false, "", false));
    EXPECT_TRUE(Document().IsModified()) << "a calculation after typing";
}

TEST_F(CalcFilter, UndoRightAfterACalculationBringsBackTheTextBefore) {
    Editor().setFocus();
    QTest::keyClicks(&Editor(), "my own notes");
    const std::string typed = ViewText();
    CalculateWith(Entries("96k", "1", false, "", false));
    ASSERT_NE(ViewText(), typed);

    RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(ViewText(), typed);
}

TEST_F(CalcFilter, UndoWorksByItsShortcutToo) {
    Editor().setFocus();
    QTest::keyClicks(&Editor(), "kept");
    CalculateWith(Entries("96k", "1", false, "", false));
    QTest::keyClick(&Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ViewText(), "kept");
}
