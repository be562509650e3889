#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/ParamType.h"

// One named command of a protocol: its texts, up to 20 message byte texts and up
// to 10 typed parameters. Only the first m_nParams parameters and m_nBytes byte
// texts are part of the command; entries past the counts may hold stale text.
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
    static constexpr const char* kMessageOutDescription =
        "Sends a Data or local String out a port";
    static constexpr const char* kMessageOutMessage = "@string(param2)";
    static constexpr const char* kMessageOutParam1 = "port, \"A valid Port\"";
    static constexpr const char* kMessageOutParam2 =
        "datastring|string, \"A valid Data or local String\"";

    explicit Command(std::string name);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Allocates a command; nullptr when memory runs out, so that callers can
    // report it in their own words.
    static std::unique_ptr<Command> Create(const std::string& name) noexcept;
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

    std::string m_strName;
    std::string m_strDescription;
    std::string m_strSupported;
    std::string m_strMessage;
    std::string m_strRetries;
    std::string m_strTimeout;
    std::string m_strMessageAck;
    std::string m_strCompletionAck;
    std::array<std::string, kMaxBytes> m_strByte;
    std::array<ParamType, kMaxParams> m_oParam;
    std::int32_t m_nParams = 0;
    std::int32_t m_nBytes = 0;
};
