#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "ViewWindow.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

using namespace CommandId;

namespace {

std::vector<std::string> Numbered(int count, const char* stem) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) {
        texts.push_back(stem + std::to_string(i));
    }
    return texts;
}

class ParamsAndBytes : public ::testing::Test {
protected:
    ParamsAndBytes()
        : window(doc, app,
                 {MakeCommand("Video:Play", {"A", "B"}, {"0x02"}),
                  MakeCommand("Full", Numbered(10, "p"), Numbered(20, "b")),
                  MakeCommand("Three", {"A", "B", "C"}, {"x", "y", "z"})}) {}

    // The rows after the seven fixed ones.
    std::vector<std::string> Tail() const {
        std::vector<std::string> rows = window.Rows();
        return {rows.begin() + 7, rows.end()};
    }

    ScriptedPlatform platform;
    ViewApplication app;
    CTesselDoc doc;
    ViewWindow window;
};

} // namespace

TEST_F(ParamsAndBytes, NewParamAndNewByteAppendBeforeTheRowsThatFollow) {
    window.View().ShowItem(1);
    ASSERT_TRUE(window.Enabled(NewParam));
    ASSERT_TRUE(window.Run(NewParam));
    EXPECT_EQ(window.Grid().GetRowCount(), 12) << "8 + 3 parameters + 1 byte";
    EXPECT_EQ(Tail(), (std::vector<std::string>{"Param1=A", "Param2=B", "Param3=New Param",
                                                "Byte1=0x02", "Message=MSG"}));
    EXPECT_EQ(doc.GetCommand(0)->m_nParams, 3);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(window.Run(NewByte));
    EXPECT_EQ(Tail(), (std::vector<std::string>{"Param1=A", "Param2=B", "Param3=New Param",
                                                "Byte1=0x02", "Byte2=New Byte", "Message=MSG"}));
    EXPECT_EQ(doc.GetCommand(0)->m_strByte[1], "New Byte");
}

TEST_F(ParamsAndBytes, AFullCommandTakesNoMoreButTheDocumentIsMarked) {
    window.View().ShowItem(2);
    ASSERT_TRUE(window.Run(NewParam));
    ASSERT_TRUE(window.Run(NewByte));
    EXPECT_EQ(window.Grid().GetRowCount(), 38);
    EXPECT_EQ(doc.GetCommand(1)->m_nParams, 10);
    EXPECT_EQ(doc.GetCommand(1)->m_nBytes, 20);
    EXPECT_TRUE(doc.IsModified());
    // The mark is a step of its own, which undoing takes back.
    doc.Undo();
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ParamsAndBytes, OnTheDeviceHeaderTheyDoNothing) {
    window.View().ShowItem(0);
    window.Grid().GotoCell(1, 3);
    ASSERT_TRUE(window.Run(NewByte));
    ASSERT_TRUE(window.Run(NewParam));
    EXPECT_TRUE(window.Enabled(RemoveParam)) << "enabled, as the rule leaves it";
    EXPECT_TRUE(window.Enabled(RemoveByte));
    ASSERT_TRUE(window.Run(RemoveParam));
    ASSERT_TRUE(window.Run(RemoveByte));
    EXPECT_EQ(window.Grid().GetRowCount(), 18);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ParamsAndBytes, RemovingAParameterClosesTheGap) {
    window.View().ShowItem(3);
    window.Grid().GotoCell(1, 8); // Param2, the value column current
    ASSERT_TRUE(window.Enabled(RemoveParam));
    EXPECT_FALSE(window.Enabled(RemoveByte));
    ASSERT_TRUE(window.Run(RemoveParam));
    const Command& three = *doc.GetCommand(2);
    EXPECT_EQ(three.m_nParams, 2);
    EXPECT_EQ(three.m_oParam[0].m_strText, "A");
    EXPECT_EQ(three.m_oParam[1].m_strText, "C");
    EXPECT_TRUE(three.m_oParam[2].m_strText.empty());
    EXPECT_EQ(Tail(), (std::vector<std::string>{"Param1=A", "Param2=C", "Byte1=x", "Byte2=y",
                                                "Byte3=z", "Message=MSG"}));
    EXPECT_TRUE(doc.IsModified());
    // The current cell stayed on its row, which now holds the next parameter.
    EXPECT_EQ(window.Grid().GetCurrentRow(), 8);
    ASSERT_TRUE(window.Run(RemoveParam));
    EXPECT_EQ(window.Grid().GetCurrentRow(), 8);
    EXPECT_EQ(window.Grid().GetCellText(0, 8), "Byte1") << "the first byte row follows";
    EXPECT_FALSE(window.Enabled(RemoveParam));
}

TEST_F(ParamsAndBytes, TheRemoveRulesFollowTheCurrentRowsHeading) {
    window.View().ShowItem(3);
    window.Grid().GotoCell(0, 13); // Message
    EXPECT_FALSE(window.Enabled(RemoveParam));
    EXPECT_FALSE(window.Enabled(RemoveByte));
    doc.SetModifiedFlag(false);
    window.View().OnRemoveParam();
    window.View().OnRemoveByte();
    EXPECT_EQ(window.Grid().GetRowCount(), 14);
    EXPECT_FALSE(doc.IsModified());

    window.Grid().GotoCell(0, 12); // Byte3, whichever column is current
    EXPECT_FALSE(window.Enabled(RemoveParam));
    EXPECT_TRUE(window.Enabled(RemoveByte));
    ASSERT_TRUE(window.Run(RemoveByte));
    EXPECT_EQ(doc.GetCommand(2)->m_nBytes, 2);
    EXPECT_EQ(window.Grid().GetCellText(0, 12), "Message");
}

TEST_F(ParamsAndBytes, TheLastParameterAndByteOfAFullCommandGo) {
    window.View().ShowItem(2);
    window.Grid().GotoCell(1, 16);
    ASSERT_TRUE(window.Run(RemoveParam));
    const Command& full = *doc.GetCommand(1);
    EXPECT_EQ(full.m_nParams, 9);
    EXPECT_TRUE(full.m_oParam[9].m_strText.empty());
    EXPECT_EQ(full.m_oParam[8].m_strText, "p9");
    window.Grid().GotoCell(1, 35); // Byte20 now
    ASSERT_EQ(window.Grid().GetCellText(0, 35), "Byte20");
    ASSERT_TRUE(window.Run(RemoveByte));
    EXPECT_EQ(full.m_nBytes, 19);
    EXPECT_TRUE(full.m_strByte[19].empty());
    EXPECT_EQ(window.Grid().GetRowCount(), 36);
}

TEST_F(ParamsAndBytes, AnotherViewOfTheDocumentShowsTheNewRows) {
    ViewWindow second(doc, app);
    window.View().ShowItem(1);
    second.View().ShowItem(1);
    window.Run(NewParam);
    EXPECT_EQ(second.Rows(), window.Rows());
    window.Grid().GotoCell(1, 7);
    window.Run(RemoveParam);
    EXPECT_EQ(second.Rows(), window.Rows());
}
