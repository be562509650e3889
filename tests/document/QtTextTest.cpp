#include <gtest/gtest.h>

#include "document/QtText.h"

TEST(QtText, ModelBytesAndQtStrings) {
    EXPECT_EQ(QtText::FromModel("\x80 caf\xE9"), QString::fromUtf8("\xE2\x82\xAC caf\xC3\xA9"));
    std::string bytes;
    EXPECT_TRUE(QtText::ToModel(QString::fromUtf8("\xE2\x82\xAC"), bytes));
    EXPECT_EQ(bytes, "\x80");
    char32_t refused = 0;
    EXPECT_FALSE(QtText::ToModel(QString::fromUtf8("\xF0\x9F\x98\x80"), bytes, &refused));
    EXPECT_EQ(refused, U'\U0001F600');

    // Straight into a model field, which owns what was typed; a refused text leaves
    // the field as it was.
    std::string file = "caf\xE9";
    Text field = Text::Refer(file);
    EXPECT_EQ(QtText::FromModel(field), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_FALSE(QtText::ToModel(QString::fromUtf8("\xF0\x9F\x98\x80"), field));
    EXPECT_TRUE(field.Refers());
    EXPECT_TRUE(QtText::ToModel(QString::fromUtf8("na\xC3\xAFve"), field));
    EXPECT_FALSE(field.Refers());
    EXPECT_EQ(field, "na\xEFve");
}
