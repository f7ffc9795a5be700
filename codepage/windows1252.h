#pragma once
// Windows-1252, the single-byte code page of every text the programs store (the micro
// sign is 0xB5), and Unicode. The one table of the code page: the command-line tool and
// the desktop program's framework layer both convert through it.
//
// Every byte has a reading: the five bytes that Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number, as Windows
// itself maps them, so no byte is lost on the way to Unicode and back.

#include <optional>
#include <string>
#include <string_view>

// The code point a byte stands for.
char32_t Windows1252CodePoint(unsigned char byte);

// The byte for a code point, or nothing when the code page cannot hold it.
std::optional<unsigned char> Windows1252Byte(char32_t codePoint);

std::string Windows1252ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 (bad sequences, overlong forms, surrogates).
// A character that Windows-1252 cannot hold becomes '?'.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);
