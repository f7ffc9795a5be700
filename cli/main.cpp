// vorlexi-calc: the print command (the desktop program's Calc Filter on the command line,
// with the analyses and exports of the design), `apply`, which equalises audio files,
// and the preamp test: `signal` writes the sweep, `measure` what a recording of it shows.
// Each command registers its options and runs in its own files; main only wires them.

#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <stdexcept>

#include "apply_command.h"
#include "command_line.h"
#include "exit_status.h"
#include "measure_command.h"
#include "print_command.h"
#include "print_options.h"
#include "signal_command.h"
#include "usage_error.h"

int main(int argc, char** argv) {
    CLI::App app{"", "vorlexi-calc"};
    DescribeTool(app);
    PrintOptions options;
    AddPrintOptions(app, options);

    ApplyOptions applyOptions;
    const CLI::App* apply = AddApplyCommand(app, applyOptions);
    SignalOptions signalOptions;
    const CLI::App* signal = AddSignalCommand(app, signalOptions);
    MeasureOptions measureOptions;
    const CLI::App* measure = AddMeasureCommand(app, measureOptions);

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
        if (signal->parsed()) {
            return RunSignal(app, signalOptions, std::cerr);
        }
        if (measure->parsed()) {
            return RunMeasure(app, measureOptions, std::cout, std::cerr);
        }
        return RunCalc(options.calc, options.analysis, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "vorlexi-calc: not enough memory\n";
    } catch (const std::exception& error) {
        std::cerr << "vorlexi-calc: " << error.what() << '\n';
    }
    return kExitOutputFailed;
}
