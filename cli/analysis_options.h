#pragma once
// vorlexi-calc's options that look at the designed filter rather than print it:
// the response against the analogue curve, a plot, the normalisation and the lines
// for other audio programs.

#include <string>

#include <CLI/CLI.hpp>

struct AnalysisOptions {
    bool response = false;           // the response table after the report, or in the JSON
    bool csv = false;                // the response on a dense log grid as CSV instead
    std::string plotPath;            // an SVG picture of the response; empty for none
    std::string normalize = "dc";    // "dc": gain at DC, as designed; "1k": |H(1 kHz)| = gain
    std::string format = "report";   // report, sox, ffmpeg, camilladsp or nyquist
    std::string method = "matched";  // the design: matched or minimax, see design_method.h
};

void AddAnalysisOptions(CLI::App& app, AnalysisOptions& options);
