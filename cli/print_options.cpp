#include "print_options.h"

void DescribeTool(CLI::App& app) {
    app.description(
        "Designs a digital phono-equalisation filter, RIAA or another curve, as\n"
        "one biquad (the default) or a cascade of up to four second-order\n"
        "sections, and prints its coefficients, its response or the lines that\n"
        "run it in another audio program. Values take SI prefixes\n"
        "(96k, 44.1k, 2.2u or 2.2µ). Arguments are read as UTF-8 where valid,\n"
        "else as Windows-1252 bytes. The report reads an entry from its first\n"
        "31 characters, as the desktop program does, and ignores the rest; an\n"
        "export, --csv, --response and --plot refuse an entry not read whole\n"
        "(\"44,1k\" is 44). An export of coefficients needs --sample-freq, and\n"
        "refuses an unstable design.");
    app.footer(
        "Examples: vorlexi-calc --sample-freq 44.1k --gain 2 --extra-zero 20k\n"
        "  vorlexi-calc -s 48k --curve columbia-lp --tolerance 0.001 --format=sox\n"
        "Exit status: 0 done, 1 output not written, 2 bad option or unreadable entry.");
    app.get_formatter()->column_width(26);
    app.set_version_flag("--version", "vorlexi-calc " VORLEXI_VERSION);
}

void AddPrintOptions(CLI::App& app, PrintOptions& options) {
    CalcOptions& calc = options.calc;
    app.add_option("-s,--sample-freq", calc.sampleFreq,
                   "Sampling frequency in hertz; the report takes\n"
                   "96k without it, an export (--format) needs it")
        ->type_name("FREQ")
        ->default_str(kDefaultSampleFreq);
    app.add_option("-g,--gain", calc.gain, "Gain at DC, a plain factor")
        ->type_name("FACTOR")
        ->capture_default_str();
    app.add_option("-z,--extra-zero", calc.zeroFreq,
                   "Add an extra zero: alone at the fixed 3.18 µs\n"
                   "time constant, with FREQ at that frequency\n"
                   "(FREQ not above 1 gives the fixed zero)")
        ->type_name("[FREQ]")
        ->expected(0, 1);
    app.add_flag("-i,--inverse", calc.inverse, "Exchange numerator and denominator");
    app.add_flag("--lenient", calc.lenient,
                 "Read an entry with no readable number as 0,\n"
                 "as the desktop program does");
    app.add_flag("--crlf", calc.crlf, "Write CR LF line breaks, the program's own bytes");
    app.add_flag("--json", calc.json,
                 "Write entries, values and coefficients as JSON.\n"
                 "Numbers are the shortest text that reads back\n"
                 "to the same double; infinities and NaN are the\n"
                 "strings \"Infinity\", \"-Infinity\" and \"NaN\"");

    AddAnalysisOptions(app, options.analysis);
}
