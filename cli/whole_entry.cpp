#include "whole_entry.h"

#include <algorithm>
#include <cstring>

#include "argument_text.h"
#include "base/eng_value.h"
#include "base/number_text.h"

namespace {

// As many characters as the entry reader takes.
constexpr std::size_t kReadLength = 31;

constexpr char kPrefixLetters[] = "yzafpnumkMGTPEZY";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitsFrom(const std::string& text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The length of the number at the start of text as the reader takes it: a sign, digits
// with a point, then an exponent or one prefix letter (micro typed as "µ" in UTF-8 or
// as the Windows-1252 byte), not both: the reader would apply neither as meant. 0 when
// the text does not start with a number.
std::size_t NumberLength(const std::string& text) {
    std::size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    const std::size_t integerEnd = DigitsFrom(text, at);
    std::size_t end = integerEnd;
    if (end < text.size() && text[end] == '.') {
        end = DigitsFrom(text, end + 1);
    }
    if (end == at || (end == at + 1 && text[at] == '.')) {
        return 0;
    }
    if (end < text.size() && text[end] == 'e') {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = DigitsFrom(text, exponent);
        return exponentEnd > exponent ? exponentEnd : end;
    }
    if (end < text.size() && text[end] != '\0' && std::strchr(kPrefixLetters, text[end])) {
        return end + 1;
    }
    if (text.compare(end, 2, "\xC2\xB5") == 0) {
        return end + 2;
    }
    if (end < text.size() && text[end] == '\xB5') {
        return end + 1;
    }
    return end;
}

// "Hz" or " Hz" after a frequency, in any case: the unit, not text left over.
std::size_t UnitLength(const std::string& text, std::size_t at) {
    const std::size_t unit = at < text.size() && text[at] == ' ' ? at + 1 : at;
    if (text.size() - unit == 2 && (text[unit] == 'H' || text[unit] == 'h') &&
        (text[unit + 1] == 'z' || text[unit + 1] == 'Z')) {
        return text.size() - at;
    }
    return 0;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Hint(EntryKind kind) {
    return kind == EntryKind::Frequency
               ? "; write the number alone, decimals after a point (such as 44.1k)"
               : "; write the number alone, decimals after a point (such as 0.5 or 2)";
}

}  // namespace

std::optional<std::string> PartlyReadEntryMessage(const std::string& option,
                                                  const std::string& argument, EntryKind kind) {
    const EngValue value = ReadEngValue(EntryTextFromArgument(argument).c_str());
    if (!value.readable) {
        return std::nullopt;
    }
    const std::string readAs = " would be read as " + FormatShortest(value.value);
    const std::size_t number = NumberLength(argument);
    if (number == 0) {
        return option + ": " + Quoted(argument) + " does not start with its number (it" + readAs +
               ")" + Hint(kind);
    }
    const std::size_t unit = kind == EntryKind::Frequency ? UnitLength(argument, number) : 0;
    if (number + unit == argument.size() && EntryTextFromArgument(argument).size() <= kReadLength) {
        return std::nullopt;
    }
    const std::size_t read = std::min(number, kReadLength);
    return option + ": " + Quoted(argument) + readAs + ", leaving " +
           Quoted(argument.substr(read)) + " unread" + Hint(kind);
}
