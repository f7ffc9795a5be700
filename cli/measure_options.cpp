#include "measure_options.h"

CLI::App* AddMeasureCommand(CLI::App& app, MeasureOptions& options) {
    CLI::App* measure = app.add_subcommand(
        "measure",
        "Measure a recording of signal's sweep: its response against the playback\n"
        "curve, the recording curve or flat");
    measure->footer(
        "The recording is deconvolved by the sweep (the harmonic distortion kept\n"
        "out) and compared from 20 Hz to min(20 kHz, 0.45 fs), both 0 dB at 1 kHz.\n"
        "A recording that clipped, holds silence or runs at another rate than the\n"
        "sweep is refused; one of another length is measured where the two overlap.\n"
        "Examples:\n"
        "  vorlexi-calc signal -o sweep.wav --inverse\n"
        "  vorlexi-calc measure preamp-out.wav --reference sweep.wav --plot preamp.svg\n"
        "Exit status: 0 done, 1 a file could not be read, used or written, 2 bad options.");
    measure->add_option("recording", options.recording, "What came out of the system")
        ->type_name("RECORDED")
        ->required();
    measure->add_option("--reference", options.reference, "The sweep that went in")
        ->type_name("SWEEP")
        ->required();
    measure
        ->add_option("--curve", options.curve,
                     "The curve to compare with (default riaa), as the\n"
                     "print command's --curve takes it")
        ->type_name("NAME");
    measure->add_flag("-i,--inverse", options.inverse,
                      "Compare with the curve's recording equalisation");
    measure->add_flag("--flat", options.flat, "Compare with a flat response");
    measure->add_option("--channel", options.channel, "The recording's channel, from 1")
        ->type_name("N")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    measure->add_flag("--csv", options.csv,
                      "The comparison as CSV, 100 points a decade, instead\n"
                      "of the table");
    measure->add_flag("--json", options.json,
                      "The result as JSON, with max_deviation_db and\n"
                      "max_deviation_hz");
    measure->add_option("--plot", options.plotPath, "An SVG picture of the comparison")
        ->type_name("FILE.svg");
    options.command = measure;
    return measure;
}
