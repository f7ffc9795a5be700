#include "calc_command.h"

#include <optional>
#include <ostream>

#include "json_output.h"

std::string ToLineFeeds(const std::string& text) {
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        converted += text[i];
    }
    return converted;
}

int RunCalc(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    if (const std::optional<std::string> message = UnreadableEntryMessage(options)) {
        err << "vorlexi-calc: " << *message << '\n';
        return kExitBadInput;
    }

    const FilterEntries entries = EntriesFromOptions(options);
    const FilterCalculation calculation = CalculateFilter(entries);
    if (options.json) {
        out << FormatCalculationJson(entries, calculation);
    } else if (options.crlf) {
        out << calculation.text;
    } else {
        out << ToLineFeeds(calculation.text);
    }

    // A full disk or a closed pipe must not pass for success.
    out.flush();
    if (!out) {
        err << "vorlexi-calc: cannot write the output\n";
        return kExitOutputFailed;
    }
    return kExitSuccess;
}
