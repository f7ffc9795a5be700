// The table of named curves against the figures its sources publish: a wrong time
// constant or a pole written as a zero would equalise every transfer of that curve wrongly.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "base/decibels.h"
#include "curves/analogue_curve.h"
#include "curves/curve_entry.h"
#include "curves/curve_list.h"
#include "curves/named_curves.h"

namespace {

AnalogueCurve Named(std::string_view name) {
    const NamedCurve* row = FindNamedCurve(name);
    EXPECT_NE(row, nullptr) << name;
    return row != nullptr ? CurveOf(*row) : AnalogueCurve{};
}

double GainDbAt(const AnalogueCurve& curve, double f) { return GainDb(AnalogueResponse(curve, f)); }

double CornerHz(double tau) { return 1.0 / (2.0 * std::numbers::pi * tau); }

// The frequencies each curve is quoted by, in row order (a turnover with no shelf counts
// once): standards, collectors' tables, FFmpeg's aemphasis (Columbia 100/500/1590 Hz,
// BSI 50/353/3180 Hz), the IASA tape table.
const std::map<std::string, std::vector<double>> kQuotedCornersHz = {
    {"riaa", {50.05, 500.5, 2122}},
    {"riaa-iec", {20.02, 50.05, 500.5, 2122}},
    {"riaa-3.18us", {50.05, 500.5, 2122, 50050}},
    {"columbia-lp", {100, 500, 1590}},
    {"nab-1949", {50, 500, 1590}},
    {"aes-1951", {400, 2500}},
    {"decca-lp", {100, 500, 3183}},
    {"decca-ffrr-78", {300, 6366}},
    {"emi-78-636us", {250}},
    {"emi-78-531us", {300}},
    {"emi-78-318us", {500}},
    {"bsi-n78", {50, 353, 3180}},
    {"teldec", {50, 500, 3183}},
    {"rca-orthophonic", {500, 2122}},
    {"cd-emphasis", {3183, 10610}},
    {"fm-50us", {3183}},
    {"fm-75us", {2122}},
    {"tape-nab", {50, 3183}},
    {"tape-iec-35us", {4547}},
    {"tape-iec-70us", {2274}},
    {"tape-iec-3180-90us", {50, 1768}},
    {"tape-iec-3180-120us", {50, 1326}},
    {"tape-iec-3180-70us", {50, 2274}},
};

// The collectors' roll-off at 10 kHz: the treble pole's own attenuation there, quoted
// to about half a dB.
const std::map<std::string, double> kQuotedRollOffDb = {
    {"riaa", 13.7},    {"columbia-lp", 16}, {"nab-1949", 16},
    {"aes-1951", 12},  {"decca-lp", 10.5},  {"decca-ffrr-78", 5},
    {"bsi-n78", 10.5}, {"teldec", 10.5},    {"rca-orthophonic", 13.7},
};

TEST(NamedCurves, EveryRowHasTheCornersAndRollOffItIsQuotedBy) {
    ASSERT_EQ(NamedCurves().size(), kQuotedCornersHz.size());
    EXPECT_EQ(NamedCurves().front().name, "riaa");
    for (const NamedCurve& row : NamedCurves()) {
        SCOPED_TRACE(std::string(row.name));
        ASSERT_TRUE(kQuotedCornersHz.contains(std::string(row.name)));
        std::vector<double> corners;
        for (const CurveConstant& constant : row.constants) {
            if (constant.role != CurveRole::BassToDc) corners.push_back(CornerHz(constant.tau));
            if (constant.role == CurveRole::TrebleRollOff &&
                kQuotedRollOffDb.contains(std::string(row.name))) {
                const double x = 2.0 * std::numbers::pi * 10000.0 * constant.tau;
                EXPECT_NEAR(10.0 * std::log10(1.0 + x * x),
                            kQuotedRollOffDb.at(std::string(row.name)), 0.5);
            }
        }
        const auto& quoted = kQuotedCornersHz.at(std::string(row.name));
        ASSERT_EQ(corners.size(), quoted.size());
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            EXPECT_NEAR(corners[i] / quoted[i], 1.0, 0.005) << "corner " << i;
        }
        // Realisable, and finite over the band, the name as the entry reader takes it.
        const AnalogueCurve curve = CurveOf(row);
        EXPECT_LE(curve.zeroTaus.size() + curve.dcZeroTaus.size(),
                  curve.poleTaus.size() + curve.dcPoleTaus.size());
        for (double f : {10.0, 1000.0, 24000.0}) {
            EXPECT_TRUE(std::isfinite(std::abs(AnalogueResponse(curve, f))));
        }
        EXPECT_EQ(FindNamedCurve(row.name), &row);
    }
    EXPECT_EQ(FindNamedCurve("RIAA"), &NamedCurves().front());
    EXPECT_EQ(FindNamedCurve("riaa "), nullptr);
}

TEST(NamedCurves, RiaaAndItsVariantsFollowThePublishedTable) {
    const AnalogueCurve riaa = Named("riaa");
    // The RIAA playback table, relative to 1 kHz.
    EXPECT_NEAR(AnalogueGainDbRe1k(riaa, 20.0), 19.27, 0.01);
    EXPECT_NEAR(AnalogueGainDbRe1k(riaa, 100.0), 13.09, 0.01);
    EXPECT_NEAR(AnalogueGainDbRe1k(riaa, 10000.0), -13.73, 0.01);
    EXPECT_NEAR(AnalogueGainDbRe1k(riaa, 20000.0), -19.62, 0.01);
    // The IEC amendment is 3 dB down at 20 Hz and leaves the treble alone.
    const AnalogueCurve iec = Named("riaa-iec");
    EXPECT_NEAR(AnalogueGainDbRe1k(iec, 20.02) - AnalogueGainDbRe1k(riaa, 20.02), -3.01, 0.01);
    EXPECT_NEAR(AnalogueGainDbRe1k(iec, 10000.0), AnalogueGainDbRe1k(riaa, 10000.0), 0.003);
    EXPECT_EQ(std::abs(AnalogueResponse(iec, 0.0)), 0.0);
    // The 3.18 µs zero lifts 20 kHz by 10·log10(1 + (20k/50.05k)²) = 0.64 dB.
    EXPECT_NEAR(
        AnalogueGainDbRe1k(Named("riaa-3.18us"), 20000.0) - AnalogueGainDbRe1k(riaa, 20000.0), 0.64,
        0.01);
}

TEST(NamedCurves, DiscCurvesWithoutAShelfBoostTheBassDownToDc) {
    // A flat-treble 78 curve is 3 dB up at its turnover and 0 dB far above it.
    for (std::string_view name : {"emi-78-636us", "emi-78-531us", "emi-78-318us"}) {
        const AnalogueCurve curve = Named(name);
        const double turnover = CornerHz(curve.zeroTaus.front());
        EXPECT_NEAR(GainDbAt(curve, turnover), 3.01, 0.01) << name;
        EXPECT_NEAR(GainDbAt(curve, 1e6), 0.0, 0.001) << name;
    }
    // No shelf: 6 dB an octave all the way down; a shelf levels the boost off.
    for (std::string_view name : {"aes-1951", "decca-ffrr-78", "rca-orthophonic"}) {
        const AnalogueCurve curve = Named(name);
        EXPECT_NEAR(GainDbAt(curve, 10.0) - GainDbAt(curve, 20.0), 6.02, 0.05) << name;
    }
    const AnalogueCurve columbia = Named("columbia-lp");
    EXPECT_LT(GainDbAt(columbia, 10.0) - GainDbAt(columbia, 20.0), 1.0);
}

TEST(NamedCurves, EmphasisCurvesCutTheTrebleByTheirPublishedAmounts) {
    const AnalogueCurve cd = Named("cd-emphasis");
    EXPECT_NEAR(GainDbAt(cd, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(GainDbAt(cd, 20000.0), -9.49, 0.01);
    EXPECT_NEAR(GainDbAt(cd, 1e7), 20.0 * std::log10(15.0 / 50.0), 0.001);  // -10.46 dB
    EXPECT_NEAR(GainDbAt(Named("fm-75us"), 2122.0), -3.01, 0.01);
    EXPECT_NEAR(GainDbAt(Named("fm-75us"), 15000.0), -17.0, 0.1);
    EXPECT_NEAR(GainDbAt(Named("fm-50us"), 3183.0), -3.01, 0.01);
}

TEST(NamedCurves, TapeReplayIntegratesUpToTheTrebleTimeConstant) {
    // Without a bass time constant: 3 dB above the flat treble at the corner, 6 dB an
    // octave below it.
    for (std::string_view name : {"tape-iec-35us", "tape-iec-70us"}) {
        const AnalogueCurve curve = Named(name);
        const double corner = CornerHz(curve.zeroTaus.front());
        EXPECT_NEAR(GainDbAt(curve, corner) - GainDbAt(curve, 1e7), 3.01, 0.01) << name;
        EXPECT_NEAR(GainDbAt(curve, 100.0) - GainDbAt(curve, 200.0), 6.02, 0.03) << name;
    }
    // With one: 3 dB below the bass plateau at 50 Hz, 3 dB above the treble at its corner.
    const AnalogueCurve nab = Named("tape-nab");
    EXPECT_NEAR(GainDbAt(nab, 50.05) - GainDbAt(nab, 0.0), -3.01, 0.01);
    EXPECT_NEAR(GainDbAt(nab, 3183.0) - GainDbAt(nab, 1e7), 3.01, 0.01);
    EXPECT_NEAR(GainDbAt(nab, 0.0) - GainDbAt(nab, 1e7), 20.0 * std::log10(3180.0 / 50.0), 1e-5);
    const AnalogueCurve cassette = Named("tape-iec-3180-120us");
    EXPECT_NEAR(GainDbAt(cassette, 1326.0) - GainDbAt(cassette, 1e7), 3.01, 0.02);
}

TEST(CurveList, OneLineEachThatTheCustomEntryReadsBack) {
    const std::string list = CurveListText();
    std::size_t start = 0;
    for (const NamedCurve& row : NamedCurves()) {
        const std::size_t end = list.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = list.substr(start, end - start);
        start = end + 1;
        SCOPED_TRACE(line);
        EXPECT_EQ(line.rfind(std::string(row.name) + " ", 0), 0u);
        EXPECT_NE(line.find(row.description), std::string::npos);
        const std::string constants = CurveConstantsText(row);
        EXPECT_TRUE(line.ends_with(constants));
        // Read back as a custom curve it is the row's curve, to the bit.
        const CurveReading reading = ReadCurveEntry("custom:" + constants);
        ASSERT_TRUE(reading.ok()) << reading.error();
        const AnalogueCurve curve = CurveOf(row);
        EXPECT_EQ(reading->curve.poleTaus, curve.poleTaus);
        EXPECT_EQ(reading->curve.zeroTaus, curve.zeroTaus);
        EXPECT_EQ(reading->curve.dcPoleTaus, curve.dcPoleTaus);
        EXPECT_EQ(reading->curve.dcZeroTaus, curve.dcZeroTaus);
    }
    EXPECT_EQ(start, list.size());
    EXPECT_EQ(CurveConstantsText(NamedCurves().front()), "p:3180u,z:318u,p:75u");
    EXPECT_EQ(CurveConstantsText(*FindNamedCurve("riaa-iec")),
              "p:7950u,z:inf,p:3180u,z:318u,p:75u");
}

}  // namespace
