#pragma once
// Where the layer's single-byte types meet Qt: text, paths and resource images.
// For the layer's own sources only; the program's classes never see Qt.

#include "cstring.h"
#include "resource_types.h"

#include <QIcon>
#include <QImage>
#include <QString>

#include <optional>
#include <string_view>

namespace platform {

// Windows-1252 text <-> Unicode. A null text is the empty text.
QString ToQString(std::string_view text);
inline QString ToQString(const char* text) {
    return ToQString(text != nullptr ? std::string_view(text) : std::string_view());
}
inline QString ToQString(const CString& text) { return ToQString(text.View()); }
CString ToCString(const QString& text);

// File paths are the operating system's bytes (UTF-8 on Linux), not Windows-1252 text:
// a name in any script survives the trip through the program's strings.
QString PathToQt(const CString& path);
CString PathFromQt(const QString& path);

// A 16-colour resource image. Pixels of transparentIndex (and ' ') become transparent;
// characters that are no upper-case hexadecimal digit, and rows that are short or missing,
// are transparent too, so a damaged resource shows gaps rather than failing.
QImage ImageFromResource(const Image16& image, std::optional<int> transparentIndex = {});

// An icon with every size its resource holds; a null icon when there is none.
QIcon IconFromResource(UINT id);

}  // namespace platform
