#pragma once

#include <cstddef>
#include <new>
#include <span>
#include <utility>

// Indexed like an array of N entries, but only the entries up to the last one stored
// take memory; the others read as a default-constructed T. A command read from a file
// stores exactly the parameters and byte texts it has, which keeps a large protocol
// small.
//
// Reading never allocates. The first change through the non-const operator[] makes
// room for all N entries at once, so that references to entries stay valid from then
// on, as they would in a plain array (references taken before that first change do
// not).
template <class T, std::size_t N> class CompactArray {
public:
    CompactArray() noexcept = default;
    CompactArray(const CompactArray& other) { CopyFrom(other); }
    CompactArray(CompactArray&& other) noexcept
        : m_pItems(std::exchange(other.m_pItems, nullptr)),
          m_nStored(std::exchange(other.m_nStored, 0)) {}
    CompactArray& operator=(const CompactArray& other) {
        if (this != &other) {
            CompactArray copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    CompactArray& operator=(CompactArray&& other) noexcept {
        if (this != &other) {
            Destroy();
            m_pItems = std::exchange(other.m_pItems, nullptr);
            m_nStored = std::exchange(other.m_nStored, 0);
        }
        return *this;
    }
    ~CompactArray() { Destroy(); }

    static constexpr std::size_t size() { return N; }
    // How many entries take memory.
    std::size_t Stored() const { return m_nStored; }

    const T& operator[](std::size_t index) const {
        return index < m_nStored ? m_pItems[index] : Empty();
    }
    T& operator[](std::size_t index) {
        if (m_nStored < N) {
            Grow();
        }
        return m_pItems[index];
    }

    // The entries that take memory, to read or change in place without making
    // room for more.
    std::span<T> StoredItems() { return {m_pItems, m_nStored}; }
    std::span<const T> StoredItems() const { return {m_pItems, m_nStored}; }

    // Replaces every entry by `count` default ones (at most N) and returns them to
    // be filled: the exact storage of a command as it is read.
    std::span<T> Reset(std::size_t count) {
        CompactArray fresh;
        fresh.Allocate(count < N ? count : N);
        *this = std::move(fresh);
        return {m_pItems, m_nStored};
    }

    // Walks all N entries, stored or not.
    class ConstIterator {
    public:
        ConstIterator(const CompactArray& array, std::size_t index)
            : m_pArray(&array), m_nIndex(index) {}
        const T& operator*() const { return (*m_pArray)[m_nIndex]; }
        ConstIterator& operator++() {
            ++m_nIndex;
            return *this;
        }
        bool operator==(const ConstIterator& other) const { return m_nIndex == other.m_nIndex; }

    private:
        const CompactArray* m_pArray;
        std::size_t m_nIndex;
    };
    ConstIterator begin() const { return {*this, 0}; }
    ConstIterator end() const { return {*this, N}; }

    friend bool operator==(const CompactArray& a, const CompactArray& b) {
        for (std::size_t i = 0; i < N; ++i) {
            if (!(a[i] == b[i])) {
                return false;
            }
        }
        return true;
    }

private:
    static const T& Empty() {
        static const T empty{};
        return empty;
    }

    // Room for exactly `count` default entries; the array must hold none.
    void Allocate(std::size_t count) {
        if (count == 0) {
            return;
        }
        T* items = static_cast<T*>(::operator new(count * sizeof(T)));
        std::size_t made = 0;
        try {
            for (; made < count; ++made) {
                new (items + made) T();
            }
        } catch (...) {
            Destroy(items, made);
            throw;
        }
        m_pItems = items;
        m_nStored = count;
    }

    void Grow() {
        T* items = static_cast<T*>(::operator new(N * sizeof(T)));
        std::size_t made = 0;
        try {
            for (; made < m_nStored; ++made) {
                new (items + made) T(std::move(m_pItems[made]));
            }
            for (; made < N; ++made) {
                new (items + made) T();
            }
        } catch (...) {
            Destroy(items, made);
            throw;
        }
        Destroy();
        m_pItems = items;
        m_nStored = N;
    }

    void CopyFrom(const CompactArray& other) {
        if (other.m_nStored == 0) {
            return;
        }
        T* items = static_cast<T*>(::operator new(other.m_nStored * sizeof(T)));
        std::size_t made = 0;
        try {
            for (; made < other.m_nStored; ++made) {
                new (items + made) T(other.m_pItems[made]);
            }
        } catch (...) {
            Destroy(items, made);
            throw;
        }
        m_pItems = items;
        m_nStored = other.m_nStored;
    }

    static void Destroy(T* items, std::size_t count) noexcept {
        for (std::size_t i = count; i > 0; --i) {
            items[i - 1].~T();
        }
        ::operator delete(items);
    }
    void Destroy() noexcept {
        if (m_pItems != nullptr) {
            Destroy(m_pItems, m_nStored);
            m_pItems = nullptr;
            m_nStored = 0;
        }
    }

    T* m_pItems = nullptr;
    std::size_t m_nStored = 0;
};
