#include "model/ProtocolNode.h"

#include <utility>

#include "model/FieldTable.h"

ProtocolNode::ProtocolNode() : m_poCmndList(std::make_unique<CommandList>()) {}

ProtocolNode::~ProtocolNode() {
    // The commands go first, from the head, then the list and the files they read.
    m_poCmndList->Clear();
}

void ProtocolNode::Swap(ProtocolNode& other) noexcept {
    using std::swap;
    for (const DeviceField& field : kDeviceFields) {
        swap(this->*field.member, other.*field.member);
    }
    swap(m_poCmndList, other.m_poCmndList);
    swap(m_bCommandsRead, other.m_bCommandsRead);
    swap(m_oLoadedFile, other.m_oLoadedFile);
    swap(m_oReadFiles, other.m_oReadFiles);
    swap(m_nReadLength, other.m_nReadLength);
}
