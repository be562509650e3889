#pragma once

#include <functional>
#include <map>

// The commands one window object handles: per command id a handler, and optionally an
// enable rule and a check rule. The command router asks the tables of the active view,
// its document, the document window, the application and the main frame in that
// order; the first table that holds an id decides whether the command is enabled and
// runs it.
class CommandTable {
public:
    using Handler = std::function<void(int id)>;
    using Rule = std::function<bool(int id)>;

    struct Entry {
        Handler run;
        Rule enabled; // empty: always enabled
        Rule checked; // empty: never checked
    };

    // Registers (or replaces) the entry of `id`.
    void Add(int id, Handler run, Rule enabled = {}, Rule checked = {});
    // Registers one entry for every id from `first` to `last`.
    void AddRange(int first, int last, const Handler& run, const Rule& enabled = {});
    void Remove(int id);

    // The entry of `id`; nullptr when this table does not handle it.
    const Entry* Find(int id) const;
    bool Handles(int id) const { return Find(id) != nullptr; }

private:
    std::map<int, Entry> m_oEntries;
};
