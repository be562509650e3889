#include "tools/ProtocolJson.h"

#include <algorithm>

#include "model/Codepage.h"
#include "model/ProtocolNode.h"
#include "model/TypeKeywordTable.h"
#include "tools/JsonWriter.h"

namespace {

void Field(JsonWriter& json, const char* key, const std::string& value) {
    json.Key(key);
    json.String(Codepage::ToUtf8(value));
}

void WriteParam(JsonWriter& json, const ParamType& param) {
    json.BeginObject();
    Field(json, "Text", param.m_strText);
    Field(json, "Description", param.m_strDescription);
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
            Field(json, "Argument", term.m_strArgument);
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WriteCommand(JsonWriter& json, const Command& command) {
    json.BeginObject();
    Field(json, "Name", command.m_strName);
    Field(json, "Description", command.m_strDescription);
    Field(json, "Supported", command.m_strSupported);
    Field(json, "Message", command.m_strMessage);
    Field(json, "Retries", command.m_strRetries);
    Field(json, "Timeout", command.m_strTimeout);
    Field(json, "MessageAck", command.m_strMessageAck);
    Field(json, "CompletionAck", command.m_strCompletionAck);
    json.Key("Params");
    json.BeginArray();
    for (int i = 0; i < std::clamp(command.m_nParams, 0, Command::kMaxParams); ++i) {
        WriteParam(json, command.m_oParam[static_cast<std::size_t>(i)]);
    }
    json.EndArray();
    json.Key("Bytes");
    json.BeginArray();
    for (int i = 0; i < std::clamp(command.m_nBytes, 0, Command::kMaxBytes); ++i) {
        json.String(Codepage::ToUtf8(command.m_strByte[static_cast<std::size_t>(i)]));
    }
    json.EndArray();
    json.EndObject();
}

} // namespace

std::string ProtocolToJson(const ProtocolNode& node, bool ok,
                           const std::vector<std::string>& messages) {
    std::string out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("ok");
    json.Bool(ok);
    json.Key("messages");
    json.BeginArray();
    for (const std::string& message : messages) {
        json.String(message);
    }
    json.EndArray();

    json.Key("device");
    json.BeginObject();
    // The path is the file system's, not the code page's: given as it is.
    json.Key("FileName");
    json.String(node.m_strFileName);
    Field(json, "Version", node.m_strVersion);
    Field(json, "Description", node.m_strDescription);
    Field(json, "Location", node.m_strLocation);
    Field(json, "Date", node.m_strDate);
    Field(json, "Author", node.m_strAuthor);
    Field(json, "Maker", node.m_strMaker);
    Field(json, "Model", node.m_strModel);
    Field(json, "Supported", node.m_strSupported);
    Field(json, "Interface", node.m_strInterface);
    Field(json, "Type", node.m_strType);
    Field(json, "DataBits", node.m_strDataBits);
    Field(json, "StopBits", node.m_strStopBits);
    Field(json, "Parity", node.m_strParity);
    Field(json, "BaudRate", node.m_strBaudRate);
    Field(json, "Address", node.m_strAddress);
    Field(json, "Protocol", node.m_strProtocol);
    Field(json, "VantorType", node.m_strVantorType);
    json.EndObject();

    json.Key("commands");
    json.BeginArray();
    const CommandList& commands = *node.m_poCmndList;
    for (int i = 0; i < commands.GetCount(); ++i) {
        WriteCommand(json, *commands.GetAt(i));
    }
    json.EndArray();
    json.EndObject();
    out += '\n';
    return out;
}
