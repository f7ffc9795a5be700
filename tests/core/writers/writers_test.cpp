// The response table, the CSV and the SVG as users and their tools read them.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "curves/riaa_prototype.h"
#include "designs/riaa_record.h"
#include "designs_under_test.h"
#include "external_tool.h"
#include "response/response_summary.h"
#include "writers/export_formats.h"
#include "writers/svg_plot.h"

namespace {

DesignUnderTest Matched(double fs, double extraZero = 0.0, int inverse = 0) {
    return {CascadeFromCoefficients(RiaaRecord(fs, 1.0, extraZero, inverse)), fs,
            RiaaCurve({extraZero, inverse})};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

TEST(ResponseSummary, ListsOnlyFrequenciesBelowNyquistAndStopsTheBandShortOfIt) {
    const ResponseSummary at32k = SummarizeResponse(Matched(32000.0));
    ASSERT_FALSE(at32k.table.empty());
    EXPECT_EQ(at32k.table.front().frequencyHz, 20.0);
    EXPECT_EQ(at32k.table.back().frequencyHz, 15000.0);
    EXPECT_DOUBLE_EQ(at32k.bandHighHz, 15680.0);

    const ResponseSummary at8k = SummarizeResponse(Matched(8000.0));
    EXPECT_EQ(at8k.table.back().frequencyHz, 2000.0);
    EXPECT_EQ(at8k.table.size(), 7u);
}

TEST(ResponseSummary, GivesTheGainAtDcAndAt1kHzAsFactors) {
    const auto design =
        DesignUnderTest{CascadeFromCoefficients(RiaaRecord(44100.0, 2.0, 0.0, 0)),
                        44100.0, RiaaCurve({})};
    const ResponseSummary summary = SummarizeResponse(design);
    EXPECT_NEAR(summary.dcGain, 2.0, 1e-12);
    // The playback curve is about 19.9 dB lower at 1 kHz than at DC.
    EXPECT_NEAR(20.0 * std::log10(summary.gainAt1k / summary.dcGain), -19.9, 0.05);

    const std::string table = FormatResponseTable(summary);
    EXPECT_NE(table.find("\nGain at DC: 2 (+6.021 dB)\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\nLargest deviation from 20 Hz to 20000 Hz: +3.142 dB at 20000 Hz\n"),
              std::string::npos)
        << table;
}

TEST(ResponseTable, RowsLineUpUnderTheirHeadings) {
    const auto lines = Lines(FormatResponseTable(SummarizeResponse(Matched(96000.0))));
    ASSERT_GT(lines.size(), 14u);
    const std::string& heading = lines[2];
    const std::string& row20k = lines[13];
    EXPECT_EQ(row20k.substr(0, 12), "    20000 Hz");
    EXPECT_EQ(row20k.size(), heading.size());
    // Each value ends in the column where its heading ends.
    EXPECT_EQ(heading.find("Deviation dB") + 12, row20k.find("+0.627") + 6);
}

TEST(ResponseCsv, SamplesTenHertzToNyquistDenselyWithConsistentColumns) {
    const auto lines = Lines(FormatResponseCsv(Matched(48000.0)));
    ASSERT_EQ(lines.front(),
              "frequency_hz,gain_db,phase_deg,prototype_gain_db,prototype_phase_deg,deviation_db");
    // log10(24000 / 10) = 3.38 decades at 100 points a decade, both ends included.
    EXPECT_GE(lines.size() - 1, 339u);
    EXPECT_EQ(Fields(lines[1])[0], "10");
    EXPECT_EQ(Fields(lines.back())[0], "24000");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = Fields(lines[i]);
        ASSERT_EQ(f.size(), 6u) << lines[i];
        const double gain = std::strtod(f[1].c_str(), nullptr);
        const double prototype = std::strtod(f[3].c_str(), nullptr);
        const double deviation = std::strtod(f[5].c_str(), nullptr);
        ASSERT_NEAR(deviation, gain - prototype, 1e-9) << lines[i];
    }
}

// The SVG read by a real XML parser: well-formed, and both curves and the deviation
// present with enough points to look smooth.
TEST(SvgPlot, IsWellFormedXmlWithBothCurves) {
    ScratchFolder folder;
    const std::string checker =
        "import sys, xml.dom.minidom as m\n"
        "d = m.parse(sys.argv[1])\n"
        "assert d.documentElement.tagName == 'svg'\n"
        "lines = {p.getAttribute('id'): p.getAttribute('points').split()\n"
        "         for p in d.getElementsByTagName('polyline')}\n"
        "for name in ('design', 'prototype', 'deviation'):\n"
        "    assert len(lines[name]) >= 300, name\n"
        "text = ' '.join(t.firstChild.data for t in d.getElementsByTagName('text') if t.firstChild)\n"
        "assert sys.argv[2] in text, text\n";
    {
        std::FILE* file = std::fopen(folder.Path("check.py").c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(checker.c_str(), file);
        std::fclose(file);
    }
    // Playback and recording, a low and a very high rate, and a title with XML's
    // special characters in it.
    const struct {
        DesignUnderTest design;
        const char* title;
    } cases[] = {
        {Matched(44100.0), "fs 44100 Hz <playback> & \"more\""},
        {Matched(768000.0, 1.0, 1), "fs 768000 Hz"},
        {Matched(8000.0, 3000.0), "fs 8000 Hz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const std::string path = folder.Path("plot.svg");
        std::FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(RenderResponseSvg(c.design, c.title).c_str(), file);
        std::fclose(file);
        EXPECT_EQ(
            RunCommand(std::string(PYTHON3_PATH) + " " + ShellQuoted(folder.Path("check.py")) +
                       " " + ShellQuoted(path) + " " + ShellQuoted(c.title)),
            0);
    }
}

// Writers use std::to_chars, never printf: a comma-decimal locale must change nothing.
TEST(Writers, IgnoreTheUsersLocale) {
    const DesignUnderTest design = Matched(44100.0, 20000.0);
    const auto everything = [&] {
        return FormatResponseTable(SummarizeResponse(design)) + FormatResponseCsv(design) +
               RenderResponseSvg(design, "t") + FormatSoxEffect(design.cascade) +
               FormatNyquistLine(design.cascade, 44100.0) +
               FormatCamillaDspFilter(design.cascade, 44100.0, "riaa");
    };
    const std::string inC = everything();
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: scripts/install-deps.sh --test makes it";
    const std::string inGerman = everything();
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(inGerman, inC);
}

}  // namespace
