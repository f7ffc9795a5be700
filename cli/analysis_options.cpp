#include "analysis_options.h"

#include "path_validator.h"

const NameTable<OutputFormat> kOutputFormatNames = {
    {"report", OutputFormat::Report},   {"sox", OutputFormat::Sox},
    {"ffmpeg", OutputFormat::Ffmpeg},   {"camilladsp", OutputFormat::CamillaDsp},
    {"nyquist", OutputFormat::Nyquist},
};

namespace {

const NameTable<GainReference> kNormalizeNames = {
    {"dc", GainReference::Dc},
    {"1k", GainReference::OneKilohertz},
};

}  // namespace

void AddNormalizeOption(CLI::App& app, GainReference& normalize) {
    app.add_option("--normalize", normalize,
                   "dc: the gain applies at DC (the default);\n"
                   "1k: it applies at 1 kHz instead")
        ->type_name("dc|1k")
        ->transform(OneOf(kNormalizeNames));
}

void AddAnalysisOptions(CLI::App& app, AnalysisOptions& options) {
    app.add_flag("--response", options.response,
                 "After the report (or in the JSON), the response at\n"
                 "20 Hz to 20 kHz against the analogue RIAA curve,\n"
                 "both 0 dB at 1 kHz; the largest deviation from\n"
                 "20 Hz to min(20 kHz, 0.49 fs); gain at DC and 1 kHz");
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
    AddNormalizeOption(app, options.normalize);
    app.add_option("--format", options.format,
                   "report (default), or one line for another program,\n"
                   "every coefficient with 17 significant digits:\n"
                   "sox: the effect 'biquad b0 b1 b2 a0 a1 a2';\n"
                   "ffmpeg: 'biquad=b0=..:b1=..:b2=..:a0=..:a1=..:a2=..'\n"
                   "for -af; camilladsp: a filters block, Biquad of\n"
                   "type Free (b0 b1 b2 a1 a2, a0 divided out);\n"
                   "nyquist: biquad-m on *track* for Audacity's\n"
                   "Nyquist prompt, refusing a track at another rate.\n"
                   "All four take the denominator of H(z) as it is\n"
                   "stored, a0 + a1 z^-1 + a2 z^-2 (Nyquist's plain\n"
                   "biquad would want a1 and a2 negated). The lines\n"
                   "hold only at the designed sampling frequency")
        ->type_name("FORMAT")
        ->transform(OneOf(kOutputFormatNames));
}
