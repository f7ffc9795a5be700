// Designs of the named and custom curves: a user who picks a curve expects the filter to
// follow it, to be the desktop program's own design where that is RIAA, and to come with
// the gain asked for, also where the curve has no finite gain at DC.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <stdexcept>
#include <string_view>

#include "analogue_curve.h"
#include "cascade.h"
#include "decibels.h"
#include "frequency_response.h"
#include "matched_curve_design.h"
#include "named_curves.h"
#include "riaa_design.h"

namespace {

AnalogueCurve Named(std::string_view name) { return CurveOf(*FindNamedCurve(name)); }

// The design's dB error against the curve, both 0 dB at 1 kHz.
double DeviationDb(const Cascade& cascade, double fs, const AnalogueCurve& curve, double f) {
    return GainDb(CascadeResponse(cascade, fs, f)) - GainDb(CascadeResponse(cascade, fs, 1000.0)) -
           AnalogueGainDbRe1k(curve, f);
}

double WorstDeviationDb(const Cascade& cascade, double fs, const AnalogueCurve& curve, double lowHz,
                        double highHz) {
    double worst = 0.0;
    for (double f = lowHz; f <= highHz; f *= 1.01) {
        worst = std::max(worst, std::abs(DeviationDb(cascade, fs, curve, f)));
    }
    return worst;
}

void ExpectSameBits(const Cascade& actual, const Cascade& expected) {
    ASSERT_EQ(actual.sections.size(), expected.sections.size());
    for (std::size_t i = 0; i < actual.sections.size(); ++i) {
        const BiquadSection& a = actual.sections[i];
        const BiquadSection& e = expected.sections[i];
        EXPECT_EQ(a.b0, e.b0);
        EXPECT_EQ(a.b1, e.b1);
        EXPECT_EQ(a.b2, e.b2);
        EXPECT_EQ(a.a1, e.a1);
        EXPECT_EQ(a.a2, e.a2);
    }
}

TEST(MatchedCurveDesign, IsTheDesktopProgramsRiaaDesignBitForBit) {
    for (double fs : {8000.0, 44100.0, 48000.0, 96000.0, 192000.0, 768000.0}) {
        for (double gain : {1.0, 2.0, -0.5}) {
            for (bool inverse : {false, true}) {
                SCOPED_TRACE(testing::Message() << fs << " " << gain << " " << inverse);
                const auto expected = [&](double extraZero) {
                    return CascadeFromCoefficients(
                        ComputeRiaaCoefficients(fs, gain, extraZero, inverse ? 1 : 0));
                };
                const auto design = [&](const AnalogueCurve& curve) {
                    return DesignMatchedCascade(curve, fs, gain, GainReference::Dc, inverse);
                };
                ExpectSameBits(design(Named("riaa")).cascade, expected(0.0));
                ExpectSameBits(design(Named("riaa-3.18us")).cascade, expected(1.0));
                // The extra zero at a chosen frequency, as the design derives its τ.
                AnalogueCurve atTenKilohertz = Named("riaa");
                atTenKilohertz.zeroTaus.push_back(1.0 / ((M_PI + M_PI) * 10000.0));
                ExpectSameBits(design(atTenKilohertz).cascade, expected(10000.0));
            }
        }
    }
}

TEST(MatchedCurveDesign, FollowsEachCurveWhereTheMatchedTransformIsAccurate) {
    // The matched z-transform is exact at DC and drifts towards Nyquist; at 96 kHz it stays
    // within a few hundredths of a dB up to 2 kHz for every kind of curve.
    const double fs = 96000.0;
    for (std::string_view name : {"riaa-iec", "columbia-lp", "aes-1951", "emi-78-636us",
                                  "cd-emphasis", "tape-nab", "tape-iec-35us"}) {
        SCOPED_TRACE(std::string(name));
        const AnalogueCurve curve = Named(name);
        const MatchedCascade design =
            DesignMatchedCascade(curve, fs, 1.0, GainReference::Dc, false);
        EXPECT_LT(WorstDeviationDb(design.cascade, fs, curve, 20.0, 2000.0), 0.03);
        // The inverse is the recording curve, its error the playback error negated.
        const MatchedCascade recording =
            DesignMatchedCascade(curve, fs, 1.0, GainReference::OneKilohertz, true);
        for (double f : {30.0, 700.0, 1900.0}) {
            EXPECT_NEAR(DeviationDb(recording.cascade, fs, ReciprocalCurve(curve), f),
                        -DeviationDb(design.cascade, fs, curve, f), 1e-9);
        }
    }
}

TEST(MatchedCurveDesign, CurvesWithoutAFiniteGainAtDcAreScaledAt1k) {
    const double fs = 44100.0;
    // The IEC high-pass: a zero at z = 1, two sections for three poles.
    const MatchedCascade iec =
        DesignMatchedCascade(Named("riaa-iec"), fs, 2.0, GainReference::Dc, false);
    EXPECT_EQ(iec.gainReference, GainReference::OneKilohertz);
    EXPECT_EQ(iec.cascade.sections.size(), 2u);
    EXPECT_EQ(std::abs(CascadeResponse(iec.cascade, fs, 0.0)), 0.0);
    EXPECT_NEAR(std::abs(CascadeResponse(iec.cascade, fs, 1000.0)), 2.0, 1e-12);
    // A bass boost down to DC: a pole at z = 1; the gain keeps its sign.
    const MatchedCascade aes =
        DesignMatchedCascade(Named("aes-1951"), fs, -1.0, GainReference::Dc, false);
    EXPECT_EQ(aes.gainReference, GainReference::OneKilohertz);
    const MatchedCascade positive =
        DesignMatchedCascade(Named("aes-1951"), fs, 1.0, GainReference::Dc, false);
    for (double f : {20.0, 1000.0, 15000.0}) {
        EXPECT_NEAR(std::abs(CascadeResponse(aes.cascade, fs, f) +
                             CascadeResponse(positive.cascade, fs, f)),
                    0.0, 1e-12);
    }
    EXPECT_NEAR(std::abs(CascadeResponse(aes.cascade, fs, 1000.0)), 1.0, 1e-12);
    const BiquadSection& s = aes.cascade.sections.front();
    EXPECT_EQ(s.a1, -(1.0 + s.a2));  // (1 - z⁻¹)(1 - r·z⁻¹): the pole at z = 1
    // A curve with neither poles nor zeros is the gain alone.
    const MatchedCascade flat = DesignMatchedCascade({}, fs, 3.0, GainReference::Dc, false);
    EXPECT_NEAR(CascadeResponse(flat.cascade, fs, 5000.0).real(), 3.0, 1e-15);
    // What cannot be designed is refused, not turned into NaN.
    EXPECT_THROW(DesignMatchedCascade(Named("riaa"), 0.0, 1.0, GainReference::Dc, false),
                 std::invalid_argument);
    EXPECT_THROW(DesignMatchedCascade(Named("riaa"), NAN, 1.0, GainReference::Dc, false),
                 std::invalid_argument);
    EXPECT_THROW(DesignMatchedCascade(Named("riaa"), fs, INFINITY, GainReference::Dc, false),
                 std::invalid_argument);
    EXPECT_THROW(
        DesignMatchedCascade(Named("riaa"), 2000.0, 1.0, GainReference::OneKilohertz, false),
        std::invalid_argument);
}

}  // namespace
