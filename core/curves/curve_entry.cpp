#include "curves/curve_entry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "base/eng_value.h"
#include "base/number_text.h"
#include "curves/named_curves.h"
#include "curves/nearest_curves.h"

namespace {

constexpr std::string_view kCustomPrefix = "custom:";
constexpr std::string_view kTurnoverPrefix = "turnover:";
constexpr double kRollOffReferenceHz = 10000.0;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Drops a unit the user may write after the figure ("318us", "500 Hz").
std::string_view WithoutUnit(std::string_view text, std::string_view unit) {
    if (text.size() >= unit.size() && text.substr(text.size() - unit.size()) == unit) {
        return Trimmed(text.substr(0, text.size() - unit.size()));
    }
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as the reader's own forms write it: an optional sign, digits with an
// optional point, then either an exponent ("3.18e-3") or one SI prefix letter ("3180u").
// The reader itself is lenient (it skips what comes before a number and stops at what
// follows); an entry here must be the number and nothing else.
std::optional<double> ReadStrictEngValue(std::string_view text) {
    std::string work(text);
    for (std::string_view micro : {"\xC2\xB5", "\xCE\xBC", "\xB5"}) {  // µ, Greek mu, Windows-1252
        if (work.ends_with(micro)) {
            work.replace(work.size() - micro.size(), micro.size(), "u");
            break;
        }
    }
    constexpr std::string_view kPrefixLetters = "yzafpnumkMGTPEZY";
    std::size_t end = work.size();
    if (end > 0 && kPrefixLetters.find(work[end - 1]) != std::string_view::npos) {
        --end;
    }
    std::size_t i = (end > 0 && (work[0] == '-' || work[0] == '+')) ? 1 : 0;
    std::size_t digits = 0;
    for (; i < end && IsDigit(work[i]); ++i) ++digits;
    if (i < end && work[i] == '.') {
        for (++i; i < end && IsDigit(work[i]); ++i) ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < end && work[i] == 'e' && end == work.size()) {
        std::size_t exponentDigits = 0;
        i += (i + 1 < end && (work[i + 1] == '-' || work[i + 1] == '+')) ? 2 : 1;
        for (; i < end && IsDigit(work[i]); ++i) ++exponentDigits;
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    // The reader looks at 31 characters; a longer entry would be cut, not read.
    if (i != end || work.size() > 31) {
        return std::nullopt;
    }
    const EngValue value = ReadEngValue(work.c_str());
    if (!value.readable) {
        return std::nullopt;
    }
    return value.value;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Checks a time constant; the empty string when it is usable.
std::string TauProblem(double tau) {
    if (!std::isfinite(tau)) {
        return "is not finite";
    }
    if (tau <= 0.0) {
        return "is not positive";
    }
    if (tau < kShortestCurveTau || tau > kLongestCurveTau) {
        return "lies outside " + FormatShortest(kShortestCurveTau) + " s to " +
               FormatShortest(kLongestCurveTau) + " s";
    }
    return {};
}

CurveReading Refusal(std::string error) { return CurveReading::Failure(std::move(error)); }

struct ListedConstant {
    bool pole;
    std::optional<double> tau;  // none: infinite, a factor at DC
    std::string text;           // as typed, for messages
};

std::string EntryLabel(std::size_t index, const ListedConstant& constant) {
    return "entry " + std::to_string(index + 1) + " (" + Quoted(constant.text) + ")";
}

std::string Counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// "entry 2" or "entries 2, 4".
std::string EntryNumbers(const std::vector<std::size_t>& indices) {
    std::string text = indices.size() == 1 ? "entry " : "entries ";
    for (std::size_t i = 0; i < indices.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(indices[i] + 1);
    }
    return text;
}

// The τ of a factor at DC: the nearest finite entry before it, else after it.
std::optional<double> DcFactorTau(const std::vector<ListedConstant>& constants, std::size_t at) {
    for (std::size_t i = at; i-- > 0;) {
        if (constants[i].tau) return constants[i].tau;
    }
    for (std::size_t i = at + 1; i < constants.size(); ++i) {
        if (constants[i].tau) return constants[i].tau;
    }
    return std::nullopt;
}

CurveReading ReadCustomCurve(std::string_view entry, std::string_view list) {
    constexpr std::string_view kWhat = "custom curve: ";
    if (Trimmed(list).empty()) {
        return Refusal(std::string(kWhat) +
                       "no time constants (write them as custom:3180u,318u,75u)");
    }
    std::vector<ListedConstant> constants;
    bool nextIsPole = true;
    for (std::size_t start = 0; start <= list.size();) {
        if (constants.size() == kMostCurveTimeConstants) {
            return Refusal(std::string(kWhat) + "more than " +
                           std::to_string(kMostCurveTimeConstants) +
                           " time constants; a curve needs a few (RIAA has three)");
        }
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string_view text = Trimmed(list.substr(start, comma - start));
        start = comma + 1;
        ListedConstant constant{nextIsPole, std::nullopt, std::string(text)};
        const std::string label = EntryLabel(constants.size(), constant);
        if (StartsWith(text, "p:") || StartsWith(text, "z:")) {
            constant.pole = text[0] == 'p';
            text = Trimmed(text.substr(2));
        }
        nextIsPole = !constant.pole;
        const std::string_view figure = WithoutUnit(text, "s");
        if (figure != "inf" && figure != "\xE2\x88\x9E") {  // ∞
            const std::optional<double> tau = ReadStrictEngValue(figure);
            if (!tau) {
                return Refusal(std::string(kWhat) + label +
                               " is not a time constant (seconds with an optional SI prefix, "
                               "as 318u, or inf)");
            }
            if (const std::string problem = TauProblem(*tau); !problem.empty()) {
                return Refusal(std::string(kWhat) + label + " " + problem);
            }
            constant.tau = tau;
        }
        constants.push_back(std::move(constant));
    }

    std::vector<std::size_t> zeros;
    std::vector<std::size_t> poles;
    std::optional<std::size_t> dcPole;
    std::optional<std::size_t> dcZero;
    for (std::size_t i = 0; i < constants.size(); ++i) {
        (constants[i].pole ? poles : zeros).push_back(i);
        if (!constants[i].tau) (constants[i].pole ? dcPole : dcZero) = i;
    }
    if (zeros.size() > poles.size()) {
        return Refusal(std::string(kWhat) + Counted(zeros.size(), "zero") + " (" +
                       EntryNumbers(zeros) + ") but " + Counted(poles.size(), "pole") +
                       ": more zeros than poles would make the gain grow without limit at high "
                       "frequencies");
    }
    if (dcPole && dcZero) {
        return Refusal(std::string(kWhat) + EntryLabel(*dcPole, constants[*dcPole]) + " and " +
                       EntryLabel(*dcZero, constants[*dcZero]) +
                       ": a pole and a zero at DC cancel; leave both out");
    }

    ChosenCurve reading;
    for (std::size_t i = 0; i < constants.size(); ++i) {
        const ListedConstant& constant = constants[i];
        if (constant.tau) {
            (constant.pole ? reading.curve.poleTaus : reading.curve.zeroTaus)
                .push_back(*constant.tau);
            continue;
        }
        const std::optional<double> tau = DcFactorTau(constants, i);
        if (!tau) {
            return Refusal(std::string(kWhat) + "every entry is inf; at least one must be finite");
        }
        (constant.pole ? reading.curve.dcPoleTaus : reading.curve.dcZeroTaus).push_back(*tau);
    }
    reading.name = std::string(entry);
    reading.description = "custom curve of " + std::to_string(constants.size()) + " time constants";
    return reading;
}

// A positive frequency too high for a double's τ gives the smallest τ there is, not 0,
// so that the range check names it as too short rather than as not positive.
double TauOfFrequency(double frequencyHz) {
    return std::max(1.0 / (2.0 * std::numbers::pi * frequencyHz),
                    std::numeric_limits<double>::denorm_min());
}

// The treble pole of a turnover curve and its words: none for a flat treble.
struct Treble {
    std::optional<double> tau;
    std::string words = "flat treble";
};

// The pole that alone is `rollOffDb` dB down at 10 kHz (sign ignored; 0: flat).
Treble TrebleOfRollOff(double rollOffDb) {
    const double rollOff = std::abs(rollOffDb);
    if (!(rollOff > 0.0)) {
        return {};
    }
    return {std::sqrt(std::expm1(rollOff * std::log(10.0) / 10.0)) /
                (2.0 * std::numbers::pi * kRollOffReferenceHz),
            "-" + FormatSignificant(rollOff, 6) + " dB at 10 kHz"};
}

// The curve of a turnover, an optional shelf and a treble pole, named `entry`.
CurveReading TurnoverCurve(std::string_view entry, double turnoverHz, std::optional<double> shelfHz,
                           const Treble& treble) {
    constexpr std::string_view kWhat = "turnover curve: ";
    if (shelfHz && *shelfHz >= turnoverHz) {
        return Refusal(std::string(kWhat) + "the shelf (" + FormatShortest(*shelfHz) +
                       " Hz) must lie below the turnover (" + FormatShortest(turnoverHz) + " Hz)");
    }

    ChosenCurve reading;
    const double turnoverTau = TauOfFrequency(turnoverHz);
    std::string words = "turnover " + FormatSignificant(turnoverHz, 6) + " Hz";
    if (shelfHz) {
        reading.curve.poleTaus.push_back(TauOfFrequency(*shelfHz));
        words += ", shelf " + FormatSignificant(*shelfHz, 6) + " Hz";
    } else {
        reading.curve.dcPoleTaus.push_back(turnoverTau);
        words += ", no shelf";
    }
    reading.curve.zeroTaus.push_back(turnoverTau);
    if (treble.tau) {
        reading.curve.poleTaus.push_back(*treble.tau);
    }
    words += ", " + treble.words;
    for (double tau : reading.curve.poleTaus) {
        if (const std::string problem = TauProblem(tau); !problem.empty()) {
            return Refusal(std::string(kWhat) + "a time constant of " + FormatShortest(tau) +
                           " s " + problem);
        }
    }
    if (const std::string problem = TauProblem(turnoverTau); !problem.empty()) {
        return Refusal(std::string(kWhat) + "the turnover's time constant " + problem);
    }
    reading.name = std::string(entry);
    reading.description = std::move(words);
    return reading;
}

CurveReading ReadTurnoverCurve(std::string_view entry, std::string_view list) {
    constexpr std::string_view kWhat = "turnover curve: ";
    std::optional<double> turnoverHz;
    std::optional<double> shelfHz;
    std::optional<double> rollOffDb;
    std::optional<double> trebleHz;
    bool first = true;
    for (std::size_t start = 0; start <= list.size(); first = false) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view text = Trimmed(list.substr(start, comma - start));
        start = comma + 1;
        std::string_view key = "turnover";
        std::string_view value = text;
        if (!first) {
            const std::size_t colon = text.find(':');
            key = Trimmed(text.substr(0, colon));
            value = colon == std::string_view::npos ? std::string_view{}
                                                    : Trimmed(text.substr(colon + 1));
        }
        std::optional<double>* slot = key == "turnover" && first ? &turnoverHz
                                      : key == "shelf"           ? &shelfHz
                                      : key == "rolloff"         ? &rollOffDb
                                      : key == "treble"          ? &trebleHz
                                                                 : nullptr;
        if (slot == nullptr || slot->has_value()) {
            return Refusal(std::string(kWhat) + Quoted(text) +
                           (slot == nullptr ? " is not shelf:HZ, rolloff:DB or treble:HZ"
                                            : " is given twice"));
        }
        const bool isDb = slot == &rollOffDb;
        *slot = ReadStrictEngValue(WithoutUnit(value, isDb ? "dB" : "Hz"));
        if (!*slot || !std::isfinite(**slot)) {
            return Refusal(std::string(kWhat) + Quoted(text) +
                           (isDb ? " is not a roll-off in dB at 10 kHz"
                                 : " is not a frequency in Hz (SI prefixes allowed, as 2.5k)"));
        }
        if (!isDb && **slot <= 0.0) {
            return Refusal(std::string(kWhat) + Quoted(text) + ": a frequency must be positive");
        }
    }
    if (rollOffDb && trebleHz) {
        return Refusal(std::string(kWhat) +
                       "rolloff:DB and treble:HZ both place the treble pole; give one of them");
    }
    if (trebleHz) {
        return TurnoverCurve(entry, *turnoverHz, shelfHz,
                             {TauOfFrequency(*trebleHz),
                              "treble corner " + FormatSignificant(*trebleHz, 6) + " Hz"});
    }
    return TurnoverCurve(entry, *turnoverHz, shelfHz, TrebleOfRollOff(rollOffDb.value_or(0.0)));
}

// " (did you mean riaa?)", or "" where no named curve is near the entry.
std::string Suggestion(std::string_view entry) {
    const std::vector<std::string_view> near = NearestNamedCurves(entry);
    std::string names;
    for (std::size_t i = 0; i < near.size(); ++i) {
        names += (i == 0 ? "" : i + 1 == near.size() ? " or " : ", ") + std::string(near[i]);
    }
    return names.empty() ? "" : " (did you mean " + names + "?)";
}

}  // namespace

CurveReading ReadCurveEntry(std::string_view text) {
    const std::string_view entry = Trimmed(text);
    if (StartsWith(entry, kCustomPrefix)) {
        return ReadCustomCurve(entry, entry.substr(kCustomPrefix.size()));
    }
    if (StartsWith(entry, kTurnoverPrefix)) {
        return ReadTurnoverCurve(entry, entry.substr(kTurnoverPrefix.size()));
    }
    if (const NamedCurve* named = FindNamedCurve(entry)) {
        return ChosenNamedCurve(*named);
    }
    return Refusal("unknown curve " + Quoted(entry) + Suggestion(entry) +
                   ": give a name that --list-curves shows, custom:T1,T2,... or "
                   "turnover:HZ[,shelf:HZ][,rolloff:DB|,treble:HZ]");
}

ChosenCurve ChosenNamedCurve(const NamedCurve& named) {
    ChosenCurve reading;
    reading.curve = CurveOf(named);
    reading.name = std::string(named.name);
    reading.description = std::string(named.description);
    return reading;
}

ChosenCurve ChosenRiaaCurve() { return ChosenNamedCurve(NamedCurves().front()); }

CurveReading TurnoverCurveReading(double turnoverHz, std::optional<double> shelfHz,
                                  double rollOffDbAt10kHz) {
    std::string entry = std::string(kTurnoverPrefix) + FormatShortest(turnoverHz);
    if (shelfHz) {
        entry += ",shelf:" + FormatShortest(*shelfHz);
    }
    entry += ",rolloff:" + FormatShortest(rollOffDbAt10kHz);
    for (const double frequency : {turnoverHz, shelfHz.value_or(turnoverHz)}) {
        if (!std::isfinite(frequency) || !(frequency > 0.0)) {
            return Refusal("turnover curve: " + FormatShortest(frequency) +
                           " Hz is not a positive, finite frequency");
        }
    }
    if (!std::isfinite(rollOffDbAt10kHz)) {
        return Refusal("turnover curve: the roll-off at 10 kHz must be a finite number of dB");
    }
    return TurnoverCurve(entry, turnoverHz, shelfHz, TrebleOfRollOff(rollOffDbAt10kHz));
}
