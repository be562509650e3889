#include "model/ProtocolNode.h"

ProtocolNode::ProtocolNode() : m_poCmndList(std::make_unique<CommandList>()) {}

ProtocolNode::~ProtocolNode() {
    // The commands go first, from the head, then the list and the files they read.
    m_poCmndList->Clear();
}
