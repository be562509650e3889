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

bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path) {
    auto fail = [](const std::string& text) {
        Platform& platform = Platform::Current();
        platform.EndWaitCursor();
        platform.MessageOk(text);
        return false;
    };
    // Rendered once, into a buffer that grows when the text is longer than expected,
    // so any protocol fits however long its lines are.
    if (!buffer.Allocate(ExpectedSize(node))) {
        return fail("Not enough memory to allocate File Buffer ( *m_hpbBuffer ).  Aborting "
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
        return fail("File " + path + " could not be written to memory successfully!");
    }
    return true;
}

bool WriteProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path) {
    Platform& platform = Platform::Current();
    WaitCursor wait(platform);
    // The buffer releases itself on every way out.
    struct Releaser {
        TextBuffer& buffer;
        ~Releaser() { buffer.Release(); }
    } releaser{buffer};

    if (!RenderProtocolFile(node, buffer, path)) {
        return false;
    }

    const std::string cannotOpen = "File " + path + " could not be opened for writing!";
    const std::string cannotWrite = "File " + path +
                                    " could not be written to successfully!\n\nThe Drive could "
                                    "be full.  Try another Drive!";
    // A save changes what the file holds, never what it is: through a symbolic link
    // it replaces the file the link names (which it creates when there is none yet),
    // and the new file takes the old one's permissions, owner and group.
    std::string target = platform.ResolveLinks(path);
    if (target.empty()) {
        return Fail(wait, cannotOpen);
    }
    // A file the user may not change stays as it is, even though replacing it
    // would be possible.
    if (platform.FileExists(target) && !platform.IsFileWritable(target)) {
        return Fail(wait, cannotOpen);
    }
    std::string temporary;
    std::unique_ptr<PlatformFile> file = platform.CreateTemporaryBeside(target, temporary);
    if (!file) {
        return Fail(wait, cannotOpen);
    }
    bool written = file->Write(buffer.GetData(), buffer.GetWritten()) && file->Flush();
    // Private while its text was written, the file is given the target's permissions
    // only now that the text is on the disk, just before it takes the target's place.
    bool identity = written && file->TakeIdentityOf(target);
    file.reset();
    if (!written) {
        platform.RemoveFile(temporary);
        return Fail(wait, cannotWrite);
    }
    if (!identity || !platform.RenameFile(temporary, target)) {
        platform.RemoveFile(temporary);
        return Fail(wait, cannotOpen);
    }
    return true;
}
