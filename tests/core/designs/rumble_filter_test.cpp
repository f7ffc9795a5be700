// The rumble filter through the design door: a Butterworth high-pass after the curve's
// sections in either direction, measured against the curve times its analogue
// prototype, with the curve's own design left as it was, and refused with a line when
// its corner or order cannot make one at the rate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "base/decibels.h"
#include "curves/curve_entry.h"
#include "designs/make_design.h"
#include "designs/rumble_filter.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"

namespace {

DesignRequest RequestOf(const char* curve, double fs, DesignMethod method, Direction direction) {
    DesignRequest request;
    request.curve = ReadCurveEntry(curve);
    request.samplingFrequency = fs;
    request.method = method;
    request.direction = direction;
    return request;
}

Design Made(const DesignRequest& request) {
    const Result<Design> design = MakeDesign(request);
    EXPECT_TRUE(design.ok()) << design.error();
    return design.ok() ? *design : Design{};
}

// The rumble design's gain over the plain design's, in dB.
double ChangeDb(const Design& rumble, const Design& plain, double f) {
    const double fs = plain.samplingFrequency;
    return GainDb(CascadeResponse(rumble.cascade, fs, f) / CascadeResponse(plain.cascade, fs, f));
}

// What a transfer of a 78 or a warped LP loses if these fail: 3 dB at the corner, the
// Butterworth's 6n dB an octave below it, and nothing of the music above 200 Hz, for a
// playback design and an inverse one alike (the high-pass is not turned into a boost).
TEST(RumbleFilter, CutsAsAButterworthAtEveryOrderInBothDirections) {
    const struct {
        const char* curve;
        double fs;
        DesignMethod method;
    } designs[] = {{"riaa", 44100.0, DesignMethod::Matched},
                   {"aes-1951", 48000.0, DesignMethod::Minimax},
                   {"decca-ffrr-78", 96000.0, DesignMethod::Minimax}};
    for (const auto& d : designs) {
        for (Direction direction : {Direction::Playback, Direction::Recording}) {
            DesignRequest request = RequestOf(d.curve, d.fs, d.method, direction);
            const Design plain = Made(request);
            for (int order = 1; order <= kMaxRumbleOrder; ++order) {
                SCOPED_TRACE(std::string(d.curve) +
                             (direction == Direction::Recording ? " rec" : "") + ", order " +
                             std::to_string(order));
                request.rumble = RumbleFilter{20.0, order};
                const Design rumble = Made(request);
                ASSERT_EQ(rumble.cascade.sections.size(),
                          plain.cascade.sections.size() + RumbleSectionCount(order));
                EXPECT_NEAR(ChangeDb(rumble, plain, 20.0), -3.0103, 0.002);
                const double quarterDb = -10.0 * std::log10(1.0 + std::pow(4.0, 2.0 * order));
                EXPECT_NEAR(ChangeDb(rumble, plain, 5.0), quarterDb, 0.05);
                // A first order still takes 0.04 dB at 200 Hz; the Butterworth's flatness
                // is for the orders above it.
                const double passbandDb = order == 1 ? 0.05 : 0.01;
                for (double f = 200.0; f < 0.49 * d.fs; f *= 1.25) {
                    ASSERT_NEAR(ChangeDb(rumble, plain, f), 0.0, passbandDb) << f << " Hz";
                }
            }
        }
    }
}

// The response table, plot and report measure the design against the curve times the
// analogue high-pass: measured against the curve alone, a good design would read as
// 24 dB off at 5 Hz.
TEST(RumbleFilter, TheTargetIsTheCurveTimesTheAnalogueHighPass) {
    DesignRequest request = RequestOf("riaa", 48000.0, DesignMethod::Minimax, Direction::Playback);
    request.size = SectionCount{2};
    const Design plain = Made(request);
    request.rumble = RumbleFilter{15.0, 4};
    const Design rumble = Made(request);
    ASSERT_TRUE(rumble.rumble.has_value());
    EXPECT_EQ(rumble.rumble->order, 4);
    const DesignUnderTest withHighPass{rumble.cascade, 48000.0, rumble.target};
    const DesignUnderTest without{plain.cascade, 48000.0, plain.target};
    for (double f : {2.0, 5.0, 15.0, 20.0, 1000.0, 15000.0}) {
        EXPECT_NEAR(CompareAt(withHighPass, f).deviationDb, CompareAt(without, f).deviationDb, 1e-4)
            << f << " Hz";
    }
    EXPECT_NEAR(
        CompareAt(withHighPass, 15.0).prototypeGainDb - CompareAt(without, 15.0).prototypeGainDb,
        -3.0103, 1e-3);
    EXPECT_NEAR(std::abs(MaxDeviation(withHighPass, 20.0, 20000.0).deviationDb),
                std::abs(MaxDeviation(without, 20.0, 20000.0).deviationDb), 1e-6);
}

// A count or a tolerance is the curve's: with the gain at DC, the curve's sections stay
// exactly what they are without the filter, and the desktop program's one-biquad record
// gives way to a cascade.
TEST(RumbleFilter, FollowsTheCurvesOwnSectionsUnchanged) {
    DesignRequest request =
        RequestOf("columbia-lp", 44100.0, DesignMethod::Minimax, Direction::Playback);
    request.size = ToleranceDb{0.01};
    const Design plain = Made(request);
    request.rumble = RumbleFilter{20.0, 3};
    const Design rumble = Made(request);
    EXPECT_EQ(CurveSectionCount(rumble), static_cast<int>(plain.cascade.sections.size()));
    EXPECT_EQ(std::memcmp(rumble.cascade.sections.data(), plain.cascade.sections.data(),
                          plain.cascade.sections.size() * sizeof(BiquadSection)),
              0);
    EXPECT_NE(MethodAndSections(rumble).find("rumble filter at 20 Hz of order 3"),
              std::string::npos);

    DesignRequest riaa = RequestOf("riaa", 44100.0, DesignMethod::Matched, Direction::Recording);
    riaa.rumble = RumbleFilter{20.0, 2};
    const Design cascade = Made(riaa);
    EXPECT_FALSE(cascade.record.has_value());
    EXPECT_EQ(cascade.cascade.sections.size(), 2u);
}

TEST(RumbleFilter, AGainAt1kHzHoldsForTheWholeCascade) {
    DesignRequest request = RequestOf("riaa", 48000.0, DesignMethod::Matched, Direction::Playback);
    request.gainReference = GainReference::OneKilohertz;
    request.gain = 2.0;
    request.rumble = RumbleFilter{200.0, 1};  // 0.17 dB down at 1 kHz on its own
    const Design design = Made(request);
    EXPECT_NEAR(std::abs(CascadeResponse(design.cascade, 48000.0, 1000.0)), 2.0, 1e-12);
}

TEST(RumbleFilter, RefusesACornerOrOrderItCannotMakeWithALine) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const RumbleFilter refused[] = {{0.0, 2}, {-20.0, 2},  {nan, 2},  {inf, 2},
                                    {0.5, 2}, {2205.5, 2}, {20.0, 0}, {20.0, 5}};
    for (const RumbleFilter& rumble : refused) {
        DesignRequest request =
            RequestOf("riaa", 44100.0, DesignMethod::Matched, Direction::Playback);
        request.rumble = rumble;
        Result<Design> design = Result<Design>::Failure("not run");
        EXPECT_NO_THROW(design = MakeDesign(request));
        ASSERT_FALSE(design.ok()) << rumble.cornerHz << " Hz, order " << rumble.order;
        EXPECT_EQ(design.error().rfind("--rumble", 0), 0u) << design.error();
        EXPECT_EQ(design.error().find('\n'), std::string::npos);
    }
    DesignRequest highest = RequestOf("riaa", 44100.0, DesignMethod::Matched, Direction::Playback);
    highest.rumble = RumbleFilter{2205.0, 4};
    EXPECT_TRUE(MakeDesign(highest).ok());
}

}  // namespace
