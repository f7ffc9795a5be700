// Equalises a file as `vorlexi-calc apply --method=minimax` does, through the same
// library call, but with the minimax biquad followed by near-neutral sections, so that
// bench/apply_vs_sox.sh can time cascades longer than the tool designs today.
//   apply_cascade IN OUT SECTIONS

#include <cstdlib>
#include <iostream>
#include <string>

#include "designs/detail/minimax_design.h"
#include "designs/riaa_record.h"
#include "file_equaliser.h"
#include "response/cascade.h"

namespace {

// Zeros at radius 0.5 and poles at 0.5001, at a quarter of the sampling rate: within
// 0.001 dB of flat, but every multiply of a full section.
BiquadSection NearNeutralSection() {
    const double zero = 0.5;
    const double pole = 0.5001;
    return {1.0, 0.0, zero * zero, 0.0, pole * pole};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: apply_cascade IN OUT SECTIONS\n";
        return 2;
    }
    const int sections = std::atoi(argv[3]);
    if (sections < 1) {
        std::cerr << "apply_cascade: SECTIONS must be at least 1\n";
        return 2;
    }
    const DesignForRate design = [sections](double rate) {
        AppliedDesign applied;
        applied.cascade =
            CascadeFromCoefficients(ComputeMinimaxRiaaCoefficients(rate, 1.0, 0.0, 0));
        for (int i = 1; i < sections; ++i) {
            applied.cascade.sections.push_back(NearNeutralSection());
        }
        applied.description = "RIAA playback, minimax biquad and near-neutral sections (bench)";
        return applied;
    };
    const EqualiseResult result = EqualiseFile(argv[1], argv[2], design, EqualiseSettings{}, {});
    if (result.outcome != EqualiseOutcome::Done) {
        std::cerr << "apply_cascade: " << result.message << '\n';
        return 1;
    }
    return 0;
}
