#include "design_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "base/design_vocabulary.h"
#include "curves/named_curves.h"
#include "designs/rumble_filter.h"
#include "named_choice.h"
#include "whole_entry.h"

namespace {

const NameTable<DesignMethod> kMethodNames = {
    {"matched", DesignMethod::Matched},
    {"minimax", DesignMethod::Minimax},
};

const NameTable<GainReference> kNormalizeNames = {
    {"dc", GainReference::Dc},
    {"1k", GainReference::OneKilohertz},
};

// The column width of an option's description in --help.
constexpr std::size_t kHelpWidth = 50;

// "{aes-1951, bsi-n78, …}" in --curve's help, wrapped, which the bash completion offers.
// Sorted, so that the names a completion lists read in order. Every text passes the
// parser: custom and turnover entries are not names, and the run reads the entry, whose
// error is one line.
std::string CurveNameList() {
    std::vector<std::string> names;
    for (const NamedCurve& curve : NamedCurves()) {
        names.emplace_back(curve.name);
    }
    std::sort(names.begin(), names.end());
    return WrappedChoices(names, kHelpWidth);
}

std::optional<int> ReadSections(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kMaxCascadeSections) {
        return std::nullopt;
    }
    return text[0] - '0';
}

// A positive, finite number, the whole text (from_chars reads the C locale's way).
std::optional<double> ReadPositiveNumber(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value) ||
        !(value > 0.0)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ReadRumbleOrder(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kMaxRumbleOrder) {
        return std::nullopt;
    }
    return text[0] - '0';
}

Result<DesignChoice> Refused(std::string error) {
    return Result<DesignChoice>::Failure(std::move(error));
}

}  // namespace

void AddDesignMethodOption(CLI::App& app, DesignMethod& method) {
    app.add_option("--method", method,
                   WrappedChoices(NamesOf(kMethodNames), kHelpWidth) + "\n" +
                       "matched: the matched z-transform of the curve's\n"
                       "time constants (the default, as the desktop\n"
                       "program): one section for RIAA, as many as the\n"
                       "curve needs; minimax: the cascade with the least\n"
                       "largest dB error from the curve over 20 Hz to\n"
                       "min(20 kHz, 0.46 fs), both 0 dB at 1 kHz, for fs\n"
                       "2.2 kHz to 10 MHz: one section (or the fewest the\n"
                       "curve needs) unless --sections or --tolerance\n"
                       "choose; those two imply minimax, and the matched\n"
                       "design refuses them: its sections follow from the\n"
                       "curve's time constants")
        ->type_name("METHOD")
        ->transform(OneOf(kMethodNames).description(""));
}

void AddNormalizeOption(CLI::App& app, GainReference& normalize) {
    app.add_option("--normalize", normalize,
                   WrappedChoices(NamesOf(kNormalizeNames), kHelpWidth) + "\n" +
                       "dc: the gain applies at DC (the default);\n"
                       "1k: it applies at 1 kHz instead (always, for a\n"
                       "curve whose gain at DC is zero or infinite)")
        ->type_name("WHERE")
        ->transform(OneOf(kNormalizeNames).description(""));
}

void AddDesignOptions(CLI::App& app, DesignOptions& options) {
    app.add_option("--curve", options.curve,
                   CurveNameList() +
                       "\n"
                       "The equalisation curve (default riaa): a name\n"
                       "above (--list-curves describes them);\n"
                       "custom:3180u,318u,75u, time constants\n"
                       "alternating pole, zero, pole (p: and z: mark\n"
                       "one, inf a factor at DC); or\n"
                       "turnover:500,shelf:50,rolloff:13.7 (Hz, Hz, dB\n"
                       "at 10 kHz; treble:2122 gives the treble corner\n"
                       "in Hz instead). --inverse gives its recording\n"
                       "curve")
        ->type_name("NAME");
    app.add_option("--sections", options.sections,
                   "A minimax cascade of N second-order sections, 1\n"
                   "to 4 (at least what the curve needs), not\n"
                   "counting the rumble filter's")
        ->type_name("N");
    app.add_option("--tolerance", options.tolerance,
                   "The minimax cascade of the fewest sections (up to\n"
                   "4, not counting the rumble filter's) that stays\n"
                   "within DB of the curve over 20 Hz to min(20 kHz,\n"
                   "0.46 fs)")
        ->type_name("DB");
    AddDesignMethodOption(app, options.method);
    options.methodOption = app.get_option("--method");
    AddNormalizeOption(app, options.normalize);
    app.add_option("--rumble", options.rumble,
                   "Add a Butterworth high-pass with its -3 dB corner\n"
                   "at HZ (1 Hz to fs/20, such as 20) after the curve,\n"
                   "in either direction: against rumble, DC offset\n"
                   "and warps. Its sections follow the curve's, and\n"
                   "the response is measured against the curve times\n"
                   "the analogue high-pass")
        ->type_name("HZ");
    app.add_option("--rumble-order", options.rumbleOrder,
                   "The rumble filter's order, 1 to 4 (default 2):\n"
                   "6 dB an octave for each, below the corner")
        ->type_name("N");
}

std::optional<std::string> PartlyReadDesignEntryMessage(
    const std::string& gain, const std::optional<std::string>& zeroFreq) {
    if (auto problem = PartlyReadEntryMessage("--gain", gain, EntryKind::Factor)) {
        return problem;
    }
    if (zeroFreq && !zeroFreq->empty()) {
        return PartlyReadEntryMessage("--extra-zero", *zeroFreq, EntryKind::Frequency);
    }
    return std::nullopt;
}

Result<DesignChoice> ReadDesignChoice(const DesignOptions& options, bool hasExtraZero) {
    DesignChoice choice;
    const CurveReading reading = ReadCurveEntry(options.curve);
    if (!reading.ok()) {
        return Refused("--curve: " + reading.error());
    }
    choice.curve = reading.value();
    choice.riaa = choice.curve.name == NamedCurves().front().name;
    if (hasExtraZero && !choice.riaa) {
        return Refused("--extra-zero adds a zero to the RIAA curve only; give " +
                       choice.curve.name + " a zero of its own with --curve custom:...");
    }
    const bool methodGiven = options.methodOption != nullptr && options.methodOption->count() > 0;
    const bool choosesSections = options.sections.has_value() || options.tolerance.has_value();
    if (methodGiven && options.method == DesignMethod::Matched && choosesSections) {
        return Refused(std::string(options.sections.has_value() ? "--sections" : "--tolerance") +
                       " chooses a minimax cascade, and --method=matched designs the sections "
                       "that the curve's time constants give; drop one of them");
    }
    if (options.sections.has_value() && options.tolerance.has_value()) {
        return Refused(
            "--sections and --tolerance cannot go together: the tolerance picks "
            "the number of sections");
    }
    choice.method = choosesSections ? DesignMethod::Minimax : options.method;
    choice.normalize = options.normalize;
    if (options.sections.has_value()) {
        choice.sections = ReadSections(*options.sections);
        if (!choice.sections) {
            return Refused("--sections: \"" + *options.sections +
                           "\" is not a number of sections "
                           "from 1 to " +
                           std::to_string(kMaxCascadeSections));
        }
        const int least = MinimumCascadeSections(choice.curve.curve);
        if (*choice.sections < least) {
            return Refused("--sections " + *options.sections + ": the curve " + choice.curve.name +
                           " needs at least " + std::to_string(least) + " sections");
        }
    }
    if (options.tolerance.has_value()) {
        choice.toleranceDb = ReadPositiveNumber(*options.tolerance);
        if (!choice.toleranceDb) {
            return Refused("--tolerance: \"" + *options.tolerance +
                           "\" is not a positive number of dB (such as 0.01)");
        }
    }
    if (options.rumbleOrder.has_value() && !options.rumble.has_value()) {
        return Refused(
            "--rumble-order sets the order of the rumble filter; add --rumble HZ, "
            "its corner (such as --rumble 20)");
    }
    if (options.rumble.has_value()) {
        const std::optional<double> corner = ReadPositiveNumber(*options.rumble);
        if (!corner) {
            return Refused("--rumble: \"" + *options.rumble +
                           "\" is not a corner frequency in Hz (such as 20)");
        }
        RumbleFilter rumble{*corner};
        if (options.rumbleOrder.has_value()) {
            const std::optional<int> order = ReadRumbleOrder(*options.rumbleOrder);
            if (!order) {
                return Refused("--rumble-order: \"" + *options.rumbleOrder +
                               "\" is not an order from 1 to " + std::to_string(kMaxRumbleOrder));
            }
            rumble.order = *order;
        }
        choice.rumble = rumble;
    }
    return choice;
}

void DescribeDesignDefaults(CLI::App& command, const std::string& method,
                            const std::string& normalize) {
    command.get_option("--method")
        ->description(WrappedChoices(NamesOf(kMethodNames), kHelpWidth) + "\n" + method);
    command.get_option("--normalize")
        ->description(WrappedChoices(NamesOf(kNormalizeNames), kHelpWidth) + "\n" + normalize);
}
