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
#include "model/FieldTable.h"
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
    for (const DeviceField& field : kDeviceFields) {
        if (!field.isPath) {
            node.*field.member = gen.Chance(20) ? "" : gen.Value(40);
        }
    }
    int commands = gen.Number(0, 6);
    for (int i = 0; i < commands; ++i) {
        auto command = Command::Create(gen.Name());
        for (const CommandField& field : kCommandFields) {
            if (field.kind == CommandFieldKind::Text) {
                command.get()->*field.member = gen.Chance(30) ? "" : gen.Value(60);
            }
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
    // An empty value is written but reads as absent, which gives the default.
    for (const DeviceField& field : kDeviceFields) {
        if (!field.isPath) {
            std::string_view value = written.*field.member;
            EXPECT_EQ(read.*field.member, value.empty() ? field.defaultValue : value)
                << field.jsonName;
        }
    }

    ASSERT_EQ(read.m_poCmndList->GetCount(), written.m_poCmndList->GetCount());
    for (int i = 0; i < read.m_poCmndList->GetCount(); ++i) {
        const Command& a = *written.m_poCmndList->GetAt(i);
        const Command& b = *read.m_poCmndList->GetAt(i);
        SCOPED_TRACE("command " + std::to_string(i));
        for (const CommandField& field : kCommandFields) {
            if (field.member != nullptr) {
                EXPECT_EQ(b.*field.member, a.*field.member) << field.jsonName;
            }
        }
        ASSERT_EQ(b.m_nParams, a.m_nParams);
        ASSERT_EQ(b.m_nBytes, a.m_nBytes);
        for (int p = 0; p < Command::kMaxParams; ++p) {
            const Text& text = b.m_oParam[static_cast<std::size_t>(p)].m_strText;
            EXPECT_EQ(text,
                      p < a.m_nParams ? a.m_oParam[static_cast<std::size_t>(p)].m_strText : Text());
        }
        for (int n = 0; n < Command::kMaxBytes; ++n) {
            const Text& byte = b.m_strByte[static_cast<std::size_t>(n)];
            EXPECT_EQ(byte, n < a.m_nBytes ? a.m_strByte[static_cast<std::size_t>(n)] : Text());
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
