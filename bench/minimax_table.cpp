// Prints, for each common sampling rate, how close the minimax biquad comes to the
// RIAA curve, whether that meets the goals, where its roots are and how long one
// design takes (wall-clock median, and CPU time, which other load does not inflate):
//   minimax_table [--extra-zero] [--repeat N]
// Exits 1 when a goal is missed (deviation, or 5 ms of CPU time a design) or a root
// leaves the unit circle.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "cpu_time.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/minimax_design.h"
#include "designs/detail/riaa_design.h"
#include "designs/riaa_record.h"
#include "response/response_comparison.h"

namespace {

struct Rate {
    double hz;
    const char* label;
    double goalDb;  // 0: no goal, only reported
};

// Every design, at any rate, within this much CPU time.
constexpr double kTimeGoalMs = 5.0;

// Goals: within 5 % of the best any single biquad can do, measured independently.
constexpr Rate kRates[] = {
    {8000.0, "8k", 0.0},       {32000.0, "32k", 0.0},    {44100.0, "44.1k", 0.25},
    {48000.0, "48k", 0.16},    {88200.0, "88.2k", 0.01}, {96000.0, "96k", 0.01},
    {176400.0, "176.4k", 0.0}, {192000.0, "192k", 0.0},  {384000.0, "384k", 0.0},
    {768000.0, "768k", 0.0},
};

// Roots of c0 + c1·z⁻¹ + c2·z⁻², i.e. of c0·z² + c1·z + c2.
void Roots(const double (&c)[3], std::complex<double>& r1, std::complex<double>& r2) {
    const double p = c[1] / c[0];
    const double q = c[2] / c[0];
    const std::complex<double> root = std::sqrt(std::complex<double>(p * p - 4.0 * q));
    r1 = (-p + root) / 2.0;
    r2 = (-p - root) / 2.0;
}

// The roots' distances from the origin; "pair" marks a complex-conjugate pair.
std::string Radii(const double (&c)[3]) {
    std::complex<double> r1;
    std::complex<double> r2;
    Roots(c, r1, r2);
    char text[48];
    if (r1.imag() != 0.0) {
        std::snprintf(text, sizeof text, "%.6f pair", std::abs(r1));
    } else {
        std::snprintf(text, sizeof text, "%.6f %.6f", std::abs(r1), std::abs(r2));
    }
    return text;
}

double LargestRadius(const double (&c)[3]) {
    std::complex<double> r1;
    std::complex<double> r2;
    Roots(c, r1, r2);
    return std::max(std::abs(r1), std::abs(r2));
}

}  // namespace

int main(int argc, char** argv) {
    double extraZero = 0.0;
    int repeat = 20;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--extra-zero") == 0) {
            extraZero = 1.0;
        } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: minimax_table [--extra-zero] [--repeat N]\n");
            return 2;
        }
    }

    std::printf("Minimax single-biquad RIAA (%s), 20 Hz to min(20 kHz, 0.46 fs), 0 dB at 1 kHz\n",
                extraZero != 0.0 ? "with the 3.18 us zero" : "plain");
    std::printf("%-7s %9s %8s %6s %-8s %10s  %-19s %-19s %9s %8s %8s\n", "rate", "max dB", "at Hz",
                "goal", "result", "matched dB", "zero radii", "pole radii", "ms median", "cpu ms",
                "cpu max");
    bool allMet = true;
    for (const Rate& rate : kRates) {
        RiaaCoefficients design{};
        std::vector<double> wallTimes;
        std::vector<double> cpuTimes;
        for (int run = 0; run < repeat; ++run) {
            const double cpuBegin = ThreadCpuMs();
            const auto begin = std::chrono::steady_clock::now();
            design = ComputeMinimaxRiaaCoefficients(rate.hz, 1.0, extraZero, 0);
            const auto end = std::chrono::steady_clock::now();
            cpuTimes.push_back(ThreadCpuMs() - cpuBegin);
            wallTimes.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
        }
        const double slowestCpuMs = *std::max_element(cpuTimes.begin(), cpuTimes.end());
        const double top = MinimaxBandTopHz(rate.hz);
        const AnalogueCurve curve = RiaaCurve({extraZero, 0});
        const DeviationPeak peak = MaxDeviation({CascadeFromCoefficients(design), rate.hz, curve},
                                                kMinimaxBandBottomHz, top);
        const DeviationPeak matched = MaxDeviation(
            {CascadeFromCoefficients(ComputeRiaaCoefficients(rate.hz, 1.0, extraZero, 0)), rate.hz,
             curve},
            kMinimaxBandBottomHz, top);
        const bool inside = LargestRadius(design.num) < 1.0 && LargestRadius(design.den) < 1.0;
        const bool goalMet = (rate.goalDb == 0.0 || std::abs(peak.deviationDb) <= rate.goalDb) &&
                             slowestCpuMs <= kTimeGoalMs;
        allMet = allMet && inside && goalMet;
        char goal[16] = "-";
        if (rate.goalDb != 0.0) {
            std::snprintf(goal, sizeof goal, "%.3f", rate.goalDb);
        }
        std::printf("%-7s %9.5f %8.0f %6s %-8s %10.4f  %-19s %-19s %9.3f %8.3f %8.3f\n", rate.label,
                    std::abs(peak.deviationDb), peak.frequencyHz, goal,
                    !inside ? "ROOT OUT" : (goalMet ? "ok" : "MISSED"),
                    std::abs(matched.deviationDb), Radii(design.num).c_str(),
                    Radii(design.den).c_str(), Median(wallTimes), Median(cpuTimes), slowestCpuMs);
    }
    return allMet ? 0 : 1;
}
