#include "base/eng_value.h"

#include <cstddef>
#include <cstring>

#include "base/number_text.h"

namespace {

// Characters with which the number's text may begin: digits, point, signs, the
// exponent letters, every prefix letter, the space and the micro sign.
constexpr char kStartSet[] = "0123456789.-+dDeEyzafpnum kMGTPEZY\xB5";

// A prefix's power of ten is three times its distance from the space. The micro sign
// is looked for only when the text holds no other prefix, the space included.
constexpr char kPrefixes[] = "yzafpnum kMGTPEZY";
constexpr char kMicroPrefixes[] = "yzafpn\xB5m kMGTPEZY";
constexpr std::ptrdiff_t kNoPrefixPosition = 8;

constexpr std::size_t kMaxInputLength = 31;
// The cut text keeps at most 30 characters, and "e-24" is the longest power suffix.
constexpr std::size_t kMaxPowerSuffixLength = 4;

// Finds the leftmost character of the number's text that is in the table, and gives
// its power of ten.
char* FindPrefix(char* number, const char* table, int& power) {
    char* prefix = std::strpbrk(number, table);
    if (prefix != nullptr) {
        const std::ptrdiff_t position = std::strchr(table, *prefix) - table;
        power = static_cast<int>(position - kNoPrefixPosition) * 3;
    }
    return prefix;
}

}  // namespace

EngValue ReadEngValue(const char* text) {
    char work[kMaxInputLength + kMaxPowerSuffixLength + 1];
    std::size_t length = 0;
    while (length < kMaxInputLength && text[length] != '\0') {
        work[length] = text[length];
        ++length;
    }
    work[length] = '\0';

    char* number = std::strpbrk(work, kStartSet);
    if (number == nullptr) {
        return {0.0, false};
    }

    int power = 0;
    char* prefix = FindPrefix(number, kPrefixes, power);
    if (prefix == nullptr) {
        prefix = FindPrefix(number, kMicroPrefixes, power);
    }
    if (prefix != nullptr) {
        // The prefix is applied as text: "2.2u" becomes "2.2e-6".
        char* end = prefix;
        if (power != 0) {
            *end++ = 'e';
            end = WriteInteger(end, work + sizeof work - 1, power);
        }
        *end = '\0';
    }

    const DecimalReading reading = ReadDecimal(number);
    return {reading.value, reading.read};
}

double ParseEngValue(const char* text) { return ReadEngValue(text).value; }
