#include "analysis_command.h"

#include <optional>
#include <ostream>
#include <string>

#include "design_method.h"
#include "exit_status.h"
#include "frequency_response.h"
#include "output_forms.h"
#include "riaa_curve.h"
#include "run_checks.h"
#include "safe_writer.h"
#include "svg_plot.h"

namespace {

// |H(1 kHz)| = |gain| instead of H(1) = gain.
Design NormalizedAt1k(Design design) {
    design.coefficients = ScaleGainAt(design.coefficients, design.values.samplingFrequency,
                                      kRiaaReferenceHz, design.values.gain);
    return design;
}

int Refuse(std::ostream& err, const std::string& problem) {
    err << "vorlexi-calc: " << problem << '\n';
    return kExitBadInput;
}

}  // namespace

int RunCalc(const CalcOptions& calc, const AnalysisOptions& analysis, std::ostream& out,
            std::ostream& err) {
    if (const auto problem = ConflictMessage(calc, analysis)) {
        return Refuse(err, *problem);
    }
    if (const auto problem = UnreadableEntryMessage(calc)) {
        return Refuse(err, *problem);
    }
    const FilterEntries entries = EntriesFromOptions(calc);
    const DesignAttempt attempt = MakeDesign(analysis.method, ReadCalculationValues(entries));
    if (attempt.problem) {
        return Refuse(err, *attempt.problem);
    }
    if (const auto problem = UnusableDesignMessage(analysis, attempt.design)) {
        return Refuse(err, *problem);
    }

    const Design design = analysis.normalize == GainReference::OneKilohertz
                              ? NormalizedAt1k(attempt.design)
                              : attempt.design;

    if (!analysis.plotPath.empty()) {
        const auto failure = safe_write::WriteFileSafely(
            analysis.plotPath, RenderResponseSvg(UnderTest(design), PlotTitle(design, analysis)));
        if (failure) {
            err << "vorlexi-calc: " << *failure << '\n';
            return kExitOutputFailed;
        }
    }

    out << StandardOutput(calc, analysis, entries, design);
    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "vorlexi-calc: cannot write the output\n";
        return kExitOutputFailed;
    }
    return kExitSuccess;
}
