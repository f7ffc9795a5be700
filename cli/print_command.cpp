#include "print_command.h"

#include <optional>
#include <ostream>
#include <string>

#include "curves/curve_list.h"
#include "design_method.h"
#include "exit_status.h"
#include "output_forms.h"
#include "reports/design_text.h"
#include "run_checks.h"
#include "safe_writer.h"
#include "writers/svg_plot.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << "vorlexi-calc: " << problem << '\n';
    return kExitBadInput;
}

// A full disk or a closed pipe must not pass for success.
int Flushed(std::ostream& out, std::ostream& err) {
    out.flush();
    if (!out) {
        err << "vorlexi-calc: cannot write the output\n";
        return kExitOutputFailed;
    }
    return kExitSuccess;
}

}  // namespace

int RunCalc(const CalcOptions& calc, const AnalysisOptions& analysis, std::ostream& out,
            std::ostream& err) {
    if (analysis.listCurves) {
        out << CurveListText();
        return Flushed(out, err);
    }
    if (const auto problem = ConflictMessage(calc, analysis)) {
        return Refuse(err, *problem);
    }
    if (const auto problem = UnreadableEntryMessage(calc)) {
        return Refuse(err, *problem);
    }
    if (const auto problem = EntriesMessage(calc, analysis)) {
        return Refuse(err, *problem);
    }
    const Result<DesignChoice> choice =
        ReadDesignChoice(analysis.design, calc.zeroFreq.has_value());
    if (!choice) {
        return Refuse(err, choice.error());
    }
    const FilterEntries entries = EntriesFromOptions(calc);
    const Result<Design> made = MakeDesign(RequestOf(*choice, ReadCalculationValues(entries)));
    if (!made) {
        return Refuse(err, made.error());
    }
    if (const auto problem = UnusableDesignMessage(calc, analysis, *made)) {
        return Refuse(err, *problem);
    }
    const Design& design = *made;

    if (!analysis.plotPath.empty()) {
        const auto failure = safe_write::WriteFileSafely(
            analysis.plotPath, RenderResponseSvg(UnderTest(design), PlotTitle(design)));
        if (failure) {
            err << "vorlexi-calc: " << *failure << '\n';
            return kExitOutputFailed;
        }
    }

    out << StandardOutput(calc, analysis, entries, design);
    return Flushed(out, err);
}
