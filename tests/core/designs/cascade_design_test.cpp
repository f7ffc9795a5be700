// The minimax cascade: a user who asks for N sections expects the smallest error N
// sections allow, a filter that is safe to run and to invert, no lift beyond the band
// that a cutting lathe or a tweeter would pay for, and the same numbers every time.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

#include "base/decibels.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/cascade_minimax_design.h"
#include "designs/detail/minimax_design.h"
#include "designs/detail/section_pairing.h"
#include "designs/riaa_record.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"
#include "response/root_radius.h"

namespace {

constexpr double kTableRates[] = {32000.0, 44100.0,  48000.0,  88200.0,
                                  96000.0, 176400.0, 192000.0, 384000.0};

CascadeRequest At(double fs, bool inverse = false) {
    CascadeRequest request;
    request.samplingFrequency = fs;
    request.inverse = inverse;
    return request;
}

// Designs are slow enough to share between tests: each (rate, sections, inverse) once.
const MinimaxCascade& Design(double fs, int sections, bool inverse = false) {
    static std::map<std::tuple<double, int, bool>, MinimaxCascade> designs;
    const auto key = std::tuple(fs, sections, inverse);
    auto found = designs.find(key);
    if (found == designs.end()) {
        found =
            designs.emplace(key, DesignMinimaxRiaaCascade(0.0, At(fs, inverse), sections)).first;
    }
    return found->second;
}

DesignUnderTest UnderTest(double fs, int sections, bool inverse = false) {
    return {Design(fs, sections, inverse).cascade, fs, RiaaCurve({0.0, inverse ? 1 : 0})};
}

double GainDbAt(const Cascade& cascade, double fs, double f) {
    return GainDb(CascadeResponse(cascade, fs, f));
}

// Equal extremes of the error, counted as the optimum's characterisation counts them:
// each run of one sign of e·sign(f - 1 kHz) that reaches within 1 % of the largest
// error (the error is pinned to zero at 1 kHz, so the extremes beside it share a sign).
int AlternatingExtremes(const DesignUnderTest& design) {
    const double fs = design.samplingFrequency;
    std::vector<double> flipped;
    double largest = 0.0;
    for (double f : LogGrid(kMinimaxBandBottomHz, MinimaxBandTopHz(fs), 2000)) {
        const double e = CompareAt(design, f).deviationDb;
        flipped.push_back(f < 1000.0 ? -e : e);
        largest = std::max(largest, std::abs(e));
    }
    int runs = 0;
    int sign = 0;
    bool counted = false;
    for (double v : flipped) {
        const int s = v > 0.0 ? 1 : (v < 0.0 ? -1 : 0);
        if (s == 0) continue;
        if (s != sign) {
            sign = s;
            counted = false;
        }
        if (!counted && std::abs(v) >= 0.99 * largest) {
            ++runs;
            counted = true;
        }
    }
    return runs;
}

TEST(CascadeDesign, ReachesTheDeviationsEachOrderAllows) {
    struct Goal {
        double fs;
        int sections;
        double limitDb;
    };
    // Two sections: the goals of the design; three: what it reaches, with a margin.
    const Goal goals[] = {
        {44100.0, 2, 0.001},    {48000.0, 2, 0.0002}, {96000.0, 2, 0.00002}, {192000.0, 2, 0.00002},
        {384000.0, 2, 0.00002}, {44100.0, 3, 2e-6},   {48000.0, 3, 1e-7},    {96000.0, 3, 1e-9},
    };
    for (const Goal& g : goals) {
        SCOPED_TRACE(testing::Message() << g.fs << " Hz, " << g.sections << " sections");
        const MinimaxCascade& design = Design(g.fs, g.sections);
        ASSERT_EQ(design.cascade.sections.size(), static_cast<std::size_t>(g.sections));
        EXPECT_LE(design.maxDeviationDb, g.limitDb);
        // The figure the design reports is the one an independent check measures.
        const DeviationPeak peak =
            MaxDeviation(UnderTest(g.fs, g.sections), kMinimaxBandBottomHz, MinimaxBandTopHz(g.fs));
        EXPECT_NEAR(std::abs(peak.deviationDb), design.maxDeviationDb,
                    0.01 * design.maxDeviationDb);
    }
}

TEST(CascadeDesign, ErrorEquioscillatesAsOnlyTheOptimumDoes) {
    // 4N free parameters once 1 kHz is pinned, so the optimum touches its largest
    // error at 4N + 1 alternating extremes; a fit stopped short has a peak standing
    // above the others and fewer equal ones. (At 96 kHz three sections are already at
    // the rounding limit of double coefficients, where the error is noise.)
    const std::pair<double, int> cases[] = {
        {44100.0, 2}, {48000.0, 2}, {96000.0, 2}, {44100.0, 3}, {48000.0, 3}};
    for (const auto& [fs, sections] : cases) {
        SCOPED_TRACE(testing::Message() << fs << " Hz, " << sections << " sections");
        EXPECT_GE(AlternatingExtremes(UnderTest(fs, sections)), 4 * sections + 1);
    }
}

TEST(CascadeDesign, NeitherLiftsAboveTheBandNorExceedsTheCurveBelowIt) {
    for (double fs : kTableRates) {
        for (int sections = 2; sections <= kMaxCascadeSections; ++sections) {
            SCOPED_TRACE(testing::Message() << fs << " Hz, " << sections << " sections");
            const Cascade& cascade = Design(fs, sections).cascade;
            const double top = MinimaxBandTopHz(fs);
            const double edge = GainDbAt(cascade, fs, top);
            for (int k = 1; k <= 2000; ++k) {
                const double f = top + (0.5 * fs - top) * k / 2000.0;
                ASSERT_LE(GainDbAt(cascade, fs, f), edge + 1e-6) << f;
            }
            // Both relative to 1 kHz; the playback curve is largest at DC.
            const double reference = GainDbAt(cascade, fs, 1000.0);
            const double limit = AnalogueGainDbRe1k(RiaaCurve({}), 0.0) + kCascadeBelowBandMarginDb;
            for (double f : {0.0, 0.5, 2.0, 5.0, 10.0, 15.0, 19.9}) {
                ASSERT_LE(GainDbAt(cascade, fs, f) - reference, limit) << f;
            }
        }
    }
}

TEST(CascadeDesign, IsStableAndMinimumPhaseAcrossTheRateTable) {
    for (double fs : kTableRates) {
        for (int sections = 1; sections <= kMaxCascadeSections; ++sections) {
            for (bool inverse : {false, true}) {
                SCOPED_TRACE(testing::Message() << fs << " Hz, " << sections << " sections, "
                                                << (inverse ? "recording" : "playback"));
                const Cascade& cascade = Design(fs, sections, inverse).cascade;
                ASSERT_EQ(cascade.sections.size(), static_cast<std::size_t>(sections));
                double previous = 0.0;
                for (const BiquadSection& s : cascade.sections) {
                    const double poles = LargestRootRadius(1.0, s.a1, s.a2);
                    EXPECT_LT(poles, 1.0);
                    EXPECT_LT(LargestRootRadius(s.b0, s.b1, s.b2), 1.0);
                    // Ordered by pole radius, the poles nearest the unit circle last.
                    EXPECT_GE(poles, previous);
                    previous = poles;
                }
            }
        }
    }
}

TEST(CascadeDesign, InverseIsTheReciprocalOfThePlaybackCascade) {
    for (double fs : {44100.0, 96000.0}) {
        for (int sections : {2, 3}) {
            SCOPED_TRACE(testing::Message() << fs << " Hz, " << sections << " sections");
            const Cascade& playback = Design(fs, sections).cascade;
            const Cascade& recording = Design(fs, sections, true).cascade;
            // Both 1 at DC, so their product is 1 at every frequency.
            for (double f : {0.0, 20.0, 1000.0, 15000.0, 0.5 * fs}) {
                const auto product =
                    CascadeResponse(playback, fs, f) * CascadeResponse(recording, fs, f);
                EXPECT_NEAR(product.real(), 1.0, 1e-9) << f;
                EXPECT_NEAR(product.imag(), 0.0, 1e-9) << f;
            }
            // Section by section: each recording section's poles are a playback
            // section's zeros.
            for (const BiquadSection& r : recording.sections) {
                bool found = false;
                for (const BiquadSection& p : playback.sections) {
                    found = found || (std::abs(r.a1 - p.b1 / p.b0) < 1e-12 &&
                                      std::abs(r.a2 - p.b2 / p.b0) < 1e-12);
                }
                EXPECT_TRUE(found);
            }
        }
    }
}

TEST(CascadeDesign, OneSectionIsTheMinimaxBiquadBitForBit) {
    for (double fs : {44100.0, 96000.0}) {
        for (bool inverse : {false, true}) {
            CascadeRequest request = At(fs, inverse);
            request.gain = 2.5;
            request.gainReference = GainReference::OneKilohertz;
            const Cascade one = DesignMinimaxRiaaCascade(1.0, request, 1).cascade;
            const Cascade expected = CascadeFromCoefficients(ComputeMinimaxRiaaCoefficients(
                fs, 2.5, 1.0, inverse ? 1 : 0, GainReference::OneKilohertz));
            ASSERT_EQ(one.sections.size(), 1u);
            EXPECT_EQ(std::memcmp(&one.sections[0], &expected.sections[0], sizeof(BiquadSection)),
                      0);
        }
    }
}

TEST(CascadeDesign, GivesTheSameBitsOnEveryRunAndTheGainAsked) {
    CascadeRequest request = At(48000.0);
    request.gain = -3.0;
    const Cascade first = DesignMinimaxRiaaCascade(20000.0, request, 3).cascade;
    // Another design in between must leave nothing behind that changes the next one.
    DesignMinimaxRiaaCascade(0.0, At(192000.0, true), 4);
    const Cascade second = DesignMinimaxRiaaCascade(20000.0, request, 3).cascade;
    ASSERT_EQ(first.sections.size(), second.sections.size());
    for (std::size_t k = 0; k < first.sections.size(); ++k) {
        EXPECT_EQ(std::memcmp(&first.sections[k], &second.sections[k], sizeof(BiquadSection)), 0);
    }
    EXPECT_NEAR(CascadeResponse(first, 48000.0, 0.0).real(), -3.0, 1e-12);
    // The sections after the first are 0 dB at 1 kHz; the first carries the gain.
    for (std::size_t k = 1; k < first.sections.size(); ++k) {
        EXPECT_NEAR(std::abs(SectionResponse(first.sections[k], 48000.0, 1000.0)), 1.0, 1e-12);
    }
    request.gainReference = GainReference::OneKilohertz;
    const Cascade at1k = DesignMinimaxRiaaCascade(20000.0, request, 3).cascade;
    EXPECT_NEAR(std::abs(CascadeResponse(at1k, 48000.0, 1000.0)), 3.0, 1e-12);
    EXPECT_LT(CascadeResponse(at1k, 48000.0, 0.0).real(), 0.0);
}

TEST(CascadeTolerance, PicksTheSmallestOrderAndNamesTheBestWhenNoneReaches) {
    const double fs = 44100.0;
    // Between the one- and two-section figures (0.235 and 0.0006 dB): two sections.
    EXPECT_EQ(DesignMinimaxRiaaCascadeWithin(0.0, At(fs), 0.01).cascade.sections.size(), 2u);
    EXPECT_EQ(DesignMinimaxRiaaCascadeWithin(0.0, At(fs), 0.5).cascade.sections.size(), 1u);
    EXPECT_EQ(DesignMinimaxRiaaCascadeWithin(0.0, At(fs), 1e-4).cascade.sections.size(), 3u);
    try {
        DesignMinimaxRiaaCascadeWithin(0.0, At(fs), 1e-12);
        ADD_FAILURE() << "a tolerance no order reaches was accepted";
    } catch (const UnreachableTolerance& error) {
        EXPECT_EQ(error.BestSections(), 4);
        EXPECT_GT(error.BestDeviationDb(), 1e-12);
        EXPECT_LT(error.BestDeviationDb(), 1e-6);
        EXPECT_NE(std::string(error.what()).find("4 sections"), std::string::npos) << error.what();
    }
    for (double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        EXPECT_THROW(DesignMinimaxRiaaCascadeWithin(0.0, At(fs), bad), std::invalid_argument);
    }
}

TEST(CascadeDesign, FollowsAnyCurveOfTimeConstantsAndRefusesWhatNoFilterCanBe) {
    // A playback curve with a high-pass at 7950 µs: a zero at DC, so no gain at DC.
    const AnalogueCurve highPassed{{318e-6}, {3180e-6, 75e-6, 7950e-6}, {7950e-6}, {}};
    ASSERT_EQ(MinimumCascadeSections(highPassed), 2);
    CascadeRequest request = At(48000.0);
    request.gainReference = GainReference::OneKilohertz;
    const MinimaxCascade design = DesignMinimaxCascade(highPassed, request, 3);
    EXPECT_LE(design.maxDeviationDb, 1e-4);
    EXPECT_NEAR(std::abs(CascadeResponse(design.cascade, 48000.0, 1000.0)), 1.0, 1e-12);
    EXPECT_NEAR(std::abs(CascadeResponse(design.cascade, 48000.0, 0.0)), 0.0, 1e-9);
    const DeviationPeak peak =
        MaxDeviation({design.cascade, 48000.0, highPassed}, 20.0, MinimaxBandTopHz(48000.0));
    EXPECT_LE(std::abs(peak.deviationDb), 1e-4);

    EXPECT_THROW(DesignMinimaxCascade(highPassed, request, 1), std::invalid_argument);
    EXPECT_THROW(DesignMinimaxCascade(highPassed, At(48000.0), 2), std::invalid_argument);
    request.inverse = true;
    EXPECT_THROW(DesignMinimaxCascade(highPassed, request, 2), std::invalid_argument);
    const AnalogueCurve integrator{{}, {}, {}, {1e-3}};
    EXPECT_THROW(DesignMinimaxCascade(integrator, At(48000.0), 1), std::invalid_argument);
    for (int sections : {0, 5}) {
        EXPECT_THROW(DesignMinimaxRiaaCascade(0.0, At(48000.0), sections), std::invalid_argument);
    }
    for (double fs : {2000.0, 2e7, std::nan("")}) {
        EXPECT_THROW(DesignMinimaxRiaaCascade(0.0, At(fs), 2), std::invalid_argument);
    }
}

}  // namespace
