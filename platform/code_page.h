#pragma once
// The program's single-byte code page, Windows-1252, and Unicode.
//
// Files, clipboard-free text and every string the resources hold are Windows-1252 bytes;
// Qt works in UTF-16. This is the one place where the two meet. The mapping is lossless
// for bytes: every byte 0x00-0xFF has a code point and comes back unchanged, including the
// five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D), which map to the
// C1 control code points of the same value, as Windows' own converter does.

#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The code point that a Windows-1252 byte stands for.
char16_t CodePageToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, or nothing when the code page cannot store it.
std::optional<unsigned char> UnicodeToCodePage(char32_t codePoint);

// Bytes to text; never fails and never loses a byte.
QString FromCodePage(std::string_view bytes);

// Text to bytes. A character the code page cannot store (a surrogate pair counts as one)
// becomes '?'; ask FirstUnstorable() first where the user must be told.
std::string ToCodePage(QStringView text);

// Index (in UTF-16 units) of the first character that ToCodePage() could not store, or
// nothing when the whole text is storable.
std::optional<qsizetype> FirstUnstorable(QStringView text);

}  // namespace platform
