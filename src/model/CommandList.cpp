#include "model/CommandList.h"

#include <utility>

void CommandList::Append(std::unique_ptr<Command> command) {
    if (command) {
        m_oCommands.push_back(std::move(command));
    }
}

bool CommandList::InsertAt(int position, std::unique_ptr<Command>&& command) {
    if (!command || position < 0 || position > GetCount()) {
        return false;
    }
    // Room first, then the command: a failure to make room leaves it with the caller.
    auto it = m_oCommands.insert(m_oCommands.begin() + position, nullptr);
    *it = std::move(command);
    return true;
}

Command* CommandList::GetAt(int position) {
    return const_cast<Command*>(std::as_const(*this).GetAt(position));
}

const Command* CommandList::GetAt(int position) const {
    if (position < 0 || position >= GetCount()) {
        return nullptr;
    }
    return m_oCommands[static_cast<std::size_t>(position)].get();
}

std::unique_ptr<Command> CommandList::RemoveAt(int position) {
    if (position < 0 || position >= GetCount()) {
        return nullptr;
    }
    auto it = m_oCommands.begin() + position;
    (*it)->OwnTexts();
    std::unique_ptr<Command> command = std::move(*it);
    m_oCommands.erase(it);
    return command;
}

std::unique_ptr<Command> CommandList::RemoveHead() {
    return RemoveAt(0);
}

void CommandList::Clear() noexcept {
    while (!m_oCommands.empty()) {
        m_oCommands.pop_front();
    }
}
