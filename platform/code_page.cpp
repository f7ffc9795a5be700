#include "code_page.h"

#include "windows1252.h"

namespace platform {
namespace {

// Walks text by code point, handing each with its UTF-16 index to visit; stops early when
// visit returns false. An unpaired surrogate is passed as itself and is never storable.
template <typename Visitor>
void ForEachCodePoint(QStringView text, Visitor visit) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        char32_t codePoint = unit;
        const qsizetype start = i;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            codePoint = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            ++i;
        }
        if (!visit(codePoint, start)) {
            return;
        }
    }
}

}  // namespace

QString FromCodePage(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        // Windows-1252 holds nothing beyond the Basic Multilingual Plane.
        *out++ =
            QChar(static_cast<char16_t>(Windows1252CodePoint(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string ToCodePage(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    ForEachCodePoint(text, [&bytes](char32_t codePoint, qsizetype) {
        bytes.push_back(static_cast<char>(Windows1252Byte(codePoint).value_or('?')));
        return true;
    });
    return bytes;
}

std::optional<qsizetype> FirstUnstorable(QStringView text) {
    std::optional<qsizetype> found;
    ForEachCodePoint(text, [&found](char32_t codePoint, qsizetype index) {
        if (!Windows1252Byte(codePoint)) {
            found = index;
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace platform
