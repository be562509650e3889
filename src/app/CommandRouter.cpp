#include "app/CommandRouter.h"

bool CommandRouter::Lookup(int id, CommandTable::Entry& entry) const {
    for (CommandTable* table : m_fnChain()) {
        if (table == nullptr) {
            continue;
        }
        if (const CommandTable::Entry* found = table->Find(id)) {
            entry = *found;
            return true;
        }
    }
    return false;
}

bool CommandRouter::IsHandled(int id) const {
    CommandTable::Entry entry;
    return Lookup(id, entry);
}

bool CommandRouter::IsEnabled(int id) const {
    CommandTable::Entry entry;
    return Lookup(id, entry) && (!entry.enabled || entry.enabled(id));
}

bool CommandRouter::IsChecked(int id) const {
    CommandTable::Entry entry;
    return Lookup(id, entry) && entry.checked && entry.checked(id);
}

bool CommandRouter::Execute(int id) const {
    CommandTable::Entry entry;
    if (!Lookup(id, entry) || (entry.enabled && !entry.enabled(id)) || !entry.run) {
        return false;
    }
    entry.run(id);
    return true;
}
