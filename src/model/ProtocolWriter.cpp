#include "model/ProtocolWriter.h"

#include <array>
#include <memory>
#include <new>

#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"
#include "platform/Platform.h"

namespace {

std::string_view NumberedKey(std::array<char, 16>& space, std::string_view stem, int number) {
    std::size_t n = stem.copy(space.data(), stem.size());
    if (number >= 10) {
        space[n++] = static_cast<char>('0' + number / 10);
    }
    space[n++] = static_cast<char>('0' + number % 10);
    return {space.data(), n};
}

void AppendIfSet(TextBuffer& buffer, std::string_view key, const std::string& value) {
    if (!value.empty()) {
        buffer.AppendLine(key, value);
    }
}

bool Fail(WaitCursor& wait, const std::string& text) {
    wait.End();
    Platform::Current().MessageOk(text);
    return false;
}

// A name beside `path` that no file has yet, for the text before it replaces the
// target. Empty when none is found.
std::string TemporaryName(Platform& platform, const std::string& path) {
    for (int n = 0; n < 1000; ++n) {
        std::string name = path + (n == 0 ? "" : "." + std::to_string(n)) + ".tmp";
        if (!platform.FileExists(name)) {
            return name;
        }
    }
    return {};
}

} // namespace

bool WriteProtocolText(const ProtocolNode& node, TextBuffer& buffer) {
    buffer.SetSuccess(true);
    buffer.AppendLine("[Device]\r\n");
    buffer.AppendLine("Version", node.m_strVersion);
    buffer.AppendLine("Date", node.m_strDate);
    buffer.AppendLine("Description", node.m_strDescription);
    buffer.AppendLine("Location", node.m_strLocation);
    buffer.AppendLine("Author", node.m_strAuthor);
    buffer.AppendLine("Maker", node.m_strMaker);
    buffer.AppendLine("Model", node.m_strModel);
    buffer.AppendLine("Supported", node.m_strSupported);
    buffer.AppendLine("Type", node.m_strType);
    buffer.AppendLine("Interface", node.m_strInterface);
    buffer.AppendLine("DataBits", node.m_strDataBits);
    buffer.AppendLine("StopBits", node.m_strStopBits);
    buffer.AppendLine("Parity", node.m_strParity);
    buffer.AppendLine("BaudRate", node.m_strBaudRate);
    buffer.AppendLine("Protocol", node.m_strProtocol);
    buffer.AppendLine("VantorType", node.m_strVantorType);
    AppendIfSet(buffer, "Address", node.m_strAddress);

    std::array<char, 16> space{};
    const CommandList& commands = *node.m_poCmndList;
    std::string header;
    for (int i = 0; i < commands.GetCount(); ++i) {
        const Command& command = *commands.GetAt(i);
        // An empty line, then the name in brackets.
        header.assign("\r\n[").append(command.m_strName).append("]");
        buffer.AppendLine(header);
        buffer.AppendLine("description", command.m_strDescription);
        AppendIfSet(buffer, "supported", command.m_strSupported);
        AppendIfSet(buffer, "retries", command.m_strRetries);
        AppendIfSet(buffer, "timeout", command.m_strTimeout);
        AppendIfSet(buffer, "messageack", command.m_strMessageAck);
        AppendIfSet(buffer, "completionack", command.m_strCompletionAck);
        for (int n = 1; n <= command.m_nParams && n <= Command::kMaxParams; ++n) {
            buffer.AppendLine(NumberedKey(space, "param", n),
                              command.m_oParam[static_cast<std::size_t>(n - 1)].m_strText);
        }
        for (int n = 1; n <= command.m_nBytes && n <= Command::kMaxBytes; ++n) {
            buffer.AppendLine(NumberedKey(space, "byte", n),
                              command.m_strByte[static_cast<std::size_t>(n - 1)]);
        }
        buffer.AppendLine("message", command.m_strMessage);
    }
    return buffer.Succeeded();
}

bool WriteProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path) {
    Platform& platform = Platform::Current();
    WaitCursor wait(platform);
    // The buffer releases itself on every way out.
    struct Releaser {
        TextBuffer& buffer;
        ~Releaser() { buffer.Release(); }
    } releaser{buffer};

    // Measure first, so the buffer holds exactly the text, however long.
    std::size_t needed = 0;
    try {
        buffer.Release();
        buffer.Start();
        WriteProtocolText(node, buffer);
        needed = buffer.GetUsed();
    } catch (const std::bad_alloc&) {
        needed = 0;
    }
    if (needed == 0 || !buffer.Allocate(needed + 1)) {
        return Fail(wait, "Not enough memory to allocate File Buffer ( *m_hpbBuffer ).  Aborting "
                          "File Operation...");
    }
    bool rendered = false;
    try {
        rendered = WriteProtocolText(node, buffer);
    } catch (const std::bad_alloc&) {
        rendered = false;
    }
    if (!rendered) {
        return Fail(wait, "File " + path + " could not be written to memory successfully!");
    }

    const std::string cannotOpen = "File " + path + " could not be opened for writing!";
    const std::string cannotWrite = "File " + path +
                                    " could not be written to successfully!\n\nThe Drive could "
                                    "be full.  Try another Drive!";
    // A file the user may not change stays as it is, even though replacing it
    // would be possible.
    if (platform.FileExists(path) && !platform.IsFileWritable(path)) {
        return Fail(wait, cannotOpen);
    }
    std::string temporary = TemporaryName(platform, path);
    std::unique_ptr<PlatformFile> file =
        temporary.empty() ? nullptr : platform.CreateForWriting(temporary);
    if (!file) {
        return Fail(wait, cannotOpen);
    }
    bool written = file->Write(buffer.GetData(), buffer.GetWritten()) && file->Flush();
    file.reset();
    if (!written) {
        platform.RemoveFile(temporary);
        return Fail(wait, cannotWrite);
    }
    if (!platform.RenameFile(temporary, path)) {
        platform.RemoveFile(temporary);
        return Fail(wait, cannotOpen);
    }
    return true;
}
