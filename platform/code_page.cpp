#include "code_page.h"

#include <array>

namespace platform {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes it leaves undefined
// keep their C1 code points so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighControlRange = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr char kUnstorableReplacement = '?';

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

char16_t CodePageToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlRange[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> UnicodeToCodePage(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

QString FromCodePage(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        *out++ = QChar(CodePageToUnicode(static_cast<unsigned char>(byte)));
    }
    return text;
}

std::string ToCodePage(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    ForEachCodePoint(text, [&bytes](char32_t codePoint, qsizetype) {
        const auto byte = UnicodeToCodePage(codePoint);
        bytes.push_back(byte ? static_cast<char>(*byte) : kUnstorableReplacement);
        return true;
    });
    return bytes;
}

std::optional<qsizetype> FirstUnstorable(QStringView text) {
    std::optional<qsizetype> found;
    ForEachCodePoint(text, [&found](char32_t codePoint, qsizetype index) {
        if (!UnicodeToCodePage(codePoint)) {
            found = index;
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace platform
