#include <gtest/gtest.h>

#include "model/Codepage.h"

TEST(Codepage, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    std::string utf8 = Codepage::ToUtf8(all);
    std::string back;
    ASSERT_TRUE(Codepage::FromUtf8(utf8, back));
    EXPECT_EQ(back, all);

    // Each byte also maps to a distinct character on its own.
    for (int b = 0; b < 256; ++b) {
        char32_t ch = Codepage::ToUnicode(static_cast<unsigned char>(b));
        EXPECT_EQ(Codepage::FromUnicode(ch), b) << "byte " << b;
    }
}

TEST(Codepage, MapsTheWindowsRangeAndTheUnassignedBytes) {
    EXPECT_EQ(Codepage::ToUnicode(0x80), U'\u20AC'); // euro sign
    EXPECT_EQ(Codepage::ToUnicode(0x92), U'\u2019');
    EXPECT_EQ(Codepage::ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Codepage::ToUnicode(0xE9), U'\u00E9');
    for (unsigned char unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Codepage::ToUnicode(unassigned), static_cast<char32_t>(unassigned));
    }
    EXPECT_EQ(Codepage::ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(Codepage, RefusesCharactersOutsideTheCodePageAndKeepsTheTarget) {
    std::string bytes = "unchanged";
    char32_t refused = 0;
    // A CJK character, and U+0080 whose byte belongs to the euro sign.
    EXPECT_FALSE(Codepage::FromUtf8("ab\xE4\xB8\xAD", bytes, &refused));
    EXPECT_EQ(refused, U'\u4E2D');
    EXPECT_FALSE(Codepage::FromUtf8("\xC2\x80", bytes, &refused));
    EXPECT_EQ(refused, U'\u0080');
    EXPECT_EQ(bytes, "unchanged");

    std::string message = Codepage::RefusalMessage(U'\u4E2D');
    EXPECT_NE(message.find("U+4E2D"), std::string::npos);
    EXPECT_NE(message.find("\xE4\xB8\xAD"), std::string::npos);
}

TEST(Codepage, RefusesMalformedUtf8) {
    std::string bytes;
    char32_t refused = 0;
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xFF", "a\xE2\x82"}) {
        EXPECT_FALSE(Codepage::FromUtf8(bad, bytes, &refused)) << bad;
        EXPECT_EQ(refused, U'\uFFFD');
    }
}
