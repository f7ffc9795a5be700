#include "code_page.h"
#include "line_breaks.h"

#include <gtest/gtest.h>

#include <set>

namespace platform {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

TEST(CodePage, EveryByteSurvivesTheRoundTripAndMapsToItsOwnCodePoint) {
    const std::string bytes = AllBytes();
    const QString text = FromCodePage(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCodePage(text), bytes);
    EXPECT_FALSE(FirstUnstorable(text).has_value());
    // Two bytes sharing a code point would come back as the same byte.
    const std::set<char16_t> distinct(text.utf16(), text.utf16() + text.size());
    EXPECT_EQ(distinct.size(), 256u);
}

TEST(CodePage, FindsWhatCannotBeStoredAndMarksItOncePerCharacter) {
    // U+0080 is a C1 control Windows-1252 has no byte for (0x80 is the euro sign).
    EXPECT_EQ(FirstUnstorable(u"abc\u0080"), 3);
    EXPECT_EQ(FirstUnstorable(u"\u20AC\u4E2D"), 1);
    // A character beyond the BMP is one unstorable character, reported at its first unit.
    const QString withEmoji = QString::fromUtf8(
        "ab\xF0\x9F\x8E\xB5"
        "c");
    EXPECT_EQ(FirstUnstorable(withEmoji), 2);
    EXPECT_EQ(ToCodePage(withEmoji), "ab?c");
    // An unpaired surrogate is no character at all.
    const QChar lone[] = {QChar(u'x'), QChar(0xD800), QChar(u'y')};
    EXPECT_EQ(FirstUnstorable(QStringView(lone, 3)), 1);
    EXPECT_EQ(ToCodePage(QStringView(lone, 3)), "x?y");
}

TEST(LineBreaks, KeepsEachLinesOwnBreak) {
    const auto lines = SplitLines(u"a\r\nbb\nc\r\r\n\rd");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].lineBreak, LineBreak::CrLf);
    EXPECT_EQ(lines[1].lineBreak, LineBreak::Lf);
    EXPECT_EQ(lines[1].length, 2);
    EXPECT_EQ(lines[2].lineBreak, LineBreak::Cr);
    EXPECT_EQ(lines[3].lineBreak, LineBreak::CrLf);  // "\r\n" after a lone CR stays one break
    EXPECT_EQ(lines[4].lineBreak, LineBreak::Cr);
    EXPECT_FALSE(lines[5].hasBreak);
    EXPECT_EQ(lines[5].start, 11);
}

TEST(LineBreaks, TrailingBreakGivesAnEmptyLastLine) {
    EXPECT_EQ(SplitLines(u"").size(), 1u);
    const auto lines = SplitLines(u"x\r");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].lineBreak, LineBreak::Cr);
    EXPECT_EQ(lines[1].length, 0);
}

}  // namespace
}  // namespace platform
