#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

// One value of the model: a run of code-page bytes, compared and shown like a
// string. A value read from a file refers into the file's bytes, which the protocol
// keeps loaded, so reading costs no copy and freeing costs nothing; a value the
// program sets owns its bytes. Copying a text always gives one that owns its bytes,
// so a copy never depends on a file; moving keeps what the text was.
//
// A text holds at most 4 GiB - 1 bytes; a longer one cannot be stored and is
// reported like running out of memory (std::bad_alloc).
class Text {
public:
    Text() noexcept = default;
    // Explicit, so that comparing with a std::string or a literal is never
    // ambiguous and no copy is made unnoticed; assignment takes bytes directly.
    explicit Text(std::string_view bytes) { Assign(bytes); }
    Text(const Text& other) : Text(other.view()) {}
    Text(Text&& other) noexcept
        : m_pData(other.m_pData), m_nSize(other.m_nSize), m_bOwned(other.m_bOwned) {
        other.Forget();
    }
    ~Text() { Free(); }

    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept {
        if (this != &other) {
            Free();
            m_pData = other.m_pData;
            m_nSize = other.m_nSize;
            m_bOwned = other.m_bOwned;
            other.Forget();
        }
        return *this;
    }
    Text& operator=(std::string_view bytes);
    Text& operator=(const char* bytes) { return *this = std::string_view(bytes); }
    Text& operator=(const std::string& bytes) { return *this = std::string_view(bytes); }

    // A text that refers to `bytes` without copying them. The bytes must stay as
    // they are for as long as the text, or whatever it is moved into, lives: the
    // reader uses this for the file a protocol keeps loaded.
    static Text Refer(std::string_view bytes);
    // `length` bytes of `whole` from `position`: referring to the same bytes when
    // `whole` refers, its own copy otherwise.
    static Text Slice(const Text& whole, std::size_t position, std::size_t length);

    // Makes the text own its bytes, so that it no longer depends on what it
    // referred to.
    void Own();
    bool Refers() const { return !m_bOwned && m_nSize > 0; }

    const char* data() const { return m_pData; }
    std::size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    const char* begin() const { return m_pData; }
    const char* end() const { return m_pData + m_nSize; }
    char operator[](std::size_t index) const { return m_pData[index]; }
    void clear() { *this = std::string_view(); }

    std::string_view view() const { return {m_pData, m_nSize}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }
    friend bool operator==(const Text& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const Text& a, const char* b) { return a.view() == b; }
    friend bool operator==(const Text& a, const std::string& b) { return a.view() == b; }
    friend auto operator<=>(const Text& a, const Text& b) { return a.view() <=> b.view(); }
    friend auto operator<=>(const Text& a, std::string_view b) { return a.view() <=> b; }

private:
    void Assign(std::string_view bytes);
    void Free() noexcept {
        if (m_bOwned) {
            delete[] m_pData;
        }
    }
    void Forget() noexcept {
        m_pData = "";
        m_nSize = 0;
        m_bOwned = false;
    }

    const char* m_pData = "";
    std::uint32_t m_nSize = 0;
    bool m_bOwned = false;
};

// Prints the bytes as they are (for test output).
std::ostream& operator<<(std::ostream& out, const Text& text);
