#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>

// The document's text buffer: saving renders a protocol into it line by line, and
// the printed listing builds its text in it. Lines that do not fit are counted but
// not stored, so rendering into a buffer without capacity measures the text: `used`
// then tells the capacity a second rendering needs. A buffer allowed to grow
// instead takes every line, so that a text is rendered once.
class TextBuffer {
public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    // Replaces the buffer by one of `capacity` bytes and starts it. False, with no
    // buffer, when memory runs out; the caller names the buffer in its message.
    bool Allocate(std::size_t capacity);
    // Frees the buffer; the capacity becomes 0 and it no longer grows. The counts
    // are kept.
    void Release();
    // From now on a line that does not fit makes the buffer larger; the success
    // flag then falls only when memory runs out for that.
    void AllowGrowth() { m_bGrows = true; }
    // Writes from the start again: write position and used 0, success flag set.
    void Start();

    // Appends the line "name" or "name=value", each ended by carriage return and
    // line feed. A line is stored only when the text so far, this line included,
    // stays below the capacity (the last byte is never filled); otherwise the
    // success flag falls.
    void AppendLine(std::string_view name);
    void AppendLine(std::string_view name, std::string_view value);
    // The line made of `pieces` one after the other.
    void AppendLineOf(std::initializer_list<std::string_view> pieces);
    // Closes the text with one zero byte at the write position and moves past it;
    // the used count leaves it out. Nothing is written once a line has failed.
    void AppendZero();

    const char* GetData() const { return m_hpbBuffer.get(); }
    // Bytes stored so far, from the start to the write position.
    std::size_t GetWritten() const { return m_nWritePos; }
    // Bytes the lines appended since Start need, whether or not they fitted.
    std::size_t GetUsed() const { return m_nUsed; }
    std::size_t GetCapacity() const { return m_nCapacity; }
    bool Succeeded() const { return m_bSuccess; }
    void SetSuccess(bool success) { m_bSuccess = success; }

private:
    // Counts a line of `length` bytes; where it goes, or nullptr when it is not
    // stored.
    char* Reserve(std::size_t length);
    bool Grow(std::size_t needed);

    std::unique_ptr<char[]> m_hpbBuffer;
    std::size_t m_nWritePos = 0;
    std::size_t m_nCapacity = 0;
    std::size_t m_nUsed = 0;
    bool m_bSuccess = true;
    bool m_bGrows = false;
};
