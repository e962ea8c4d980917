#include "platform/Codec.h"

#include <gtest/gtest.h>

using namespace codec;

TEST(Codec, Cp1251RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Codec, Cp1251KnownCharacters) {
    EXPECT_EQ(Utf8ToCp1251("Ёлка ёж №5"), "\xA8\xEB\xEA\xE0 \xB8\xE6 \xB9" "5");
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF"), "АЯая");
    // Plain ASCII runs are taken eight characters at a time, other characters anywhere among them.
    EXPECT_EQ(Utf8ToCp1251("ООО Acme Trading Co. №12"), "\xCE\xCE\xCE Acme Trading Co. \xB9" "12");
}

TEST(Codec, RefusesWhatWindows1251CannotHold) {
    EXPECT_THROW(Utf8ToCp1251("straße"), ETextEncoding);
    EXPECT_THROW(Utf8ToCp1251("日本"), ETextEncoding);
    EXPECT_THROW(Utf8ToCp1251(std::string("a\0b", 3)), ETextEncoding);
    EXPECT_THROW(Utf8ToCp1251(std::string("abcdefghij\0k", 12)), ETextEncoding);
    EXPECT_THROW(Utf8ToCp1251("abcdefgh straße"), ETextEncoding);
    EXPECT_THROW(Utf8ToCp1251("\xD0"), ETextEncoding);     // cut UTF-8 sequence
    EXPECT_THROW(Utf8ToCp1251("\xC0\x80"), ETextEncoding); // overlong form of code 0
    EXPECT_FALSE(IsCp1251Char(0));
    EXPECT_TRUE(IsCp1251Char(U'№'));
}

TEST(Codec, Cp866) {
    EXPECT_EQ(Utf8ToCp866("АПРпрЁё"), "\x80\x8F\x90\xAF\xE0\xF0\xF1");
    EXPECT_EQ(Cp866ToUtf8("\x80\xAF\xE0\xEF"), "Апря");
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp866(Cp866ToUtf8(all)), all);
}

// A text decoded into a string replaces what the string held, longer or shorter.
TEST(Codec, DecodesIntoAString) {
    std::string out = "a text longer than the small-string room of a string";
    Cp1251ToUtf8("\xC0\xDF", out);
    EXPECT_EQ(out, "АЯ");
    Cp1251ToUtf8("12345", out);
    EXPECT_EQ(out, "12345");
    Cp1251ToUtf8(std::string(300, '\xE0'), out);
    EXPECT_EQ(out.size(), 600u);
    EXPECT_EQ(out.substr(0, 4), "аа");
    Cp1251ToUtf8("", out);
    EXPECT_EQ(out, "");
}

TEST(Codec, CharCountAndUpperCase) {
    EXPECT_EQ(CharCount("Ёжик"), 4u);
    EXPECT_EQ(CharCount(""), 0u);
    EXPECT_EQ(UpperCase("ёжик abc Її ґ"), "ЁЖИК ABC ЇЇ Ґ");
}
