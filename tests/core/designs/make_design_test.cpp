// The one door into the designs: a front end that fills in a request must get the design
// the method's own function gives, bit for bit, and a refusal as a line of text, never an
// exception, whatever the request holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/decibels.h"
#include "curves/curve_entry.h"
#include "designs/make_design.h"
#include "designs/detail/riaa_design.h"
#include "designs/riaa_record.h"
#include "response/frequency_response.h"

namespace {

DesignRequest RequestAt(double fs, const char* curve = "riaa") {
    DesignRequest request;
    request.curve = ReadCurveEntry(curve);
    request.samplingFrequency = fs;
    return request;
}

bool SameBits(const Cascade& a, const Cascade& b) {
    return a.sections.size() == b.sections.size() &&
           std::memcmp(a.sections.data(), b.sections.data(),
                       a.sections.size() * sizeof(BiquadSection)) == 0;
}

TEST(MakeDesign, DefaultRequestIsTheDesktopProgramsRiaaBiquad) {
    DesignRequest request = RequestAt(44100.0);
    request.gain = 2.0;
    request.extraZero = 1.0;
    request.direction = Direction::Recording;
    const Result<Design> design = MakeDesign(request);
    ASSERT_TRUE(design.ok()) << design.error();
    ASSERT_TRUE(design->record.has_value());
    const RiaaCoefficients expected = ComputeRiaaCoefficients(44100.0, 2.0, 1.0, 1);
    EXPECT_EQ(std::memcmp(&*design->record, &expected, sizeof expected), 0);
    EXPECT_TRUE(SameBits(design->cascade, CascadeFromCoefficients(expected)));
    EXPECT_EQ(design->curveName, "riaa");
    EXPECT_FALSE(design->maxDeviationDb.has_value());
}

TEST(MakeDesign, GainAppliesWhereTheRequestSays) {
    for (const char* curve : {"riaa", "aes-1951", "turnover:400,rolloff:12"}) {
        for (const DesignMethod method : {DesignMethod::Matched, DesignMethod::Minimax}) {
            DesignRequest request = RequestAt(48000.0, curve);
            request.method = method;
            request.gain = 3.0;
            request.gainReference = GainReference::OneKilohertz;
            const Result<Design> design = MakeDesign(request);
            ASSERT_TRUE(design.ok()) << curve << ": " << design.error();
            EXPECT_EQ(design->gainReference, GainReference::OneKilohertz);
            EXPECT_NEAR(std::abs(CascadeResponse(design->cascade, 48000.0, 1000.0)), 3.0, 1e-9)
                << curve;
        }
    }
}

TEST(MakeDesign, ACurveWithoutAFiniteGainAtDcTakesItsGainAt1kHz) {
    DesignRequest request = RequestAt(48000.0, "turnover:400,rolloff:12");  // a pole at DC
    request.method = DesignMethod::Minimax;
    const Result<Design> design = MakeDesign(request);
    ASSERT_TRUE(design.ok()) << design.error();
    EXPECT_EQ(design->gainReference, GainReference::OneKilohertz);
}

TEST(MakeDesign, ToleranceGivesTheFewestSectionsThatMeetIt) {
    DesignRequest request = RequestAt(44100.0, "aes-1951");
    request.method = DesignMethod::Minimax;
    request.size = ToleranceDb{0.05};
    const Result<Design> within = MakeDesign(request);
    ASSERT_TRUE(within.ok()) << within.error();
    ASSERT_TRUE(within->maxDeviationDb.has_value());
    EXPECT_LE(*within->maxDeviationDb, 0.05);

    const int sections = static_cast<int>(within->cascade.sections.size());
    request.size = SectionCount{sections};
    const Result<Design> counted = MakeDesign(request);
    ASSERT_TRUE(counted.ok()) << counted.error();
    EXPECT_TRUE(SameBits(within->cascade, counted->cascade));
    if (sections > 1) {
        request.size = SectionCount{sections - 1};
        const Result<Design> fewer = MakeDesign(request);
        ASSERT_TRUE(fewer.ok()) << fewer.error();
        EXPECT_GT(*fewer->maxDeviationDb, 0.05);
    }
}

TEST(MakeDesign, RecordingIsThePlaybackDesignTurnedUpsideDown) {
    for (const DesignMethod method : {DesignMethod::Matched, DesignMethod::Minimax}) {
        DesignRequest request = RequestAt(96000.0, "teldec");
        request.method = method;
        const Result<Design> playback = MakeDesign(request);
        request.direction = Direction::Recording;
        const Result<Design> recording = MakeDesign(request);
        ASSERT_TRUE(playback.ok() && recording.ok());
        EXPECT_EQ(recording->direction, Direction::Recording);
        for (double f = 20.0; f < 20000.0; f *= 1.5) {
            const double flat = GainDb(CascadeResponse(playback->cascade, 96000.0, f) *
                                       CascadeResponse(recording->cascade, 96000.0, f));
            EXPECT_NEAR(flat, 0.0, 1e-9) << f;
            EXPECT_NEAR(AnalogueGainDbRe1k(recording->target, f),
                        -AnalogueGainDbRe1k(playback->target, f), 1e-9);
        }
    }
}

TEST(MakeDesign, RefusesWithALineInsteadOfThrowing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        DesignRequest request;
    };
    DesignRequest unreadable = RequestAt(48000.0);
    unreadable.curve = ReadCurveEntry("no-such-curve");
    DesignRequest slow = RequestAt(1000.0);
    slow.method = DesignMethod::Minimax;
    DesignRequest tight = RequestAt(44100.0);
    tight.method = DesignMethod::Minimax;
    tight.size = ToleranceDb{1e-9};
    DesignRequest matchedCount = RequestAt(48000.0);
    matchedCount.size = SectionCount{2};
    DesignRequest tooFew = RequestAt(48000.0, "riaa-iec");
    tooFew.method = DesignMethod::Minimax;
    tooFew.size = SectionCount{1};
    DesignRequest zeroElsewhere = RequestAt(48000.0, "aes-1951");
    zeroElsewhere.extraZero = 1.0;
    DesignRequest notANumber = RequestAt(nan);
    notANumber.gainReference = GainReference::OneKilohertz;
    DesignRequest poleAtDc = RequestAt(48000.0, "turnover:400");
    poleAtDc.method = DesignMethod::Minimax;
    poleAtDc.gain = nan;
    for (const Case& c : {Case{"unreadable curve", unreadable}, Case{"rate", slow},
                          Case{"tolerance", tight}, Case{"matched count", matchedCount},
                          Case{"too few sections", tooFew}, Case{"extra zero", zeroElsewhere},
                          Case{"NaN rate at 1 kHz", notANumber}, Case{"NaN gain", poleAtDc}}) {
        Result<Design> design = Result<Design>::Failure("not run");
        EXPECT_NO_THROW(design = MakeDesign(c.request)) << c.what;
        ASSERT_FALSE(design.ok()) << c.what;
        EXPECT_FALSE(design.error().empty()) << c.what;
        EXPECT_EQ(design.error().find('\n'), std::string::npos) << c.what;
    }
    EXPECT_EQ(MakeDesign(unreadable).error(), unreadable.curve.error());
    EXPECT_EQ(MakeDesign(tight).error().rfind("--tolerance: no cascade", 0), 0u);
}

// A tolerance that takes the closest: the best of one to four sections (not always four),
// the tolerance it missed named; a tolerance that is met is unaffected.
TEST(MakeDesign, AToleranceOutOfReachCanTakeTheClosestCascade) {
    for (const char* curve : {"riaa", "columbia-lp"}) {
        DesignRequest request = RequestAt(44100.0, curve);
        request.method = DesignMethod::Minimax;
        request.rumble = RumbleFilter{20.0, 2};
        request.size = ToleranceDb{1e-9, /*orClosest=*/true};
        const Result<Design> closest = MakeDesign(request);
        ASSERT_TRUE(closest.ok()) << closest.error();
        EXPECT_EQ(closest->missedToleranceDb, 1e-9);
        EXPECT_TRUE(closest->rumble.has_value());
        double best = INFINITY;
        for (int sections = 1; sections <= 4; ++sections) {
            request.size = SectionCount{sections};
            if (const Result<Design> design = MakeDesign(request)) {
                best = std::min(best, *design->maxDeviationDb);
            }
        }
        EXPECT_EQ(*closest->maxDeviationDb, best) << curve;

        request.size = ToleranceDb{0.05, /*orClosest=*/true};
        const Result<Design> met = MakeDesign(request);
        ASSERT_TRUE(met.ok()) << met.error();
        EXPECT_FALSE(met->missedToleranceDb.has_value());
        EXPECT_LE(*met->maxDeviationDb, 0.05);
    }
}

TEST(CurveReadings, TurnoverFiguresGiveTheCurveTheirEntryGives) {
    const CurveReading typed = ReadCurveEntry("turnover:500,shelf:50,rolloff:13.7");
    const CurveReading figures = TurnoverCurveReading(500.0, 50.0, 13.7);
    ASSERT_TRUE(figures.ok()) << figures.error();
    EXPECT_EQ(figures->name, typed->name);
    EXPECT_EQ(figures->description, typed->description);
    EXPECT_EQ(figures->curve.poleTaus, typed->curve.poleTaus);
    EXPECT_EQ(figures->curve.zeroTaus, typed->curve.zeroTaus);

    const CurveReading noShelf = TurnoverCurveReading(400.0, std::nullopt, 0.0);
    ASSERT_TRUE(noShelf.ok());
    EXPECT_EQ(noShelf->curve.dcPoleTaus, ReadCurveEntry("turnover:400")->curve.dcPoleTaus);
    EXPECT_EQ(noShelf->description, ReadCurveEntry("turnover:400")->description);

    EXPECT_FALSE(TurnoverCurveReading(500.0, 600.0, 10.0).ok());  // a shelf above the turnover
    EXPECT_FALSE(TurnoverCurveReading(0.0, std::nullopt, 10.0).ok());
    EXPECT_FALSE(TurnoverCurveReading(500.0, std::nullopt, std::nan("")).ok());
}

TEST(CurveReadings, EveryRowReadsAsItsNameDoes) {
    for (const NamedCurve& row : NamedCurves()) {
        const CurveReading reading = ChosenNamedCurve(row);
        const CurveReading typed = ReadCurveEntry(row.name);
        EXPECT_EQ(reading->name, typed->name);
        EXPECT_EQ(reading->description, typed->description);
        EXPECT_EQ(reading->curve.poleTaus, typed->curve.poleTaus);
    }
    EXPECT_EQ(ChosenRiaaCurve().name, "riaa");
}

}  // namespace
