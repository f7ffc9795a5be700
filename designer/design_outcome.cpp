#include "design_outcome.h"

#include <cmath>
#include <stdexcept>

#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "reports/design_text.h"
#include "writers/export_formats.h"

namespace {

// The plot's grid: fine enough for a smooth line across a wide window, coarse enough
// to follow a change at once.
constexpr double kPlotLowHz = 10.0;
constexpr int kPlotPointsPerDecade = 60;

// Why the response of a design cannot be shown, or nothing (as vorlexi-calc refuses
// --response for the same designs).
std::optional<std::string> UnshowableResponse(const Design& design) {
    const double fs = design.samplingFrequency;
    if (!(fs > 2.0 * kRiaaReferenceHz)) {
        return "The response is measured against 1 kHz: choose a sampling frequency above "
               "2 kHz (got " +
               FormatShortest(fs) + " Hz)";
    }
    if (!HasFiniteCoefficients(design.cascade)) {
        return "The design at this sampling frequency has non-finite coefficients: choose "
               "another rate or method";
    }
    return std::nullopt;
}

// As vorlexi-calc --response writes the report.
std::string ReportWithResponse(const Design& design, const ResponseSummary& summary) {
    return ReportText(design) + (design.record ? "" : "\n") + FormatResponseTable(summary);
}

// The text for a program; the summary, when given, spares working out the response again.
Result<std::string> TextFor(const Design& design, ExportProgram program,
                            const ResponseSummary* summary) {
    if (program == ExportProgram::Report) {
        return ReportWithResponse(design,
                                  summary ? *summary : SummarizeResponse(UnderTest(design)));
    }
    if (!HasFiniteCoefficients(design.cascade)) {
        return Result<std::string>::Failure(
            "The design at this sampling frequency has non-finite coefficients");
    }
    try {
        return ExportedText(ExportPrograms()[static_cast<std::size_t>(program)].format, design);
    } catch (const std::invalid_argument& error) {
        return Result<std::string>::Failure(std::string("Not for this program: ") + error.what());
    }
}

std::string SectionsLine(const Design& design) {
    return "Design: " + MethodAndSections(design) + "\n";
}

}  // namespace

DesignOutcome MakeOutcome(const DesignerSettings& settings) {
    DesignOutcome outcome;
    outcome.settings = settings;
    const Result<DesignRequest> request = RequestFor(settings);
    if (!request) {
        outcome.error = request.error();
        return outcome;
    }
    Result<Design> made = MakeDesign(*request);
    if (!made) {
        outcome.error = made.error();
        return outcome;
    }
    if (const auto problem = UnshowableResponse(*made)) {
        outcome.error = *problem;
        return outcome;
    }
    const DesignUnderTest underTest = UnderTest(*made);
    outcome.summary = SummarizeResponse(underTest);
    if (std::isnan(outcome.summary->peak.deviationDb)) {
        outcome.summary.reset();
        outcome.error = "The design's response cannot be evaluated at this sampling frequency";
        return outcome;
    }
    for (double hz : LogGrid(kPlotLowHz, made->samplingFrequency / 2.0, kPlotPointsPerDecade)) {
        outcome.plot.push_back(CompareAt(underTest, hz));
    }
    outcome.figures = SectionsLine(*made) + FormatResponseFigures(*outcome.summary);
    for (const ExportProgramInfo& info : ExportPrograms()) {
        outcome.texts.push_back(TextFor(*made, info.program, &*outcome.summary));
    }
    outcome.design = std::move(*made);
    return outcome;
}

const std::vector<ExportProgramInfo>& ExportPrograms() {
    static const std::vector<ExportProgramInfo> programs = {
        {ExportProgram::Report, "Coefficients (report)", "report", ".txt", OutputFormat::Report},
        {ExportProgram::Sox, "SoX effects", "sox", ".txt", OutputFormat::Sox},
        {ExportProgram::Ffmpeg, "FFmpeg filter", "ffmpeg", ".txt", OutputFormat::Ffmpeg},
        {ExportProgram::CamillaDsp, "CamillaDSP 3 filters", "camilladsp", ".yml",
         OutputFormat::CamillaDsp},
        {ExportProgram::Nyquist, "Nyquist (Audacity)", "nyquist", ".ny", OutputFormat::Nyquist},
        {ExportProgram::PipeWirePlugin, "PipeWire (LV2 plugin controls)", "pipewire", ".conf",
         OutputFormat::PipeWire},
        {ExportProgram::PipeWireBqRaw, "PipeWire (bq_raw coefficients)", "pipewire-bq-raw", ".conf",
         OutputFormat::PipeWireBqRaw},
        {ExportProgram::CamillaDspV2, "CamillaDSP 2 filters", "camilladsp-v2", ".yml",
         OutputFormat::CamillaDspV2},
    };
    return programs;
}

Result<std::string> ExportText(const Design& design, ExportProgram program) {
    return TextFor(design, program, nullptr);
}
