// Prints, for each common sampling rate and one to four sections, how close the minimax
// cascade comes to the RIAA curve (and the recording curve), its largest phase
// deviation, whether it keeps its out-of-band promises, and how long one design takes
// (CPU time of this thread, which other load on a shared machine does not inflate):
//   cascade_table [--repeat N]
// Exits 1 when a goal is missed: a deviation goal of two sections, 50 ms of CPU time a
// design, a root on or outside the unit circle, a rise above the band edge's gain, an
// excess below the band, or a design that differs between runs.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "base/decibels.h"
#include "cpu_time.h"
#include "curves/riaa_curve.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/cascade_minimax_design.h"
#include "designs/detail/minimax_design.h"
#include "designs/detail/section_pairing.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"
#include "response/root_radius.h"

namespace {

struct Rate {
    double hz;
    const char* label;
    double twoSectionGoalDb;  // 0: no goal, only reported
};

constexpr Rate kRates[] = {
    {32000.0, "32k", 0.0},       {44100.0, "44.1k", 0.001},   {48000.0, "48k", 0.0002},
    {88200.0, "88.2k", 0.0},     {96000.0, "96k", 0.00002},   {176400.0, "176.4k", 0.00002},
    {192000.0, "192k", 0.00002}, {384000.0, "384k", 0.00002},
};

constexpr double kTimeGoalMs = 50.0;
// How far the gain above the band may stand over the band edge's before it counts as
// a lift: far below anything audible, above the rounding of the check itself.
constexpr double kLiftToleranceDb = 1e-6;
constexpr int kAboveBandPoints = 4000;
constexpr double kBelowBandFrequencies[] = {0.0, 0.01, 0.1,  0.5,  1.0,  2.0,  3.0,
                                            5.0, 7.0,  10.0, 12.0, 15.0, 18.0, 19.99};

double GainDbAt(const Cascade& cascade, double fs, double f) {
    return GainDb(CascadeResponse(cascade, fs, f));
}

bool RootsInside(const Cascade& cascade) {
    for (const BiquadSection& s : cascade.sections) {
        if (!(LargestRootRadius(1.0, s.a1, s.a2) < 1.0) ||
            !(LargestRootRadius(s.b0, s.b1, s.b2) < 1.0)) {
            return false;
        }
    }
    return true;
}

bool SameBits(const Cascade& a, const Cascade& b) {
    return a.sections.size() == b.sections.size() &&
           std::memcmp(a.sections.data(), b.sections.data(),
                       a.sections.size() * sizeof(BiquadSection)) == 0;
}

// The largest rise of the gain between the band's top and fs/2 over its gain at the
// top, in dB (negative when it only falls).
double LiftAboveBandDb(const Cascade& cascade, double fs) {
    const double top = MinimaxBandTopHz(fs);
    const double edge = GainDbAt(cascade, fs, top);
    double lift = -INFINITY;
    for (int k = 1; k <= kAboveBandPoints; ++k) {
        const double f = top + (0.5 * fs - top) * k / kAboveBandPoints;
        lift = std::max(lift, GainDbAt(cascade, fs, f) - edge);
    }
    return lift;
}

// How far the gain below 20 Hz rises over the curve's gain at DC, both relative to
// 1 kHz, in dB.
double ExcessBelowBandDb(const Cascade& cascade, double fs, const AnalogueCurve& curve) {
    const double reference = GainDbAt(cascade, fs, kRiaaReferenceHz);
    const double limit = AnalogueGainDbRe1k(curve, 0.0);
    double excess = -INFINITY;
    for (double f : kBelowBandFrequencies) {
        excess = std::max(excess, GainDbAt(cascade, fs, f) - reference - limit);
    }
    return excess;
}

}  // namespace

int main(int argc, char** argv) {
    int repeat = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: cascade_table [--repeat N]\n");
            return 2;
        }
    }

    std::printf(
        "Minimax cascades for the RIAA curve (play) and its reciprocal (rec), "
        "20 Hz to min(20 kHz, 0.46 fs), 0 dB at 1 kHz\n");
    std::printf(
        "lift: largest rise above the band edge's gain up to fs/2; below: largest "
        "excess over the curve's DC gain under 20 Hz (playback designs)\n");
    std::printf("%-7s %-4s %2s %11s %8s %10s %8s %9s %10s %10s %-9s %8s %8s\n", "rate", "curve",
                "N", "max dB", "at Hz", "phase deg", "at Hz", "goal dB", "lift dB", "below dB",
                "result", "cpu ms", "cpu max");
    bool allMet = true;
    for (const Rate& rate : kRates) {
        const double fs = rate.hz;
        const double top = MinimaxBandTopHz(fs);
        for (bool inverse : {false, true}) {
            CascadeRequest request;
            request.samplingFrequency = fs;
            request.inverse = inverse;
            const AnalogueCurve curve = RiaaCurve({0.0, inverse ? 1 : 0});
            for (int sections = 1; sections <= kMaxCascadeSections; ++sections) {
                MinimaxCascade design;
                std::vector<double> cpuTimes;
                bool deterministic = true;
                for (int run = 0; run < repeat; ++run) {
                    const double begin = ThreadCpuMs();
                    MinimaxCascade next = DesignMinimaxRiaaCascade(0.0, request, sections);
                    cpuTimes.push_back(ThreadCpuMs() - begin);
                    deterministic =
                        deterministic && (run == 0 || SameBits(next.cascade, design.cascade));
                    design = std::move(next);
                }
                const DesignUnderTest underTest{design.cascade, fs, curve};
                const DeviationPeak peak = MaxDeviation(underTest, kMinimaxBandBottomHz, top);
                const PhaseDeviationPeak phase =
                    MaxPhaseDeviation(underTest, kMinimaxBandBottomHz, top);
                const double slowest = *std::max_element(cpuTimes.begin(), cpuTimes.end());
                const double goal = sections == 2 ? rate.twoSectionGoalDb : 0.0;
                const bool inside = RootsInside(design.cascade);
                // The promises outside the band are the playback design's; the recording
                // design is its reciprocal and mirrors them.
                const double lift = inverse ? NAN : LiftAboveBandDb(design.cascade, fs);
                const double below = inverse ? NAN : ExcessBelowBandDb(design.cascade, fs, curve);
                const bool boundsKept =
                    inverse || (lift <= kLiftToleranceDb && below <= kCascadeBelowBandMarginDb);
                const bool accurate = goal == 0.0 || std::abs(peak.deviationDb) <= goal;
                const bool fast = slowest <= kTimeGoalMs;
                const bool met = inside && boundsKept && accurate && fast && deterministic;
                allMet = allMet && met;

                const char* result = !inside          ? "ROOT OUT"
                                     : !boundsKept    ? "BOUND"
                                     : !deterministic ? "BITS"
                                     : !accurate      ? "MISSED"
                                     : !fast          ? "SLOW"
                                                      : "ok";
                char goalText[16] = "-";
                if (goal != 0.0) std::snprintf(goalText, sizeof goalText, "%.0e", goal);
                char liftText[16] = "-";
                char belowText[16] = "-";
                if (!inverse) {
                    std::snprintf(liftText, sizeof liftText, "%.2e", lift);
                    std::snprintf(belowText, sizeof belowText, "%.4f", below);
                }
                std::printf(
                    "%-7s %-4s %2d %11.3e %8.0f %10.3e %8.0f %9s %10s %10s %-9s %8.2f %8.2f\n",
                    rate.label, inverse ? "rec" : "play", sections, std::abs(peak.deviationDb),
                    peak.frequencyHz, std::abs(phase.deviationDegrees), phase.frequencyHz, goalText,
                    liftText, belowText, result, Median(cpuTimes), slowest);
            }
        }
    }
    std::printf("%s\n", allMet ? "all goals met" : "a goal was missed");
    return allMet ? 0 : 1;
}
