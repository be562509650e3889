#include "model/ProtocolListing.h"

#include <array>
#include <cstdio>

#include "model/FieldTable.h"
#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"

void AppendListingLine(TextBuffer& buffer, std::string_view label, std::string_view value) {
    buffer.AppendLineOf({label, value});
}

bool WriteListing(const ProtocolNode& node, TextBuffer& buffer) {
    buffer.SetSuccess(true);
    for (DeviceFieldId id : kDeviceShowOrder) {
        const DeviceField& field = Field(id);
        AppendListingLine(buffer, field.listingLabel, node.*field.member);
    }

    std::array<char, 32> label{};
    const CommandList& commands = *node.m_poCmndList;
    for (int i = 0; i < commands.GetCount(); ++i) {
        const Command& command = *commands.GetAt(i);
        AppendListingLine(buffer, {}, {});
        for (CommandFieldId id : kCommandShowOrder) {
            const CommandField& field = Field(id);
            if (field.kind == CommandFieldKind::SectionName ||
                field.kind == CommandFieldKind::Text) {
                AppendListingLine(buffer, field.listingLabel, command.*field.member);
                continue;
            }
            for (int k = 0; k < NumberedCount(command, field.kind); ++k) {
                // The table's labels are literals, so data() ends in a zero byte.
                int n = std::snprintf(label.data(), label.size(), field.listingLabel.data(), k + 1);
                AppendListingLine(buffer, {label.data(), static_cast<std::size_t>(n)},
                                  NumberedText(command, field.kind, k));
            }
        }
    }
    buffer.AppendZero();
    return buffer.Succeeded();
}
