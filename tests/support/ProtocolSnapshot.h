#pragma once

#include <string>

#include "model/FieldTable.h"

// Everything a change could touch, the texts past the counts and the parsed parts
// included, so that a comparison shows any difference.
inline std::string Snapshot(const ProtocolNode& node) {
    std::string out;
    for (const DeviceField& field : kDeviceFields) {
        out += std::string(field.jsonName) + "=" + (node.*field.member).str() + "\n";
    }
    const CommandList& list = *node.m_poCmndList;
    for (int i = 0; i < list.GetCount(); ++i) {
        const Command& command = *list.GetAt(i);
        out += "[" + command.m_strName.str() + "]";
        for (const CommandField& field : kCommandFields) {
            if (field.member != nullptr) {
                out += " " + (command.*field.member).str();
            }
        }
        out += " params " + std::to_string(command.m_nParams) + ":";
        for (const ParamType& param : command.m_oParam) {
            out += " " + param.m_strText.str() + "/" + std::to_string(param.m_nOrCount);
        }
        out += " bytes " + std::to_string(command.m_nBytes) + ":";
        for (const Text& byte : command.m_strByte) {
            out += " " + byte.str();
        }
        out += "\n";
    }
    return out;
}
