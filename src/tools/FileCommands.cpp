#include "tools/FileCommands.h"

#include "model/Codepage.h"
#include "model/ProtocolListing.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"
#include "platform/StandardInput.h"
#include "tools/ListingPdf.h"
#include "tools/ProtocolJson.h"
#include "tools/ToolCommands.h"
#include "tools/ToolPlatform.h"

namespace {

// Reads like the editor opens a file: the device section, then the commands.
bool ReadProtocol(ProtocolNode& node, const std::string& path) {
    return node.ReadDevice(path) && node.ReadCommands();
}

// Only the reasons of failed file operations, which the JSON of dump does not give.
void PrintFailures(std::ostream& err, const std::string& file,
                   const std::vector<ToolMessage>& messages) {
    for (const ToolMessage& message : messages) {
        if (message.systemError != 0) {
            PrintMessages(err, file, {message});
        }
    }
}

// The text the writer makes of `node`, on standard output.
bool WriteToStandardOutput(const ProtocolNode& node, ToolPlatform& platform, std::ostream& out,
                           std::ostream& err) {
    TextBuffer buffer;
    bool rendered = RenderProtocolFile(node, buffer, kStandardOutputName);
    if (rendered) {
        out.write(buffer.GetData(), static_cast<std::streamsize>(buffer.GetWritten()));
    }
    buffer.Release();
    PrintMessages(err, kStandardOutputName, platform.messages);
    return rendered && FinishOutput(out, err);
}

} // namespace

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        return kUsageError;
    }
    ToolPlatform platform;
    ProtocolNode node;
    bool ok = ReadProtocol(node, args[0]);
    WriteProtocolJson(out, node, ok, platform.messages);
    PrintFailures(err, args[0], platform.messages);
    bool shown = FinishOutput(out, err);
    return ok && shown ? 0 : 1;
}

int RunCheck(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.empty()) {
        return kUsageError;
    }
    int code = 0;
    for (const std::string& path : args) {
        ToolPlatform platform;
        ProtocolNode node;
        bool ok = ReadProtocol(node, path);
        PrintMessages(err, path, platform.messages);
        if (!ok) {
            code = 2;
        } else if (!platform.messages.empty() && code == 0) {
            code = 1;
        }
    }
    return code;
}

int RunFormat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string input;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !output.empty()) {
                return kUsageError;
            }
            output = args[++i];
        } else if (input.empty()) {
            input = args[i];
        } else {
            return kUsageError;
        }
    }
    if (input.empty()) {
        return kUsageError;
    }
    // In place, which for standard input is standard output.
    if (output.empty()) {
        output = input;
    }

    ToolPlatform platform;
    ProtocolNode node;
    bool read = ReadProtocol(node, input);
    PrintMessages(err, input, platform.messages);
    if (!read) {
        return 1;
    }
    platform.messages.clear();
    if (output == kStandardStream) {
        return WriteToStandardOutput(node, platform, out, err) ? 0 : 1;
    }
    TextBuffer buffer;
    bool written = WriteProtocolFile(node, buffer, output);
    PrintMessages(err, output, platform.messages);
    return written ? 0 : 1;
}

int RunListing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 3 && args[1] == "--pdf") {
        return RunListingPdf(args[0], args[2], out, err);
    }
    if (args.size() != 1) {
        return kUsageError;
    }
    ToolPlatform platform;
    ProtocolNode node;
    bool read = ReadProtocol(node, args[0]);
    PrintMessages(err, args[0], platform.messages);
    if (!read) {
        return 1;
    }
    TextBuffer buffer;
    const auto commands = static_cast<std::size_t>(node.m_poCmndList->GetCount());
    bool listed = buffer.Allocate(kListingBytesPerCommand * commands);
    if (listed) {
        buffer.AllowGrowth();
        listed = WriteListing(node, buffer);
    }
    if (!listed) {
        PrintMessages(err, args[0], {{kListingNoMemory}});
        return 1;
    }
    // Line by line, each ended by a line feed as text on this system is.
    std::string_view text(buffer.GetData(), buffer.GetUsed());
    while (!text.empty()) {
        std::size_t end = text.find("\r\n");
        out << Codepage::ToUtf8(text.substr(0, end)) << '\n';
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
    return FinishOutput(out, err) ? 0 : 1;
}
