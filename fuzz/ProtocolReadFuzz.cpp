// A whole read of any file, then the writer: whatever was read must be written in
// a form that reads back to the same text when written again, also by commands
// taken out of the protocol after it is gone.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzPlatform.h"
#include "model/FieldTable.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string Render(const ProtocolNode& node) {
    TextBuffer buffer;
    WriteProtocolText(node, buffer);
    Require(buffer.Allocate(buffer.GetUsed() + 1));
    Require(WriteProtocolText(node, buffer));
    return {buffer.GetData(), buffer.GetWritten()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform platform;
    platform.SetFile("in.pcl", std::string_view(reinterpret_cast<const char*>(data), size));
    auto node = std::make_unique<ProtocolNode>();
    if (!node->ReadDevice("in.pcl") || !node->ReadCommands()) {
        return 0;
    }
    for (int i = 0; i < node->m_poCmndList->GetCount(); ++i) {
        const Command& command = *node->m_poCmndList->GetAt(i);
        Require(!command.m_strName.empty());
        Require(command.m_nParams >= 0 && command.m_nParams <= Command::kMaxParams);
        Require(command.m_nBytes >= 0 && command.m_nBytes <= Command::kMaxBytes);
    }

    std::string text = Render(*node);
    platform.SetFile("again.pcl", text);
    ProtocolNode again;
    Require(again.ReadDevice("again.pcl") && again.ReadCommands());
    Require(again.m_poCmndList->GetCount() == node->m_poCmndList->GetCount());
    Require(Render(again) == text);

    // Commands taken out of the protocol own their bytes: once it is gone, they
    // still render to the same text.
    ProtocolNode taken;
    for (const DeviceField& field : kDeviceFields) {
        taken.*field.member = (*node).*field.member;
    }
    while (!node->m_poCmndList->IsEmpty()) {
        taken.m_poCmndList->Append(node->m_poCmndList->RemoveHead());
    }
    node.reset();
    Require(Render(taken) == text);
    return 0;
}
