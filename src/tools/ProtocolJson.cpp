#include "tools/ProtocolJson.h"

#include <algorithm>

#include "model/FieldTable.h"
#include "model/ProtocolNode.h"
#include "model/TypeKeywordTable.h"
#include "tools/JsonWriter.h"
#include "tools/ToolPlatform.h"

namespace {

void CodePageField(JsonWriter& json, std::string_view key, std::string_view value) {
    json.Key(key);
    json.CodePageString(value);
}

void WriteParam(JsonWriter& json, const ParamType& param) {
    json.BeginObject();
    CodePageField(json, "Text", param.m_strText);
    CodePageField(json, "Description", param.m_strDescription);
    json.Key("OrCount");
    json.Number(param.m_nOrCount);
    json.Key("Or");
    json.BeginArray();
    int groups = std::clamp(param.m_nOrCount, 0, ParamType::kMaxGroups);
    for (int g = 0; g < groups; ++g) {
        const OrGroup& group = param.m_oOr[static_cast<std::size_t>(g)];
        json.BeginArray(true);
        int terms = std::clamp(group.m_nAndCount, 0, OrGroup::kMaxTerms);
        for (int t = 0; t < terms; ++t) {
            const AndType& term = group.m_oAnd[static_cast<std::size_t>(t)];
            json.BeginObject(true);
            json.Key("Keyword");
            json.String(TypeKeywordTable::Keyword(term.m_nKeyword));
            CodePageField(json, "Argument", term.m_strArgument);
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WriteCommand(JsonWriter& json, const Command& command) {
    json.BeginObject();
    for (const CommandField& field : kCommandFields) {
        switch (field.kind) {
        case CommandFieldKind::SectionName:
        case CommandFieldKind::Text:
            CodePageField(json, field.jsonName, command.*field.member);
            break;
        case CommandFieldKind::Params:
        case CommandFieldKind::Bytes: {
            json.Key(field.jsonName);
            json.BeginArray();
            int count =
                std::clamp(NumberedCount(command, field.kind), 0, NumberedLimit(field.kind));
            for (int i = 0; i < count; ++i) {
                if (field.kind == CommandFieldKind::Params) {
                    WriteParam(json, command.m_oParam[static_cast<std::size_t>(i)]);
                } else {
                    json.CodePageString(NumberedText(command, field.kind, i));
                }
            }
            json.EndArray();
            break;
        }
        }
    }
    json.EndObject();
}

} // namespace

void WriteProtocolJson(std::ostream& out, const ProtocolNode& node, bool ok,
                       const std::vector<ToolMessage>& messages) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("ok");
    json.Bool(ok);
    json.Key("messages");
    json.BeginArray();
    for (const ToolMessage& message : messages) {
        json.String(message.text);
    }
    json.EndArray();
    // Beside the texts, which readers take as they are, the line of each: null when
    // it belongs to no line.
    json.Key("messageLines");
    json.BeginArray(true);
    for (const ToolMessage& message : messages) {
        if (message.line > 0) {
            json.Number(message.line);
        } else {
            json.Null();
        }
    }
    json.EndArray();

    json.Key("device");
    json.BeginObject();
    for (const DeviceField& field : kDeviceFields) {
        json.Key(field.jsonName);
        // A path is the file system's, not the code page's: given as it is.
        if (field.isPath) {
            json.String(node.*field.member);
        } else {
            json.CodePageString(node.*field.member);
        }
    }
    json.EndObject();

    json.Key("commands");
    json.BeginArray();
    const CommandList& commands = *node.m_poCmndList;
    for (int i = 0; i < commands.GetCount(); ++i) {
        WriteCommand(json, *commands.GetAt(i));
    }
    json.EndArray();
    json.EndObject();
    json.Flush();
    out << '\n';
}
