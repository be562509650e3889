#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CompactArray.h"
#include "model/Text.h"

TEST(Text, ReferringTextsFollowTheirBytesAndCopiesOwnTheirs) {
    std::string file = "Version=1.04";
    Text referring = Text::Refer(std::string_view(file).substr(8));
    EXPECT_TRUE(referring.Refers());
    EXPECT_EQ(referring.data(), file.data() + 8) << "no copy is made";

    Text copied(referring);
    Text assigned;
    assigned = referring;
    Text moved = Text::Refer(std::string_view(file).substr(8));
    Text target = std::move(moved);
    EXPECT_FALSE(copied.Refers());
    EXPECT_FALSE(assigned.Refers());
    EXPECT_TRUE(target.Refers()) << "moving keeps what the text was";
    EXPECT_TRUE(moved.empty());

    file.replace(8, 4, "2.00");
    EXPECT_EQ(referring, "2.00");
    EXPECT_EQ(copied, "1.04");
    EXPECT_EQ(assigned, "1.04");

    referring.Own();
    file.replace(8, 4, "9.99");
    EXPECT_EQ(referring, "2.00");
    EXPECT_FALSE(referring.Refers());
}

TEST(Text, SlicesReferOnlyWhereTheirWholeDoes) {
    std::string bytes = "port, \"A valid Port\"";
    Text referring = Text::Refer(bytes);
    Text owned(bytes);
    Text a = Text::Slice(referring, 7, 12);
    Text b = Text::Slice(owned, 7, 12);
    EXPECT_EQ(a, "A valid Port");
    EXPECT_EQ(b, "A valid Port");
    EXPECT_TRUE(a.Refers());
    EXPECT_FALSE(b.Refers()) << "an owned text can change, so its slice must not depend on it";
    owned = "something else entirely";
    EXPECT_EQ(b, "A valid Port");
}

TEST(Text, HoldsEveryByteAndAssignsFromItself) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    Text text(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text, all) << "zero bytes and line ends included";
    EXPECT_EQ(text.str(), all);

    // Assigning a part of its own bytes must not read them after they are freed.
    text = text.view().substr(65, 3);
    EXPECT_EQ(text, "ABC");
    text = text;
    EXPECT_EQ(text, "ABC");
    text.clear();
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(text.Refers());
}

TEST(Text, ComparesWithEveryKindOfString) {
    Text text("Lamp:On");
    std::string same = "Lamp:On";
    EXPECT_TRUE(text == "Lamp:On");
    EXPECT_TRUE(text == same);
    EXPECT_TRUE(text == std::string_view(same));
    EXPECT_TRUE(text == Text::Refer(same));
    EXPECT_FALSE(text == "Lamp");
    EXPECT_TRUE(Text("a") < Text("b"));
    EXPECT_TRUE(Text() == "");
}

TEST(CompactArray, ReadingTakesNoMemoryAndTheFirstChangeTakesRoomForAll) {
    CompactArray<Text, 20> bytes;
    const auto& view = bytes;
    EXPECT_TRUE(view[19].empty());
    EXPECT_EQ(bytes.Stored(), 0u) << "reading an entry stores nothing";
    int count = 0;
    for (const Text& byte : view) {
        EXPECT_TRUE(byte.empty());
        ++count;
    }
    EXPECT_EQ(count, 20);

    Text& first = bytes[0];
    first = "0x52";
    EXPECT_EQ(bytes.Stored(), 20u);
    // References stay valid once the array has been changed.
    bytes[19] = "0x0D";
    first = "0x53";
    EXPECT_EQ(view[0], "0x53");
    EXPECT_EQ(view[19], "0x0D");
}

TEST(CompactArray, ResetStoresExactlyAndCopiesAreDeep) {
    CompactArray<Text, 10> params;
    std::string file = "abc";
    auto stored = params.Reset(2);
    ASSERT_EQ(stored.size(), 2u);
    stored[0] = Text::Refer(file);
    stored[1] = "owned";
    EXPECT_EQ(params.Stored(), 2u);
    EXPECT_EQ(params.Reset(12).size(), 10u) << "never more than the array's size";

    params.Reset(2)[0] = Text::Refer(file);
    CompactArray<Text, 10> copy = params;
    EXPECT_EQ(copy.Stored(), 2u);
    EXPECT_TRUE(copy == params);
    EXPECT_FALSE(std::as_const(copy)[0].Refers());
    file = "xyz";
    EXPECT_EQ(std::as_const(copy)[0], "abc");

    // Equality looks at all entries, stored or not.
    CompactArray<Text, 10> grown;
    grown[0] = "xyz";
    EXPECT_EQ(grown.Stored(), 10u);
    EXPECT_TRUE(grown == params);
    grown[9] = "x";
    EXPECT_FALSE(grown == params);
}
