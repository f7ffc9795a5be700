// Prints, for every named curve at 44.1, 48 and 96 kHz, how far the matched design and
// the minimax cascades of one to three sections are from the analogue curve over 20 Hz
// to min(20 kHz, 0.46·fs), how many sections the minimax needs for 0.001 dB, the gain
// that design has at 1 Hz (re 1 kHz, where a bass boost without a shelf ends up), and
// the CPU time of that design, and the sections the recording curve (inverse) needs:
//   curve_table
// Exits 1 when a curve needs more than three sections for 0.001 dB.
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "analogue_curve.h"
#include "curve_list.h"
#include "curve_minimax_design.h"
#include "decibels.h"
#include "frequency_response.h"
#include "matched_curve_design.h"
#include "named_curves.h"
#include "riaa_curve.h"

namespace {

constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
constexpr double kGoalDb = 0.001;
constexpr int kMostSections = 3;

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
    return goalsMet ? 0 : 1;
}
