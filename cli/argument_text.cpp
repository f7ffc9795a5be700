#include "argument_text.h"

#include <optional>

#include "windows1252.h"

std::string EntryTextFromArgument(std::string_view argument) {
    std::optional<std::string> converted = Utf8ToWindows1252(argument);
    if (converted) {
        return std::move(*converted);
    }
    return std::string(argument);
}
