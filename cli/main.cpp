// vorlexi-calc: the desktop program's Calc Filter command on the command line.

#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <stdexcept>

#include "analysis_command.h"
#include "apply_command.h"
#include "calc_options.h"
#include "command_line.h"
#include "exit_status.h"
#include "usage_error.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Designs a digital phono-equalisation filter, RIAA or another curve, as\n"
        "one biquad (the default) or a cascade of up to four second-order\n"
        "sections, and prints its coefficients, its response or the lines that\n"
        "run it in another audio program. Values take SI prefixes\n"
        "(96k, 44.1k, 2.2u or 2.2µ). Arguments are read as UTF-8 where valid,\n"
        "else as Windows-1252 bytes. An entry is read from its first 31\n"
        "characters, as the desktop program reads it; the rest is ignored.",
        "vorlexi-calc"};
    app.footer(
        "Examples: vorlexi-calc --sample-freq 44.1k --gain 2 --extra-zero 20k\n"
        "  vorlexi-calc -s 48k --curve columbia-lp --tolerance 0.001 --format=sox\n"
        "Exit status: 0 done, 1 output not written, 2 bad option or unreadable entry.");
    app.get_formatter()->column_width(26);
    app.set_version_flag("--version", "vorlexi-calc " VORLEXI_VERSION);
    CalcOptions options;
    AnalysisOptions analysis;

    app.add_option("-s,--sample-freq", options.sampleFreq, "Sampling frequency in hertz")
        ->type_name("FREQ")
        ->capture_default_str();
    app.add_option("-g,--gain", options.gain, "Gain at DC, a plain factor")
        ->type_name("FACTOR")
        ->capture_default_str();
    app.add_option("-z,--extra-zero", options.zeroFreq,
                   "Add an extra zero: alone at the fixed 3.18 µs\n"
                   "time constant, with FREQ at that frequency\n"
                   "(FREQ not above 1 gives the fixed zero)")
        ->type_name("[FREQ]")
        ->expected(0, 1);
    app.add_flag("-i,--inverse", options.inverse, "Exchange numerator and denominator");
    app.add_flag("--lenient", options.lenient,
                 "Read an entry with no readable number as 0,\n"
                 "as the desktop program does");
    app.add_flag("--crlf", options.crlf, "Write CR LF line breaks, the program's own bytes");
    app.add_flag("--json", options.json,
                 "Write entries, values and coefficients as JSON.\n"
                 "Numbers are the shortest text that reads back\n"
                 "to the same double; infinities and NaN are the\n"
                 "strings \"Infinity\", \"-Infinity\" and \"NaN\"");

    AddAnalysisOptions(app, analysis);

    ApplyOptions applyOptions;
    const CLI::App* apply = AddApplyCommand(app, applyOptions);

    try {
        ParseCommandLine(app, argc, argv);
    } catch (const CLI::ParseError& error) {
        return ReportParseResult(app, error);
    }
    // Whatever fails ends in one line and status 1: a lack of memory, or a library that
    // cannot be loaded. A pending output's temporary file goes as the stack unwinds.
    try {
        if (apply->parsed()) {
            return RunApply(app, applyOptions, std::cerr);
        }
        return RunCalc(options, analysis, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "vorlexi-calc: not enough memory\n";
    } catch (const std::exception& error) {
        std::cerr << "vorlexi-calc: " << error.what() << '\n';
    }
    return kExitOutputFailed;
}
