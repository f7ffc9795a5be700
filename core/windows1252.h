#pragma once
// The program's texts are single-byte Windows-1252 (the micro sign is 0xB5); the
// terminal and JSON speak UTF-8.

#include <optional>
#include <string>
#include <string_view>

// Every byte has a reading: the five bytes that Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number, as
// Windows itself maps them.
std::string Windows1252ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 (bad sequences, overlong forms, surrogates).
// A character that Windows-1252 cannot hold becomes '?'.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);
