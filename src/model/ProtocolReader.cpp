// Reading a protocol file into a ProtocolNode: the device section, then one command
// per section after it.
#include <array>
#include <new>
#include <span>

#include "model/FieldTable.h"
#include "model/ParseCache.h"
#include "model/ProfileBuffer.h"
#include "model/ProtocolNode.h"
#include "platform/Platform.h"

namespace {

const char* const kDeviceSection = "Device";
const char* const kNoDeviceSection = "Read Protocol:  Could not find [Device] Section.";
const char* const kCouldNotRead = "Read Protocol:  Could not read file";
const char* const kNoMemoryForCommand =
    "Read Protocol:  Not enough memory to allocate for command ( pCmnd )";
const char* const kNoMemoryForBuffer = "Not enough memory to allocate file buffer ( m_hpbBuffer )";

bool Fail(WaitCursor& wait, const char* text) {
    wait.End();
    Platform::Current().MessageOk(text);
    return false;
}

// "Param%d" and "Byte%d" without building a string per lookup.
std::string_view NumberedKey(std::array<char, 24>& space, std::string_view stem, int number) {
    std::size_t n = stem.copy(space.data(), stem.size());
    if (number >= 10) {
        space[n++] = static_cast<char>('0' + number / 10);
    }
    space[n++] = static_cast<char>('0' + number % 10);
    return {space.data(), n};
}

// Numbered without gaps: the values of stem1, stem2, ... up to the first absent or
// empty one, at most `limit`. Returns how many there are.
int NumberedValues(ProfileBuffer& buffer, std::string_view stem, int limit,
                   std::array<std::string_view, Command::kMaxBytes>& values) {
    std::array<char, 24> space{};
    for (int n = 1; n <= limit; ++n) {
        values[static_cast<std::size_t>(n - 1)] = buffer.GetValue(NumberedKey(space, stem, n), {});
        if (values[static_cast<std::size_t>(n - 1)].empty()) {
            return n - 1;
        }
    }
    return limit;
}

// The line of the key whose value the reader is on: a warning about a parameter
// belongs there. The lines are counted on from the last one asked for, so a file
// full of warnings is still counted through about once.
struct ValueLine final : MessageLineSource {
    explicit ValueLine(const ProfileBuffer& buffer) : buffer(buffer) {}
    int MessageLine() const override { return buffer.LineOf(value.data(), mark); }

    const ProfileBuffer& buffer;
    std::string_view value;
    mutable ProfileBuffer::LineMark mark;
};

// The keys of the command section at the buffer's cursor. The texts refer into the
// buffer's bytes, which the protocol keeps. Keys match without regard to case; they
// are asked for as the writer spells them, which a written file matches exactly.
void ReadCommandKeys(ProfileBuffer& buffer, Command& command, ParseCache& parses, ValueLine& line) {
    std::array<std::string_view, Command::kMaxBytes> values;
    for (CommandFieldId id : kCommandReadOrder) {
        const CommandField& field = Field(id);
        switch (field.kind) {
        case CommandFieldKind::SectionName:
            break;
        case CommandFieldKind::Text:
            command.*field.member = Text::Refer(buffer.GetValue(field.writtenKey, {}));
            break;
        case CommandFieldKind::Params: {
            int count = NumberedValues(buffer, field.writtenKey, Command::kMaxParams, values);
            // Storage for exactly the parameters there are.
            std::span<ParamType> params = command.m_oParam.Reset(static_cast<std::size_t>(count));
            command.m_nParams = count;
            MessageLineScope scope(line);
            for (std::size_t i = 0; i < params.size(); ++i) {
                line.value = values[i];
                params[i].m_strText = Text::Refer(values[i]);
                parses.Parse(params[i], command.m_strName);
            }
            break;
        }
        case CommandFieldKind::Bytes: {
            int count = NumberedValues(buffer, field.writtenKey, Command::kMaxBytes, values);
            std::span<Text> bytes = command.m_strByte.Reset(static_cast<std::size_t>(count));
            command.m_nBytes = count;
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                bytes[i] = Text::Refer(values[i]);
            }
            break;
        }
        }
    }
}

} // namespace

bool ProtocolNode::ReadDevice(const std::string& path) {
    WaitCursor wait;
    ProfileBuffer& buffer = m_oLoadedFile;
    if (!buffer.Open(path)) {
        wait.End();
        return false;
    }
    if (!buffer.FindSection(kDeviceSection, false)) {
        return Fail(wait, kNoDeviceSection);
    }
    // Read into copies first, so that running out of memory leaves the node as it
    // was. The device texts own their bytes: the buffer is read into again.
    std::array<Text, kDeviceReadOrder.size()> values;
    Text fileName;
    try {
        for (std::size_t i = 0; i < kDeviceReadOrder.size(); ++i) {
            const DeviceField& field = Field(kDeviceReadOrder[i]);
            values[i] = buffer.GetValue(field.fileKey, field.defaultValue);
        }
        fileName = path;
    } catch (const std::bad_alloc&) {
        return Fail(wait, kNoMemoryForBuffer);
    }
    m_strFileName = std::move(fileName);
    m_bCommandsRead = false;
    for (std::size_t i = 0; i < kDeviceReadOrder.size(); ++i) {
        this->*Field(kDeviceReadOrder[i]).member = std::move(values[i]);
    }
    return true;
}

bool ProtocolNode::ReadCommands() {
    if (m_bCommandsRead) {
        return true;
    }
    WaitCursor wait;
    // The memory ReadDevice loaded the file into is read into again; once commands
    // refer into it, the node keeps it with them.
    ProfileBuffer buffer = std::move(m_oLoadedFile);
    std::string path(m_strFileName);
    if (!buffer.Open(path)) {
        return Fail(wait, kCouldNotRead);
    }
    if (!buffer.FindSection(kDeviceSection, false)) {
        return Fail(wait, kNoDeviceSection);
    }
    try {
        m_oReadFiles.reserve(m_oReadFiles.size() + 1);
    } catch (const std::bad_alloc&) {
        return Fail(wait, kNoMemoryForCommand);
    }
    const int countBefore = m_poCmndList->GetCount();
    std::size_t length = buffer.GetLength();
    // Kept on every way out once a command refers into the bytes.
    struct Keeper {
        ProtocolNode& node;
        ProfileBuffer& buffer;
        int countBefore;
        ~Keeper() {
            if (node.m_poCmndList->GetCount() != countBefore) {
                node.m_oReadFiles.push_back(buffer.TakeBytes());
            }
        }
    } keeper{*this, buffer, countBefore};

    ParseCache parses;
    ValueLine line(buffer);
    for (;;) {
        try {
            // An empty name, from a header "[]" or the end of the file, ends the list.
            std::string_view name = buffer.NextSection(true);
            if (name.empty()) {
                break;
            }
            std::unique_ptr<Command> command = Command::Create({});
            if (!command) {
                return Fail(wait, kNoMemoryForCommand);
            }
            command->m_strName = Text::Refer(name);
            ReadCommandKeys(buffer, *command, parses, line);
            m_poCmndList->Append(std::move(command));
        } catch (const std::bad_alloc&) {
            return Fail(wait, kNoMemoryForCommand);
        }
    }
    m_nReadLength = length;
    m_bCommandsRead = true;
    return true;
}
