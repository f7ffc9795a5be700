#pragma once
// vorlexi-designer's command line, read before any window system is touched, so that
// --help and --version work without a display (help2man runs them at build time).

#include <iosfwd>
#include <optional>

struct DesignerOptions {
    bool printState = false;  // print the figures and the program's text when quitting
};

// The options, or the exit status when the program is done already (--help, --version,
// an unknown option: its message on err).
std::optional<int> ReadCommandLine(int argc, char** argv, DesignerOptions& options,
                                   std::ostream& out, std::ostream& err);
