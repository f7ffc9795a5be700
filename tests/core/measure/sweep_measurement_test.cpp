// A sweep through a known filter, deconvolved: what a user measuring a preamp relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "curves/named_curves.h"
#include "designs/make_design.h"
#include "measure/measured_comparison.h"
#include "measure/sine_sweep.h"
#include "measure/sweep_deconvolution.h"
#include "reference_filter.h"
#include "response/frequency_response.h"

namespace {

constexpr double kRate = 48000.0;

SweepPlan PlanAt(double rate, double seconds = 4.0) {
    SweepPlan plan;
    plan.samplingRate = rate;
    plan.endHz = DefaultSweepTopHz(rate);
    plan.seconds = seconds;
    plan.amplitude = 0.5;
    return plan;
}

Cascade PlaybackDesign(double rate) {
    DesignRequest request;
    request.samplingFrequency = rate;
    request.method = DesignMethod::Minimax;
    request.size = ToleranceDb{0.0001};
    const Result<Design> design = MakeDesign(request);
    if (!design) {
        ADD_FAILURE() << design.error();
        return {};
    }
    return design->cascade;
}

TEST(SweepMeasurement, FindsThePlaybackCurveThatTheSweepWentThrough) {
    for (double rate : {44100.0, 96000.0}) {
        const std::vector<double> sweep = ExponentialSweep(PlanAt(rate));
        const MeasuredResponse measured =
            DeconvolveSweep(ReferenceFiltered(PlaybackDesign(rate), sweep), sweep, rate);
        const MeasurementSummary summary = SummarizeMeasurement(measured, CurveOf(NamedCurves().front()));
        EXPECT_LT(std::fabs(summary.peak.deviationDb), 0.005)
            << rate << " Hz: at " << summary.peak.frequencyHz << " Hz";
        EXPECT_NEAR(summary.table.front().gainDb, 19.27, 0.02) << "RIAA lifts 20 Hz by 19.3 dB";
    }
}
}  // namespace

namespace {

// A preamp that distorts: its harmonics must not pass for response. Even powers give no
// part at the fundamental, so the linear response is the filter's alone.
TEST(SweepMeasurement, KeepsHarmonicDistortionOutOfTheLinearResponse) {
    const std::vector<double> sweep = ExponentialSweep(PlanAt(kRate));
    std::vector<double> recording = ReferenceFiltered(PlaybackDesign(kRate), sweep);
    for (double& value : recording) {
        value += 0.05 * value * value + 0.05 * value * value * value * value;
    }
    const MeasurementSummary summary =
        SummarizeMeasurement(DeconvolveSweep(recording, sweep, kRate),
                             CurveOf(NamedCurves().front()));
    EXPECT_LT(std::fabs(summary.peak.deviationDb), 0.005) << "at " << summary.peak.frequencyHz;
}

// A sound card's loop comes back late; a recording started late lacks the sweep's start.
TEST(SweepMeasurement, ToleratesARecordingThatStartsEarlyOrLate) {
    const std::vector<double> sweep = ExponentialSweep(PlanAt(kRate));
    const std::vector<double> played = ReferenceFiltered(PlaybackDesign(kRate), sweep);
    const std::size_t shift = static_cast<std::size_t>(0.05 * kRate);
    std::vector<double> late(shift, 0.0);
    late.insert(late.end(), played.begin(), played.end() - static_cast<std::ptrdiff_t>(shift));
    const MeasuredResponse measured = DeconvolveSweep(late, sweep, kRate);
    EXPECT_NEAR(measured.latencySeconds, 0.05, 1.0 / kRate);
    EXPECT_LT(std::fabs(SummarizeMeasurement(measured, CurveOf(NamedCurves().front()))
                            .peak.deviationDb),
              0.01);
}

// A sound card's noise, 60 dB under the recorded sweep at 1 kHz and 40 dB under it at
// 20 kHz, where the playback curve has taken the sweep down.
TEST(SweepMeasurement, ARecordingsNoiseMovesTheResponseByHundredthsOfADb) {
    const std::vector<double> sweep = ExponentialSweep(PlanAt(kRate));
    std::vector<double> recording = ReferenceFiltered(PlaybackDesign(kRate), sweep);
    std::mt19937 random(7u);
    std::normal_distribution<double> noise(0.0, 0.000035);
    for (double& value : recording) value += noise(random);
    const MeasurementSummary summary = SummarizeMeasurement(
        DeconvolveSweep(recording, sweep, kRate), CurveOf(NamedCurves().front()));
    EXPECT_LT(std::fabs(summary.peak.deviationDb), 0.03) << "at " << summary.peak.frequencyHz;
}

TEST(SweepMeasurement, AFlatSystemMeasuresFlatAgainstNoCurve) {
    const std::vector<double> sweep = ExponentialSweep(PlanAt(kRate));
    std::vector<double> halved = sweep;
    for (double& value : halved) value *= 0.5;
    const MeasurementSummary summary =
        SummarizeMeasurement(DeconvolveSweep(halved, sweep, kRate), AnalogueCurve{});
    EXPECT_LT(std::fabs(summary.peak.deviationDb), 0.001);
    EXPECT_DOUBLE_EQ(summary.bandHighHz, 20000.0);
    EXPECT_NEAR(SummarizeMeasurement(DeconvolveSweep(halved, sweep, 40000.0), AnalogueCurve{})
                    .bandHighHz,
                18000.0, 1e-9)
        << "0.45 fs below 44.4 kHz";
}

}  // namespace
