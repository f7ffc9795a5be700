#include "windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Windows1252, EveryByteSurvivesTheWayThroughUtf8) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        everyByte += static_cast<char>(byte);
    }
    const std::optional<std::string> back = Utf8ToWindows1252(Windows1252ToUtf8(everyByte));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, everyByte);
}

TEST(Windows1252, MapsTheCharactersOfItsOwnRange) {
    EXPECT_EQ(Windows1252ToUtf8("2.2\xB5"), "2.2\xC2\xB5");
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Utf8ToWindows1252("2.2\xC2\xB5"), "2.2\xB5");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x80\x94"), "\x97");  // em dash
    EXPECT_EQ(Utf8ToWindows1252("\xC5\xB8"), "\x9F");      // Y with diaeresis
}

TEST(Windows1252, TheUndefinedBytesKeepTheirOwnNumbers) {
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Windows1252CodePoint(undefined), char32_t{undefined});
        EXPECT_EQ(Windows1252Byte(undefined), undefined);
    }
    EXPECT_EQ(Windows1252CodePoint(0xB5), U'\u00B5');  // micro sign, the prefix of "2.2µ"
    EXPECT_FALSE(Windows1252Byte(U'\u0080').has_value()) << "0x80 is the euro sign";
}

TEST(Windows1252, CharactersItCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToWindows1252("1\xCE\xA9"), "1?");          // Greek capital omega
    EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x8E\xB5k"), "?k");  // a four-byte character
}

TEST(Windows1252, RejectsMalformedUtf8) {
    for (const char* malformed : {
             "2.2\xB5",           // a raw Windows-1252 micro sign
             "\xC2",              // cut short
             "\xE2\x82",          // cut short
             "\xC0\xAF",          // overlong slash
             "\xE0\x80\xAF",      // overlong slash
             "\xED\xA0\x80",      // surrogate
             "\xF4\x90\x80\x80",  // beyond U+10FFFF
             "\xC2\x41",          // no continuation byte
             "\xFF",
         }) {
        EXPECT_FALSE(Utf8ToWindows1252(malformed).has_value()) << testing::PrintToString(malformed);
    }
}

}  // namespace
