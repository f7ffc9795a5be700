#include "signal_options.h"

CLI::App* AddSignalCommand(CLI::App& app, SignalOptions& options) {
    CLI::App* signal = app.add_subcommand(
        "signal",
        "Write a sine sweep for testing a phono preamp: flat, or with the\n"
        "curve's recording equalisation under --inverse");
    signal->footer(
        "The sweep rises exponentially from 10 Hz to 0.45 fs, then 1 s of silence\n"
        "follows. Play it into the preamp's input, record its output at the same\n"
        "rate and give the recording to `vorlexi-calc measure`.\n"
        "With --inverse the design is the minimax cascade within 0.001 dB with its\n"
        "gain at 1 kHz, unless --method, --sections, --tolerance or --normalize say\n"
        "otherwise. A level that would clip is refused with the level that fits.\n"
        "Examples:\n"
        "  vorlexi-calc signal -o sweep.wav --inverse\n"
        "  vorlexi-calc signal -o sweep.wav --inverse --curve columbia-lp -s 96k --bits 32f\n"
        "Exit status: 0 done, 1 the file could not be written, 2 bad options.");
    signal->add_option("-o,--output", options.output, "The sweep's file (WAV unless its\n"
                                                      "extension names another container)")
        ->type_name("OUT")
        ->required();
    signal->add_option("-s,--sample-freq", options.sampleFreq, "Sampling frequency in hertz")
        ->type_name("FREQ")
        ->capture_default_str();
    signal->add_option("--duration", options.duration, "The sweep's length in seconds, at least 1")
        ->type_name("SECONDS")
        ->capture_default_str();
    signal
        ->add_option("--level", options.level,
                     "The sweep's peak level in dBFS before\n"
                     "equalisation, its level at 1 kHz with the\n"
                     "default gain (default -6, or lower where\n"
                     "--inverse would lift the peak above -1 dBFS)")
        ->type_name("DBFS");
    signal
        ->add_option("--bits", options.bits,
                     "16, 24, 32 (integer, dithered) or 32f, 64f (float)")
        ->type_name("BITS")
        ->capture_default_str()
        ->check(CLI::IsMember({"16", "24", "32", "32f", "64f"}, CLI::ignore_case));
    signal
        ->add_option("--channels", options.channels,
                     "1 or 2: the same sweep in each, for both\n"
                     "channels of a stereo preamp")
        ->type_name("N")
        ->capture_default_str()
        ->check(CLI::Range(1, 2));
    signal->add_flag("-q,--quiet", options.quiet, "No summary line");

    signal->add_flag("-i,--inverse", options.design.inverse,
                     "Apply the curve's recording equalisation");
    signal->add_option("-g,--gain", options.design.gain, "Gain at 1 kHz (or DC), a plain factor")
        ->type_name("FACTOR")
        ->capture_default_str();
    signal
        ->add_option("-z,--extra-zero", options.design.zeroFreq,
                     "Add an extra zero: alone at the fixed 3.18 µs\n"
                     "time constant, with FREQ at that frequency")
        ->type_name("[FREQ]")
        ->expected(0, 1);
    AddDesignOptions(*signal, options.design);
    DescribeDesignDefaults(*signal,
                           "minimax (the default): the cascade of the fewest\n"
                           "sections within 0.001 dB of the recording curve,\n"
                           "as apply designs; matched: the desktop program's\n"
                           "design, with its gain at DC",
                           "1k: the gain applies at 1 kHz (the default);\n"
                           "dc: at DC (the default of --method=matched)");
    options.design.normalizeOption = signal->get_option("--normalize");
    options.command = signal;
    return signal;
}
