#include "model/ProtocolNode.h"

ProtocolNode::ProtocolNode() : m_poCmndList(std::make_unique<CommandList>()) {}

ProtocolNode::~ProtocolNode() {
    // Commands go one by one from the head, then the list itself.
    while (m_poCmndList->RemoveHead()) {
    }
}
