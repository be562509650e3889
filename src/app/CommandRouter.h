#pragma once

#include <functional>
#include <vector>

#include "document/CommandTable.h"

// Routes a command to the first of a chain of command tables that handles it: the
// active view of the active document window, that view's document, the document
// window, the application and the main frame. The same chain decides whether a menu
// item or toolbar button is enabled (or checked); a command nobody handles is
// disabled, and a command whose enable rule says disabled never runs.
class CommandRouter {
public:
    // Supplies the chain as it stands at the moment of asking.
    using ChainProvider = std::function<std::vector<CommandTable*>()>;

    explicit CommandRouter(ChainProvider chain) : m_fnChain(std::move(chain)) {}

    bool IsHandled(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command when it is handled and enabled; false otherwise.
    bool Execute(int id) const;

private:
    // The entry of the first table that handles `id`; a copy, so that a handler may
    // close the window that owns the table it came from.
    bool Lookup(int id, CommandTable::Entry& entry) const;

    ChainProvider m_fnChain;
};
