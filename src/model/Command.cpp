#include "model/Command.h"

#include <new>
#include <utility>

Command::Command(std::string_view name) : m_strName(name) {}

std::unique_ptr<Command> Command::Create(std::string_view name) noexcept {
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
    std::string_view name = m_strName;
    return std::string(name.substr(0, name.find(':')));
}

std::string Command::GetLabel() const {
    std::string_view name = m_strName;
    std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    std::string label;
    for (char c : name.substr(colon + 1)) {
        if (c != ':') {
            label += c;
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
    std::span<ParamType> params = m_oParam.Reset(source.m_oParam.Stored());
    for (std::size_t i = 0; i < params.size(); ++i) {
        params[i].m_strText = source.m_oParam[i].m_strText;
    }
    m_nParams = source.m_nParams;
    m_nBytes = source.m_nBytes;
}

void Command::Swap(Command& other) noexcept {
    std::swap(m_strName, other.m_strName);
    std::swap(m_strDescription, other.m_strDescription);
    std::swap(m_strSupported, other.m_strSupported);
    std::swap(m_strMessage, other.m_strMessage);
    std::swap(m_strRetries, other.m_strRetries);
    std::swap(m_strTimeout, other.m_strTimeout);
    std::swap(m_strMessageAck, other.m_strMessageAck);
    std::swap(m_strCompletionAck, other.m_strCompletionAck);
    std::swap(m_strByte, other.m_strByte);
    std::swap(m_oParam, other.m_oParam);
    std::swap(m_nParams, other.m_nParams);
    std::swap(m_nBytes, other.m_nBytes);
}

void Command::OwnTexts() {
    for (Text* text : {&m_strName, &m_strDescription, &m_strSupported, &m_strMessage, &m_strRetries,
                       &m_strTimeout, &m_strMessageAck, &m_strCompletionAck}) {
        text->Own();
    }
    for (Text& byte : m_strByte.StoredItems()) {
        byte.Own();
    }
    for (ParamType& param : m_oParam.StoredItems()) {
        param.m_strText.Own();
        param.m_strDescription.Own();
    }
}
