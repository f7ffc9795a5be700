// Prints what the rumble filter (--rumble 20) does to the RIAA designs at 44.1, 48 and
// 96 kHz, matched and minimax, playback and recording, orders 1 to 4: the gain relative
// to the plain design at 20 Hz and 5 Hz, the largest change from 200 Hz up to 0.49 fs,
// the phase lead it adds at 50 and 100 Hz, and the largest deviation of the design from
// its target (the curve times the analogue high-pass) beside the plain design's from
// its curve, over 20 Hz to min(20 kHz, 0.49 fs):
//   rumble_table
// Exits 1 when a goal is missed: 20 Hz not 3.01 dB down, 5 Hz not within 0.05 dB of the
// analogue Butterworth's 10·log10(1 + 4^2n) dB down, from order 2 on a change of more
// than 0.01 dB from 200 Hz up, or a deviation from the target more than 0.001 dB above
// the plain design's from its curve.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "base/decibels.h"
#include "designs/make_design.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"

namespace {

constexpr double kCornerHz = 20.0;
constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
constexpr double kCornerGoalDb = -3.0103;  // 10·log10(1/2)
constexpr double kCornerToleranceDb = 0.005;
constexpr double kStopToleranceDb = 0.05;
constexpr double kPassbandGoalDb = 0.01;
constexpr double kDeviationMarginDb = 0.001;

// The analogue Butterworth's gain a quarter of the corner: 1 / sqrt(1 + 4^2n).
double AnalogueStopDb(int order) { return -10.0 * std::log10(1.0 + std::pow(4.0, 2.0 * order)); }

std::complex<double> Ratio(const Design& rumble, const Design& plain, double f) {
    const double fs = rumble.samplingFrequency;
    return CascadeResponse(rumble.cascade, fs, f) / CascadeResponse(plain.cascade, fs, f);
}

double LargestChangeDb(const Design& rumble, const Design& plain, double fromHz) {
    double largest = 0.0;
    for (double f : LogGrid(fromHz, 0.49 * rumble.samplingFrequency, 2000)) {
        largest = std::max(largest, std::abs(GainDb(Ratio(rumble, plain, f))));
    }
    return largest;
}

double PhaseLeadDegrees(const Design& rumble, const Design& plain, double f) {
    return std::arg(Ratio(rumble, plain, f)) * 180.0 / std::numbers::pi;
}

double LargestDeviationDb(const Design& design) {
    const double fs = design.samplingFrequency;
    return std::abs(
        MaxDeviation({design.cascade, fs, design.target}, 20.0, AudioBandTopHz(fs)).deviationDb);
}

Design Made(DesignRequest request) {
    const Result<Design> design = MakeDesign(request);
    if (!design) {
        std::fprintf(stderr, "rumble_table: %s\n", design.error().c_str());
        std::exit(1);
    }
    return *design;
}

}  // namespace

int main() {
    std::printf(
        "The RIAA designs with --rumble %g against the plain designs (gains in dB, "
        "phase lead in degrees)\n",
        kCornerHz);
    std::printf("%-6s %-7s %-4s %5s %9s %9s %11s %8s %8s %11s %11s %s\n", "rate", "method", "dir",
                "order", "at 20 Hz", "at 5 Hz", ">=200 Hz", "50 Hz", "100 Hz", "dev target",
                "dev plain", "result");
    bool allMet = true;
    for (double fs : kRates) {
        for (DesignMethod method : {DesignMethod::Matched, DesignMethod::Minimax}) {
            for (Direction direction : {Direction::Playback, Direction::Recording}) {
                DesignRequest request;
                request.samplingFrequency = fs;
                request.method = method;
                request.direction = direction;
                const Design plain = Made(request);
                const double plainDeviation = LargestDeviationDb(plain);
                for (int order = 1; order <= 4; ++order) {
                    request.rumble = RumbleFilter{kCornerHz, order};
                    const Design rumble = Made(request);
                    const double atCorner = GainDb(Ratio(rumble, plain, kCornerHz));
                    const double atQuarter = GainDb(Ratio(rumble, plain, kCornerHz / 4.0));
                    const double passband = LargestChangeDb(rumble, plain, 200.0);
                    const double deviation = LargestDeviationDb(rumble);
                    const bool met =
                        std::abs(atCorner - kCornerGoalDb) <= kCornerToleranceDb &&
                        std::abs(atQuarter - AnalogueStopDb(order)) <= kStopToleranceDb &&
                        (order == 1 || passband <= kPassbandGoalDb) &&
                        deviation <= plainDeviation + kDeviationMarginDb;
                    allMet = allMet && met;
                    std::printf(
                        "%-6g %-7s %-4s %5d %9.3f %9.3f %11.2e %8.2f %8.2f %11.3e %11.3e %s\n", fs,
                        method == DesignMethod::Matched ? "matched" : "minimax",
                        direction == Direction::Playback ? "play" : "rec", order, atCorner,
                        atQuarter, passband, PhaseLeadDegrees(rumble, plain, 50.0),
                        PhaseLeadDegrees(rumble, plain, 100.0), deviation, plainDeviation,
                        met ? "ok" : "MISSED");
                }
            }
        }
    }
    std::printf("%s\n", allMet ? "all goals met" : "a goal was missed");
    return allMet ? 0 : 1;
}
