#include "measure_command.h"

#include <ostream>

#include "base/json_writer.h"
#include "base/number_text.h"
#include "command_scope.h"
#include "curves/curve_entry.h"
#include "exit_status.h"
#include "measure/measured_comparison.h"
#include "measure/sweep_deconvolution.h"
#include "measure_inputs.h"
#include "safe_writer.h"
#include "shown_path.h"
#include "writers/svg_plot.h"

namespace {

// The curve the measurement is compared with, and how titles name it.
struct Expected {
    AnalogueCurve curve;  // flat when it has no time constants
    std::string label;    // "riaa playback curve", "flat"
};

Result<Expected> ExpectedCurve(const MeasureOptions& options) {
    const bool curveGiven = options.command->get_option("--curve")->count() > 0;
    if (options.flat) {
        if (curveGiven || options.inverse) {
            return Result<Expected>::Failure(
                std::string(curveGiven ? "--curve" : "--inverse") +
                " names a curve and --flat asks for none; drop one of them");
        }
        return Expected{{}, "flat"};
    }
    const CurveReading reading = ReadCurveEntry(options.curve);
    if (!reading.ok()) {
        return Result<Expected>::Failure("--curve: " + reading.error());
    }
    if (options.inverse) {
        return Expected{ReciprocalCurve(reading->curve), reading->name + " recording curve"};
    }
    return Expected{reading->curve, reading->name + " playback curve"};
}

std::string Table(const MeasureOptions& options, const MeasureInputs& inputs,
                  const Expected& expected, const MeasuredResponse& measured,
                  const MeasurementSummary& summary) {
    std::string text = "Recording: " + safe_write::ShownPath(options.recording);
    if (inputs.channels > 1) {
        text += ", channel " + std::to_string(options.channel) + " of " +
                std::to_string(inputs.channels);
    }
    text += ", " + FormatShortest(inputs.samplingRate) + " Hz\n";
    text += "Sweep: " + safe_write::ShownPath(options.reference) + "\n";
    text += "Compared with: the " + expected.label + "\n";
    text += "Latency: " + FormatFixed(measured.latencySeconds * 1000.0, 2) + " ms\n";
    if (const std::string note = LengthNote(inputs); !note.empty()) {
        text += "Note: " + note + "\n";
    }
    return text + "\n" + FormatMeasurementTable(summary);
}

std::string Json(const MeasureOptions& options, const MeasureInputs& inputs,
                 const Expected& expected, const MeasuredResponse& measured,
                 const MeasurementSummary& summary) {
    JsonWriter json;
    json.BeginObject();
    json.Member("recording", safe_write::ShownPath(options.recording));
    json.Key("channel");
    json.Integer(options.channel);
    json.Member("reference", safe_write::ShownPath(options.reference));
    json.Member("sampling_rate_hz", inputs.samplingRate);
    json.Member("compared_with", expected.label);
    json.Member("measured_seconds",
                static_cast<double>(inputs.recording.size()) / inputs.samplingRate);
    json.Key("lengths_differ");
    const std::string note = LengthNote(inputs);
    json.Boolean(!note.empty());
    if (!note.empty()) {
        json.Member("note", note);
    }
    json.Member("latency_s", measured.latencySeconds);
    json.Member("band_low_hz", summary.bandLowHz);
    json.Member("band_high_hz", summary.bandHighHz);
    json.Member("max_deviation_db", summary.peak.deviationDb);
    json.Member("max_deviation_hz", summary.peak.frequencyHz);
    json.Key("table");
    json.BeginArray();
    for (const MeasuredPoint& point : summary.table) {
        json.BeginObject();
        json.Member("frequency_hz", point.frequencyHz);
        json.Member("gain_db", point.gainDb);
        json.Member("curve_gain_db", point.curveGainDb);
        json.Member("deviation_db", point.deviationDb);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

}  // namespace

int RunMeasure(const CLI::App& app, const MeasureOptions& options, std::ostream& out,
               std::ostream& err) {
    const auto fail = [&err](const std::string& problem, int status) {
        err << "vorlexi-calc measure: " << problem << '\n';
        return status;
    };
    if (auto problem = OptionBeforeCommand(app, "measure")) {
        return fail(*problem, kExitBadInput);
    }
    if (options.csv && options.json) {
        return fail("--csv and --json cannot go together", kExitBadInput);
    }
    const Result<Expected> expectedCurve = ExpectedCurve(options);
    if (!expectedCurve) {
        return fail(expectedCurve.error(), kExitBadInput);
    }
    const Expected& expected = *expectedCurve;
    const Result<MeasureFiles> files = ReadMeasureFiles(options);
    if (!files) {
        return fail(files.error(), kExitOutputFailed);
    }
    if (auto problem = ChannelProblem(options, *files)) {
        return fail(*problem, kExitBadInput);
    }
    const Result<MeasureInputs> read = MeasureInputsOf(*files, options);
    if (!read) {
        return fail(read.error(), kExitOutputFailed);
    }
    const MeasureInputs& inputs = *read;

    const MeasuredResponse measured =
        DeconvolveSweep(inputs.recording, inputs.reference, inputs.samplingRate);
    const MeasurementSummary summary = SummarizeMeasurement(measured, expected.curve);
    if (!options.plotPath.empty()) {
        const std::string title = "Measured: " + safe_write::ShownPath(options.recording) +
                                  " against the " + expected.label;
        const ResponseTraces traces = MeasurementTraces(measured, expected.curve, expected.label);
        if (auto failure =
                safe_write::WriteFileSafely(options.plotPath, RenderTracesSvg(traces, title))) {
            return fail(*failure, kExitOutputFailed);
        }
    }
    if (options.json) {
        out << Json(options, inputs, expected, measured, summary);
    } else if (options.csv) {
        out << FormatMeasurementCsv(measured, expected.curve);
    } else {
        out << Table(options, inputs, expected, measured, summary);
    }
    // CSV has no room for it, and a reader of the file should not miss it.
    if (const std::string note = LengthNote(inputs); !note.empty() && options.csv) {
        err << "vorlexi-calc measure: note: " << note << '\n';
    }
    out.flush();
    if (!out) {
        return fail("cannot write the output", kExitOutputFailed);
    }
    return kExitSuccess;
}
