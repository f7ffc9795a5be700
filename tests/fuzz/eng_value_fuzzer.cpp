// Any bytes at all must read without a fault, and only as the reader promises.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/eng_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An embedded NUL ends the text, as it ends any C string.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const EngValue reading = ReadEngValue(text.c_str());

    if (!reading.readable && reading.value != 0.0) {
        std::abort();
    }
    // Only decimal numbers read, so no text gives a NaN.
    if (std::isnan(reading.value)) {
        std::abort();
    }
    // Nothing after the 31st character counts.
    const std::string first31 = std::string(text.c_str()).substr(0, 31);
    const EngValue cut = ReadEngValue(first31.c_str());
    if (cut.readable != reading.readable ||
        std::memcmp(&cut.value, &reading.value, sizeof cut.value) != 0) {
        std::abort();
    }
    return 0;
}
