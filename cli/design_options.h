#pragma once
// The options that choose a design, which the print command and `apply` share: the
// curve, the method, the number of sections or the tolerance that picks it, and where
// the gain applies. Registered once for each command, read and checked once after the
// command line is parsed.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "base/result.h"
#include "curves/curve_entry.h"
#include "designs/make_design.h"

// The options as typed.
struct DesignOptions {
    std::string curve = "riaa";
    std::optional<std::string> sections;   // set when given
    std::optional<std::string> tolerance;  // set when given
    DesignMethod method = DesignMethod::Matched;
    GainReference normalize = GainReference::Dc;
    std::optional<std::string> rumble;          // set when given
    std::optional<std::string> rumbleOrder;     // set when given
    const CLI::Option* methodOption = nullptr;  // to tell a given --method from the default
};

// --curve, --sections, --tolerance, --method, --normalize, --rumble and --rumble-order
// on app.
void AddDesignOptions(CLI::App& app, DesignOptions& options);

// --method=matched|minimax alone, for a command that has no other design option.
void AddDesignMethodOption(CLI::App& app, DesignMethod& method);

// --normalize=dc|1k alone.
void AddNormalizeOption(CLI::App& app, GainReference& normalize);

// A command whose defaults are not the print command's (apply and signal design
// accurately, 0 dB at 1 kHz) says its own of --method and --normalize, after the same
// list of choices.
void DescribeDesignDefaults(CLI::App& command, const std::string& method,
                            const std::string& normalize);

// What the options ask for, read and checked.
struct DesignChoice {
    ChosenCurve curve;
    // The named RIAA curve, the default: --extra-zero applies to it, and its one-section
    // designs (matched, or minimax with neither --sections nor --tolerance) are the
    // desktop program's record, written as the tool always wrote it.
    bool riaa = true;
    DesignMethod method = DesignMethod::Matched;
    std::optional<int> sections;
    std::optional<double> toleranceDb;
    // A tolerance the user asked for is met or refused; apply's own takes the closest
    // cascade where none meets it.
    bool closestWhereUnmet = false;
    GainReference normalize = GainReference::Dc;
    std::optional<RumbleFilter> rumble;  // its corner read; checked against the rate by the design
};

// The error line when the gain or the extra zero (empty: the fixed zero), as typed, holds
// more than the number read from it (whole_entry.h), or nothing. Both commands ask it
// wherever a design leaves the program: in a file, or in a line for another program.
std::optional<std::string> PartlyReadDesignEntryMessage(const std::string& gain,
                                                        const std::optional<std::string>& zeroFreq);

// hasExtraZero: --extra-zero was given, which only the RIAA curve takes.
Result<DesignChoice> ReadDesignChoice(const DesignOptions& options, bool hasExtraZero);
