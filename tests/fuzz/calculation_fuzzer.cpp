// The whole calculation from five dialog entries. The first byte gives the two check
// boxes; the rest is the sampling frequency, gain and zero frequency texts separated
// by line feeds (the dialog's single-line fields hold none).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/eng_value.h"
#include "reports/filter_calculation.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string NextField(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string field(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return field;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool EveryLineEndsInCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    FilterEntries entries;
    entries.extraZero = (data[0] & 1) != 0;
    entries.inverse = (data[0] & 2) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    entries.sampleFreq = NextField(rest);
    entries.gain = NextField(rest);
    entries.zeroFreq = NextField(rest);

    const FilterCalculation calculation = CalculateFilter(entries);
    const RiaaCoefficients& c = calculation.coefficients;

    Require(SameBits(calculation.samplingFrequency, ParseEngValue(entries.sampleFreq.c_str())));
    Require(SameBits(calculation.gain, ParseEngValue(entries.gain.c_str())));
    Require(entries.extraZero ? calculation.extraZeroValue >= 1.0
                              : calculation.extraZeroValue == 0.0);
    Require(calculation.inverse == (entries.inverse ? 1 : 0));
    Require((c.numCount == 2 || c.numCount == 3) && (c.denCount == 2 || c.denCount == 3));
    Require(c.numCount == 3 || c.denCount == 3);
    Require(c.den[0] == 1.0);
    Require(calculation.text.rfind("Filter calculated for:\r\nSampling frequency: ", 0) == 0);
    Require(calculation.text.size() > 5 &&
            calculation.text.compare(calculation.text.size() - 5, 5, ")\r\n\r\n") == 0);
    Require(EveryLineEndsInCrLf(calculation.text));
    return 0;
}
