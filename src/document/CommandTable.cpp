#include "document/CommandTable.h"

void CommandTable::Add(int id, Handler run, Rule enabled, Rule checked) {
    m_oEntries[id] = Entry{std::move(run), std::move(enabled), std::move(checked)};
}

void CommandTable::AddRange(int first, int last, const Handler& run, const Rule& enabled) {
    for (int id = first; id <= last; ++id) {
        Add(id, run, enabled);
    }
}

void CommandTable::Remove(int id) {
    m_oEntries.erase(id);
}

const CommandTable::Entry* CommandTable::Find(int id) const {
    auto it = m_oEntries.find(id);
    return it == m_oEntries.end() ? nullptr : &it->second;
}
