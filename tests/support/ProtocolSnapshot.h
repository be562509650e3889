#pragma once

#include <string>

#include "model/FieldTable.h"

// Everything a change could touch, the texts past the counts and the parsed parts
// included, so that a comparison shows any difference. With `asFile`, only what a
// protocol file keeps: the fields it holds, an empty one as reading gives it back,
// and the counted parameters' texts without what is parsed of them.
inline std::string Snapshot(const ProtocolNode& node, bool asFile = false) {
    std::string out;
    for (const DeviceField& field : kDeviceFields) {
        if (asFile && field.write == FieldWrite::Never) {
            continue;
        }
        std::string value = (node.*field.member).str();
        if (asFile && value.empty()) {
            value = field.defaultValue;
        }
        out += std::string(field.jsonName) + "=" + value + "\n";
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
        int index = 0;
        for (const ParamType& param : command.m_oParam) {
            if (!asFile) {
                out += " " + param.m_strText.str() + "/" + std::to_string(param.m_nOrCount);
            } else if (index++ < command.m_nParams) {
                out += " " + param.m_strText.str();
            }
        }
        out += " bytes " + std::to_string(command.m_nBytes) + ":";
        index = 0;
        for (const Text& byte : command.m_strByte) {
            if (!asFile || index++ < command.m_nBytes) {
                out += " " + byte.str();
            }
        }
        out += "\n";
    }
    return out;
}
