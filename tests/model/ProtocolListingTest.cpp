#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/Command.h"
#include "model/ProtocolListing.h"
#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"

namespace {

std::unique_ptr<Command> MakeCommand(const std::string& name, std::vector<std::string> params,
                                     std::vector<std::string> bytes) {
    auto command = std::make_unique<Command>(name);
    command->m_strDescription = "About " + name;
    command->m_strMessage = "MSG";
    for (std::size_t i = 0; i < params.size(); ++i) {
        command->m_oParam[i].m_strText = params[i];
    }
    command->m_nParams = static_cast<std::int32_t>(params.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        command->m_strByte[i] = bytes[i];
    }
    command->m_nBytes = static_cast<std::int32_t>(bytes.size());
    return command;
}

// The listing's lines, split at each carriage return and line feed; the text must
// end with one.
std::vector<std::string> Lines(const TextBuffer& buffer) {
    std::string text(buffer.GetData(), buffer.GetUsed());
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line is not ended";
    return lines;
}

std::vector<std::string> Listing(const ProtocolNode& node) {
    TextBuffer buffer;
    EXPECT_TRUE(buffer.Allocate(kListingBytesPerCommand));
    buffer.AllowGrowth();
    EXPECT_TRUE(WriteListing(node, buffer));
    // Closed by one zero byte that the used count leaves out.
    EXPECT_EQ(buffer.GetWritten(), buffer.GetUsed() + 1);
    EXPECT_EQ(buffer.GetData()[buffer.GetUsed()], '\0');
    return Lines(buffer);
}

} // namespace

TEST(ProtocolListing, DeviceLinesComeInTheViewsOrderWithTheProtocolHeadingFirst) {
    ProtocolNode node;
    node.m_strDescription = "Switcher";
    node.m_strFileName = "switcher.pcl";
    node.m_strAuthor = "Dana";
    node.m_strVantorType = "Show Controller";
    std::vector<std::string> lines = Listing(node);
    const std::vector<std::string> expected = {
        "[   Protocol:   Switcher", "  File Name:   switcher.pcl",
        "  Version:     ",          "  Location:    ",
        "  Date:        ",          "  Author:      Dana",
        "  Maker:       ",          "  Model:       ",
        "  Supported:   ",          "  Interface:   ",
        "  Type:        ",          "  Data Bits:   ",
        "  Stop Bits:   ",          "  Parity:      ",
        "  Baud Rate:   ",          "  Address:     ",
        "  Protocol:    ",          "  VantorType:  Show Controller",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ProtocolListing, ACommandListsItsFieldsParamsInUseAndBytesInUseAfterABlankLine) {
    ProtocolNode node;
    auto command = MakeCommand("Lamp:[On]", {"byte, \"level\"", "", "word"}, {"0x02", "param1"});
    command->m_strMessageAck = "OK";
    command->m_strCompletionAck = "DONE";
    command->m_strTimeout = "500";
    command->m_strRetries = "2";
    // A text beyond the count is stale and not part of the command.
    command->m_oParam[3].m_strText = "stale";
    command->m_strByte[2] = "stale";
    node.m_poCmndList->Append(std::move(command));
    std::vector<std::string> lines = Listing(node);
    ASSERT_EQ(lines.size(), 18u + 14u);
    const std::vector<std::string> expected = {
        "",
        // The bracket of a name stays in the text; only the printout leaves it out.
        "[                     Lamp:[On]",
        "  Description: About Lamp:[On]",
        "  Supported:   ",
        "  MsgAck:      OK",
        "  CmpAck:      DONE",
        "  Timeout:     500",
        "  Retries:     2",
        "  Param01:     byte, \"level\"",
        "  Param02:     ",
        "  Param03:     word",
        "  Byte01:      0x02",
        "  Byte02:      param1",
        "  Message:     MSG",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 18, lines.end()), expected);
}

TEST(ProtocolListing, TheTenthParamAndTwentiethByteHaveTwoDigitLabels) {
    ProtocolNode node;
    node.m_poCmndList->Append(
        MakeCommand("Full", std::vector<std::string>(10, "p"), std::vector<std::string>(20, "b")));
    std::vector<std::string> lines = Listing(node);
    // After the device: a blank, the heading and six fields, then the numbered lines.
    ASSERT_EQ(lines.size(), 18u + 8u + 10u + 20u + 1u);
    EXPECT_EQ(lines[18 + 8 + 9], "  Param10:     p");
    EXPECT_EQ(lines[18 + 8 + 10 + 19], "  Byte20:      b");
}

TEST(ProtocolListing, ALongValueIsListedWhole) {
    ProtocolNode node;
    auto command = MakeCommand("Long", {}, {});
    command->m_strMessage = std::string(5000, 'x');
    node.m_poCmndList->Append(std::move(command));
    std::vector<std::string> lines = Listing(node);
    EXPECT_EQ(lines.back(), "  Message:     " + std::string(5000, 'x'));
}

// Sized by the old rule alone, a buffer has no room for a protocol without commands
// and none for long values: every line from the first that does not fit fails, and
// nothing is stored after it. Growth lets the same listing through.
TEST(ProtocolListing, ABufferThatCannotGrowFailsFromTheFirstLineThatDoesNotFit) {
    ProtocolNode node;
    node.m_strDescription = "No commands";
    TextBuffer fixed;
    ASSERT_TRUE(fixed.Allocate(kListingBytesPerCommand * 0));
    EXPECT_FALSE(WriteListing(node, fixed));
    EXPECT_EQ(fixed.GetWritten(), 0u);

    ASSERT_TRUE(fixed.Allocate(40));
    EXPECT_FALSE(WriteListing(node, fixed));
    EXPECT_EQ(std::string(fixed.GetData(), fixed.GetWritten()), "[   Protocol:   No commands\r\n");

    TextBuffer growing;
    ASSERT_TRUE(growing.Allocate(0));
    growing.AllowGrowth();
    EXPECT_TRUE(WriteListing(node, growing));
    EXPECT_EQ(Lines(growing).size(), 18u);
}
