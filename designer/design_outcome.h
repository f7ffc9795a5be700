#pragma once
// Everything the window shows of one setting of its panel, worked out in one call off
// the GUI thread: the design, its response beside the curve for the plot, and the figures
// vorlexi-calc --response prints. Qt-free.

#include <optional>
#include <string>
#include <vector>

#include "designer_settings.h"
#include "designs/make_design.h"
#include "reports/exported_text.h"
#include "response/response_comparison.h"
#include "response/response_summary.h"

struct DesignOutcome {
    DesignerSettings settings;  // what it was made from
    std::string error;          // when there is no design: one line saying what to change
    std::optional<Design> design;
    std::optional<ResponseSummary> summary;
    std::vector<ResponsePoint> plot;  // 10 Hz to fs/2 on a log grid
    std::string figures;              // the closing lines of --response, and the sections
    // The text for each program of ExportPrograms(), in its order: worked out with the
    // design, so that choosing another program costs the GUI thread nothing.
    std::vector<Result<std::string>> texts;
};

DesignOutcome MakeOutcome(const DesignerSettings& settings);

// The programs the export pane writes for, in its order. The settings keep the choice by
// its place, so a new program goes at the end.
enum class ExportProgram {
    Report,
    Sox,
    Ffmpeg,
    CamillaDsp,
    Nyquist,
    PipeWirePlugin,
    PipeWireBqRaw,
    CamillaDspV2
};

// The name shown in the pane and vorlexi-calc's --format value of the same text.
struct ExportProgramInfo {
    ExportProgram program;
    const char* title;
    const char* calcFormat;
    const char* fileSuffix;  // suggested when saving
    OutputFormat format;     // Report: the report with its response, as --response
};
const std::vector<ExportProgramInfo>& ExportPrograms();

// The text vorlexi-calc prints with --format (the report: with --response), or the
// line saying why this design cannot be written for that program.
Result<std::string> ExportText(const Design& design, ExportProgram program);
