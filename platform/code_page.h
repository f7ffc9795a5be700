#pragma once
// The program's single-byte text (Windows-1252) as Qt's Unicode strings: files, the
// resources' texts and the program's strings meet Qt here. Built on the one table of the
// code page (codepage/windows1252.h), so every byte 0x00-0xFF comes back unchanged.

#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Bytes to text; never fails and never loses a byte.
QString FromCodePage(std::string_view bytes);

// Text to bytes. A character the code page cannot store (a surrogate pair counts as one)
// becomes '?'; ask FirstUnstorable() first where the user must be told.
std::string ToCodePage(QStringView text);

// Index (in UTF-16 units) of the first character that ToCodePage() could not store, or
// nothing when the whole text is storable.
std::optional<qsizetype> FirstUnstorable(QStringView text);

}  // namespace platform
