#pragma once
// What vorlexi-calc's options ask for, and the dialog entries they stand for.

#include <optional>
#include <string>

#include "reports/filter_calculation.h"

struct CalcOptions {
    // The parameter dialog's entries, as given on the command line. The rate is set when
    // given: the dialog's 96k stands in for the report, an export needs it said.
    std::optional<std::string> sampleFreq;
    std::string gain = "1";
    // Set when --extra-zero is given; empty when it came without a value.
    std::optional<std::string> zeroFreq;
    bool inverse = false;

    bool lenient = false;  // read unreadable entries as 0, as the dialog does
    bool json = false;
    bool crlf = false;  // keep the program's own CR LF line breaks
};

// The dialog's sampling frequency, which the report takes when --sample-freq is not given.
inline constexpr const char* kDefaultSampleFreq = "96k";

// The entries as the dialog would hold them, in Windows-1252.
FilterEntries EntriesFromOptions(const CalcOptions& options);

// The error line when the rate, gain or extra zero holds more than the number read from
// it (see whole_entry.h), or nothing.
std::optional<std::string> PartlyReadCalcEntryMessage(const CalcOptions& options);

// Unless the options are lenient: the error line naming the first entry that holds no
// readable number (text such as "abc" or "", not a genuine 0), or nothing. An
// --extra-zero without a value asks for the fixed zero and is always fine.
std::optional<std::string> UnreadableEntryMessage(const CalcOptions& options);
