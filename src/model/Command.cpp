#include "model/Command.h"

#include <new>

Command::Command(std::string name) : m_strName(std::move(name)) {}

std::unique_ptr<Command> Command::Create(const std::string& name) noexcept {
    try {
        return std::make_unique<Command>(name);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Command> Command::CreateNewCommand() noexcept {
    std::unique_ptr<Command> command = Create(kNewCommandName);
    if (command) {
        try {
            command->m_strDescription = kNewCommandDescription;
            command->m_strMessage = kNewCommandMessage;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return command;
}

std::unique_ptr<Command> Command::CreateMessageOut() noexcept {
    std::unique_ptr<Command> command = Create(kMessageOutName);
    if (command) {
        try {
            command->m_strDescription = kMessageOutDescription;
            command->m_strMessage = kMessageOutMessage;
            command->m_oParam[0].m_strText = kMessageOutParam1;
            command->m_oParam[1].m_strText = kMessageOutParam2;
            command->m_nParams = 2;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return command;
}

std::string Command::GetCategory() const {
    return m_strName.substr(0, m_strName.find(':'));
}

std::string Command::GetLabel() const {
    std::size_t colon = m_strName.find(':');
    if (colon == std::string::npos) {
        return {};
    }
    std::string label;
    for (std::size_t i = colon + 1; i < m_strName.size(); ++i) {
        if (m_strName[i] != ':') {
            label += m_strName[i];
        }
    }
    return label;
}

void Command::Copy(const Command& source) {
    if (&source == this) {
        return;
    }
    m_strName = source.m_strName;
    m_strDescription = source.m_strDescription;
    m_strSupported = source.m_strSupported;
    m_strMessage = source.m_strMessage;
    m_strRetries = source.m_strRetries;
    m_strTimeout = source.m_strTimeout;
    m_strMessageAck = source.m_strMessageAck;
    m_strCompletionAck = source.m_strCompletionAck;
    m_strByte = source.m_strByte;
    for (int i = 0; i < kMaxParams; ++i) {
        m_oParam[i] = ParamType();
        m_oParam[i].m_strText = source.m_oParam[i].m_strText;
    }
    m_nParams = source.m_nParams;
    m_nBytes = source.m_nBytes;
}
