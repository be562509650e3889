// Protocols written and read back come back field by field, for any values the
// format can carry: no line ends anywhere, no ']' in names, values that do not
// begin with a blank or ';'.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"
#include "model/TypeKeywordTable.h"

namespace {

class Generator {
public:
    explicit Generator(unsigned start) : m_random(start) {}

    int Number(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool Chance(int percent) { return Number(1, 100) <= percent; }

    // Any byte but the line ends, with the characters the format treats specially
    // coming up often.
    char Byte() {
        static const std::string special = "[];=\"|&(), \t#";
        switch (Number(0, 3)) {
        case 0:
            return special[static_cast<std::size_t>(
                Number(0, static_cast<int>(special.size()) - 1))];
        case 1: {
            int byte = Number(0, 255);
            return byte == '\r' || byte == '\n' ? 'x' : static_cast<char>(byte);
        }
        default:
            return static_cast<char>(Number('a', 'z') - (Chance(30) ? 32 : 0));
        }
    }

    std::string Value(int maxLength) {
        std::string value;
        int length = Number(0, maxLength);
        for (int i = 0; i < length; ++i) {
            char c = Byte();
            if (i == 0 && (c == ' ' || c == '\t' || c == ';')) {
                c = '_';
            }
            value += c;
        }
        return value;
    }

    std::string NonEmptyValue(int maxLength) {
        std::string value = Value(maxLength);
        return value.empty() ? "v" : value;
    }

    std::string Name() {
        std::string name = Value(24);
        for (char& c : name) {
            if (c == ']') {
                c = ')';
            }
        }
        return name.empty() ? "Cmd" : name;
    }

    // A parameter text: mostly well-formed types, sometimes anything.
    std::string Param() {
        if (Chance(20)) {
            return NonEmptyValue(30);
        }
        std::string text;
        int groups = Number(1, 3);
        for (int g = 0; g < groups; ++g) {
            text += g > 0 ? "|" : "";
            int terms = Number(1, 2);
            for (int t = 0; t < terms; ++t) {
                text += t > 0 ? "&" : "";
                text += TypeKeywordTable::Keyword(Number(0, TypeKeywordTable::kCount - 1));
            }
        }
        return text + ", \"" + Value(20) + "\"";
    }

private:
    std::mt19937 m_random;
};

void Fill(Generator& gen, ProtocolNode& node) {
    for (std::string* field :
         {&node.m_strVersion, &node.m_strDescription, &node.m_strLocation, &node.m_strDate,
          &node.m_strAuthor, &node.m_strMaker, &node.m_strModel, &node.m_strSupported,
          &node.m_strInterface, &node.m_strType, &node.m_strDataBits, &node.m_strStopBits,
          &node.m_strParity, &node.m_strBaudRate, &node.m_strAddress, &node.m_strProtocol,
          &node.m_strVantorType}) {
        *field = gen.Chance(20) ? "" : gen.Value(40);
    }
    int commands = gen.Number(0, 6);
    for (int i = 0; i < commands; ++i) {
        auto command = Command::Create(gen.Name());
        for (std::string* field :
             {&command->m_strDescription, &command->m_strSupported, &command->m_strMessage,
              &command->m_strRetries, &command->m_strTimeout, &command->m_strMessageAck,
              &command->m_strCompletionAck}) {
            *field = gen.Chance(30) ? "" : gen.Value(60);
        }
        command->m_nParams = gen.Number(0, Command::kMaxParams);
        for (int p = 0; p < Command::kMaxParams; ++p) {
            // Entries past the count are stale and must not reach the file.
            command->m_oParam[static_cast<std::size_t>(p)].m_strText =
                p < command->m_nParams ? gen.Param() : gen.Value(10);
        }
        command->m_nBytes = gen.Number(0, Command::kMaxBytes);
        for (int b = 0; b < Command::kMaxBytes; ++b) {
            command->m_strByte[static_cast<std::size_t>(b)] =
                b < command->m_nBytes ? gen.NonEmptyValue(6) : gen.Value(4);
        }
        node.m_poCmndList->Append(std::move(command));
    }
}

void ExpectSame(const ProtocolNode& written, const ProtocolNode& read, int round) {
    SCOPED_TRACE("round " + std::to_string(round));
    auto orDefault = [](const std::string& value, const char* fallback) {
        return value.empty() ? std::string(fallback) : value;
    };
    EXPECT_EQ(read.m_strVersion, written.m_strVersion);
    EXPECT_EQ(read.m_strDescription, written.m_strDescription);
    EXPECT_EQ(read.m_strLocation, orDefault(written.m_strLocation, "Local"));
    EXPECT_EQ(read.m_strDate, written.m_strDate);
    EXPECT_EQ(read.m_strAuthor, written.m_strAuthor);
    EXPECT_EQ(read.m_strMaker, written.m_strMaker);
    EXPECT_EQ(read.m_strModel, written.m_strModel);
    EXPECT_EQ(read.m_strSupported, written.m_strSupported);
    EXPECT_EQ(read.m_strInterface, written.m_strInterface);
    EXPECT_EQ(read.m_strType, written.m_strType);
    EXPECT_EQ(read.m_strDataBits, written.m_strDataBits);
    EXPECT_EQ(read.m_strStopBits, written.m_strStopBits);
    EXPECT_EQ(read.m_strParity, written.m_strParity);
    EXPECT_EQ(read.m_strBaudRate, written.m_strBaudRate);
    EXPECT_EQ(read.m_strAddress, written.m_strAddress);
    EXPECT_EQ(read.m_strProtocol, written.m_strProtocol);
    EXPECT_EQ(read.m_strVantorType, orDefault(written.m_strVantorType, "Show Controller"));

    ASSERT_EQ(read.m_poCmndList->GetCount(), written.m_poCmndList->GetCount());
    for (int i = 0; i < read.m_poCmndList->GetCount(); ++i) {
        const Command& a = *written.m_poCmndList->GetAt(i);
        const Command& b = *read.m_poCmndList->GetAt(i);
        SCOPED_TRACE("command " + std::to_string(i));
        EXPECT_EQ(b.m_strName, a.m_strName);
        EXPECT_EQ(b.m_strDescription, a.m_strDescription);
        EXPECT_EQ(b.m_strSupported, a.m_strSupported);
        EXPECT_EQ(b.m_strMessage, a.m_strMessage);
        EXPECT_EQ(b.m_strRetries, a.m_strRetries);
        EXPECT_EQ(b.m_strTimeout, a.m_strTimeout);
        EXPECT_EQ(b.m_strMessageAck, a.m_strMessageAck);
        EXPECT_EQ(b.m_strCompletionAck, a.m_strCompletionAck);
        ASSERT_EQ(b.m_nParams, a.m_nParams);
        ASSERT_EQ(b.m_nBytes, a.m_nBytes);
        for (int p = 0; p < Command::kMaxParams; ++p) {
            const std::string& text = b.m_oParam[static_cast<std::size_t>(p)].m_strText;
            EXPECT_EQ(text, p < a.m_nParams ? a.m_oParam[static_cast<std::size_t>(p)].m_strText
                                            : std::string());
        }
        for (int n = 0; n < Command::kMaxBytes; ++n) {
            const std::string& byte = b.m_strByte[static_cast<std::size_t>(n)];
            EXPECT_EQ(byte,
                      n < a.m_nBytes ? a.m_strByte[static_cast<std::size_t>(n)] : std::string());
        }
    }
}

} // namespace

TEST(RoundTrip, RandomProtocolsComeBackFieldByField) {
    ScriptedPlatform platform; // takes the parser's warnings about random texts
    TempDir dir;
    Generator gen(20261207);
    for (int round = 0; round < 3000; ++round) {
        // A new file each round: rewriting one in place makes the file system
        // force each version to disk, which is slow and tests nothing here.
        std::string path = dir.Path("round" + std::to_string(round) + ".pcl");
        ProtocolNode written;
        Fill(gen, written);
        // Most rounds render and write the file directly, which is much faster
        // than the full save with its flush to disk; the save itself is used now
        // and then.
        if (round % 500 == 0) {
            TextBuffer buffer;
            ASSERT_TRUE(WriteProtocolFile(written, buffer, path));
        } else {
            TextBuffer buffer;
            WriteProtocolText(written, buffer);
            ASSERT_TRUE(buffer.Allocate(buffer.GetUsed() + 1));
            ASSERT_TRUE(WriteProtocolText(written, buffer));
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(buffer.GetData(), static_cast<std::streamsize>(buffer.GetWritten()));
        }
        ProtocolNode read;
        ASSERT_TRUE(read.ReadDevice(path)) << round;
        ASSERT_TRUE(read.ReadCommands()) << round;
        EXPECT_EQ(read.m_strFileName, path);
        ExpectSame(written, read, round);
        std::filesystem::remove(path);
        if (HasFailure()) {
            break;
        }
        platform.messages.clear();
    }
}
