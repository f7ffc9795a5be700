#include "analysis_options.h"

#include "path_validator.h"

const NameTable<OutputFormat> kOutputFormatNames = {
    {"report", OutputFormat::Report},
    {"sox", OutputFormat::Sox},
    {"ffmpeg", OutputFormat::Ffmpeg},
    {"camilladsp", OutputFormat::CamillaDsp},
    {"camilladsp-v2", OutputFormat::CamillaDspV2},
    {"nyquist", OutputFormat::Nyquist},
    {"pipewire", OutputFormat::PipeWire},
    {"pipewire-bq-raw", OutputFormat::PipeWireBqRaw},
};

void AddAnalysisOptions(CLI::App& app, AnalysisOptions& options) {
    app.add_flag("--response", options.response,
                 "After the report (or in the JSON), the response at\n"
                 "20 Hz to 20 kHz against the analogue curve,\n"
                 "both 0 dB at 1 kHz; the largest deviation from\n"
                 "20 Hz to min(20 kHz, 0.49 fs), in gain and phase;\n"
                 "gain at DC and 1 kHz");
    app.add_flag("--csv", options.csv,
                 "Instead of the report, the response from 10 Hz to\n"
                 "fs/2 as CSV, 100 points a decade: frequency_hz,\n"
                 "gain_db, phase_deg, prototype_gain_db,\n"
                 "prototype_phase_deg, deviation_db (dB re 1 kHz)");
    app.add_option("--plot", options.plotPath,
                   "Also draw the response and its deviation from the\n"
                   "analogue curve into an SVG file")
        ->type_name("FILE.svg")
        ->check(NonEmptyPath());
    app.add_option("--format", options.format,
                   WrappedChoices(NamesOf(kOutputFormatNames), 50) + "\n" +
                       "report (default), or text for another program,\n"
                       "every coefficient with 17 significant digits, one\n"
                       "second-order section after another in the order\n"
                       "they run (the first carries the gain):\n"
                       "sox: effects 'biquad b0 b1 b2 a0 a1 a2', one a\n"
                       "section; ffmpeg: 'biquad=b0=..:b1=..:b2=..:a0=..:\n"
                       "a1=..:a2=..:precision=f64' filters joined by\n"
                       "commas, for -af, in double precision whatever\n"
                       "the input's sample format;\n"
                       "camilladsp: a filters block, one Biquad of type\n"
                       "Free a section (b0 b1 b2 a1 a2, a0 = 1), and the\n"
                       "pipeline step naming them on channels [0, 1]\n"
                       "(CamillaDSP 3); camilladsp-v2: the same with a\n"
                       "step for each channel (CamillaDSP 2); nyquist:\n"
                       "nested biquad-m calls on *track* for Audacity's\n"
                       "Nyquist prompt, refusing a track at another rate;\n"
                       "pipewire: a filter-chain running vorlexi's LV2\n"
                       "plugin with the controls of the design (curve,\n"
                       "direction, gain, sections, rumble filter), which\n"
                       "designs for the rate PipeWire runs at (PipeWire\n"
                       "0.3.65 on);\n"
                       "pipewire-bq-raw: a filter-chain graph, one builtin\n"
                       "bq_raw node a section and channel (b0 b1 b2 a0 a1\n"
                       "a2) at the designed rate, for a PipeWire newer\n"
                       "than 0.3.65 (Debian 12's lacks bq_raw).\n"
                       "The others take the denominator of H(z) as it is\n"
                       "stored, a0 + a1 z^-1 + a2 z^-2 (Nyquist's plain\n"
                       "biquad would want a1 and a2 negated). The lines\n"
                       "hold only at the designed sampling frequency")
        ->type_name("FORMAT")
        ->transform(OneOf(kOutputFormatNames).description(""));
    app.add_flag("--list-curves", options.listCurves,
                 "List the named curves: name, description and\n"
                 "time constants (p: pole, z: zero in playback),\n"
                 "one line each, and stop");
    AddDesignOptions(app, options.design);
}
