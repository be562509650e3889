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

// Rendered once, into a buffer that grows when the text is longer than expected, so
// any protocol fits however long its lines are.
bool StartRendering(const ProtocolNode& node, TextBuffer& buffer) {
    if (!buffer.Allocate(ExpectedSize(node))) {
        return false;
    }
    buffer.AllowGrowth();
    return true;
}

bool RenderAll(const ProtocolNode& node, TextBuffer& buffer) {
    try {
        return WriteProtocolText(node, buffer);
    } catch (const std::bad_alloc&) {
        return false;
    }
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

bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer) {
    return StartRendering(node, buffer) && RenderAll(node, buffer);
}

bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path) {
    std::string failure;
    if (!StartRendering(node, buffer)) {
        failure = "Not enough memory to allocate File Buffer ( *m_hpbBuffer ).  Aborting "
                  "File Operation...";
    } else if (!RenderAll(node, buffer)) {
        failure = "File " + path + " could not be written to memory successfully!";
    } else {
        return true;
    }
    Platform& platform = Platform::Current();
    platform.EndWaitCursor();
    platform.MessageOk(failure);
    return false;
}

SafeWriteResult WriteFileSafely(Platform& files, const char* data, std::size_t size,
                                const std::string& path) {
    // A save changes what the file holds, never what it is: through a symbolic link
    // it replaces the file the link names (which it creates when there is none yet),
    // and the new file takes the old one's permissions, owner and group.
    std::string target = files.ResolveLinks(path);
    if (target.empty()) {
        return SafeWriteResult::CannotOpen;
    }
    // A file the user may not change stays as it is, even though replacing it
    // would be possible.
    if (files.FileExists(target) && !files.IsFileWritable(target)) {
        return SafeWriteResult::CannotOpen;
    }
    std::string temporary;
    std::unique_ptr<PlatformFile> file = files.CreateTemporaryBeside(target, temporary);
    if (!file) {
        return SafeWriteResult::CannotOpen;
    }
    bool written = file->Write(data, size) && file->Flush();
    // Private while its text was written, the file is given the target's permissions
    // only now that the text is on the disk, just before it takes the target's place.
    bool identity = written && file->TakeIdentityOf(target);
    file.reset();
    if (!written) {
        files.RemoveFile(temporary);
        return SafeWriteResult::CannotWrite;
    }
    if (!identity || !files.RenameFile(temporary, target)) {
        files.RemoveFile(temporary);
        return SafeWriteResult::CannotOpen;
    }
    return SafeWriteResult::Written;
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
    switch (WriteFileSafely(platform, buffer.GetData(), buffer.GetWritten(), path)) {
    case SafeWriteResult::Written:
        return true;
    case SafeWriteResult::CannotWrite:
        return Fail(wait, "File " + path +
                              " could not be written to successfully!\n\nThe Drive could "
                              "be full.  Try another Drive!");
    case SafeWriteResult::CannotOpen:
        break;
    }
    return Fail(wait, "File " + path + " could not be opened for writing!");
}
