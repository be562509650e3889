#pragma once

#include <memory>
#include <utility>

// An owning pointer that passes its constness on to what it owns: through a const
// owner the object is const too. A protocol handed out read-only thus hands out its
// command list, and the commands in it, read-only as well.
template <class T> class OwningPtr {
public:
    OwningPtr() = default;
    explicit OwningPtr(std::unique_ptr<T> owned) noexcept : m_poOwned(std::move(owned)) {}

    T* get() { return m_poOwned.get(); }
    const T* get() const { return m_poOwned.get(); }
    T& operator*() { return *m_poOwned; }
    const T& operator*() const { return *m_poOwned; }
    T* operator->() { return m_poOwned.get(); }
    const T* operator->() const { return m_poOwned.get(); }
    explicit operator bool() const { return m_poOwned != nullptr; }

private:
    std::unique_ptr<T> m_poOwned;
};
