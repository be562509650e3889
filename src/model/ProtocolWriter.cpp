#include "model/ProtocolWriter.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "model/FieldTable.h"
#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"
#include "platform/Platform.h"

namespace {

std::string_view NumberedKey(std::array<char, 24>& space, std::string_view stem, int number) {
    std::size_t n = stem.copy(space.data(), stem.size());
    if (number >= 10) {
        space[n++] = static_cast<char>('0' + number / 10);
    }
    space[n++] = static_cast<char>('0' + number % 10);
    return {space.data(), n};
}

void AppendField(TextBuffer& buffer, FieldWrite write, std::string_view key,
                 std::string_view value) {
    if (write == FieldWrite::Always || (write == FieldWrite::WhenSet && !value.empty())) {
        buffer.AppendLine(key, value);
    }
}

// A first guess of the text's size: about the file it was read from, or a few lines
// per command. The buffer grows when the guess is short.
std::size_t ExpectedSize(const ProtocolNode& node) {
    std::size_t commands = static_cast<std::size_t>(node.m_poCmndList->GetCount());
    return std::max(node.GetReadLength(), 512 + 256 * commands);
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
    for (DeviceFieldId id : kDeviceWriteOrder) {
        const DeviceField& field = Field(id);
        AppendField(buffer, field.write, field.fileKey, node.*field.member);
    }

    std::array<char, 24> space{};
    const CommandList& commands = *node.m_poCmndList;
    for (int i = 0; i < commands.GetCount(); ++i) {
        const Command& command = *commands.GetAt(i);
        for (CommandFieldId id : kCommandWriteOrder) {
            const CommandField& field = Field(id);
            switch (field.kind) {
            case CommandFieldKind::SectionName:
                // An empty line, then the name in brackets.
                buffer.AppendLineOf({"\r\n[", command.*field.member, "]"});
                break;
            case CommandFieldKind::Text:
                AppendField(buffer, field.write, field.writtenKey, command.*field.member);
                break;
            case CommandFieldKind::Params:
            case CommandFieldKind::Bytes: {
                int count = std::min(NumberedCount(command, field.kind), NumberedLimit(field.kind));
                for (int n = 1; n <= count; ++n) {
                    buffer.AppendLine(NumberedKey(space, field.writtenKey, n),
                                      NumberedText(command, field.kind, n - 1));
                }
                break;
            }
            }
        }
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

    // Rendered once, into a buffer that grows when the text is longer than expected,
    // so any protocol fits however long its lines are.
    if (!buffer.Allocate(ExpectedSize(node))) {
        return Fail(wait, "Not enough memory to allocate File Buffer ( *m_hpbBuffer ).  Aborting "
                          "File Operation...");
    }
    buffer.AllowGrowth();
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
