// Prints, for every named curve at 44.1, 48 and 96 kHz, how far the matched design and
// the minimax cascades of one to three sections are from the analogue curve over 20 Hz
// to min(20 kHz, 0.46·fs), how many sections the minimax needs for 0.001 dB, the gain
// that design has at 1 Hz (re 1 kHz, where a bass boost without a shelf ends up), and
// the CPU time of that design, and the sections the recording curve (inverse) needs:
// Then it scans every curve at those rates in both directions with every number of
// sections from the least the curve takes to four, and prints what a design of each
// order owes its user and whether it keeps it: finite coefficients, poles (and zeros,
// but one at DC) inside the unit circle, no order worse than the one below it, no lift
// above the band and no excess below it (for the recording curve, mirrored):
//   curve_table
// Exits 1 when a curve needs more than three sections for 0.001 dB, or a design of the
// scan breaks a promise.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "base/decibels.h"
#include "curves/analogue_curve.h"
#include "curves/curve_list.h"
#include "curves/named_curves.h"
#include "curves/riaa_curve.h"
#include "designs/detail/cascade_minimax_design.h"
#include "designs/detail/curve_minimax_design.h"
#include "designs/detail/matched_curve_design.h"
#include "designs/detail/section_pairing.h"
#include "response/frequency_response.h"
#include "response/root_radius.h"

namespace {

constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
constexpr double kGoalDb = 0.001;
constexpr int kMostSections = 3;
// The rounding of a response in double precision: a design padded with a section that
// passes the signal unchanged measures the same as the one it pads to within this.
constexpr double kRoundingDb = 4e-11;
// A rise above the band edge this small is the rounding of the check itself.
constexpr double kLiftToleranceDb = 1e-6;
constexpr int kAboveBandPoints = 2000;

double GainDbRe1k(const Cascade& cascade, double fs, double f) {
    return GainDb(CascadeResponse(cascade, fs, f)) -
           GainDb(CascadeResponse(cascade, fs, kRiaaReferenceHz));
}

// On the grid of the minimax design's own measurement: 1000 points a decade.
double WorstDeviationDb(const Cascade& cascade, double fs, const AnalogueCurve& curve) {
    const double low = kMinimaxBandBottomHz;
    const double high = MinimaxBandTopHz(fs);
    const int steps = static_cast<int>(std::ceil(std::log10(high / low) * 1000.0));
    double worst = 0.0;
    for (int i = 0; i <= steps; ++i) {
        const double f = low * std::pow(high / low, static_cast<double>(i) / steps);
        worst =
            std::max(worst, std::abs(GainDbRe1k(cascade, fs, f) - AnalogueGainDbRe1k(curve, f)));
    }
    return worst;
}

double CpuMilliseconds(std::clock_t start) {
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

std::string Column(double deviationDb) {
    char text[32];
    std::snprintf(text, sizeof text, "%10.6f", deviationDb);
    return text;
}

// The first promise the design breaks, or nullptr. `previousDb` is the deviation of the
// order below (infinite for the least order); `belowLimitDb` the fitted curve's largest
// gain below 20 Hz, re 1 kHz.
const char* BrokenPromise(const MinimaxCascade& design, const AnalogueCurve& target, double fs,
                          bool inverse, double previousDb, double belowLimitDb) {
    const Cascade& cascade = design.cascade;
    const bool zeroAtDc = NetZerosAtDc(target) > 0;
    for (const BiquadSection& s : cascade.sections) {
        for (double c : {s.b0, s.b1, s.b2, s.a1, s.a2}) {
            if (!std::isfinite(c)) return "NOT FINITE";
        }
        if (!(LargestRootRadius(1.0, s.a1, s.a2) < 1.0) ||
            !(LargestRootRadius(s.b0, s.b1, s.b2) < (zeroAtDc ? 1.0 + 1e-12 : 1.0))) {
            return "ROOT OUT";
        }
    }
    if (!(design.maxDeviationDb <= previousDb + kRoundingDb)) return "WORSE THAN N-1";
    if (std::abs(design.maxDeviationDb - WorstDeviationDb(cascade, fs, target)) >
        1e-6 + 0.01 * design.maxDeviationDb) {
        return "FIGURE";
    }
    const double sign = inverse ? -1.0 : 1.0;  // the playback design's gain
    const double top = MinimaxBandTopHz(fs);
    const double edge = sign * GainDbRe1k(cascade, fs, top);
    for (int k = 1; k <= kAboveBandPoints; ++k) {
        const double f = top + (0.5 * fs - top) * k / kAboveBandPoints;
        if (sign * GainDbRe1k(cascade, fs, f) > edge + kLiftToleranceDb) return "LIFT";
    }
    for (double f : {0.0, 0.01, 0.1, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 19.99}) {
        if (f == 0.0 && NetZerosAtDc(target) != 0) continue;
        if (sign * GainDbRe1k(cascade, fs, f) >
            belowLimitDb + kCascadeBelowBandMarginDb + kLiftToleranceDb) {
            return "BELOW";
        }
    }
    return nullptr;
}

// The scan of every curve, rate, direction and order; false when a promise is broken.
bool ScanEveryOrder() {
    std::printf("\n%-20s %7s %-4s %11s %11s %11s %11s  %s\n", "curve", "rate", "dir", "1 section",
                "2", "3", "4", "result");
    bool allKept = true;
    for (const NamedCurve& row : NamedCurves()) {
        const AnalogueCurve curve = CurveOf(row);
        for (double fs : kRates) {
            for (bool inverse : {false, true}) {
                CascadeRequest request;
                request.samplingFrequency = fs;
                request.inverse = inverse;
                const AnalogueCurve fitted = WithStandInsForPolesAtDc(curve, inverse);
                const AnalogueCurve target = inverse ? ReciprocalCurve(curve) : curve;
                double belowLimitDb = AnalogueGainDbRe1k(fitted, kMinimaxBandBottomHz);
                for (double f = 0.01; f < kMinimaxBandBottomHz; f *= 1.02) {
                    belowLimitDb = std::max(belowLimitDb, AnalogueGainDbRe1k(fitted, f));
                }
                if (NetZerosAtDc(fitted) == 0) {
                    belowLimitDb = std::max(belowLimitDb, AnalogueGainDbRe1k(fitted, 0.0));
                }
                std::string columns;
                const char* broken = nullptr;
                double previousDb = INFINITY;
                const int least = MinimumCascadeSections(fitted);
                for (int sections = 1; sections <= kMaxCascadeSections; ++sections) {
                    if (sections < least) {
                        columns += std::string(11, ' ') + "-";
                        continue;
                    }
                    const MinimaxCascade design =
                        DesignMinimaxCurveCascade(curve, request, sections);
                    char text[32];
                    std::snprintf(text, sizeof text, " %11.3e", design.maxDeviationDb);
                    columns += text;
                    if (broken == nullptr) {
                        broken =
                            BrokenPromise(design, target, fs, inverse, previousDb, belowLimitDb);
                    }
                    previousDb = design.maxDeviationDb;
                }
                allKept = allKept && broken == nullptr;
                std::printf("%-20s %7.0f %-4s%s  %s\n", std::string(row.name).c_str(), fs,
                            inverse ? "rec" : "play", columns.c_str(),
                            broken == nullptr ? "ok" : broken);
            }
        }
    }
    std::printf("%s\n", allKept ? "every design of every order keeps its promises"
                                : "a design broke a promise");
    return allKept;
}

}  // namespace

int main() {
    bool goalsMet = true;
    std::printf("%-20s %7s %10s %10s %10s %10s %5s %9s %8s %8s\n", "curve", "rate", "matched",
                "1 section", "2", "3", "need", "1 Hz dB", "CPU ms", "inverse");
    for (const NamedCurve& row : NamedCurves()) {
        const AnalogueCurve curve = CurveOf(row);
        for (double fs : kRates) {
            CascadeRequest request;
            request.samplingFrequency = fs;
            const Cascade matched =
                DesignMatchedCascade(curve, fs, 1.0, GainReference::Dc, false).cascade;
            std::string columns;
            const int fewest = MinimumCascadeSections(WithStandInsForPolesAtDc(curve, false));
            for (int sections = 1; sections <= kMostSections; ++sections) {
                columns +=
                    " " +
                    (sections < fewest
                         ? std::string(10 - 1, ' ') + "-"
                         : Column(
                               DesignMinimaxCurveCascade(curve, request, sections).maxDeviationDb));
            }
            const std::clock_t start = std::clock();
            std::string need = "> 4";
            double lowGainDb = 0.0;
            double milliseconds = 0.0;
            try {
                const MinimaxCascade design =
                    DesignMinimaxCurveCascadeWithin(curve, request, kGoalDb);
                milliseconds = CpuMilliseconds(start);
                need = std::to_string(design.cascade.sections.size());
                lowGainDb = GainDbRe1k(design.cascade, fs, 1.0);
                goalsMet = goalsMet && design.cascade.sections.size() <= kMostSections;
            } catch (const UnreachableTolerance&) {
                goalsMet = false;
            }
            // The recording curve: the playback design's reciprocal, stand-ins included.
            request.inverse = true;
            std::string inverseNeed = "> 4";
            try {
                inverseNeed =
                    std::to_string(DesignMinimaxCurveCascadeWithin(curve, request, kGoalDb)
                                       .cascade.sections.size());
            } catch (const UnreachableTolerance&) {
            }
            std::printf("%-20s %7.0f %10.4f%s %5s %9.1f %8.1f %8s\n", std::string(row.name).c_str(),
                        fs, WorstDeviationDb(matched, fs, curve), columns.c_str(), need.c_str(),
                        lowGainDb, milliseconds, inverseNeed.c_str());
        }
    }
    // The list text and a matched design of every curve, as --list-curves and a matched
    // run would compute them (the process around them not included).
    const std::clock_t start = std::clock();
    std::size_t size = CurveListText().size();
    for (const NamedCurve& row : NamedCurves()) {
        size += DesignMatchedCascade(CurveOf(row), 44100.0, 1.0, GainReference::Dc, false)
                    .cascade.sections.size();
    }
    std::printf("\nlist text and %zu matched designs: %.3f ms of CPU (%zu)\n", NamedCurves().size(),
                CpuMilliseconds(start), size);
    std::printf("%s\n", goalsMet ? "every curve within 0.001 dB in at most three sections"
                                 : "a curve needs more than three sections for 0.001 dB");
    const bool promisesKept = ScanEveryOrder();
    return goalsMet && promisesKept ? 0 : 1;
}
