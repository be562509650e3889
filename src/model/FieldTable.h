#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/ProtocolNode.h"

// The fields of the two records, the device header and a command, each with every
// name it goes by: its member, its key in the file, its heading in the property
// view, its label in the printed listing and its name in pcltool's JSON. The reader,
// the writer, the JSON, the property view and the listing all take the fields from
// here; each takes them in its own order, given below as a list of the table's
// entries.

// When the writer writes a field.
enum class FieldWrite {
    Always,
    WhenSet, // only when not empty
    Never,
};

// The device fields, in the order of the table (the order of the members).
enum class DeviceFieldId {
    FileName,
    Version,
    Description,
    Location,
    Date,
    Author,
    Maker,
    Model,
    Supported,
    Interface,
    Type,
    DataBits,
    StopBits,
    Parity,
    BaudRate,
    Address,
    Protocol,
    VantorType,
};

struct DeviceField {
    Text ProtocolNode::*member;
    std::string_view fileKey;      // the key in [Device]; empty for the file name
    std::string_view defaultValue; // what reading gives when the key is absent
    FieldWrite write;
    // The bytes are the file system's (a path), not the code page's.
    bool isPath;
    std::string_view heading;      // the property view's row heading
    std::string_view listingLabel; // the listing's label, followed by the value
    std::string_view jsonName;
};

inline constexpr std::array<DeviceField, 18> kDeviceFields = {{
    {&ProtocolNode::m_strFileName, "", "", FieldWrite::Never, true, "File Name",
     "  File Name:   ", "FileName"},
    {&ProtocolNode::m_strVersion, "Version", "", FieldWrite::Always, false, "Version",
     "  Version:     ", "Version"},
    {&ProtocolNode::m_strDescription, "Description", "", FieldWrite::Always, false, "Description",
     "[   Protocol:   ", "Description"},
    {&ProtocolNode::m_strLocation, "Location", "Local", FieldWrite::Always, false, "Location",
     "  Location:    ", "Location"},
    {&ProtocolNode::m_strDate, "Date", "", FieldWrite::Always, false, "Date",
     "  Date:        ", "Date"},
    {&ProtocolNode::m_strAuthor, "Author", "", FieldWrite::Always, false, "Author",
     "  Author:      ", "Author"},
    {&ProtocolNode::m_strMaker, "Maker", "", FieldWrite::Always, false, "Maker",
     "  Maker:       ", "Maker"},
    {&ProtocolNode::m_strModel, "Model", "", FieldWrite::Always, false, "Model",
     "  Model:       ", "Model"},
    {&ProtocolNode::m_strSupported, "Supported", "", FieldWrite::Always, false, "Supported",
     "  Supported:   ", "Supported"},
    {&ProtocolNode::m_strInterface, "Interface", "", FieldWrite::Always, false, "Interface",
     "  Interface:   ", "Interface"},
    {&ProtocolNode::m_strType, "Type", "", FieldWrite::Always, false, "Type",
     "  Type:        ", "Type"},
    {&ProtocolNode::m_strDataBits, "DataBits", "", FieldWrite::Always, false, "Data Bits",
     "  Data Bits:   ", "DataBits"},
    {&ProtocolNode::m_strStopBits, "StopBits", "", FieldWrite::Always, false, "Stop Bits",
     "  Stop Bits:   ", "StopBits"},
    {&ProtocolNode::m_strParity, "Parity", "", FieldWrite::Always, false, "Parity",
     "  Parity:      ", "Parity"},
    {&ProtocolNode::m_strBaudRate, "BaudRate", "", FieldWrite::Always, false, "Baud Rate",
     "  Baud Rate:   ", "BaudRate"},
    {&ProtocolNode::m_strAddress, "Address", "", FieldWrite::WhenSet, false, "Address",
     "  Address:     ", "Address"},
    {&ProtocolNode::m_strProtocol, "Protocol", "", FieldWrite::Always, false, "Protocol",
     "  Protocol:    ", "Protocol"},
    {&ProtocolNode::m_strVantorType, "VantorType", "Show Controller", FieldWrite::Always, false,
     "VantorType", "  VantorType:  ", "VantorType"},
}};

constexpr const DeviceField& Field(DeviceFieldId id) {
    return kDeviceFields[static_cast<std::size_t>(id)];
}

// The order in which the reader looks the device keys up.
inline constexpr std::array<DeviceFieldId, 17> kDeviceReadOrder = {
    DeviceFieldId::Version,  DeviceFieldId::Date,       DeviceFieldId::Description,
    DeviceFieldId::Location, DeviceFieldId::Author,     DeviceFieldId::Maker,
    DeviceFieldId::Model,    DeviceFieldId::Supported,  DeviceFieldId::Interface,
    DeviceFieldId::Type,     DeviceFieldId::DataBits,   DeviceFieldId::StopBits,
    DeviceFieldId::Parity,   DeviceFieldId::BaudRate,   DeviceFieldId::Address,
    DeviceFieldId::Protocol, DeviceFieldId::VantorType,
};

// The order in which the writer writes them: Type before Interface, Address last.
inline constexpr std::array<DeviceFieldId, 17> kDeviceWriteOrder = {
    DeviceFieldId::Version,    DeviceFieldId::Date,      DeviceFieldId::Description,
    DeviceFieldId::Location,   DeviceFieldId::Author,    DeviceFieldId::Maker,
    DeviceFieldId::Model,      DeviceFieldId::Supported, DeviceFieldId::Type,
    DeviceFieldId::Interface,  DeviceFieldId::DataBits,  DeviceFieldId::StopBits,
    DeviceFieldId::Parity,     DeviceFieldId::BaudRate,  DeviceFieldId::Protocol,
    DeviceFieldId::VantorType, DeviceFieldId::Address,
};

// The order of the property view's rows and of the listing's lines: the
// description first, as the protocol's name.
inline constexpr std::array<DeviceFieldId, 18> kDeviceShowOrder = {
    DeviceFieldId::Description, DeviceFieldId::FileName, DeviceFieldId::Version,
    DeviceFieldId::Location,    DeviceFieldId::Date,     DeviceFieldId::Author,
    DeviceFieldId::Maker,       DeviceFieldId::Model,    DeviceFieldId::Supported,
    DeviceFieldId::Interface,   DeviceFieldId::Type,     DeviceFieldId::DataBits,
    DeviceFieldId::StopBits,    DeviceFieldId::Parity,   DeviceFieldId::BaudRate,
    DeviceFieldId::Address,     DeviceFieldId::Protocol, DeviceFieldId::VantorType,
};

// The command fields, in the order of the table (the order of the members).
enum class CommandFieldId {
    Name,
    Description,
    Supported,
    Message,
    Retries,
    Timeout,
    MessageAck,
    CompletionAck,
    Params,
    Bytes,
};

enum class CommandFieldKind {
    SectionName, // the name of the command's section, not a key
    Text,        // one text under one key
    Params,      // the parameter texts, numbered from 1
    Bytes,       // the message byte texts, numbered from 1
};

// For the numbered kinds, fileKey, writtenKey and heading are stems that the number
// follows ("Param" for Param1 to Param10), and listingLabel is a printf format that
// takes the number. Every text is a literal, so its data() ends in a zero byte.
struct CommandField {
    CommandFieldKind kind;
    Text Command::*member;       // for SectionName and Text
    std::string_view fileKey;    // the key as the reader spells it
    std::string_view writtenKey; // the key as the writer writes it: lower case
    FieldWrite write;
    std::string_view heading;
    std::string_view listingLabel;
    std::string_view jsonName;
};

inline constexpr std::array<CommandField, 10> kCommandFields = {{
    {CommandFieldKind::SectionName, &Command::m_strName, "", "", FieldWrite::Always, "Name",
     "[                     ", "Name"},
    {CommandFieldKind::Text, &Command::m_strDescription, "Description", "description",
     FieldWrite::Always, "Description", "  Description: ", "Description"},
    {CommandFieldKind::Text, &Command::m_strSupported, "Supported", "supported",
     FieldWrite::WhenSet, "Supported", "  Supported:   ", "Supported"},
    {CommandFieldKind::Text, &Command::m_strMessage, "Message", "message", FieldWrite::Always,
     "Message", "  Message:     ", "Message"},
    {CommandFieldKind::Text, &Command::m_strRetries, "Retries", "retries", FieldWrite::WhenSet,
     "Retries", "  Retries:     ", "Retries"},
    {CommandFieldKind::Text, &Command::m_strTimeout, "Timeout", "timeout", FieldWrite::WhenSet,
     "Timeout", "  Timeout:     ", "Timeout"},
    {CommandFieldKind::Text, &Command::m_strMessageAck, "MessageAck", "messageack",
     FieldWrite::WhenSet, "MsgAck", "  MsgAck:      ", "MessageAck"},
    {CommandFieldKind::Text, &Command::m_strCompletionAck, "CompletionAck", "completionack",
     FieldWrite::WhenSet, "CmpAck", "  CmpAck:      ", "CompletionAck"},
    {CommandFieldKind::Params, nullptr, "Param", "param", FieldWrite::Always, "Param",
     "  Param%2.2d:     ", "Params"},
    {CommandFieldKind::Bytes, nullptr, "Byte", "byte", FieldWrite::Always, "Byte",
     "  Byte%2.2d:      ", "Bytes"},
}};

constexpr const CommandField& Field(CommandFieldId id) {
    return kCommandFields[static_cast<std::size_t>(id)];
}

// The order in which the reader looks a command's keys up; the name comes from the
// section header before them.
inline constexpr std::array<CommandFieldId, 9> kCommandReadOrder = {
    CommandFieldId::Supported,     CommandFieldId::Description, CommandFieldId::Message,
    CommandFieldId::Retries,       CommandFieldId::Timeout,     CommandFieldId::MessageAck,
    CommandFieldId::CompletionAck, CommandFieldId::Params,      CommandFieldId::Bytes,
};

// The order in which the writer writes a command: the message last.
inline constexpr std::array<CommandFieldId, 10> kCommandWriteOrder = {
    CommandFieldId::Name,          CommandFieldId::Description, CommandFieldId::Supported,
    CommandFieldId::Retries,       CommandFieldId::Timeout,     CommandFieldId::MessageAck,
    CommandFieldId::CompletionAck, CommandFieldId::Params,      CommandFieldId::Bytes,
    CommandFieldId::Message,
};

// The order of the property view's rows and of the listing's lines.
inline constexpr std::array<CommandFieldId, 10> kCommandShowOrder = {
    CommandFieldId::Name,       CommandFieldId::Description,   CommandFieldId::Supported,
    CommandFieldId::MessageAck, CommandFieldId::CompletionAck, CommandFieldId::Timeout,
    CommandFieldId::Retries,    CommandFieldId::Params,        CommandFieldId::Bytes,
    CommandFieldId::Message,
};

// The numbered texts of a command: its parameter texts or its byte texts, with the
// count in use and how many there can be.
inline const Text& NumberedText(const Command& command, CommandFieldKind kind, int index) {
    return kind == CommandFieldKind::Params
               ? command.m_oParam[static_cast<std::size_t>(index)].m_strText
               : command.m_strByte[static_cast<std::size_t>(index)];
}
inline int NumberedCount(const Command& command, CommandFieldKind kind) {
    return kind == CommandFieldKind::Params ? command.m_nParams : command.m_nBytes;
}
constexpr int NumberedLimit(CommandFieldKind kind) {
    return kind == CommandFieldKind::Params ? Command::kMaxParams : Command::kMaxBytes;
}
