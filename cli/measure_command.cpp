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
    json.Key("recording");
    json.String(safe_write::ShownPath(options.recording));
    json.Key("channel");
    json.Integer(options.channel);
    json.Key("reference");
    json.String(safe_write::ShownPath(options.reference));
    json.Key("sampling_rate_hz");
    json.Number(inputs.samplingRate);
    json.Key("compared_with");
    json.String(expected.label);
    json.Key("measured_seconds");
    json.Number(static_cast<double>(inputs.recording.size()) / inputs.samplingRate);
    json.Key("lengths_differ");
    const std::string note = LengthNote(inputs);
    json.Boolean(!note.empty());
    if (!note.empty()) {
        json.Key("note");
        json.String(note);
    }
    json.Key("latency_s");
    json.Number(measured.latencySeconds);
    json.Key("band_low_hz");
    json.Number(summary.bandLowHz);
    json.Key("band_high_hz");
    json.Number(summary.bandHighHz);
    json.Key("max_deviation_db");
    json.Number(summary.peak.deviationDb);
    json.Key("max_deviation_hz");
    json.Number(summary.peak.frequencyHz);
    json.Key("table");
    json.BeginArray();
    for (const MeasuredPoint& point : summary.table) {
        json.BeginObject();
        json.Key("frequency_hz");
        json.Number(point.frequencyHz);
        json.Key("gain_db");
        json.Number(point.gainDb);
        json.Key("curve_gain_db");
        json.Number(point.curveGainDb);
        json.Key("deviation_db");
        json.Number(point.deviationDb);
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
