#pragma once

#include <deque>
#include <memory>

#include "model/Command.h"

// The commands of a protocol in file order. A command's position is its only
// identity: two commands may carry the same name.
class CommandList {
public:
    int GetCount() const { return static_cast<int>(m_oCommands.size()); }
    bool IsEmpty() const { return m_oCommands.empty(); }

    // Appends at the end and takes ownership.
    void Append(std::unique_ptr<Command> command);

    // Puts `command` at `position` (0 to the count), the commands from there on moving
    // back by one; false outside that range. Takes the command only when it succeeds:
    // when memory runs out, std::bad_alloc is thrown and `command` is still the
    // caller's.
    bool InsertAt(int position, std::unique_ptr<Command>&& command);

    // The command at a 0-based position; nullptr outside the list. Read-only through
    // a read-only list.
    Command* GetAt(int position);
    const Command* GetAt(int position) const;

    // Takes the entry at `position` out of the list and hands it to the caller;
    // nullptr outside the list. The command gets texts of its own first, so that it
    // may outlive the protocol it was read with; when memory runs out for them it
    // stays in the list and std::bad_alloc is thrown.
    std::unique_ptr<Command> RemoveAt(int position);

    // Takes the first entry out, as RemoveAt(0); nullptr for an empty list.
    std::unique_ptr<Command> RemoveHead();

    // Destroys every command, from the head.
    void Clear() noexcept;

private:
    std::deque<std::unique_ptr<Command>> m_oCommands;
};
