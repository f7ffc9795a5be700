// The curves users describe themselves: what they type must become the curve they mean,
// and anything that is not a realisable curve must be refused with the entry named,
// never reach a design as NaN.
#include "curves/curve_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "curves/analogue_curve.h"
#include "curves/named_curves.h"

namespace {

AnalogueCurve Read(const std::string& text) {
    const CurveReading reading = ReadCurveEntry(text);
    EXPECT_TRUE(reading.ok()) << text << ": " << reading.error();
    return reading->curve;
}

void ExpectSameFactors(const AnalogueCurve& actual, const AnalogueCurve& expected) {
    EXPECT_EQ(actual.poleTaus, expected.poleTaus);
    EXPECT_EQ(actual.zeroTaus, expected.zeroTaus);
    EXPECT_EQ(actual.dcPoleTaus, expected.dcPoleTaus);
    EXPECT_EQ(actual.dcZeroTaus, expected.dcZeroTaus);
}

TEST(CustomCurve, TimeConstantsAlternatePoleAndZeroInTheOrderCurvesAreQuoted) {
    const AnalogueCurve riaa = CurveOf(*FindNamedCurve("riaa"));
    ExpectSameFactors(Read("custom:3180u,318u,75u"), riaa);
    // Units, µ in UTF-8, exponents and spaces read the same bits.
    ExpectSameFactors(Read("custom: 3180us, 318\xC2\xB5s ,75e-6"), riaa);
    ExpectSameFactors(Read("custom:3.18m,0.318m,75u"), riaa);
    // A fourth entry is a zero: RIAA with the 3.18 µs zero.
    ExpectSameFactors(Read("custom:3180u,318u,75u,3.18u"), CurveOf(*FindNamedCurve("riaa-3.18us")));
    // Markers override the alternation, which goes on from the marked entry.
    const AnalogueCurve twoPoles = Read("custom:p:398u,p:63.7u");
    EXPECT_EQ(twoPoles.poleTaus, (std::vector{398e-6, 63.7e-6}));
    EXPECT_TRUE(twoPoles.zeroTaus.empty());
    const AnalogueCurve marked = Read("custom:3180u,p:75u,15u");  // pole, pole, zero
    EXPECT_EQ(marked.poleTaus, (std::vector{3180e-6, 75e-6}));
    EXPECT_EQ(marked.zeroTaus, (std::vector{15e-6}));
    // inf is a factor at DC with the τ of its neighbour: the AES curve and the IEC 35 µs.
    ExpectSameFactors(Read("custom:inf,398u,63.7u"), CurveOf(*FindNamedCurve("aes-1951")));
    ExpectSameFactors(Read("custom:p:inf,z:35u"), CurveOf(*FindNamedCurve("tape-iec-35us")));
    ExpectSameFactors(Read("custom:7950u,inf,3180u,318u,75u"),
                      CurveOf(*FindNamedCurve("riaa-iec")));
}

TEST(TurnoverCurve, CollectorsFiguresBecomeTheCurveTheyDescribe) {
    // RIAA as collectors quote it: 500 Hz turnover, 50 Hz shelf, -13.7 dB at 10 kHz.
    const AnalogueCurve riaa = Read("turnover:500,shelf:50,rolloff:13.7");
    ASSERT_EQ(riaa.poleTaus.size(), 2u);
    ASSERT_EQ(riaa.zeroTaus.size(), 1u);
    EXPECT_TRUE(riaa.dcPoleTaus.empty());
    EXPECT_NEAR(riaa.poleTaus[0], 3180e-6, 5e-6);
    EXPECT_NEAR(riaa.zeroTaus[0], 318e-6, 0.5e-6);
    EXPECT_NEAR(riaa.poleTaus[1], 75e-6, 0.5e-6);
    // The treble pole is exactly the quoted roll-off down at 10 kHz; sign and unit ignored.
    const double x = 2.0 * std::numbers::pi * 10000.0 * riaa.poleTaus[1];
    EXPECT_NEAR(10.0 * std::log10(1.0 + x * x), 13.7, 1e-9);
    const AnalogueCurve signedRollOff = Read("turnover: 500 Hz, shelf:50Hz, rolloff:-13.7dB");
    EXPECT_EQ(signedRollOff.poleTaus, riaa.poleTaus);
    // Without a shelf the boost runs on to DC; without a roll-off the treble is flat.
    const AnalogueCurve aes = Read("turnover:400,rolloff:12");
    EXPECT_EQ(aes.dcPoleTaus, aes.zeroTaus);
    EXPECT_NEAR(aes.poleTaus.at(0), 61.3e-6, 0.1e-6);
    const AnalogueCurve emi = Read("turnover:250");
    EXPECT_TRUE(emi.poleTaus.empty());
    EXPECT_NEAR(emi.zeroTaus.at(0), 636e-6, 1e-6);
    EXPECT_EQ(Read("turnover:250,rolloff:0").poleTaus.size(), 0u);
    EXPECT_NEAR(Read("turnover:2.5k").zeroTaus.at(0), 63.66e-6, 0.01e-6);
}

TEST(TurnoverCurve, TheTrebleCornerInHertzIsTheSamePoleAsItsRollOff) {
    // Most tables give the treble turnover in Hz: 2122 Hz is RIAA's 75 us.
    const AnalogueCurve riaa = Read("turnover:500,shelf:50,treble:2122Hz");
    ASSERT_EQ(riaa.poleTaus.size(), 2u);
    EXPECT_NEAR(riaa.poleTaus[1], 75e-6, 0.01e-6);
    // A corner at f is 10·log10(1 + (10 kHz / f)²) dB down at 10 kHz.
    const double rollOffDb = 10.0 * std::log10(1.0 + std::pow(10000.0 / 3000.0, 2.0));
    const AnalogueCurve byCorner = Read("turnover:300,treble:3k");
    const AnalogueCurve byRollOff = Read("turnover:300,rolloff:" + std::to_string(rollOffDb));
    EXPECT_NEAR(byCorner.poleTaus.at(0), byRollOff.poleTaus.at(0), 1e-12);
    EXPECT_EQ(ReadCurveEntry("turnover:300,treble:3000")->description,
              "turnover 300 Hz, no shelf, treble corner 3000 Hz");
}

TEST(CurveEntry, AMisspelledNameSuggestsTheNearestNames) {
    EXPECT_NE(ReadCurveEntry("riia").error().find("unknown curve \"riia\" (did you mean riaa?)"),
              std::string::npos);
    EXPECT_NE(ReadCurveEntry("fm50us").error().find("(did you mean fm-50us?)"), std::string::npos);
    // Names are read ignoring case, and so are the near misses.
    EXPECT_NE(ReadCurveEntry("RIIA").error().find("(did you mean riaa?)"), std::string::npos);
    // A beginning names every curve it could start, up to three.
    EXPECT_NE(ReadCurveEntry("emi").error().find(
                  "(did you mean emi-78-636us, emi-78-531us or emi-78-318us?)"),
              std::string::npos);
    EXPECT_EQ(ReadCurveEntry("xyzzy").error().find("did you mean"), std::string::npos);
}

TEST(CurveEntry, NamesAndUnrealisableCurvesAreRefusedNamingTheWrongEntry) {
    const struct {
        const char* text;
        const char* message;  // a part of the error
    } refusals[] = {
        {"riaa2", "unknown curve \"riaa2\""},
        {"", "unknown curve"},
        {"custom:", "no time constants"},
        {"custom:  ", "no time constants"},
        {"custom:3180u,,75u", "entry 2 (\"\") is not a time constant"},
        {"custom:3180u,31x8u", "entry 2 (\"31x8u\") is not a time constant"},
        {"custom:3180u,318u,", "entry 3 (\"\")"},
        {"custom:3180u 318u", "entry 1 (\"3180u 318u\")"},
        {"custom:3.3e2u", "entry 1"},
        {"custom:nan", "entry 1 (\"nan\") is not a time constant"},
        {"custom:q:318u", "entry 1"},
        {"custom:-318u", "entry 1 (\"-318u\") is not positive"},
        {"custom:0", "entry 1 (\"0\") is not positive"},
        {"custom:3180u,1e999", "entry 2 (\"1e999\") is not finite"},
        {"custom:1p", "entry 1 (\"1p\") lies outside"},
        {"custom:10k", "entry 1 (\"10k\") lies outside"},
        {"custom:z:318u", "1 zero (entry 1) but 0 poles"},
        {"custom:3180u,318u,75u,3.18u,z:1u", "3 zeros (entries 2, 4, 5) but 2 poles"},
        {"custom:p:inf,z:inf,3180u", "entry 1 (\"p:inf\") and entry 2 (\"z:inf\")"},
        {"custom:inf", "every entry is inf"},
        {"custom:0123456789012345678901234567890123u", "entry 1"},
        {"turnover:", "\"\" is not a frequency"},
        {"turnover:abc", "\"abc\" is not a frequency"},
        {"turnover:-500", "must be positive"},
        {"turnover:500,shelf:600", "shelf (600 Hz) must lie below the turnover (500 Hz)"},
        {"turnover:500,bass:50", "\"bass:50\" is not shelf:HZ, rolloff:DB or treble:HZ"},
        {"turnover:500,rolloff:10,treble:2k", "rolloff:DB and treble:HZ both place"},
        {"turnover:500,treble:0", "must be positive"},
        {"turnover:500,shelf:50,shelf:40", "\"shelf:40\" is given twice"},
        {"turnover:500,rolloff:x", "\"rolloff:x\" is not a roll-off"},
        {"turnover:500,rolloff:1e308", "is not finite"},
        {"turnover:500,rolloff:400", "lies outside"},
        {"turnover:1e-9", "turnover's time constant lies outside"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.text);
        const CurveReading reading = ReadCurveEntry(refusal.text);
        EXPECT_FALSE(reading.ok());
        EXPECT_NE(reading.error().find(refusal.message), std::string::npos) << reading.error();
    }
    // Accepted entries at the limits stay finite everywhere a design looks.
    for (const char* text : {"custom:1n,1k", "custom:1k,1n", "turnover:1m,rolloff:100",
                             "custom:p:inf,1n", "turnover:150M"}) {
        const CurveReading reading = ReadCurveEntry(text);
        ASSERT_TRUE(reading.ok()) << text << ": " << reading.error();
        for (double f : {1.0, 1000.0, 1e6}) {
            EXPECT_TRUE(std::isfinite(AnalogueGainDbRe1k(reading->curve, f))) << text << " " << f;
        }
    }
}

}  // namespace
