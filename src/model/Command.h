#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/CompactArray.h"
#include "model/ParamType.h"
#include "model/Text.h"

// One named command of a protocol: its texts, up to 20 message byte texts and up
// to 10 typed parameters. Only the first m_nParams parameters and m_nBytes byte
// texts are part of the command; entries past the counts may hold stale text.
//
// A command read from a file refers into the file its protocol keeps (see Text);
// one taken out of its protocol's list is first given texts of its own.
class Command {
public:
    static constexpr int kMaxParams = 10;
    static constexpr int kMaxBytes = 20;

    // Creation defaults of the New Command operation and the clipboard holder.
    static constexpr const char* kNewCommandName = "New Command";
    static constexpr const char* kNewCommandDescription = "Description of Command";
    static constexpr const char* kNewCommandMessage = "Message goes here";
    // The one command of a new protocol.
    static constexpr const char* kMessageOutName = "MessageOut";
    static constexpr const char* kMessageOutDescription = "Sends a Data or local String out a port";
    static constexpr const char* kMessageOutMessage = "@string(param2)";
    static constexpr const char* kMessageOutParam1 = "port, \"A valid Port\"";
    static constexpr const char* kMessageOutParam2 =
        "datastring|string, \"A valid Data or local String\"";

    explicit Command(std::string_view name);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Allocates a command; nullptr when memory runs out, so that callers can
    // report it in their own words.
    static std::unique_ptr<Command> Create(std::string_view name) noexcept;
    // The command the New Command operation adds.
    static std::unique_ptr<Command> CreateNewCommand() noexcept;
    // The MessageOut command of a new protocol.
    static std::unique_ptr<Command> CreateMessageOut() noexcept;

    // The part of the name before its first ':'; the whole name without one.
    std::string GetCategory() const;
    // The part after the first ':', further ':' left out; empty without one.
    std::string GetLabel() const;

    // Takes the texts, byte texts, parameter texts and both counts of `source`.
    // The parsed parts of the parameters are not copied: they stay empty here.
    void Copy(const Command& source);
    // Exchanges every field with `other`; it cannot fail, so a copy made beforehand
    // can replace a command's content without leaving it half changed.
    void Swap(Command& other) noexcept;

    // Gives every text of the command its own bytes, so that it no longer depends on
    // the file it was read from.
    void OwnTexts();

    Text m_strName;
    Text m_strDescription;
    Text m_strSupported;
    Text m_strMessage;
    Text m_strRetries;
    Text m_strTimeout;
    Text m_strMessageAck;
    Text m_strCompletionAck;
    CompactArray<Text, kMaxBytes> m_strByte;
    CompactArray<ParamType, kMaxParams> m_oParam;
    std::int32_t m_nParams = 0;
    std::int32_t m_nBytes = 0;
};
