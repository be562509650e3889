// Reading a protocol file into a ProtocolNode: the device section, then one command
// per section after it.
#include <array>
#include <new>

#include "model/ProfileBuffer.h"
#include "model/ProtocolNode.h"
#include "platform/Platform.h"

namespace {

struct DeviceKey {
    const char* key;
    std::string ProtocolNode::*field;
    const char* defaultValue;
};

// In the order they are read.
const std::array<DeviceKey, 17> kDeviceKeys = {{
    {"Version", &ProtocolNode::m_strVersion, ""},
    {"Date", &ProtocolNode::m_strDate, ""},
    {"Description", &ProtocolNode::m_strDescription, ""},
    {"Location", &ProtocolNode::m_strLocation, "Local"},
    {"Author", &ProtocolNode::m_strAuthor, ""},
    {"Maker", &ProtocolNode::m_strMaker, ""},
    {"Model", &ProtocolNode::m_strModel, ""},
    {"Supported", &ProtocolNode::m_strSupported, ""},
    {"Interface", &ProtocolNode::m_strInterface, ""},
    {"Type", &ProtocolNode::m_strType, ""},
    {"DataBits", &ProtocolNode::m_strDataBits, ""},
    {"StopBits", &ProtocolNode::m_strStopBits, ""},
    {"Parity", &ProtocolNode::m_strParity, ""},
    {"BaudRate", &ProtocolNode::m_strBaudRate, ""},
    {"Address", &ProtocolNode::m_strAddress, ""},
    {"Protocol", &ProtocolNode::m_strProtocol, ""},
    {"VantorType", &ProtocolNode::m_strVantorType, "Show Controller"},
}};

struct CommandKey {
    const char* key;
    std::string Command::*field;
};

const std::array<CommandKey, 7> kCommandKeys = {{
    {"Supported", &Command::m_strSupported},
    {"Description", &Command::m_strDescription},
    {"Message", &Command::m_strMessage},
    {"Retries", &Command::m_strRetries},
    {"Timeout", &Command::m_strTimeout},
    {"MessageAck", &Command::m_strMessageAck},
    {"CompletionAck", &Command::m_strCompletionAck},
}};

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
std::string_view NumberedKey(std::array<char, 16>& space, std::string_view stem, int number) {
    std::size_t n = stem.copy(space.data(), stem.size());
    if (number >= 10) {
        space[n++] = static_cast<char>('0' + number / 10);
    }
    space[n++] = static_cast<char>('0' + number % 10);
    return {space.data(), n};
}

// The keys of the command section at the buffer's cursor.
void ReadCommandKeys(ProfileBuffer& buffer, Command& command) {
    for (const CommandKey& key : kCommandKeys) {
        command.*key.field = buffer.GetValue(key.key, {});
    }
    std::array<char, 16> space{};
    // Numbered without gaps: the first absent or empty number ends each list.
    command.m_nParams = Command::kMaxParams;
    for (int n = 1; n <= Command::kMaxParams; ++n) {
        ParamType& param = command.m_oParam[static_cast<std::size_t>(n - 1)];
        param.m_strText = buffer.GetValue(NumberedKey(space, "Param", n), {});
        if (param.m_strText.empty()) {
            command.m_nParams = n - 1;
            break;
        }
        param.ParseType(command.m_strName);
    }
    command.m_nBytes = Command::kMaxBytes;
    for (int n = 1; n <= Command::kMaxBytes; ++n) {
        std::string& byte = command.m_strByte[static_cast<std::size_t>(n - 1)];
        byte = buffer.GetValue(NumberedKey(space, "Byte", n), {});
        if (byte.empty()) {
            command.m_nBytes = n - 1;
            break;
        }
    }
}

} // namespace

bool ProtocolNode::ReadDevice(const std::string& path) {
    WaitCursor wait;
    ProfileBuffer buffer;
    if (!buffer.Open(path)) {
        wait.End();
        return false;
    }
    if (!buffer.FindSection(kDeviceSection, false)) {
        return Fail(wait, kNoDeviceSection);
    }
    // Read into a copy first, so that running out of memory leaves the node as it
    // was.
    std::array<std::string, kDeviceKeys.size()> values;
    std::string fileName;
    try {
        for (std::size_t i = 0; i < kDeviceKeys.size(); ++i) {
            values[i] = buffer.GetValue(kDeviceKeys[i].key, kDeviceKeys[i].defaultValue);
        }
        fileName = path;
    } catch (const std::bad_alloc&) {
        return Fail(wait, kNoMemoryForBuffer);
    }
    m_strFileName = std::move(fileName);
    m_bCommandsRead = false;
    for (std::size_t i = 0; i < kDeviceKeys.size(); ++i) {
        this->*kDeviceKeys[i].field = std::move(values[i]);
    }
    return true;
}

bool ProtocolNode::ReadCommands() {
    if (m_bCommandsRead) {
        return true;
    }
    WaitCursor wait;
    ProfileBuffer buffer;
    if (!buffer.Open(m_strFileName)) {
        return Fail(wait, kCouldNotRead);
    }
    if (!buffer.FindSection(kDeviceSection, false)) {
        return Fail(wait, kNoDeviceSection);
    }
    for (;;) {
        try {
            // An empty name, from a header "[]" or the end of the file, ends the list.
            std::string name = buffer.NextSection(true);
            if (name.empty()) {
                break;
            }
            // Created without the name, which is then moved in rather than copied.
            std::unique_ptr<Command> command = Command::Create({});
            if (!command) {
                return Fail(wait, kNoMemoryForCommand);
            }
            command->m_strName = std::move(name);
            ReadCommandKeys(buffer, *command);
            m_poCmndList->Append(std::move(command));
        } catch (const std::bad_alloc&) {
            return Fail(wait, kNoMemoryForCommand);
        }
    }
    m_bCommandsRead = true;
    return true;
}
